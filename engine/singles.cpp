#include "engine/grid_checks.h"
#include "engine/matrix.h"

#include <array>

namespace kumoji {

namespace {

// Unit numbers of a cell, laid out so that unit order is search order:
// rows 0..8, columns 9..17, then boxes from 18 in the order given.
inline int RowUnit(int Row) {
    return Row;
}
inline int ColUnit(int Col) {
    return 9 + Col;
}
// Box column outer, box row inner.
inline int BoxUnitByColumn(int Col, int Row) {
    return 18 + Col / 3 * 3 + Row / 3;
}
// Box row outer, box column inner.
inline int BoxUnitByRow(int Col, int Row) {
    return 18 + Row / 3 * 3 + Col / 3;
}

} // namespace

// One pass over the cells tallies all 27 units; a unit qualifies with a
// single empty cell and a single digit not held by its other cells. The
// empty cell is the unit's only one, so the order within a unit is moot.
bool TMatrix::FindEmptyCell(int& Col, int& Row, int& Digit) const {
    std::array<int, 27> Held{};
    std::array<int, 27> Empty{};
    std::array<int, 27> Target{};
    for (int I = 0; I < 81; ++I) {
        const int C = I % 9;
        const int R = I / 9;
        const int Units[3] = {RowUnit(R), ColUnit(C), BoxUnitByColumn(C, R)};
        if (Values[I] == 0) {
            for (const int U : Units) {
                ++Empty[U];
                Target[U] = I;
            }
        } else {
            const int Bit = DigitBit(Values[I]);
            for (const int U : Units) {
                Held[U] |= Bit;
            }
        }
    }
    for (int U = 0; U < 27; ++U) {
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

// The same as scanning rows, columns and boxes (box row outer) in turn: a
// unit counts when no cell holds Digit and exactly one cell admits it.
bool TMatrix::FindLeftPlace(int Digit, int& Col, int& Row) const {
    const int Bit = DigitBit(Digit);
    std::array<bool, 27> Placed{};
    std::array<int, 27> Count{};
    std::array<int, 27> Place{};
    for (int I = 0; I < 81; ++I) {
        const int C = I % 9;
        const int R = I / 9;
        const int Units[3] = {RowUnit(R), ColUnit(C), BoxUnitByRow(C, R)};
        if (Values[I] == Digit) {
            for (const int U : Units) {
                Placed[U] = true;
            }
        } else if (Candidates[I] & Bit) {
            for (const int U : Units) {
                ++Count[U];
                Place[U] = I;
            }
        }
    }
    for (int U = 0; U < 27; ++U) {
        if (!Placed[U] && Count[U] == 1) {
            Col = Place[U] % 9;
            Row = Place[U] / 9;
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
    for (int D = 1; D <= 9; ++D) {
        if (FindLeftPlace(D, Col, Row)) {
            Digit = D;
            return true;
        }
    }
    return false;
}

} // namespace kumoji
