// Fresh questions that can also be explained to the player in steps of the usual size.
#include "engine/explain/explained_question.h"

#include "engine/explain/explain_detail.h"
#include "engine/explain/step_check.h"
#include "engine/grid/puzzle_text.h"
#include "engine/grid/units.h"

#include <algorithm>

namespace kumoji {

namespace {

// Whether locked candidates and naked subsets of 2 to 4 cells, applied until
// the move is a single or nothing is left to take, make it one. Then the
// explainer finds steps of the usual sizes; a naked question's locked
// candidates alone never do (the generator sees to that), so one of them is
// a naked subset. Far cheaper than the whole explanation, which the route
// queues would otherwise wait for at every fill.
bool NakedOfUsualSizesForce(const TGeneratedQuestion& Question) {
    TMatrix Grid;
    if (!SetPuzzle(Grid, Question.Text)) {
        return false;
    }
    Grid = GivenCandidates(Grid);
    const int Cell = CellIndex(Question.Cell.X, Question.Cell.Y);
    const std::vector<TExplainSingle> Singles = explain::MoveSingles(Cell, Question.Digit);
    // Every round that goes on takes at least one of the 729 candidates.
    for (int Round = 0; Round < 729; ++Round) {
        for (const TExplainSingle& Single : Singles) {
            if (SingleHolds(Grid, Single)) {
                return true;
            }
        }
        std::vector<TExplainStep> Found =
            explain::FindPatterns(Grid, smMyReserved, 1, explain::TPatternForm::General, true);
        for (int Size = 2; Size <= 4 && Found.empty(); ++Size) {
            Found = explain::FindPatterns(Grid, smYourReserved, Size,
                                          explain::TPatternForm::General, true);
        }
        if (Found.empty()) {
            return false;
        }
        RemoveCandidates(Grid, Found.front().Removes);
    }
    return false;
}

} // namespace

bool UsualSizes(const TExplanation& Explanation) {
    return std::all_of(
        Explanation.Steps.begin(), Explanation.Steps.end(), [](const TExplainStep& Step) {
            const bool Subset = Step.Technique == smYourReserved || Step.Technique == smOurReserved;
            return !Subset || (Step.Cells.size() <= 4 && Step.Digits.size() <= 4);
        });
}

namespace {

// The explainer finds steps of the usual sizes for the question.
bool ExplainedInUsualSizes(const TGeneratedQuestion& Question) {
    TMatrix Grid;
    if (!SetPuzzle(Grid, Question.Text)) {
        return false;
    }
    const std::optional<TExplanation> Found = Explain(Grid, Question.Cell, Question.Digit);
    return Found && Found->Technique == Question.Technique && UsualSizes(*Found);
}

} // namespace

TGeneratedQuestion GenerateExplainedQuestion(TSolveMethod Technique, const TRandomDraw& Random) {
    // Beyond subsets the explainer itself is the check: its patterns are
    // those the question needs, and it runs in a few milliseconds.
    if (Technique == smKeepOff || Technique == smGetOut || Technique >= smXWing) {
        return GenerateQuestion(Technique, Random, ExplainedInUsualSizes);
    }
    // Only a naked question can need a larger subset: a hidden one of five or
    // more digits is the naked subset of the unit's other cells, which its
    // explanation may show instead, and the other techniques use none.
    if (Technique != smYourReserved) {
        return GenerateQuestion(Technique, Random);
    }
    return GenerateQuestion(Technique, Random, NakedOfUsualSizesForce);
}

} // namespace kumoji
