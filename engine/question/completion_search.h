#pragma once

// Exact search over the completions of a set of givens.

#include <array>
#include <functional>

namespace kumoji {

// Values by cell index, 0 for an empty cell.
using TGridValues = std::array<int, 81>;

// Uniform integer 0..n-1, as the process-wide Random gives; a generator that
// takes one of its own stays reproducible whatever else draws numbers.
using TRandomDraw = std::function<int(int)>;

// Number of completions of Givens, counting no further than Limit. Givens
// that clash in a unit have none.
int CountCompletions(const TGridValues& Givens, int Limit);

// A complete, valid grid drawn at random.
TGridValues RandomSolution(const TRandomDraw& Random);

} // namespace kumoji
