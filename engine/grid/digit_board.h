// One digit followed on its own: the cells that hold it and the cells that admit it, as bit sets.
#pragma once

#include "engine/grid/matrix.h"
#include "engine/grid/units.h"

#include <array>
#include <bit>
#include <cstdint>

namespace kumoji {

// A set of cells: cells 0..63 in Low, 64..80 in High.
struct TCellSet {
    std::uint64_t Low = 0;
    std::uint64_t High = 0;

    static constexpr TCellSet Of(int Cell) {
        return Cell < 64 ? TCellSet{std::uint64_t{1} << Cell, 0}
                         : TCellSet{0, std::uint64_t{1} << (Cell - 64)};
    }
    constexpr TCellSet operator&(TCellSet Other) const {
        return {Low & Other.Low, High & Other.High};
    }
    constexpr TCellSet operator|(TCellSet Other) const {
        return {Low | Other.Low, High | Other.High};
    }
    constexpr TCellSet operator~() const { return {~Low, ~High}; }
    constexpr bool Empty() const { return (Low | High) == 0; }
    // The one cell of a set that has exactly one, or -1.
    constexpr int OnlyCell() const {
        if (High == 0 && Low != 0 && (Low & (Low - 1)) == 0) {
            return std::countr_zero(Low);
        }
        if (Low == 0 && High != 0 && (High & (High - 1)) == 0) {
            return 64 + std::countr_zero(High);
        }
        return -1;
    }
    // The first cell of the set, or -1 for none.
    constexpr int First() const {
        return Low != 0 ? std::countr_zero(Low) : High != 0 ? 64 + std::countr_zero(High) : -1;
    }
    // How many cells the set holds.
    constexpr int Count() const { return std::popcount(Low) + std::popcount(High); }
    // Adds cells First.. from the low bits of Bits; the cells stay on one
    // side of cell 64, as four cells read from a multiple of four do.
    constexpr void AddFrom(int First, std::uint64_t Bits) {
        (First < 64 ? Low : High) |= Bits << (First % 64);
    }
};

// The cells of each unit, and of each cell's three units together.
inline constexpr std::array<TCellSet, UnitCount> UnitSets = [] {
    std::array<TCellSet, UnitCount> Table{};
    for (int U = 0; U < UnitCount; ++U) {
        for (const int I : UnitCells[U]) {
            Table[U] = Table[U] | TCellSet::Of(I);
        }
    }
    return Table;
}();
inline constexpr std::array<TCellSet, 81> PeerSets = [] {
    std::array<TCellSet, 81> Table{};
    for (int I = 0; I < 81; ++I) {
        const TCellUnits& Units = CellUnits[I];
        Table[I] = UnitSets[Units.Row] | UnitSets[Units.Col] | UnitSets[Units.Box];
    }
    return Table;
}();

// Where one digit is held and admitted. Placing the digit and the searches
// of the assumption techniques read nothing else, so a trial that follows
// one digit needs only these two sets instead of a copy of the grid.
class TDigitBoard {
public:
    TDigitBoard(const TMatrix& Grid, int Digit) : Digit(Digit) {
        const int Bit = DigitBit(Digit);
        for (int I = 0; I < 81; ++I) {
            if (Grid.Values[I] == Digit) {
                Held = Held | TCellSet::Of(I);
            }
            if (Grid.Candidates[I] & Bit) {
                Admitted = Admitted | TCellSet::Of(I);
            }
        }
    }

    // What SetValue of Value at Cell does to this digit: the cell's mask is
    // cleared, and placing the digit itself clears it from the cell's units.
    void SetValue(int Cell, int Value) {
        const TCellSet Here = TCellSet::Of(Cell);
        if (Value == Digit) {
            Held = Held | Here;
            Admitted = Admitted & ~PeerSets[Cell];
        } else {
            Held = Held & ~Here;
        }
        Admitted = Admitted & ~Here;
    }

    // As FindForcedPlace: the first unit, boxes then rows then columns, that
    // does not hold the digit and admits it in one cell; -1 when none does.
    int ForcedPlace() const {
        for (const int U : UnitOrder::BoxesRowsCols) {
            if ((Held & UnitSets[U]).Empty()) {
                const int Cell = (Admitted & UnitSets[U]).OnlyCell();
                if (Cell >= 0) {
                    return Cell;
                }
            }
        }
        return -1;
    }

    // As DigitBlocked: some unit neither holds nor admits the digit.
    bool Blocked() const {
        for (int U = 0; U < UnitCount; ++U) {
            if (((Held | Admitted) & UnitSets[U]).Empty()) {
                return true;
            }
        }
        return false;
    }

private:
    int Digit;
    TCellSet Held;
    TCellSet Admitted;
};

} // namespace kumoji
