// Sparse positions laid out around one pattern of the techniques beyond subsets.
#pragma once

#include "engine/question/completion_search.h"
#include "engine/techniques/solve_method.h"

namespace kumoji {

// Givens taken from Solution that lay out one pattern of Technique (7, 8 or
// 10 to 17) whose removal leaves the digit of Solution at Target a single:
// the pattern's cells stay open with the candidates it needs, the cells it
// must not admit a digit in are covered by givens. Only what the pattern
// needs is given, so the position must still be judged; false when the
// draws found no way to lay it out.
bool LayOutPattern(TSolveMethod Technique, const TGridValues& Solution, const TRandomDraw& Random,
                   TGridValues& Givens, int& Target);

} // namespace kumoji
