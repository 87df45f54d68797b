// The rules of an explanation's steps and singles, read on a candidate grid.
#pragma once

// What the explainer builds with and what a tool or a test may check an
// explanation with. A step's pattern is its technique, digits, cells and
// units; its Removes are what the pattern takes on the candidates it meets.
// The rules are those of explanation.h.

#include "engine/explain/explanation.h"

#include <vector>

namespace kumoji {

// True when the pattern of Step (Removes is not read) holds on Candidates:
// the shape of its digits, cells and units is right and the candidates agree.
bool StepHolds(const TMatrix& Candidates, const TExplainStep& Step);

// Every candidate present on Candidates that the pattern of Step takes,
// ordered by cell, then digit; empty when the pattern does not hold.
std::vector<TCandidate> PatternRemovals(const TMatrix& Candidates, const TExplainStep& Step);

// Clears the candidates from the grid.
void RemoveCandidates(TMatrix& Candidates, const std::vector<TCandidate>& Removes);

// True when Single holds on Candidates: the kind's rule for its unit, cell
// and digit (explanation.h). Witnesses are not read.
bool SingleHolds(const TMatrix& Candidates, const TExplainSingle& Single);

// Replays Steps from Start, in order: each pattern must hold on the
// candidates the steps before it left and take at least one of them; it
// takes all it can, and its Removes are set to those. Start ends as the
// candidates after the last step. False at the first step that fails.
bool ReplaySteps(TMatrix& Start, std::vector<TExplainStep>& Steps);

} // namespace kumoji
