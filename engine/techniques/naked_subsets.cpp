// Naked subsets (your reserved seat): n cells of a unit sharing the same n candidates.
#include "engine/grid/matrix.h"
#include "engine/lanes/lanes.h"
#include "engine/lanes/unit_lanes.h"

#include <bit>

namespace kumoji {

namespace {

// Bits 9-12 of a cell's word hold its number of candidates when two or
// more, else NoSize, which no unit has room for.
constexpr int SizeShift = 9;
constexpr int NoSize = 15;
constexpr int WordBits = (1 << (SizeShift + 4)) - 1;

// Per mask of the nine digits, its word.
inline constexpr auto SizedWord = [] {
    std::array<short, AllDigits + 1> Table{};
    for (int Mask = 0; Mask <= AllDigits; ++Mask) {
        const int N = DigitCount(Mask);
        Table[Mask] = static_cast<short>(Mask | (N < 2 ? NoSize : N) << SizeShift);
    }
    return Table;
}();

// Each cell's mask cut to the nine digits with its size above it, so that
// the lanes need no counting of their own.
inline std::array<int, 81> SizedMasks(const std::array<int, 81>& Masks) {
    std::array<int, 81> Words;
#pragma GCC unroll 9
    for (int I = 0; I < 81; ++I) {
        Words[I] = SizedWord[Masks[I] & AllDigits];
    }
    return Words;
}

// The positions of a unit's masks of N >= 2 digits that recur in exactly
// N - 1 later cells, as bits: only there can a subset start.
inline int GroupStarts(const int (&Masks)[9]) {
    int Starts = 0;
    for (int P = 0; P < 8; ++P) {
        int Group = 1;
        for (int Q = P + 1; Q < 9; ++Q) {
            Group += Masks[Q] == Masks[P];
        }
        const int N = DigitCount(Masks[P]);
        Starts |= (N >= 2 && Group == N) << P;
    }
    return Starts;
}

// GroupStarts for every lane of a group at once, the positions as bits of
// each lane. A cell of fewer than two candidates, NoSize, never starts one.
inline TShort8 LaneGroupStarts(const std::array<TShort8, 9>& Cells) {
    TShort8 Starts{};
#pragma GCC unroll 8
    for (int P = 0; P < 8; ++P) {
        TShort8 Left = Cells[P] >> SizeShift; // less one per later equal cell
#pragma GCC unroll 8
        for (int Q = P + 1; Q < 9; ++Q) {
            Left += Cells[P] == Cells[Q];
        }
        Starts |= (Left == 1) & static_cast<short>(1 << P);
    }
    return Starts;
}

// The starts that leave their unit room: a unit has no more empty cells
// than digits it does not hold, and a subset of N needs more than N.
inline TShort8 StartsWithRoom(const std::array<TShort8, 9>& Cells, TShort8 Starts, TShort8 Held) {
    const TShort8 Room = 9 - LaneBitCounts(Held);
#pragma GCC unroll 8
    for (int P = 0; P < 8; ++P) {
        Starts &= ~((Cells[P] >> SizeShift) >= Room) | static_cast<short>(~(1 << P));
    }
    return Starts;
}

// One unit: each start of N cells clears its digits from the unit's other
// empty cells, when the unit has more than N empty cells and N of them are
// left once every earlier cell of two or more candidates has taken one.
// Masks hold the unit's cells as the pass began; removals go to Candidates
// live, and since they only take digits away, the order of units is free.
bool ClearUnit(const TUnitCells& Unit, const int (&Masks)[9], int Starts,
               const std::array<int, 81>& Values, std::array<int, 81>& Candidates,
               TUnitLanes* Left) {
    int Open = 0;
    for (int P = 0; P < 9; ++P) {
        Open |= (Values[Unit[P]] == 0) << P;
    }
    const int Empty = DigitCount(Open);
    bool Changed = false;
    for (; Starts != 0; Starts &= Starts - 1) {
        const int P = std::countr_zero(static_cast<unsigned>(Starts));
        const int Mask = Masks[P];
        const int N = DigitCount(Mask);
        int Remaining = Empty;
        for (int Q = 0; Q < P; ++Q) {
            Remaining -= DigitCount(Masks[Q]) >= 2;
        }
        if (N > Remaining || N >= Empty) {
            continue;
        }
        for (int Q = 0; Q < 9; ++Q) {
            const bool Other = Q != P && (Open >> Q & 1) != 0 && (Q < P || Masks[Q] != Mask);
            int& Current = Candidates[Unit[Q]];
            if (Other && Current != 0) {
                const int Old = Current;
                Current = Old & ~Mask;
                if (Current != Old) {
                    Changed = true;
                    if (Left != nullptr) {
                        SetOnLanes(*Left, Unit[Q], static_cast<short>(Current));
                    }
                }
            }
        }
    }
    return Changed;
}

// Every unit searched on a snapshot of the masks, for grids whose masks
// have bits beyond the nine digits, which play never makes.
bool ClearEveryUnit(const std::array<int, 81>& Values, std::array<int, 81>& Candidates) {
    const std::array<int, 81> Snapshot = Candidates;
    bool Changed = false;
    for (const TUnitCells& Unit : UnitCells) {
        int Masks[9];
        for (int P = 0; P < 9; ++P) {
            Masks[P] = Snapshot[Unit[P]];
        }
        const int Starts = GroupStarts(Masks);
        if (Starts != 0) {
            Changed |= ClearUnit(Unit, Masks, Starts, Values, Candidates, nullptr);
        }
    }
    return Changed;
}

} // namespace

bool TMatrix::ApplyYourReserved() {
    return ApplyYourReserved(TValueFacts(*this));
}

bool TMatrix::ApplyYourReserved(const TValueFacts& Facts) {
    TUnitLanes Left;
    bool LeftKnown = false;
    return ApplyYourReserved(Facts, Left, LeftKnown);
}

bool TMatrix::ApplyYourReserved(const TValueFacts& Facts, TUnitLanes& Left, bool& LeftKnown) {
    LeftKnown = false;
    if (HasStrayBits(Candidates)) {
        return ClearEveryUnit(Values, Candidates);
    }
    // Most units have no mask of N digits in N of their cells, and the lanes
    // find the starts of such groups in all units at once. The lanes hold
    // the masks as the pass began, whole without stray bits, so no other
    // copy is needed.
    const TUnitLanes Lanes = SpreadOverUnits(SizedMasks(Candidates), WordBits);
    // The same lanes without the sizes, kept up with every change, spare the
    // next pass spreading the grid again.
    for (int G = 0; G < LaneGroups; ++G) {
        for (int P = 0; P < 9; ++P) {
            Left.Cells[G][P] = Lanes.Cells[G][P] & AllDigits;
        }
    }
    LeftKnown = true;
    bool Changed = false;
    for (int G = 0; G < LaneGroups; ++G) {
        TShort8 Starts = LaneGroupStarts(Lanes.Cells[G]);
        if (LaneBits(Starts) == 0) {
            continue;
        }
        Starts = StartsWithRoom(Lanes.Cells[G], Starts, Facts.HeldLanes[G]);
        for (int Rest = LaneBits(Starts); Rest != 0; Rest &= Rest - 1) {
            const int L = std::countr_zero(static_cast<unsigned>(Rest));
            int Masks[9];
            for (int P = 0; P < 9; ++P) {
                Masks[P] = Lanes.Cells[G][P][L] & AllDigits;
            }
            Changed |=
                ClearUnit(UnitCells[LaneUnit[G][L]], Masks, Starts[L], Values, Candidates, &Left);
        }
    }
    return Changed;
}

} // namespace kumoji
