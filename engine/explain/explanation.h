// The explanation of a forced move: steps that remove candidates, the single, its text.
#pragma once

// One record serves the tool, the board's drawing and the help page, so the
// three can never disagree about why a move is forced. It is built once a
// question, apart from the solver's fast passes, and written to be read.
//
// Cells are indexes 0..80 and units the numbers of units.h (rows 0..8,
// columns 9..17, boxes 18..26), so callers can use the engine's tables.

#include "engine/grid/matrix.h"
#include "engine/grid/point.h"
#include "engine/techniques/pattern.h"
#include "engine/techniques/solve_method.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kumoji {

// One pattern that removes candidates. What Digits, Cells and Units hold
// depends on the technique:
// - smMyReserved (locked candidates): Digits is the one digit; Units is
//   [U1, U2], a box and a line either way round, where every place of the
//   digit in U1 lies in U2; Cells are those places; Removes takes the digit
//   from cells of U2 outside U1.
// - smYourReserved (naked subset): Units is [U]; Cells are 2 to 4 open cells
//   of U whose candidates together are exactly as many digits, listed in
//   Digits; Removes takes those digits from other cells of U.
// - smOurReserved (hidden subset): Units is [U]; Digits are 2 to 4 digits not
//   placed in U whose places in U all lie in as many cells, listed in Cells;
//   Removes takes the other digits from those cells.
// - smXWing, smSwordfish (fish): Digits is [d]; Units the base lines, Cover
//   the cover lines; Cells are d's places in the base lines.
// - smSkyscraper, sm2StringKite: Digits is [d]; Cells are [a2, a1, b1, b2]
//   along the chain, a2-a1 d's only two places in Units[0], b1-b2 in
//   Units[1], a1 seeing b1.
// - smXYWing, smXYZWing: Cells are [pivot, pincer {x,z}, pincer {y,z}],
//   Digits [x, y, z], Units empty.
// - smWWing: Cells are [w1, c1, c2, w2], Units [the unit of the link c1-c2],
//   Digits [x, y].
// - smSimpleColouring: Digits is [d]; Cells the coloured cells, Colours a 0
//   or 1 per cell, Links [i, j, unit] (indexes into Cells), Units empty.
// - smKeepOff, smGetOut: Cells are [the assumed cell, then each forced
//   place in order], Units [the unit left without a place, then the unit of
//   each forced place], Digits [assumed, watched]; Removes takes the assumed
//   digit from the assumed cell.
// Cover, Colours and Links stay empty for every other kind.
// A subset has 5 to 8 cells or digits only where no explanation with smaller
// ones exists (the engine's passes have no size limit; a few questions of
// smYourReserved need a large naked subset).
// Digits and Cells ascend where the shape has no order of its own; Removes is everything the
// pattern takes from the candidates the steps before it left, ordered by cell, then digit.
struct TExplainStep {
    TSolveMethod Technique = smNone;
    std::vector<int> Digits;
    std::vector<int> Cells;
    std::vector<int> Units;
    std::vector<TCandidate> Removes;
    // Only the kinds above that name them fill these.
    std::vector<int> Cover = {};
    std::vector<int> Colours = {};
    std::vector<std::array<int, 3>> Links = {};

    friend bool operator==(const TExplainStep&, const TExplainStep&) = default;
};

// The single that places the move once the steps have been applied:
// - smEmptyCell: Cell is the only empty cell of Unit;
// - smLeftPlace: Cell is the only place of Digit in Unit;
// - smMissingNumber: Digit is the only candidate of Cell; Unit is -1.
// Witnesses are the filled cells that make it single, for the drawing: the
// unit's eight filled cells; the givens of Digit whose row, column or box
// cover the unit's other empty cells (cells whose candidate a step removed
// need none); or one given for each other digit the cell sees.
struct TExplainSingle {
    TSolveMethod Kind = smNone;
    int Unit = -1;
    int Cell = 0;
    int Digit = 0;
    std::vector<int> Witnesses;

    friend bool operator==(const TExplainSingle&, const TExplainSingle&) = default;
};

struct TExplanation {
    // The technique the question analysis names for the position.
    TSolveMethod Technique = smNone;
    std::vector<TExplainStep> Steps;
    TExplainSingle Single;
    // One line per step, then one for the single: Japanese, two spaces, then
    // the English gloss. UTF-8.
    std::vector<std::string> Text;
};

// The candidates the givens alone leave: each value removes its digit from
// its row, column and box, as SetValue does. Steps start from these.
TMatrix GivenCandidates(const TMatrix& Grid);

// The explanation of the move (Cell, Digit) of a fit position: the steps use
// the technique QuestionTechnique names, or for a question beyond subsets the
// one FindQuestionBeyondSubsets names (at least one step of it, none
// harder, 7 and 8 in a step of their own) and none of them can be left out with the rest still
// forcing the move; techniques 1 to 3 take no steps. Nothing when the position is unfit or the move
// is not its forced move.
std::optional<TExplanation> Explain(const TMatrix& Grid, TPoint Cell, int Digit);

// Names as the board labels them: "B3" (column letter, row number); "row 3",
// "column B", "box 1" (boxes left to right, then top to bottom).
std::string CellName(int Cell);
std::string UnitName(int Unit);

} // namespace kumoji
