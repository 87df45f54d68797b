#include "engine/grid_checks.h"
#include "engine/matrix.h"

namespace kumoji {

namespace {

// One unit for the empty-cell search: the digits not yet seen and the last
// empty cell met. It qualifies with one empty cell and one digit left over.
struct TEmptyCellTally {
    int Left = AllDigits;
    int Empty = 0;
    int Col = -1;
    int Row = -1;

    void Visit(const TMatrix& Grid, int C, int R) {
        const int Value = Grid.Values[CellIndex(C, R)];
        if (Value == 0) {
            ++Empty;
            Col = C;
            Row = R;
        } else {
            Left &= ~DigitBit(Value);
        }
    }

    bool Found(int& OutCol, int& OutRow, int& Digit) const {
        if (Empty != 1 || !IsSingleDigitMask(Left)) {
            return false;
        }
        OutCol = Col;
        OutRow = Row;
        Digit = LowestDigit(Left);
        return true;
    }
};

} // namespace

bool TMatrix::FindEmptyCell(int& Col, int& Row, int& Digit) const {
    for (int R = 0; R < 9; ++R) {
        TEmptyCellTally Tally;
        for (int C = 0; C < 9; ++C) {
            Tally.Visit(*this, C, R);
        }
        if (Tally.Found(Col, Row, Digit)) {
            return true;
        }
    }
    for (int C = 0; C < 9; ++C) {
        TEmptyCellTally Tally;
        for (int R = 0; R < 9; ++R) {
            Tally.Visit(*this, C, R);
        }
        if (Tally.Found(Col, Row, Digit)) {
            return true;
        }
    }
    for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
        for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
            TEmptyCellTally Tally;
            for (int R = BoxRow * 3; R < BoxRow * 3 + 3; ++R) {
                for (int C = BoxCol * 3; C < BoxCol * 3 + 3; ++C) {
                    Tally.Visit(*this, C, R);
                }
            }
            if (Tally.Found(Col, Row, Digit)) {
                return true;
            }
        }
    }
    return false;
}

bool TMatrix::FindLeftPlace(int Digit, int& Col, int& Row) const {
    TD2IntegerList Places;
    TPoint Cell;
    auto Single = [&](bool Placed) {
        if (Placed || Places.GetCount() != 1) {
            return false;
        }
        Col = Places[0].X;
        Row = Places[0].Y;
        return true;
    };
    for (int R = 0; R < 9; ++R) {
        if (Single(ScanRow(R, Digit, Places, Cell))) {
            return true;
        }
    }
    for (int C = 0; C < 9; ++C) {
        if (Single(ScanCol(C, Digit, Places, Cell))) {
            return true;
        }
    }
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            if (Single(ScanBox(BoxCol, BoxRow, Digit, Places, Cell))) {
                return true;
            }
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
