#pragma once

// Fresh questions that train one technique.

#include "engine/grid/point.h"
#include "engine/question/completion_search.h"
#include "engine/techniques/solve_method.h"

#include <functional>
#include <string>

namespace kumoji {

struct TGeneratedQuestion {
    std::string Text;
    TPoint Cell;
    int Digit = 0;
    TSolveMethod Technique = smNone;
};

// A question whose one forced move needs exactly Technique: for 1 to 6 as
// QuestionTechnique names it and, for 4 to 6, as NeedsTechnique says too; for
// 7, 8 and 10 to 17 as NeedsTechnique says, and the question check of the
// technique finds it. The move is the only single the position offers, also
// after every reservation pass, drawn from a complete grid, with no given
// that could go while the question stays fit for its technique. The same
// sequence of draws gives the same question. Any other technique gives an
// empty text.
TGeneratedQuestion GenerateQuestion(TSolveMethod Technique, const TRandomDraw& Random);

// The same, drawing on until Accept also takes the question: for rules that
// live above the engine, such as being explainable to the player.
using TQuestionFilter = std::function<bool(const TGeneratedQuestion&)>;
TGeneratedQuestion GenerateQuestion(TSolveMethod Technique, const TRandomDraw& Random,
                                    const TQuestionFilter& Accept);

} // namespace kumoji
