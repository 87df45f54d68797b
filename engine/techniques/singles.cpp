// The three singles: a unit's last empty cell, a digit's last place, a cell's last candidate.
#include "engine/grid/grid_checks.h"
#include "engine/grid/matrix.h"
#include "engine/lanes/unit_tally.h"
#include "engine/techniques/naked_singles.h"
#include "engine/techniques/single_place.h"

#include <array>
#include <cstdint>

namespace kumoji {

// A unit qualifies with a single empty cell and a single digit not held by
// its other cells. Most grids have no unit with one empty cell, and those
// units are found four cells a lane, so only they are read cell by cell.
bool TMatrix::FindEmptyCell(int& Col, int& Row, int& Digit) const {
    const std::uint32_t Single = UnitsWithOneEmptyCell(*this);
    if (Single == 0) {
        return false;
    }
    for (const int U : UnitOrder::RowsColsBoxesByColumn) {
        if ((Single >> U & 1) == 0) {
            continue;
        }
        int Held = 0;
        int Target = 0;
        for (const int I : UnitCells[U]) {
            Held |= DigitBit(Values[I]);
            Target = Values[I] == 0 ? I : Target;
        }
        const int Left = AllDigits & ~Held;
        if (IsSingleDigitMask(Left)) {
            Col = Target % 9;
            Row = Target / 9;
            Digit = LowestDigit(Left);
            return true;
        }
    }
    return false;
}

bool TMatrix::FindLeftPlace(int Digit, int& Col, int& Row) const {
    if (DigitBit(Digit) == 0) {
        return false;
    }
    for (const int U : UnitOrder::RowsColsBoxes) {
        const int Cell = SinglePlace(*this, U, Digit);
        if (Cell >= 0) {
            Col = Cell % 9;
            Row = Cell / 9;
            return true;
        }
    }
    return false;
}

bool TMatrix::FindMissingNumber(int& Digit, int& Col, int& Row) const {
    const int Index = NakedSingleCells(*this).First();
    if (Index < 0) {
        return false;
    }
    Digit = LowestDigit(Candidates[Index]);
    Col = Index % 9;
    Row = Index / 9;
    return true;
}

bool TMatrix::FindSingle(int& Col, int& Row, int& Digit) const {
    if (FindMissingNumber(Digit, Col, Row) || FindEmptyCell(Col, Row, Digit)) {
        return true;
    }
    // Only the digits that have a single place somewhere need the ordered
    // search; the lowest such digit is the one the plain loop would find.
    const int Digits = SinglePlaceDigits(*this);
    if (Digits == 0) {
        return false;
    }
    Digit = LowestDigit(Digits);
    return FindLeftPlace(Digit, Col, Row);
}

} // namespace kumoji
