// Fresh questions that can also be explained to the player in steps of the usual size.
#pragma once

#include "engine/explain/explanation.h"
#include "engine/question/generator.h"

namespace kumoji {

// Whether every subset the explanation shows has 2 to 4 cells (a few
// positions are explained only by a larger naked subset, which is a hidden
// subset of the other cells seen backwards and teaches nothing of its own).
bool UsualSizes(const TExplanation& Explanation);

// A question as GenerateQuestion makes it that its explanation can show in
// subsets of the usual sizes; the game's routes and the tool ask only such.
TGeneratedQuestion GenerateExplainedQuestion(TSolveMethod Technique, const TRandomDraw& Random);

} // namespace kumoji
