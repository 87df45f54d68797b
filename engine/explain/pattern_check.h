// The rules of the steps beyond subsets, read plainly on a candidate grid.
#pragma once

#include "engine/explain/explanation.h"

#include <array>

namespace kumoji::explain {

// True when the pattern of a step of technique 7, 8 or 10 to 17 holds on
// Candidates, its shape as explanation.h gives it.
bool PatternStepHolds(const TMatrix& Candidates, const TExplainStep& Step);

// The digits the pattern takes from each cell, whether the cells admit them
// or not; meaningful only where the pattern holds.
std::array<int, 81> PatternTaken(const TExplainStep& Step);

} // namespace kumoji::explain
