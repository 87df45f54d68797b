// The digits that have a single place in some unit, all nine at once.
#include "engine/single_place.h"

#include "engine/unit_tally.h"

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

// Per unit, the digits admitted once, held or not: a digit admitted once by a
// unit that does not hold it has its single place there.
std::array<int, UnitCount> AdmittedOnce(const TMatrix& Grid) {
    TUnitTally Units;
    TallyUnits(Grid.Candidates, Units);
    std::array<int, UnitCount> Singles;
    for (int U = 0; U < UnitCount; ++U) {
        Singles[U] = Units.Once[U] & ~Units.Twice[U] & AllDigits;
    }
    return Singles;
}

} // namespace

// Most units admit no digit once, so the held digits are looked up only for
// those that do.
std::array<int, UnitCount> SinglePlacesByUnit(const TMatrix& Grid) {
    std::array<int, UnitCount> Singles = AdmittedOnce(Grid);
    for (int U = 0; U < UnitCount; ++U) {
        if (Singles[U] != 0) {
            Singles[U] &= ~HeldDigits(Grid, UnitCells[U]);
        }
    }
    return Singles;
}

std::array<int, UnitCount> SinglePlacesByUnit(const TMatrix& Grid,
                                              const std::array<int, UnitCount>& Held) {
    std::array<int, UnitCount> Singles = AdmittedOnce(Grid);
    for (int U = 0; U < UnitCount; ++U) {
        Singles[U] &= ~Held[U];
    }
    return Singles;
}

// A digit already found needs no second look at another unit's held digits.
int SinglePlaceDigits(const TMatrix& Grid) {
    const std::array<int, UnitCount> Singles = AdmittedOnce(Grid);
    int Digits = 0;
    for (int U = 0; U < UnitCount; ++U) {
        const int Single = Singles[U] & ~Digits;
        if (Single != 0) {
            Digits |= Single & ~HeldDigits(Grid, UnitCells[U]);
        }
    }
    return Digits;
}

} // namespace kumoji
