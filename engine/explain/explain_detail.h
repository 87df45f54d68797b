// The explainer's parts, shared by its files and by no one else.
#pragma once

#include "engine/explain/explanation.h"

#include <optional>
#include <string>
#include <vector>

namespace kumoji::explain {

// Which shapes the pattern search offers: any subset the rules allow, or
// only those the engine's passes find (naked cells with identical masks,
// hidden digits with identical places).
enum class TPatternForm { General, Engine };

// The patterns of one technique on Candidates that take at least one
// candidate, Removes filled, in a fixed order: locked candidates by digit,
// box and line (pointing before claiming); subsets of Size by unit, then
// their cells or digits in ascending order. With First, at most one.
std::vector<TExplainStep> FindPatterns(const TMatrix& Candidates, TSolveMethod Technique, int Size,
                                       TPatternForm Form, bool First);

// The singles that could place Digit in Cell: its last candidate, then its
// last place in its row, column and box (the unit numbering's order).
std::vector<TExplainSingle> MoveSingles(int Cell, int Digit);

// The filled cells behind a single (explanation.h), from the candidates the
// givens alone leave.
std::vector<int> SingleWitnesses(const TMatrix& Given, const TExplainSingle& Single);

// Names: "3行目", "B列", "ブロック1".
std::string JapaneseUnitName(int Unit);

// The explanation's lines: Japanese, two spaces, English.
std::string StepText(const TExplainStep& Step);
std::string SingleText(const TExplainSingle& Single);

} // namespace kumoji::explain

namespace kumoji::explain {

// The steps of a move of technique 4 to 6 and the single they lead to, from
// the candidates the givens leave; nothing when no explanation true to the
// technique was found.
struct TStepsAndSingle {
    std::vector<TExplainStep> Steps;
    TExplainSingle Single;
};
std::optional<TStepsAndSingle> SearchSteps(const TMatrix& Given, int Cell, int Digit,
                                           TSolveMethod Technique);

} // namespace kumoji::explain
