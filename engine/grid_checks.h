#pragma once

#include <array>
#include <cassert>

namespace kumoji {

constexpr int CellIndex(int Col, int Row) {
    return Col + 9 * Row;
}

// Per cell index: its box (box row outer) and its place in that box (row by
// row), looked up rather than divided out in the per-cell loops.
inline constexpr std::array<unsigned char, 81> CellBox = [] {
    std::array<unsigned char, 81> Table{};
    for (int I = 0; I < 81; ++I) {
        Table[I] = static_cast<unsigned char>(I / 27 * 3 + I % 9 / 3);
    }
    return Table;
}();
inline constexpr std::array<unsigned char, 81> CellBoxPlace = [] {
    std::array<unsigned char, 81> Table{};
    for (int I = 0; I < 81; ++I) {
        Table[I] = static_cast<unsigned char>(I / 9 % 3 * 3 + I % 3);
    }
    return Table;
}();

// Guards for coordinates that no caller should pass: a debug build stops at
// the culprit, a release build treats the cell as absent.
inline bool LineInGrid(int Line) {
    const bool Inside = Line >= 0 && Line <= 8;
    assert(Inside && "row or column outside 0..8");
    return Inside;
}

inline bool CellInGrid(int Col, int Row) {
    const bool Inside = Col >= 0 && Col <= 8 && Row >= 0 && Row <= 8;
    assert(Inside && "cell outside the grid");
    return Inside;
}

inline bool BoxInGrid(int BoxCol, int BoxRow) {
    const bool Inside = BoxCol >= 0 && BoxCol <= 2 && BoxRow >= 0 && BoxRow <= 2;
    assert(Inside && "box outside 0..2");
    return Inside;
}

} // namespace kumoji
