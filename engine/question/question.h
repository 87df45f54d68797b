// The question check's interface.
#pragma once

#include "engine/grid/matrix.h"
#include "engine/grid/point.h"

namespace kumoji {

// The forced move of a position: after the reservation passes on a scratch
// copy, the first naked single and the hidden singles of every digit must all
// point at one move. With Strict, two naked singles or a conflicting hidden
// single make the position unfit. Grid itself is not changed; after false,
// Cell and Digit may hold a partial result.
bool FindQuestion(const TMatrix& Grid, TPoint& Cell, int& Digit, bool Strict);

} // namespace kumoji
