// The question check: a position's one forced move, or why it has none.
#include "engine/question.h"

#include "engine/single_place.h"

namespace kumoji {

namespace {

// Whether the hidden singles of Digit agree with the answer found so far (or
// supply one). A conflicting single ends the check at once only when Strict.
bool HiddenSinglesAgree(const TMatrix& Work, int Digit, TPoint& Cell, int& Answer, bool Strict) {
    bool Ok = Answer > 0;
    for (const int Unit : UnitOrder::ColsRowsBoxes) {
        const int Index = SinglePlace(Work, Unit, Digit);
        if (Index < 0) {
            continue;
        }
        const TPoint Single{Index % 9, Index / 9};
        if (Answer == 0) {
            Cell = Single;
            Answer = Digit;
            Ok = true;
        } else if (Single == Cell && Digit == Answer) {
            Ok = true;
        } else if (Strict) {
            return false;
        } else {
            Ok = true;
        }
    }
    return Ok;
}

} // namespace

bool FindQuestion(const TMatrix& Grid, TPoint& Cell, int& Digit, bool Strict) {
    TMatrix Work;
    Work.CopyFrom(Grid);
    Cell = TPoint{};
    Digit = 0;
    Work.ApplyReservations();

    int NakedSingles = 0;
    for (int Index = 0; Index < 81; ++Index) {
        if (Work.Values[Index] == 0 && IsSingleDigitMask(Work.Candidates[Index])) {
            if (++NakedSingles == 1) {
                Cell = TPoint{Index % 9, Index / 9};
                Digit = LowestDigit(Work.Candidates[Index]);
            }
        }
    }
    if (Strict && NakedSingles >= 2) {
        return false;
    }
    for (int D = 1; D <= 9; ++D) {
        if (HiddenSinglesAgree(Work, D, Cell, Digit, Strict)) {
            return true;
        }
    }
    return false;
}

} // namespace kumoji
