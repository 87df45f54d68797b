// Which technique a question's forced move needs, and whether it is the only single.
#include "engine/question/question_technique.h"

#include "engine/grid/units.h"

#include <array>

namespace kumoji {

void ApplyReservationsUpTo(TMatrix& Grid, int Technique) {
    if (Technique >= smOurReserved) {
        Grid.ApplyReservations();
        return;
    }
    for (int Cycle = 1; Cycle <= 11; ++Cycle) {
        bool Changed = Grid.ApplyMyReserved();
        if (Technique >= smYourReserved) {
            Changed = Grid.ApplyYourReserved() || Changed;
        }
        int Digit;
        int Col;
        int Row;
        if (Grid.FindMissingNumber(Digit, Col, Row) || !Changed) {
            return;
        }
    }
}

void ExhaustReservationsUpTo(TMatrix& Grid, int Technique) {
    // Every cycle that goes on clears at least one of the 729 candidate bits.
    for (int Cycle = 0; Cycle < 729; ++Cycle) {
        bool Changed = Grid.ApplyMyReserved();
        if (Technique >= smYourReserved) {
            Changed = Grid.ApplyYourReserved() || Changed;
        }
        if (Technique >= smOurReserved) {
            Changed = Grid.ApplyOurReserved() || Changed;
        }
        if (!Changed) {
            return;
        }
    }
}

int SingleOtherThan(const TMatrix& Grid, TPoint Cell, int Digit) {
    const int Target = CellIndex(Cell.X, Cell.Y);
    for (int I = 0; I < 81; ++I) {
        if (Grid.Values[I] == 0 && IsSingleDigitMask(Grid.Candidates[I]) &&
            (I != Target || LowestDigit(Grid.Candidates[I]) != Digit)) {
            return I;
        }
    }
    for (const auto& Unit : UnitCells) {
        int Placed = 0;
        int Once = 0;
        int Twice = 0;
        for (int I : Unit) {
            Placed |= DigitBit(Grid.Values[I]);
            Twice |= Once & Grid.Candidates[I];
            Once |= Grid.Candidates[I];
        }
        const int Singles = Once & ~Twice & ~Placed;
        if (Singles == 0) {
            continue;
        }
        for (int I : Unit) {
            const int Here = Grid.Candidates[I] & Singles;
            if (Here != 0 && (I != Target || Here != DigitBit(Digit))) {
                return I;
            }
        }
    }
    return -1;
}

bool OnlySingleIs(const TMatrix& Grid, TPoint Cell, int Digit) {
    if (SingleOtherThan(Grid, Cell, Digit) >= 0) {
        return false;
    }
    const int Bit = DigitBit(Digit);
    const int Target = CellIndex(Cell.X, Cell.Y);
    if (Grid.Values[Target] != 0 || (Grid.Candidates[Target] & Bit) == 0) {
        return false;
    }
    if (Grid.Candidates[Target] == Bit) {
        return true;
    }
    // A digit with its one place in a unit of the target is the move itself,
    // since no other single exists.
    for (const auto& Unit : UnitCells) {
        int Places = 0;
        bool Holds = false;
        bool Placed = false;
        for (int I : Unit) {
            Places += (Grid.Candidates[I] & Bit) != 0;
            Holds = Holds || I == Target;
            Placed = Placed || Grid.Values[I] == Digit;
        }
        if (Holds && !Placed && Places == 1) {
            return true;
        }
    }
    return false;
}

TSolveMethod QuestionTechnique(const TMatrix& Grid, TPoint Cell, int Digit) {
    const auto Is = [&](int Col, int Row, int Found, TSolveMethod Technique) {
        return Col == Cell.X && Row == Cell.Y && Found == Digit ? Technique : smNone;
    };
    int Col = -1;
    int Row = -1;
    int Found = 0;
    if (Grid.FindEmptyCell(Col, Row, Found)) {
        return Is(Col, Row, Found, smEmptyCell);
    }
    for (int D = 1; D <= 9; ++D) {
        if (Grid.FindLeftPlace(D, Col, Row)) {
            return Is(Col, Row, D, smLeftPlace);
        }
    }
    if (Grid.FindMissingNumber(Found, Col, Row)) {
        return Is(Col, Row, Found, smMissingNumber);
    }
    TMatrix Work;
    for (int Technique = smMyReserved; Technique <= smOurReserved; ++Technique) {
        Work.CopyFrom(Grid);
        ApplyReservationsUpTo(Work, Technique);
        if (Work.FindSingle(Col, Row, Found)) {
            return Is(Col, Row, Found, static_cast<TSolveMethod>(Technique));
        }
    }
    return smNone;
}

} // namespace kumoji
