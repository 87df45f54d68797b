// Assumptions on two-candidate cells: keep off, get out and the trial.
#include "engine/digit_board.h"
#include "engine/matrix.h"
#include "engine/single_place.h"

namespace kumoji {

// Boxes, rows, then columns: the first unit that leaves the digit one place.
bool TMatrix::FindForcedPlace(int Digit, TPoint& Cell) const {
    for (const int U : UnitOrder::BoxesRowsCols) {
        const int Index = SinglePlace(*this, U, Digit);
        if (Index >= 0) {
            Cell = TPoint{Index % 9, Index / 9};
            return true;
        }
    }
    return false;
}

// Some unit neither holds the digit nor admits it anywhere.
bool TMatrix::DigitBlocked(int Digit) const {
    for (int U = 0; U < UnitCount; ++U) {
        if (SinglePlace(*this, U, Digit) == NoPlace) {
            return true;
        }
    }
    return false;
}

bool TMatrix::TestAssumption(int Assumed, int Col, int Row, int Watched) const {
    // Only the watched digit matters after the assumption, so the trial
    // follows it on its own board rather than on a copy of the grid.
    if (Col >= 0 && Col <= 8 && Row >= 0 && Row <= 8 && Assumed >= 1 && Assumed <= 9) {
        TDigitBoard Board(*this, Watched);
        Board.SetValue(CellIndex(Col, Row), Assumed);
        int Placements = 0;
        // Each placement takes a cell that admitted Watched out, so this ends.
        for (int Cell = Board.ForcedPlace(); Cell >= 0; Cell = Board.ForcedPlace()) {
            Board.SetValue(Cell, Watched);
            ++Placements;
        }
        return Placements > 0 && Board.Blocked();
    }
    // Any other assumption changes the copy in ways the board does not follow.
    TMatrix Copy = *this;
    Copy.SetValue(Col, Row, Assumed);
    int Placements = 0;
    TPoint Cell;
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

// Both techniques assume each candidate of a two-candidate cell in turn and
// conclude the other one; keep off watches the assumed digit itself, get out
// the cell's other candidate.
bool FindAssumptionMove(const TMatrix& Grid, bool WatchOther, int& Col, int& Row, int& Digit) {
    for (int Index = 0; Index < 81; ++Index) {
        int A;
        int B;
        if (!TwoCandidates(Grid, Index, A, B)) {
            continue;
        }
        const int C = Index % 9;
        const int R = Index / 9;
        if (Grid.TestAssumption(A, C, R, WatchOther ? B : A)) {
            Col = C;
            Row = R;
            Digit = B;
            return true;
        }
        if (Grid.TestAssumption(B, C, R, WatchOther ? A : B)) {
            Col = C;
            Row = R;
            Digit = A;
            return true;
        }
    }
    return false;
}

} // namespace

bool TMatrix::FindKeepOffMove(int& Col, int& Row, int& Digit) const {
    return FindAssumptionMove(*this, false, Col, Row, Digit);
}

bool TMatrix::FindGetOutMove(int& Col, int& Row, int& Digit) const {
    return FindAssumptionMove(*this, true, Col, Row, Digit);
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
