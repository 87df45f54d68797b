// Naked subsets (your reserved seat): n cells of a unit sharing the same n candidates.
#include "engine/lanes.h"
#include "engine/matrix.h"
#include "engine/unit_lanes.h"

#include <bit>
#include <cstring>

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

// True when some mask has bits beyond the nine digits, four cells at a time.
inline bool HasStrayBits(const std::array<int, 81>& Masks) {
    TInt4 Any = TInt4{Masks[80], 0, 0, 0};
#pragma GCC unroll 20
    for (int I = 0; I < 80; I += 4) {
        Any |= LoadLanes(&Masks[I]);
    }
    return ((Any[0] | Any[1] | Any[2] | Any[3]) & ~AllDigits) != 0;
}

// Per lane of a group, the smallest N such that a mask of N >= 2 digits
// recurs in exactly N - 1 later cells, NoSize when none does. Among N or
// more cells sharing a mask one has exactly N - 1 after it, and the search
// below finds a subset only at such a cell.
inline TShort8 SmallestWholeGroups(const std::array<TShort8, 9>& Cells) {
    TShort8 Smallest = TShort8{} + NoSize;
#pragma GCC unroll 8
    for (int P = 0; P < 8; ++P) {
        const TShort8 Size = Cells[P] >> SizeShift;
        TShort8 Left = Size; // less one per later cell with the same mask
#pragma GCC unroll 8
        for (int Q = P + 1; Q < 9; ++Q) {
            Left += Cells[P] == Cells[Q];
        }
        const TShort8 Whole = Size | (~(Left == 1) & NoSize);
        Smallest = Whole < Smallest ? Whole : Smallest;
    }
    return Smallest;
}

// The units with a whole group of fewer cells than digits they do not hold,
// which bounds their empty cells, as bits of the unit numbers.
inline std::uint32_t UnitsWithWholeGroups(const TUnitLanes& Lanes, const TValueFacts& Facts) {
    std::uint32_t Units = 0;
    for (int G = 0; G < LaneGroups; ++G) {
        const TShort8 Smallest = SmallestWholeGroups(Lanes.Cells[G]);
        for (int Rest = LaneBits(Smallest != NoSize); Rest != 0; Rest &= Rest - 1) {
            const int L = std::countr_zero(static_cast<unsigned>(Rest));
            const int U = LaneUnit[G][L];
            if (Smallest[L] < 9 - DigitCount(Facts.Held[U])) {
                Units |= std::uint32_t{1} << U;
            }
        }
    }
    return Units;
}

// One unit: every test reads Snapshot, the removals go to Candidates live.
bool ClearUnit(const TUnitCells& Unit, const std::array<int, 81>& Values,
               const std::array<int, 81>& Snapshot, std::array<int, 81>& Candidates) {
    int Masks[9];
    int Open = 0;
    for (int P = 0; P < 9; ++P) {
        Masks[P] = Snapshot[Unit[P]];
        Open |= (Values[Unit[P]] == 0) << P;
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
        if (N <= Remaining && N < Empty) {
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
    // Most units have no mask of N digits in N of their cells, and the lanes
    // test all units at once for one. Masks with bits beyond the nine digits,
    // which play never makes, send every unit to the search as before.
    const std::uint32_t Units =
        HasStrayBits(Candidates)
            ? (std::uint32_t{1} << UnitCount) - 1
            : UnitsWithWholeGroups(SpreadOverUnits(SizedMasks(Candidates), WordBits), Facts);
    if (Units == 0) {
        return false;
    }
    // Every test reads the state at the start of the call; removals go live.
    // Values never change here, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    bool Changed = false;
    for (std::uint32_t Rest = Units; Rest != 0; Rest &= Rest - 1) {
        Changed |= ClearUnit(UnitCells[std::countr_zero(Rest)], Values, Snapshot, Candidates);
    }
    return Changed;
}

} // namespace kumoji
