// What a question needs: nothing below its technique, its own passes the move alone.
#include "engine/question/technique_needs.h"

#include "engine/question/question.h"
#include "engine/question/question_technique.h"
#include "engine/techniques/any_subsets.h"
#include "engine/techniques/pattern.h"

namespace kumoji {

namespace {

bool IsPatternTechnique(TSolveMethod Technique) {
    return Technique >= smXWing && Technique <= smSimpleColouring;
}

bool IsAssumption(TSolveMethod Technique) {
    return Technique == smKeepOff || Technique == smGetOut;
}

// The assumption technique's move on the position, if it finds one.
bool AssumptionMove(const TMatrix& Position, TSolveMethod Technique, int& Cell, int& Digit) {
    int Col = 0;
    int Row = 0;
    const bool Found = Technique == smKeepOff ? Position.FindKeepOffMove(Col, Row, Digit)
                                              : Position.FindGetOutMove(Col, Row, Digit);
    Cell = CellIndex(Col, Row);
    return Found;
}

} // namespace

TSolveMethod TechniqueBelow(TSolveMethod Technique) {
    if (IsAssumption(Technique)) {
        return smSimpleColouring;
    }
    if (Technique == smXWing) {
        return smOurReserved;
    }
    if (Technique <= smMyReserved) {
        return smNone;
    }
    return static_cast<TSolveMethod>(Technique - 1);
}

void ExhaustGeneralPasses(TMatrix& Grid, TSolveMethod Highest) {
    // Every round that goes on clears at least one of the 729 candidates; a
    // dearer pass runs only once the cheaper ones have nothing left.
    for (int Round = 0; Round < 729; ++Round) {
        if (Highest >= smMyReserved && Grid.ApplyMyReserved()) {
            continue;
        }
        if (Highest >= smYourReserved && ApplyNakedSubsets(Grid)) {
            continue;
        }
        if (Highest >= smOurReserved && ApplyHiddenSubsets(Grid)) {
            continue;
        }
        bool Changed = false;
        for (int T = smXWing; T <= Highest && !Changed; ++T) {
            Changed = ApplyPatterns(Grid, static_cast<TSolveMethod>(T));
        }
        if (!Changed) {
            return;
        }
    }
}

bool AnySingle(const TMatrix& Grid) {
    return SingleOtherThan(Grid, TPoint{-1, -1}, 0) >= 0;
}

bool NeedsTechnique(const TMatrix& Position, TPoint Cell, int Digit, TSolveMethod Technique) {
    if (Technique < smMyReserved || Technique == smPuzzled || Technique > smSimpleColouring) {
        return false;
    }
    // The assumption's move on the position costs less than the passes.
    int Found = 0;
    int FoundDigit = 0;
    if (IsAssumption(Technique)) {
        int Unused = 0;
        if (Technique == smGetOut && AssumptionMove(Position, smKeepOff, Found, Unused)) {
            return false;
        }
        if (!AssumptionMove(Position, Technique, Found, FoundDigit) ||
            Found != CellIndex(Cell.X, Cell.Y) || FoundDigit != Digit) {
            return false;
        }
    }
    // A single left by the subsets is left by everything above them, so the
    // dearer passes run only when the cheap ones leave none.
    TMatrix Work = Position;
    const TSolveMethod Below = TechniqueBelow(Technique);
    ExhaustGeneralPasses(Work, Below < smOurReserved ? Below : smOurReserved);
    if (AnySingle(Work)) {
        return false;
    }
    if (Below > smOurReserved) {
        ExhaustGeneralPasses(Work, Below);
        if (AnySingle(Work)) {
            return false;
        }
    }
    if (IsAssumption(Technique)) {
        Work.Candidates[Found] &= DigitBit(Digit);
        return OnlySingleIs(Work, Cell, Digit);
    }
    ExhaustGeneralPasses(Work, Technique);
    return OnlySingleIs(Work, Cell, Digit);
}

bool FindQuestion(const TMatrix& Grid, TPoint& Cell, int& Digit, bool Strict,
                  TSolveMethod Technique) {
    if (!IsPatternTechnique(Technique) && !IsAssumption(Technique)) {
        return FindQuestion(Grid, Cell, Digit, Strict);
    }
    TMatrix Work = Grid;
    Work.ApplyReservations();
    ExhaustGeneralPasses(Work, IsAssumption(Technique) ? TechniqueBelow(Technique) : Technique);
    if (IsAssumption(Technique) && !AnySingle(Work)) {
        int Found = 0;
        int FoundDigit = 0;
        if (AssumptionMove(Grid, Technique, Found, FoundDigit)) {
            Work.Candidates[Found] &= DigitBit(FoundDigit);
        }
    }
    return FindQuestion(Work, Cell, Digit, Strict);
}

TSolveMethod FindQuestionBeyondSubsets(const TMatrix& Position, TPoint& Cell, int& Digit) {
    for (const TSolveMethod Technique :
         {smXWing, smSkyscraper, sm2StringKite, smSwordfish, smXYWing, smXYZWing, smWWing,
          smSimpleColouring, smKeepOff, smGetOut}) {
        if (FindQuestion(Position, Cell, Digit, true, Technique) &&
            NeedsTechnique(Position, Cell, Digit, Technique)) {
            return Technique;
        }
    }
    return smNone;
}

} // namespace kumoji
