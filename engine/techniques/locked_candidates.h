// Which digits the one-digit locked-candidate passes can act on at all.
#pragma once

#include "engine/grid/matrix.h"

namespace kumoji {

// The digits for which the one-digit row or column pass of the locked
// candidates (as FindMyReservedMove runs it) would remove something from
// Grid as it stands. A digit outside this set makes FindMyReservedMove false
// without a search.
int LockedCandidateDigits(const TMatrix& Grid);

} // namespace kumoji
