// Fresh questions that can also be explained to the player in steps of the usual size.
#include "engine/explain/explained_question.h"

#include "engine/puzzle_text.h"

#include <algorithm>

namespace kumoji {

bool UsualSizes(const TExplanation& Explanation) {
    return std::all_of(
        Explanation.Steps.begin(), Explanation.Steps.end(),
        [](const TExplainStep& Step) { return Step.Cells.size() <= 4 && Step.Digits.size() <= 4; });
}

TGeneratedQuestion GenerateExplainedQuestion(TSolveMethod Technique, const TRandomDraw& Random) {
    return GenerateQuestion(Technique, Random, [](const TGeneratedQuestion& Question) {
        TMatrix Grid;
        if (!SetPuzzle(Grid, Question.Text)) {
            return false;
        }
        const auto Explanation = Explain(Grid, Question.Cell, Question.Digit);
        return Explanation && UsualSizes(*Explanation);
    });
}

} // namespace kumoji
