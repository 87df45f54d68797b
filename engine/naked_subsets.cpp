// Naked subsets (your reserved seat): n cells of a unit sharing the same n candidates.
#include "engine/matrix.h"
#include "engine/unit_sums.h"

#include <bit>

namespace kumoji {

namespace {

// The six-bit fields of the per-unit cell counts (see CellsByCount).
constexpr int FieldBits = 6;

// A subset of N cells needs N cells of N candidates and, to clear anything,
// more than N empty cells. Adding 32 - N to field N sets its top bit exactly
// when the field holds N or more; per number of empty cells, the fields of
// the sizes it leaves room for.
struct TReach {
    TPackedCounts Offset = 0;
    TPackedCounts Bits = 0;
};
inline constexpr auto Reach = [] {
    std::array<TReach, 10> Table{};
    for (int Empty = 0; Empty <= 9; ++Empty) {
        for (int N = 2; N < Empty; ++N) {
            Table[Empty].Offset += TPackedCounts(32 - N) << (FieldBits * N);
            Table[Empty].Bits |= TPackedCounts{32} << (FieldBits * N);
        }
    }
    return Table;
}();

// The subset sizes a unit may hold, as bits N of a mask, when its cells'
// counts sum to Fields and it holds the digits Held. A unit has at most as
// many empty cells as digits it does not hold.
inline int SubsetSizes(TPackedCounts Fields, int Held) {
    const TReach& Room = Reach[9 - DigitCount(Held)];
    const TPackedCounts Reached = (Fields + Room.Offset) & Room.Bits;
    int Sizes = 0;
    for (TPackedCounts Rest = Reached; Rest != 0; Rest &= Rest - 1) {
        Sizes |= 1 << (std::countr_zero(Rest) / FieldBits);
    }
    return Sizes;
}

// Keeps the sizes N for which N of the masks with N candidates may be
// equal. Where such masks would be more than half of those with N
// candidates, one vote finds the only mask that can be and a count settles
// it; sparse positions flag many units whose like-sized masks all differ.
inline int SizesWithEqualMasks(const int (&Masks)[9], int Sizes) {
    for (int Rest = Sizes; Rest != 0; Rest &= Rest - 1) {
        const int N = std::countr_zero(static_cast<unsigned>(Rest));
        int Sized = 0;
        int Leader = 0;
        int Lead = 0;
        for (const int Mask : Masks) {
            if (DigitCount(Mask) == N) {
                ++Sized;
                Lead += Mask == Leader ? 1 : Lead == 0 ? (Leader = Mask, 1) : -1;
            }
        }
        if (2 * N <= Sized) {
            continue; // no majority to look for: the search decides
        }
        int Copies = 0;
        for (const int Mask : Masks) {
            Copies += Mask == Leader;
        }
        if (Copies < N) {
            Sizes &= ~(1 << N);
        }
    }
    return Sizes;
}

// One unit: every test reads Snapshot, the removals go to Candidates live.
// Only cells of the given Sizes of subset can start one.
bool ClearUnit(const TUnitCells& Unit, int Sizes, const std::array<int, 81>& Values,
               const std::array<int, 81>& Snapshot, std::array<int, 81>& Candidates) {
    int Masks[9];
    int Open = 0;
    for (int P = 0; P < 9; ++P) {
        Masks[P] = Snapshot[Unit[P]];
        Open |= (Values[Unit[P]] == 0) << P;
    }
    Sizes = SizesWithEqualMasks(Masks, Sizes);
    if (Sizes == 0) {
        return false;
    }
    const int Empty = DigitCount(Open);
    // A subset needs at least two cells and one more empty cell to clear.
    if (Empty <= 2) {
        return false;
    }
    bool Changed = false;
    int Remaining = Empty;
    for (int P = 0; P < 9; ++P) {
        const int Mask = Masks[P];
        const int N = DigitCount(Mask);
        if (N <= 1) {
            continue;
        }
        if (N <= Remaining && N < Empty && (Sizes >> N & 1) != 0) {
            int Group = 1;
            for (int Q = P + 1; Q < 9; ++Q) {
                Group += Masks[Q] == Mask;
            }
            if (Group == N) {
                for (int Q = 0; Q < 9; ++Q) {
                    const bool Other =
                        Q != P && (Open >> Q & 1) != 0 && (Q < P || Masks[Q] != Mask);
                    int& Current = Candidates[Unit[Q]];
                    if (Other && Current != 0) {
                        const int Old = Current;
                        Current = Old & ~Mask;
                        Changed |= Current != Old;
                    }
                }
            }
        }
        --Remaining;
    }
    return Changed;
}

} // namespace

bool TMatrix::ApplyYourReserved() {
    return ApplyYourReserved(TValueFacts(*this));
}

bool TMatrix::ApplyYourReserved(const TValueFacts& Facts) {
    // Every test reads the state at the start of the call; removals go live.
    // Values never change here, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    // Most units have too few cells of any one count for a subset, and one
    // sweep of packed counters finds the few that have enough. Bits beyond
    // the nine digits make masks differ that count alike, so then every
    // unit is searched.
    std::array<TPackedCounts, 81> Fields;
    int Stray = 0;
    for (int I = 0; I < 81; ++I) {
        Fields[I] = CellsByCount[Snapshot[I] & AllDigits];
        Stray |= Snapshot[I];
    }
    const std::array<TPackedCounts, UnitCount> Sums = UnitSums(Fields);
    const bool SearchAll = (Stray & ~AllDigits) != 0;
    bool Changed = false;
    for (int U = 0; U < UnitCount; ++U) {
        const int Sizes = SearchAll ? AllDigits << 1 : SubsetSizes(Sums[U], Facts.Held[U]);
        if (Sizes != 0) {
            Changed |= ClearUnit(UnitCells[U], Sizes, Values, Snapshot, Candidates);
        }
    }
    return Changed;
}

} // namespace kumoji
