// Swordfish: in three rows (columns) a digit's places lie in the same three columns (rows).
#include "engine/techniques/fish.h"
#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

void FindSwordfish(const TMatrix& Grid, const TPatternVisit& Visit) {
    FindFish(Grid, 3, smSwordfish, Visit);
}

bool ApplySwordfish(TMatrix& Grid) {
    return ApplyPatterns(Grid, smSwordfish);
}

} // namespace kumoji
