// The digits that have a single place in some unit, all nine at once.
#include "engine/single_place.h"

namespace kumoji {

namespace {

// The digits that the cells of a unit hold.
int HeldDigits(const TMatrix& Grid, const TUnitCells& Cells) {
    int Held = 0;
#pragma GCC unroll 9
    for (const int I : Cells) {
        Held |= ValueBit(Grid.Values[I]);
    }
    return Held;
}

} // namespace

// Per unit, the digits admitted once and those admitted twice or more; a
// digit admitted once by a unit that does not hold it has its single place.
// Most units admit no digit once, so the held digits are looked up only for
// those that do.
int SinglePlaceDigits(const TMatrix& Grid) {
    int Digits = 0;
    for (const TUnitCells& Cells : UnitCells) {
        int Once = 0;
        int Twice = 0;
#pragma GCC unroll 9
        for (const int I : Cells) {
            const int Mask = Grid.Candidates[I];
            Twice |= Once & Mask;
            Once |= Mask;
        }
        const int Single = Once & ~Twice & AllDigits & ~Digits;
        if (Single != 0) {
            Digits |= Single & ~HeldDigits(Grid, Cells);
        }
    }
    return Digits;
}

} // namespace kumoji
