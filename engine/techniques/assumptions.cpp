// Assumptions on two-candidate cells: keep off, get out and the trial.
#include "engine/grid/digit_board.h"
#include "engine/grid/matrix.h"
#include "engine/techniques/single_place.h"

#include <array>
#include <optional>
#include <utility>

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

namespace {

// The assumption on the watched digit's own board: its forced places follow
// until none is left; true when one was placed and the digit is then blocked.
bool AssumptionRefutes(TDigitBoard Board, int Cell, int Assumed, int Watched) {
    Board.SetValue(Cell, Assumed);
    int Placements = 0;
    // Each placement takes a cell that admitted Watched out, so this ends.
    for (int Place = Board.ForcedPlace(); Place >= 0; Place = Board.ForcedPlace()) {
        Board.SetValue(Place, Watched);
        ++Placements;
    }
    return Placements > 0 && Board.Blocked();
}

} // namespace

bool TMatrix::TestAssumption(int Assumed, int Col, int Row, int Watched) const {
    // Only the watched digit matters after the assumption, so the trial
    // follows it on its own board rather than on a copy of the grid.
    if (Col >= 0 && Col <= 8 && Row >= 0 && Row <= 8 && Assumed >= 1 && Assumed <= 9) {
        return AssumptionRefutes(TDigitBoard(*this, Watched), CellIndex(Col, Row), Assumed,
                                 Watched);
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
    // Every assumption of the scan reads the same grid, so each digit's board
    // is built once rather than once per assumption.
    std::array<std::optional<TDigitBoard>, 10> Boards;
    auto Refutes = [&](int Index, int Assumed, int Watched) {
        std::optional<TDigitBoard>& Board = Boards[Watched];
        if (!Board) {
            Board.emplace(Grid, Watched);
        }
        return AssumptionRefutes(*Board, Index, Assumed, Watched);
    };
    for (int Index = 0; Index < 81; ++Index) {
        int A;
        int B;
        if (!TwoCandidates(Grid, Index, A, B)) {
            continue;
        }
        // A refuted assumption leaves the cell its other candidate.
        for (const auto& [Assumed, Other] : {std::pair{A, B}, std::pair{B, A}}) {
            if (Refutes(Index, Assumed, WatchOther ? Other : Assumed)) {
                Col = Index % 9;
                Row = Index / 9;
                Digit = Other;
                return true;
            }
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
