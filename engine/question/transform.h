// The random transform of a puzzle text.
#pragma once

#include <string>

namespace kumoji {

// Rewrites a puzzle text in place as a random equivalent puzzle: columns within
// stacks, rows within bands, stacks, bands, 0..3 quarter turns, a left-right
// mirror and a relabelling of the digits, drawn from the process-wide Random.
// A text that is not a puzzle text is left as it is.
void TransformPuzzle(std::string& Text);

} // namespace kumoji
