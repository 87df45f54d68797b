// Naked and hidden subsets in their general form: any 2 to 4 cells or digits of a unit.
#pragma once

// The engine's own passes (ApplyYourReserved, ApplyOurReserved) only group
// cells with identical masks and digits with identical places. These take
// every subset the rules allow, so that the question check can tell what a
// player who knows the subsets can already see.

#include "engine/grid/matrix.h"

namespace kumoji {

// Any n cells of a unit (2 <= n <= Largest), each with 2 to n candidates,
// holding n digits together: the unit's other cells lose them. True when
// something was cleared.
bool ApplyNakedSubsets(TMatrix& Grid, int Largest = 4);

// Any n digits not placed in a unit (2 <= n <= Largest), each with 2 to n
// places there, whose places are n cells together: those cells lose every
// other digit. True when something was cleared.
bool ApplyHiddenSubsets(TMatrix& Grid, int Largest = 4);

} // namespace kumoji
