#include "engine/grid_checks.h"
#include "engine/left_place_digits.h"
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
// unit counts when no cell holds Digit and exactly one cell admits it. Per
// unit a position mask of the admitting cells; fixed loop bounds let the
// compiler resolve every unit index.
bool TMatrix::FindLeftPlace(int Digit, int& Col, int& Row) const {
    const int Bit = DigitBit(Digit);
    if (Bit == 0) {
        return false;
    }
    std::array<int, 27> Placed{};
    std::array<int, 27> Admitted{};
    for (int R = 0; R < 9; ++R) {
        for (int C = 0; C < 9; ++C) {
            const int I = CellIndex(C, R);
            const int Box = 18 + CellBox[I];
            const int Here = Values[I] == Digit;
            const int Admits = Here == 0 && (Candidates[I] & Bit) != 0;
            Placed[R] |= Here;
            Placed[9 + C] |= Here;
            Placed[Box] |= Here;
            Admitted[R] |= Admits << C;
            Admitted[9 + C] |= Admits << R;
            Admitted[Box] |= Admits << CellBoxPlace[I];
        }
    }
    for (int U = 0; U < 27; ++U) {
        if (Placed[U] == 0 && IsSingleDigitMask(Admitted[U])) {
            const int P = LowestDigit(Admitted[U]) - 1;
            if (U < 9) {
                Col = P;
                Row = U;
            } else if (U < 18) {
                Col = U - 9;
                Row = P;
            } else {
                Col = (U - 18) % 3 * 3 + P % 3;
                Row = (U - 18) / 3 * 3 + P / 3;
            }
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
    const int Digits = detail::LeftPlaceDigits(*this);
    if (Digits == 0) {
        return false;
    }
    Digit = LowestDigit(Digits);
    return FindLeftPlace(Digit, Col, Row);
}

} // namespace kumoji
