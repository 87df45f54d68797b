#pragma once

// The tool's generation mode: fresh questions of one technique.

#include "engine/techniques/solve_method.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

namespace kumoji {

// Technique 1 to 8 or 10 to 17 given by number or identifier (smLeftPlace);
// none otherwise.
std::optional<TSolveMethod> ParseTechnique(std::string_view Text);

// Writes Count questions of Technique to Out, one per line: the puzzle text,
// or with Json an object with the text, the answer cell and digit and the
// technique identifier. The same Seed writes the same questions.
void WriteGenerated(int Count, TSolveMethod Technique, std::uint64_t Seed, bool Json,
                    std::FILE* Out);

} // namespace kumoji
