// The fish of any size, shared by the X-Wing and the swordfish.
#pragma once

#include "engine/techniques/pattern.h"

namespace kumoji {

// Fish of Size base lines (rows, then columns), each with 2 to Size places
// of the digit, whose places lie in Size cover lines.
void FindFish(const TMatrix& Grid, int Size, TSolveMethod Technique, const TPatternVisit& Visit);

} // namespace kumoji
