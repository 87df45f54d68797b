// The digits that have a single place in some unit, all nine at once.
#include "engine/single_place.h"

#include "engine/lanes.h"

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

// What a unit's cells admit: every digit once, and those admitted again.
template <typename T> struct TTally {
    T Once = {};
    T Twice = {};

    void Add(T Mask) {
        Twice |= Once & Mask;
        Once |= Mask;
    }
    void Add(const TTally& Part) {
        Twice |= Part.Twice | (Once & Part.Once);
        Once |= Part.Once;
    }
    T Singles() const { return Once & ~Twice & AllDigits; }
};

// Per unit, the digits admitted once and those admitted twice or more; a
// digit admitted once by a unit that does not hold it has its single place.
// One sweep row by row tallies every unit, columns four to a vector, so each
// mask is read once. This gives the digits admitted once, held or not.
std::array<int, UnitCount> AdmittedOnce(const TMatrix& Grid) {
    std::array<int, UnitCount> Singles;
    TTally<TInt4> ColsLeft;
    TTally<TInt4> ColsRight;
    TTally<int> LastCol;
#pragma GCC unroll 3
    for (int Band = 0; Band < 3; ++Band) {
        TTally<int> Boxes[3];
#pragma GCC unroll 3
        for (int R = 3 * Band; R < 3 * Band + 3; ++R) {
            const int* Line = &Grid.Candidates[CellIndex(0, R)];
            ColsLeft.Add(LoadLanes(Line));
            ColsRight.Add(LoadLanes(Line + 4));
            LastCol.Add(Line[8]);
            TTally<int> Row;
#pragma GCC unroll 3
            for (int T = 0; T < 3; ++T) {
                TTally<int> Third;
                Third.Add(Line[3 * T]);
                Third.Add(Line[3 * T + 1]);
                Third.Add(Line[3 * T + 2]);
                Boxes[T].Add(Third);
                Row.Add(Third);
            }
            Singles[RowUnit(R)] = Row.Singles();
        }
        for (int T = 0; T < 3; ++T) {
            Singles[BoxUnit(T, Band)] = Boxes[T].Singles();
        }
    }
    const TInt4 Left = ColsLeft.Singles();
    const TInt4 Right = ColsRight.Singles();
    for (int C = 0; C < 4; ++C) {
        Singles[ColUnit(C)] = Left[C];
        Singles[ColUnit(C + 4)] = Right[C];
    }
    Singles[ColUnit(8)] = LastCol.Singles();
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
