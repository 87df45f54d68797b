// The reservation loop: the three passes in cycles until a single appears.
#include "engine/matrix.h"

namespace kumoji {

bool TMatrix::ApplyReservations() {
    return ApplyReservations(TValueFacts(*this));
}

bool TMatrix::ApplyReservations(const TValueFacts& Facts) {
    bool Any = false;
    for (int Cycle = 1; Cycle <= 11; ++Cycle) {
        // All three passes run in every cycle.
        const bool My = ApplyMyReserved();
        const bool Your = ApplyYourReserved(Facts);
        const bool Our = ApplyOurReserved(Facts);
        const bool Changed = My || Your || Our;
        Any = Any || Changed;
        int Digit;
        int Col;
        int Row;
        if (FindMissingNumber(Digit, Col, Row) || !Changed) {
            break;
        }
    }
    return Any;
}

} // namespace kumoji
