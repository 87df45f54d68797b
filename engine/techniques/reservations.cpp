// The reservation loop: the three passes in cycles until a single appears.
#include "engine/grid/matrix.h"
#include "engine/techniques/naked_singles.h"

namespace kumoji {

bool TMatrix::ApplyReservations() {
    return ApplyReservations(TValueFacts(*this));
}

bool TMatrix::ApplyReservations(const TValueFacts& Facts) {
    TCellSet NakedSingles;
    return ApplyReservations(Facts, NakedSingles);
}

bool TMatrix::ApplyReservations(const TValueFacts& Facts, TCellSet& NakedSingles) {
    bool Any = false;
    for (int Cycle = 1; Cycle <= 11; ++Cycle) {
        // All three passes run in every cycle.
        const bool My = ApplyMyReserved();
        // The masks the naked pass leaves are where the hidden pass starts.
        TUnitLanes Masks;
        bool MasksKnown = false;
        const bool Your = ApplyYourReserved(Facts, Masks, MasksKnown);
        const bool Our = ApplyOurReserved(Facts, MasksKnown ? &Masks : nullptr);
        const bool Changed = My || Your || Our;
        Any = Any || Changed;
        // A cell left with one candidate ends the loop.
        NakedSingles = NakedSingleCells(*this);
        if (!NakedSingles.Empty() || !Changed) {
            break;
        }
    }
    return Any;
}

} // namespace kumoji
