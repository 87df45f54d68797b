// The single-place search: the one cell of a unit that admits a digit.
#pragma once

#include "engine/grid/matrix.h"
#include "engine/grid/units.h"

#include <array>
#include <cstdint>

namespace kumoji {

// What SinglePlace answers when there is no one cell.
inline constexpr int NoPlace = -1;       // no cell holds the digit or admits it
inline constexpr int NoSinglePlace = -2; // a cell holds it, or several admit it

// The cell index of the one cell of Unit that admits Digit, when no cell of
// the unit holds Digit; otherwise NoPlace or NoSinglePlace. Like a scan of
// the unit, it stops at a cell that holds the digit.
inline int SinglePlace(const TMatrix& Grid, int Unit, int Digit) {
    const int Bit = DigitBit(Digit);
    int Found = NoPlace;
    for (const int I : UnitCells[Unit]) {
        if (Grid.Values[I] == Digit) {
            return NoSinglePlace;
        }
        if (Grid.Candidates[I] & Bit) {
            if (Found != NoPlace) {
                return NoSinglePlace;
            }
            Found = I;
        }
    }
    return Found;
}

// Per unit, the digits with a single place there (those for which SinglePlace
// answers a cell), found for all units in one pass.
std::array<int, UnitCount> SinglePlacesByUnit(const TMatrix& Grid);

// The units where Digit has a single place, as bits of the unit numbers:
// the units for which SinglePlace answers a cell, with the digits each
// unit holds known beforehand.
std::uint32_t SinglePlaceUnits(const TMatrix& Grid, const std::array<int, UnitCount>& Held,
                               int Digit);

// The digits for which some unit has a single place: exactly those for which
// the left-place search succeeds.
int SinglePlaceDigits(const TMatrix& Grid);

} // namespace kumoji
