// What an explanation marks on the board, cell by cell: counting only, no drawing.
#pragma once

#include <utility>
#include <vector>

namespace kumoji {

class TMatrix;
struct TExplanation;

// A small candidate digit shown in a cell the pattern touches.
struct TExplainDigit {
    int Cell = 0;
    int Digit = 0;
    // One of a step's digits in one of that step's cells.
    bool Pattern = false;
    // Struck out by a step.
    bool Removed = false;

    friend bool operator==(const TExplainDigit&, const TExplainDigit&) = default;
};

// A line between two cells of a chain: Strong where the digit has only these two places in a
// unit, weak where the cells only see each other.
struct TExplainLink {
    int From = 0;
    int To = 0;
    bool Strong = true;

    friend bool operator==(const TExplainLink&, const TExplainLink&) = default;
};

// Cells are indexes 0..80 and units the numbers of units.h.
struct TExplainMarks {
    // The steps' units, each once, in the order the steps name them.
    std::vector<int> Units;
    // The steps' cells, each once, ascending.
    std::vector<int> PatternCells;
    // The candidates the givens leave in every open cell a step names or
    // takes a candidate from, by cell, then digit.
    std::vector<TExplainDigit> Digits;
    // The single: the unit it is single in (-1 for the only number), the
    // filled cells that make it single, and the move.
    int SingleUnit = -1;
    std::vector<int> Witnesses;
    // The single unit's other open cells that show no candidates of their
    // own: the witnesses keep the digit out of them.
    std::vector<int> Covered;
    int Target = -1;
    int TargetDigit = 0;
    // The shapes beyond subsets: a fish's cover lines, the links of a chain, the two colours
    // of a colouring (cell, colour 0 or 1), a wing's pivot, and an assumption's cells in the
    // order the reasoning visits them.
    std::vector<int> CoverUnits;
    std::vector<TExplainLink> Links;
    std::vector<std::pair<int, int>> Colours;
    int Pivot = -1;
    std::vector<int> Chain;

    bool Empty() const { return Target < 0 && Units.empty() && PatternCells.empty(); }
    friend bool operator==(const TExplainMarks&, const TExplainMarks&) = default;
};

// The marks of Explanation on Position, the position as it was asked.
TExplainMarks ExplainMarks(const TExplanation& Explanation, const TMatrix& Position);

// Where to look, without giving the move away: the steps' units and cells; without steps,
// the unit the single is found in, or for the only number the cell's three units. No
// candidates, no witnesses and no target.
TExplainMarks LookMarks(const TExplanation& Explanation);

} // namespace kumoji
