#pragma once

// Sparse positions laid out around one naked or hidden subset of a unit.

#include "engine/question/completion_search.h"
#include "engine/techniques/solve_method.h"

namespace kumoji {

// Givens taken from Solution that make a naked (smYourReserved) or hidden
// (smOurReserved) subset of two or three cells in one unit, whose clearing
// leaves the digit of Solution at Target as a single. The givens are only
// what the subset and the target need, so the position still has to be
// judged; false when the draws found no way to lay it out.
bool LayOutSubset(TSolveMethod Technique, const TGridValues& Solution, const TRandomDraw& Random,
                  TGridValues& Givens, int& Target);

} // namespace kumoji
