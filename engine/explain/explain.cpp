// The explanation of a question's forced move: the checks that the move is
// the position's forced move, the single of techniques 1 to 3, and the parts
// put together.
#include "engine/explain/explain_detail.h"
#include "engine/explain/step_check.h"
#include "engine/grid/units.h"
#include "engine/question/question.h"
#include "engine/question/question_technique.h"
#include "engine/question/technique_needs.h"
#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

TMatrix GivenCandidates(const TMatrix& Grid) {
    TMatrix Result;
    for (int I = 0; I < 81; ++I) {
        if (Grid.Values[I] != 0) {
            Result.SetValue(I % 9, I / 9, Grid.Values[I]);
        }
    }
    return Result;
}

namespace {

// The single of technique 1 to 3 on the givens' grid: for a unit's last empty
// cell and a digit's last place, the first unit by number where it holds.
std::optional<TExplainSingle> FirstSingle(const TMatrix& Given, int Cell, int Digit,
                                          TSolveMethod Technique) {
    if (Technique == smMissingNumber) {
        TExplainSingle Single{smMissingNumber, -1, Cell, Digit, {}};
        return SingleHolds(Given, Single) ? std::optional(Single) : std::nullopt;
    }
    const TCellUnits& Units = CellUnits[Cell];
    for (int Unit : {Units.Row, Units.Col, Units.Box}) {
        TExplainSingle Single{Technique, Unit, Cell, Digit, {}};
        if (SingleHolds(Given, Single)) {
            return Single;
        }
    }
    return std::nullopt;
}

} // namespace

namespace explain {

std::optional<TStepsAndSingle> AssumptionSteps(const TMatrix& Given, int Cell, int Digit,
                                               TSolveMethod Technique) {
    const std::optional<TPattern> Pattern =
        Technique == smKeepOff ? FindKeepOffPattern(Given) : FindGetOutPattern(Given);
    if (!Pattern || Pattern->Cells[0] != Cell) {
        return std::nullopt;
    }
    TStepsAndSingle Result{{StepOf(*Pattern)}, {smMissingNumber, -1, Cell, Digit, {}}};
    // The plain reading of the step must agree with the engine's trace.
    TMatrix Grid = Given;
    if (!ReplaySteps(Grid, Result.Steps) || !SingleHolds(Grid, Result.Single)) {
        return std::nullopt;
    }
    return Result;
}

} // namespace explain

std::optional<TExplanation> Explain(const TMatrix& Grid, TPoint Cell, int Digit) {
    if (Cell.X < 0 || Cell.X > 8 || Cell.Y < 0 || Cell.Y > 8 || DigitBit(Digit) == 0) {
        return std::nullopt;
    }
    // The analysis and the steps both read the candidates the givens leave.
    const TMatrix Given = GivenCandidates(Grid);
    TPoint Found;
    int FoundDigit = 0;
    const bool Fit = FindQuestion(Given, Found, FoundDigit, true);
    if (Fit && (Found != Cell || FoundDigit != Digit)) {
        return std::nullopt;
    }
    TSolveMethod Technique = Fit ? QuestionTechnique(Given, Cell, Digit) : smNone;
    // A question beyond subsets is fit only once its own technique has run.
    if (Technique == smNone &&
        ((Technique = FindQuestionBeyondSubsets(Given, Found, FoundDigit)) == smNone ||
         Found != Cell || FoundDigit != Digit)) {
        return std::nullopt;
    }
    if (Technique > smOurReserved && PatternFinder(Technique) == nullptr &&
        Technique != smKeepOff && Technique != smGetOut) {
        return std::nullopt;
    }
    const int Target = CellIndex(Cell.X, Cell.Y);
    TExplanation Result;
    Result.Technique = Technique;
    if (Technique <= smMissingNumber) {
        const auto Single = FirstSingle(Given, Target, Digit, Technique);
        if (!Single) {
            return std::nullopt;
        }
        Result.Single = *Single;
    } else {
        auto Found = Technique == smKeepOff || Technique == smGetOut
                         ? explain::AssumptionSteps(Given, Target, Digit, Technique)
                         : explain::SearchSteps(Given, Target, Digit, Technique);
        if (!Found) {
            return std::nullopt;
        }
        Result.Steps = std::move(Found->Steps);
        Result.Single = Found->Single;
    }
    Result.Single.Witnesses = explain::SingleWitnesses(Given, Result.Single);
    for (const TExplainStep& Step : Result.Steps) {
        Result.Text.push_back(explain::StepText(Step));
    }
    Result.Text.push_back(explain::SingleText(Result.Single));
    return Result;
}

} // namespace kumoji
