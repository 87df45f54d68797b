// X-Wing: in two rows (columns) a digit's places lie in the same two columns (rows).
#include "engine/techniques/fish.h"
#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

void FindXWings(const TMatrix& Grid, const TPatternVisit& Visit) {
    FindFish(Grid, 2, smXWing, Visit);
}

bool ApplyXWing(TMatrix& Grid) {
    return ApplyPatterns(Grid, smXWing);
}

} // namespace kumoji
