#include "engine/grid_checks.h"
#include "engine/matrix.h"

namespace kumoji {

bool TMatrix::FindForcedPlace(int Digit, TPoint& Cell) const {
    TD2IntegerList Places;
    TPoint Holder;
    auto Single = [&](bool Placed) {
        if (Placed || Places.GetCount() != 1) {
            return false;
        }
        Cell = Places[0];
        return true;
    };
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            if (Single(ScanBox(BoxCol, BoxRow, Digit, Places, Holder))) {
                return true;
            }
        }
    }
    for (int R = 0; R < 9; ++R) {
        if (Single(ScanRow(R, Digit, Places, Holder))) {
            return true;
        }
    }
    for (int C = 0; C < 9; ++C) {
        if (Single(ScanCol(C, Digit, Places, Holder))) {
            return true;
        }
    }
    return false;
}

bool TMatrix::DigitBlocked(int Digit) const {
    TD2IntegerList Places;
    TPoint Holder;
    // A unit is fine when it holds the digit or still admits it somewhere.
    auto Open = [&](bool Placed) { return Placed || Places.GetCount() > 0; };
    for (int R = 0; R < 9; ++R) {
        if (!Open(ScanRow(R, Digit, Places, Holder))) {
            return true;
        }
    }
    for (int C = 0; C < 9; ++C) {
        if (!Open(ScanCol(C, Digit, Places, Holder))) {
            return true;
        }
    }
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            if (!Open(ScanBox(BoxCol, BoxRow, Digit, Places, Holder))) {
                return true;
            }
        }
    }
    return false;
}

bool TMatrix::TestAssumption(int Assumed, int Col, int Row, int Watched) const {
    TMatrix Copy = *this;
    Copy.SetValue(Col, Row, Assumed);
    int Placements = 0;
    TPoint Cell;
    // Each placement zeroes a mask that admitted Watched, so this ends.
    while (Copy.FindForcedPlace(Watched, Cell)) {
        Copy.SetValue(Cell.X, Cell.Y, Watched);
        ++Placements;
    }
    return Placements > 0 && Copy.DigitBlocked(Watched);
}

namespace {

// The two candidates of a cell that has exactly two, in ascending order.
bool TwoCandidates(const TMatrix& Grid, int Index, int& A, int& B) {
    const int Mask = Grid.Candidates[Index];
    if (DigitCount(Mask) != 2) {
        return false;
    }
    A = LowestDigit(Mask);
    B = LowestDigit(Mask & ~DigitBit(A));
    return true;
}

} // namespace

bool TMatrix::FindKeepOffMove(int& Col, int& Row, int& Digit) const {
    for (int Index = 0; Index < 81; ++Index) {
        int A;
        int B;
        if (!TwoCandidates(*this, Index, A, B)) {
            continue;
        }
        const int C = Index % 9;
        const int R = Index / 9;
        if (TestAssumption(A, C, R, A)) {
            Col = C;
            Row = R;
            Digit = B;
            return true;
        }
        if (TestAssumption(B, C, R, B)) {
            Col = C;
            Row = R;
            Digit = A;
            return true;
        }
    }
    return false;
}

bool TMatrix::FindGetOutMove(int& Col, int& Row, int& Digit) const {
    for (int Index = 0; Index < 81; ++Index) {
        int A;
        int B;
        if (!TwoCandidates(*this, Index, A, B)) {
            continue;
        }
        const int C = Index % 9;
        const int R = Index / 9;
        if (TestAssumption(A, C, R, B)) {
            Col = C;
            Row = R;
            Digit = B;
            return true;
        }
        if (TestAssumption(B, C, R, A)) {
            Col = C;
            Row = R;
            Digit = A;
            return true;
        }
    }
    return false;
}

int TMatrix::TryValue(int Col, int Row, int Digit) const {
    TMatrix Copy = *this;
    Copy.SetValue(Col, Row, Digit);
    for (;;) {
        const int State = Copy.CheckState();
        if (State == 1 || State == 3) {
            return State;
        }
        Copy.ApplyReservations();
        int C;
        int R;
        int D;
        if (!Copy.FindSingle(C, R, D)) {
            break;
        }
        Copy.SetValue(C, R, D);
    }
    const int State = Copy.CheckState();
    return State == 1 || State == 3 ? State : 2;
}

bool TMatrix::ApplyPuzzled() {
    for (int Index = 0; Index < 81; ++Index) {
        int A;
        int B;
        if (!TwoCandidates(*this, Index, A, B)) {
            continue;
        }
        const int C = Index % 9;
        const int R = Index / 9;
        for (const int Candidate : {A, B}) {
            if (TryValue(C, R, Candidate) == 3) {
                RemoveCandidate(C, R, Candidate);
                return true;
            }
        }
    }
    return false;
}

} // namespace kumoji
