// How the tool writes an explanation: one JSON object, or text lines under the position's line.
#pragma once

#include "engine/explain/explanation.h"
#include "engine/grid/point.h"

#include <string>
#include <string_view>

namespace kumoji {

// Appends Text as a JSON string, quotes included: quotes, backslashes and
// control characters escaped, well-formed UTF-8 as it is, and each byte of a
// malformed sequence as U+FFFD, so the line always parses.
void AppendJsonString(std::string& Buffer, std::string_view Text);

// The object of a fit position's explanation, one line: the puzzle text, the
// forced move and technique as the question check names them, then the steps,
// the single and the text lines.
void AppendExplanationJson(std::string& Buffer, std::string_view Puzzle, TPoint Cell, int Digit,
                           std::string_view Technique, const TExplanation& Explanation);

// The explanation's text lines, each indented under the position's line:
// "  1. " and on for the steps, "  => " for the single. A control character
// in a line becomes a space, so every line stays one line.
void AppendExplanationText(std::string& Buffer, const TExplanation& Explanation);

} // namespace kumoji
