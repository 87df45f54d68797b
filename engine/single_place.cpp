// The digits that have a single place in some unit, all nine at once.
#include "engine/single_place.h"

namespace kumoji {

// Per unit, the digits admitted once and those admitted twice or more; a
// digit admitted once by a unit that does not hold it has its single place.
int SinglePlaceDigits(const TMatrix& Grid) {
    int Digits = 0;
    for (const TUnitCells& Cells : UnitCells) {
        int Once = 0;
        int Twice = 0;
        int Held = 0;
#pragma GCC unroll 9
        for (const int I : Cells) {
            const int Mask = Grid.Candidates[I];
            Twice |= Once & Mask;
            Once |= Mask;
            Held |= ValueBit(Grid.Values[I]);
        }
        Digits |= Once & ~Twice & ~Held;
    }
    return Digits & AllDigits;
}

} // namespace kumoji
