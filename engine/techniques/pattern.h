// A pattern of a technique beyond subsets: what it is made of and what it takes.
#pragma once

// Each technique from 10 on is a finder that lists its patterns, and an
// Apply that clears what they take. The explanation shows the same records,
// so the drawing, the text and the passes read one description of a pattern.

#include "engine/grid/matrix.h"
#include "engine/techniques/solve_method.h"

#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kumoji {

// One candidate: Digit in Cell.
struct TCandidate {
    int Cell = 0;
    int Digit = 0;

    friend bool operator==(const TCandidate&, const TCandidate&) = default;
};

// Cells are indexes 0..80 and units the numbers of units.h. Which fields a
// technique fills is told with its finder (pattern_techniques.h); Removes is
// everything the pattern takes, ordered by cell, then digit.
struct TPattern {
    TSolveMethod Technique = smNone;
    std::vector<int> Digits;
    std::vector<int> Cells;
    std::vector<int> Units;
    // A fish's cover lines.
    std::vector<int> Cover;
    // Colouring: a 0 or 1 for each of Cells.
    std::vector<int> Colours;
    // Colouring: [i, j, unit], Cells[i] and Cells[j] the digit's only two places in unit.
    std::vector<std::array<int, 3>> Links;
    std::vector<TCandidate> Removes;
};

// A pattern of its technique, digits, cells and units, the rest to be filled.
inline TPattern PatternOf(TSolveMethod Technique, std::vector<int> Digits, std::vector<int> Cells,
                          std::vector<int> Units = {}) {
    TPattern Pattern;
    Pattern.Technique = Technique;
    Pattern.Digits = std::move(Digits);
    Pattern.Cells = std::move(Cells);
    Pattern.Units = std::move(Units);
    return Pattern;
}

// Called with each pattern that takes something, in the finder's order;
// returning true ends the search.
using TPatternVisit = std::function<bool(TPattern&)>;
using TPatternFinder = void (*)(const TMatrix&, const TPatternVisit&);

// The finder of technique 10 to 17; null for any other.
TPatternFinder PatternFinder(TSolveMethod Technique);

// The first pattern of the technique that takes something.
std::optional<TPattern> FirstPattern(const TMatrix& Grid, TSolveMethod Technique);

// Every pattern of the technique that takes something.
std::vector<TPattern> EveryPattern(const TMatrix& Grid, TSolveMethod Technique);

// Clears the pattern's Removes from the grid.
void RemovePatternCandidates(TMatrix& Grid, const TPattern& Pattern);

// Clears what the technique's patterns take, one pattern after another until
// none takes anything; true when something was cleared.
bool ApplyPatterns(TMatrix& Grid, TSolveMethod Technique);

} // namespace kumoji
