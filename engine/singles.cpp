// The three singles: a unit's last empty cell, a digit's last place, a cell's last candidate.
#include "engine/grid_checks.h"
#include "engine/matrix.h"
#include "engine/single_place.h"

#include <array>

namespace kumoji {

// One pass over the cells tallies all 27 units; a unit qualifies with a
// single empty cell and a single digit not held by its other cells. The
// empty cell is the unit's only one, so the order within a unit is moot.
bool TMatrix::FindEmptyCell(int& Col, int& Row, int& Digit) const {
    std::array<int, UnitCount> Held{};
    std::array<int, UnitCount> Empty{};
    std::array<int, UnitCount> Target{};
    for (int I = 0; I < 81; ++I) {
        const TCellUnits& Cell = CellUnits[I];
        if (Values[I] == 0) {
            for (const int U : {Cell.Row, Cell.Col, Cell.Box}) {
                ++Empty[U];
                Target[U] = I;
            }
        } else {
            const int Bit = DigitBit(Values[I]);
            for (const int U : {Cell.Row, Cell.Col, Cell.Box}) {
                Held[U] |= Bit;
            }
        }
    }
    for (const int U : UnitOrder::RowsColsBoxesByColumn) {
        const int Left = AllDigits & ~Held[U];
        if (Empty[U] == 1 && IsSingleDigitMask(Left)) {
            Col = Target[U] % 9;
            Row = Target[U] / 9;
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
    for (int Index = 0; Index < 81; ++Index) {
        if (Values[Index] == 0 && IsSingleDigitMask(Candidates[Index])) {
            Digit = LowestDigit(Candidates[Index]);
            Col = Index % 9;
            Row = Index / 9;
            return true;
        }
    }
    return false;
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
