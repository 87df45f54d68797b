// Unions over the cells of every unit at once, and the packed cell counts the pass filters sum.
#pragma once

#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"

#include <array>
#include <cstdint>
#include <functional>

namespace kumoji {

// Counters packed side by side in one word, one field per digit or per
// count, so that adding the words of nine cells counts for all fields at once.
using TPackedCounts = std::uint64_t;

// Per candidate mask, a one in the six-bit field of its number of digits:
// summed over a unit, field K counts the unit's cells with K candidates.
inline constexpr auto CellsByCount = [] {
    std::array<TPackedCounts, AllDigits + 1> Table{};
    for (int Mask = 0; Mask <= AllDigits; ++Mask) {
        Table[Mask] = TPackedCounts{1} << (6 * DigitCount(Mask));
    }
    return Table;
}();

// Per unit, Cells folded with Join over its nine cells. One sweep row by row
// serves the rows, the columns and the boxes alike.
template <typename T, typename TJoin>
std::array<T, UnitCount> FoldUnits(const std::array<T, 81>& Cells, TJoin Join) {
    std::array<T, UnitCount> Folds{};
    T Cols[9]{};
#pragma GCC unroll 3
    for (int Band = 0; Band < 3; ++Band) {
        T Boxes[3]{};
#pragma GCC unroll 3
        for (int R = 3 * Band; R < 3 * Band + 3; ++R) {
            const T* Line = &Cells[CellIndex(0, R)];
            T Row{};
#pragma GCC unroll 3
            for (int S = 0; S < 3; ++S) {
                const T Third = Join(Join(Line[3 * S], Line[3 * S + 1]), Line[3 * S + 2]);
                Boxes[S] = Join(Boxes[S], Third);
                Row = Join(Row, Third);
            }
            Folds[RowUnit(R)] = Row;
#pragma GCC unroll 9
            for (int C = 0; C < 9; ++C) {
                Cols[C] = Join(Cols[C], Line[C]);
            }
        }
        for (int S = 0; S < 3; ++S) {
            Folds[BoxUnit(S, Band)] = Boxes[S];
        }
    }
    for (int C = 0; C < 9; ++C) {
        Folds[ColUnit(C)] = Cols[C];
    }
    return Folds;
}

template <typename T> std::array<T, UnitCount> UnitUnions(const std::array<T, 81>& Cells) {
    return FoldUnits(Cells, std::bit_or<T>());
}

} // namespace kumoji
