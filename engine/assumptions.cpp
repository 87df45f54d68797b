#include "engine/grid_checks.h"
#include "engine/matrix.h"

#include <array>

namespace kumoji {

namespace {

// Where a cell sits in the three units, worked out once.
struct TCellUnits {
    int Box, Row, Col;
    int BoxPosition, RowPosition, ColPosition;
    int Bits;
};

constexpr std::array<TCellUnits, 81> CellUnits = [] {
    std::array<TCellUnits, 81> Table{};
    for (int I = 0; I < 81; ++I) {
        const int C = I % 9;
        const int R = I / 9;
        const int Box = R / 3 * 3 + C / 3;
        Table[I] = TCellUnits{Box,
                              9 + R,
                              18 + C,
                              1 << (R % 3 * 3 + C % 3),
                              1 << C,
                              1 << R,
                              1 << Box | 1 << (9 + R) | 1 << (18 + C)};
    }
    return Table;
}();

// For one digit, per unit: whether a cell holds it, and the cells that
// admit it as a position mask. Units are numbered boxes (box row outer)
// 0..8, rows 9..17, columns 18..26: the order of the forced-place search.
struct TDigitTally {
    int Placed = 0;
    std::array<int, 27> Admitted{};

    TDigitTally(const TMatrix& Grid, int Digit) {
        const int Bit = DigitBit(Digit);
        for (int I = 0; I < 81; ++I) {
            const TCellUnits& Units = CellUnits[I];
            if (Grid.Values[I] == Digit) {
                Placed |= Units.Bits;
            } else if (Grid.Candidates[I] & Bit) {
                Admitted[Units.Box] |= Units.BoxPosition;
                Admitted[Units.Row] |= Units.RowPosition;
                Admitted[Units.Col] |= Units.ColPosition;
            }
        }
    }

    bool Open(int Unit) const { return (Placed & 1 << Unit) == 0; }

    // The cell of a unit's only admitting position.
    static TPoint CellOf(int Unit, int Mask) {
        const int P = LowestDigit(Mask) - 1;
        if (Unit < 9) {
            return TPoint{Unit % 3 * 3 + P % 3, Unit / 3 * 3 + P / 3};
        }
        return Unit < 18 ? TPoint{P, Unit - 9} : TPoint{Unit - 18, P};
    }
};

} // namespace

// Equivalent to scanning boxes, rows and columns in turn: a cell holding
// the digit ends a scan, so such a unit never counts.
bool TMatrix::FindForcedPlace(int Digit, TPoint& Cell) const {
    const TDigitTally Tally(*this, Digit);
    for (int U = 0; U < 27; ++U) {
        if (Tally.Open(U) && IsSingleDigitMask(Tally.Admitted[U])) {
            Cell = TDigitTally::CellOf(U, Tally.Admitted[U]);
            return true;
        }
    }
    return false;
}

// Some unit neither holds the digit nor admits it anywhere.
bool TMatrix::DigitBlocked(int Digit) const {
    const TDigitTally Tally(*this, Digit);
    for (int U = 0; U < 27; ++U) {
        if (Tally.Open(U) && Tally.Admitted[U] == 0) {
            return true;
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

namespace {

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
