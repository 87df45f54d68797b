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
// The line of a step of technique 7, 8 or 10 to 17.
std::string PatternStepText(const TExplainStep& Step);

// Pieces of the lines: "A・B・C"; "A・B と C"; "A, B and C"; cell names and
// digits as text; the removals said in Japanese ("G3 から 4 が消える") and in
// English ("4 leaves G3").
std::string JoinDots(const std::vector<std::string>& Items);
std::string JoinJapanese(const std::vector<std::string>& Items);
std::string JoinEnglish(const std::vector<std::string>& Items);
std::vector<std::string> CellNames(const std::vector<int>& Cells);
std::vector<std::string> DigitNames(const std::vector<int>& Digits);
std::string JapaneseRemovals(const std::vector<TCandidate>& Removes);
std::string EnglishRemovals(const std::vector<TCandidate>& Removes);

// A step of the techniques beyond subsets as the engine's finder gives it.
TExplainStep StepOf(const TPattern& Pattern);

} // namespace kumoji::explain

namespace kumoji::explain {

// The steps of a move of technique 4 to 6 or 10 to 17 and the single they lead to, from
// the candidates the givens leave; nothing when no explanation true to the
// technique was found.
struct TStepsAndSingle {
    std::vector<TExplainStep> Steps;
    TExplainSingle Single;
};
std::optional<TStepsAndSingle> SearchSteps(const TMatrix& Given, int Cell, int Digit,
                                           TSolveMethod Technique);

} // namespace kumoji::explain

namespace kumoji::explain {

// The step of a question of technique 7 or 8, the assumption traced as the
// engine makes it, and the single it leaves.
std::optional<TStepsAndSingle> AssumptionSteps(const TMatrix& Given, int Cell, int Digit,
                                               TSolveMethod Technique);

// The techniques a question of Technique may use, cheapest first: 4 to 6,
// then 10 up to Technique when it is one of those.
std::vector<TSolveMethod> TechniquesUpTo(TSolveMethod Technique);

} // namespace kumoji::explain
