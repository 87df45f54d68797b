// The digits that have a single place in some unit, all nine at once.
#include "engine/single_place.h"

#include <array>

namespace kumoji {

// Per unit, the digits admitted once and those admitted twice or more; a
// digit admitted once by a unit that does not hold it has its single place.
// The held digits come from one sweep over the values, the rest from the
// masks alone.
int SinglePlaceDigits(const TMatrix& Grid) {
    std::array<int, UnitCount> Held{};
    for (int I = 0; I < 81; ++I) {
        const TCellUnits& Units = CellUnits[I];
        const int Bit = ValueBit(Grid.Values[I]);
        Held[Units.Row] |= Bit;
        Held[Units.Col] |= Bit;
        Held[Units.Box] |= Bit;
    }
    int Digits = 0;
    for (int U = 0; U < UnitCount; ++U) {
        int Once = 0;
        int Twice = 0;
#pragma GCC unroll 9
        for (const int I : UnitCells[U]) {
            const int Mask = Grid.Candidates[I];
            Twice |= Once & Mask;
            Once |= Mask;
        }
        Digits |= Once & ~Twice & ~Held[U];
    }
    return Digits & AllDigits;
}

} // namespace kumoji
