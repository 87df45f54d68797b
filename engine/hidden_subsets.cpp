// Hidden subsets (our reserved seat): n digits confined to the same n cells of a unit.
#include "engine/digit_board.h"
#include "engine/group_counters.h"
#include "engine/matrix.h"
#include "engine/unit_sums.h"

#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kumoji {

namespace {

// Per digit, how many of nine masks hold it, as four bit planes: bit d - 1 of
// Plane[b] is bit b of digit d's count. A tree of carry-save adders sums the
// nine masks for all digits at once.
struct TDigitCounts {
    int Plane[4] = {};

    explicit TDigitCounts(const int (&Masks)[9]) {
        // Three masks into a sum bit and a carry bit of the next weight.
        auto Add3 = [](int A, int B, int C, int& Sum, int& Carry) {
            const int Half = A ^ B;
            Sum = Half ^ C;
            Carry = (A & B) | (Half & C);
        };
        int Ones[3];
        int Twos[3];
        for (int K = 0; K < 3; ++K) {
            Add3(Masks[3 * K], Masks[3 * K + 1], Masks[3 * K + 2], Ones[K], Twos[K]);
        }
        int TwosFromOnes;
        int TwosSum;
        int Fours;
        Add3(Ones[0], Ones[1], Ones[2], Plane[0], TwosFromOnes);
        Add3(Twos[0], Twos[1], Twos[2], TwosSum, Fours);
        Plane[1] = TwosFromOnes ^ TwosSum;
        const int MoreFours = TwosFromOnes & TwosSum;
        Plane[2] = Fours ^ MoreFours;
        Plane[3] = Fours & MoreFours;
    }

    // The digits of each count 0..9: the two low bits pick one of four sets,
    // the two high ones one of three (a count is at most nine).
    std::array<int, 10> ByCount() const {
        const int Low[4] = {~Plane[0] & ~Plane[1], Plane[0] & ~Plane[1], ~Plane[0] & Plane[1],
                            Plane[0] & Plane[1]};
        const int UpTo7 = ~Plane[3] & AllDigits;
        const int Below4 = UpTo7 & ~Plane[2];
        const int From4 = UpTo7 & Plane[2];
        const int From8 = Plane[3] & ~Plane[2] & AllDigits;
        return {Low[0] & Below4, Low[1] & Below4, Low[2] & Below4, Low[3] & Below4, Low[0] & From4,
                Low[1] & From4,  Low[2] & From4,  Low[3] & From4,  Low[0] & From8,  Low[1] & From8};
    }
};

// A unit's nine masks kept for place lookups: positions 0..7 as sixteen-bit
// lanes, so that one digit's places among them come out of a sign-bit
// gather, and position 8 on its own.
struct TPlaceLanes {
#if defined(__SSE2__)
    __m128i Low;
#else
    int Low[8];
#endif
    int Last;

    explicit TPlaceLanes(const int (&Seen)[9]) : Last(Seen[8]) {
#if defined(__SSE2__)
        Low = _mm_setr_epi16(static_cast<short>(Seen[0]), static_cast<short>(Seen[1]),
                             static_cast<short>(Seen[2]), static_cast<short>(Seen[3]),
                             static_cast<short>(Seen[4]), static_cast<short>(Seen[5]),
                             static_cast<short>(Seen[6]), static_cast<short>(Seen[7]));
#else
        for (int P = 0; P < 8; ++P) {
            Low[P] = Seen[P];
        }
#endif
    }

    // The positions that hold Digit.
    int Of(int Digit) const {
#if defined(__SSE2__)
        // The digit's bit moved to each lane's sign, then one bit per lane.
        const __m128i Signs = _mm_sll_epi16(Low, _mm_cvtsi32_si128(16 - Digit));
        int Places = _mm_movemask_epi8(_mm_packs_epi16(Signs, _mm_setzero_si128()));
#else
        int Places = 0;
        for (int P = 0; P < 8; ++P) {
            Places |= (Low[P] >> (Digit - 1) & 1) << P;
        }
#endif
        return Places | (Last >> (Digit - 1) & 1) << 8;
    }
};

// Drops the N - 1 highest digits of a set: a digit can lead a group of N
// digits with N places only if at least N - 1 digits above it share its count.
inline int DropHighest(int Digits, int N) {
    for (int K = 1; K < N && Digits != 0; ++K) {
        Digits &= ~(1 << (31 - std::countl_zero(static_cast<unsigned>(Digits))));
    }
    return Digits;
}

// One unit. Digits are taken in ascending order; the group of digit D is the
// digits from D up with exactly D's places, and it counts when it has as many
// digits as places. Those digits share D's count and are held by every cell
// of D's places, which finds the group without listing anyone else's places.
template <bool IsBox>
bool HiddenSubsets(const TUnitCells& Unit, const std::array<int, 81>& ValueBits,
                   const std::array<int, 81>& Snapshot, std::array<int, 81>& Candidates) {
    // Each cell's mask as the scans see it: a scan for d stops at a cell
    // holding d, before looking at its mask; a box is scanned column by column.
    int Seen[9];
    int Stopped = 0;
#pragma GCC unroll 9
    for (int K = 0; K < 9; ++K) {
        const int P = IsBox ? BoxScanPosition(K) : K;
        const int I = Unit[P];
        Stopped |= ValueBits[I];
        Seen[P] = Snapshot[I] & AllDigits & ~Stopped;
    }
    const TDigitCounts Counts(Seen);
    int Leaders = 0;
    std::array<int, 10> CountOf{};
    const std::array<int, 10> ByCount = Counts.ByCount();
#pragma GCC unroll 9
    for (int N = 1; N <= 9; ++N) {
        const int Digits = ByCount[N];
        if (DigitCount(Digits) < N) {
            continue;
        }
        const int Lead = DropHighest(Digits, N);
        Leaders |= Lead;
        for (int Rest = Lead; Rest != 0; Rest &= Rest - 1) {
            CountOf[std::countr_zero(static_cast<unsigned>(Rest)) + 1] = N;
        }
    }
    if (Leaders == 0) {
        return false;
    }
    const TPlaceLanes Places(Seen);
    bool Changed = false;
    for (; Leaders != 0; Leaders &= Leaders - 1) {
        const int D = std::countr_zero(static_cast<unsigned>(Leaders)) + 1;
        const int N = CountOf[D];
        const int Where = Places.Of(D);
        // The digits of D's count from D up that share its places exactly.
        int Digits = DigitBit(D);
        for (int Rest = ByCount[N] & ~(2 * DigitBit(D) - 1); Rest != 0; Rest &= Rest - 1) {
            const int E = std::countr_zero(static_cast<unsigned>(Rest)) + 1;
            Digits |= Places.Of(E) == Where ? DigitBit(E) : 0;
        }
        if (DigitCount(Digits) != N) {
            continue;
        }
        for (int Rest = Where; Rest != 0; Rest &= Rest - 1) {
            const int I = Unit[std::countr_zero(static_cast<unsigned>(Rest))];
            Candidates[I] = Snapshot[I] & Digits;
            Changed |= Candidates[I] != Snapshot[I];
        }
    }
    return Changed;
}

// A unit whose only groups are single digits in single cells: each such
// cell keeps the highest digit that has no other place (a lower one sharing
// the cell makes a group of two digits in one cell, which counts for nothing).
bool WriteSingleGroups(const TUnitCells& Unit, int Singles, const std::array<int, 81>& Snapshot,
                       std::array<int, 81>& Candidates) {
    bool Changed = false;
    for (const int I : Unit) {
        const int Here = Snapshot[I] & Singles;
        if (Here != 0) {
            Candidates[I] =
                Snapshot[I] & (1 << (31 - std::countl_zero(static_cast<unsigned>(Here))));
            Changed |= Candidates[I] != Snapshot[I];
        }
    }
    return Changed;
}

// That group's write: each open cell keeps its digits among the unit's.
bool WriteWholeGroup(const TUnitCells& Unit, const std::array<int, 81>& Snapshot,
                     std::array<int, 81>& Candidates) {
    int Digits = 0;
    for (const int I : Unit) {
        Digits |= Snapshot[I];
    }
    Digits &= AllDigits;
    bool Changed = false;
    for (const int I : Unit) {
        if ((Snapshot[I] & AllDigits) != 0) {
            Candidates[I] = Snapshot[I] & Digits;
            Changed |= Candidates[I] != Snapshot[I];
        }
    }
    return Changed;
}

// The units that may hold a group; among them, in Whole, those that are one
// whole group and, in Singles, the digits of those whose only groups are
// single digits. Where a cell admits a digit its unit holds, a scan stops
// short of it and the counts are not the scans' own, so such a unit is
// searched. Stray tells whether some mask has bits beyond the nine digits.
std::uint32_t UnitsToSearch(const TValueFacts& Facts, const std::array<int, 81>& Snapshot,
                            std::uint32_t& Whole, std::array<int, UnitCount>& Singles,
                            bool& Stray) {
    std::array<TPackedCounts, 81> Fields;
    int AllMasks = 0;
    for (int I = 0; I < 81; ++I) {
        Fields[I] = DigitFields[Snapshot[I] & AllDigits];
        AllMasks |= Snapshot[I];
    }
    Stray = (AllMasks & ~AllDigits) != 0;
    const std::array<TPackedCounts, UnitCount> Counts = UnitSums(Fields);
    std::uint32_t Search = 0;
    for (int U = 0; U < UnitCount; ++U) {
        const TPackedCounts HeldFields = DigitFields[Facts.Held[U]] * 15 & DigitFieldsOnly;
        if ((Counts[U] & HeldFields) != 0) {
            Search |= std::uint32_t{1} << U;
            continue;
        }
        const TPackedCounts Spread = CountsOfCounts(Counts[U]);
        if (!MayHoldGroup(Spread)) {
            continue;
        }
        if (IsWholeGroup(Counts[U], Spread)) {
            Whole |= std::uint32_t{1} << U;
            Search |= std::uint32_t{1} << U;
        } else if (!MayHoldWiderGroup(Spread)) {
            Singles[U] = DigitsOfCountOne(Counts[U]);
            Search |= std::uint32_t{1} << U;
        } else if (MayFitGroup(UnitCells[U], Snapshot, Spread)) {
            Search |= std::uint32_t{1} << U;
        }
    }
    return Search;
}

} // namespace

bool TMatrix::ApplyOurReserved() {
    return ApplyOurReserved(TValueFacts(*this));
}

bool TMatrix::ApplyOurReserved(const TValueFacts& Facts) {
    // Places come from the state at the start of the call, and every write
    // starts from that state, so a later write to a cell replaces an earlier one.
    // The pass never changes a value, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    // Packed counters show the few units that may hold a group.
    std::uint32_t Whole = 0;
    std::array<int, UnitCount> Singles{};
    bool Stray = false;
    std::uint32_t Search = UnitsToSearch(Facts, Snapshot, Whole, Singles, Stray);
    // The cells that a write may have changed so far.
    TCellSet Written;
    bool Changed = false;
    for (; Search != 0; Search &= Search - 1) {
        const int U = std::countr_zero(Search);
        if ((Whole >> U & 1) != 0) {
            // The whole group's write gives every mask back as it was at the
            // start, which changes nothing unless an earlier write did.
            if (!Stray && (Written & UnitSets[U]).Empty()) {
                continue;
            }
            Changed |= WriteWholeGroup(UnitCells[U], Snapshot, Candidates);
        } else if (Singles[U] != 0) {
            Changed |= WriteSingleGroups(UnitCells[U], Singles[U], Snapshot, Candidates);
        } else {
            Changed |=
                U < 18 ? HiddenSubsets<false>(UnitCells[U], Facts.ValueBits, Snapshot, Candidates)
                       : HiddenSubsets<true>(UnitCells[U], Facts.ValueBits, Snapshot, Candidates);
        }
        Written = Written | UnitSets[U];
    }
    return Changed;
}

} // namespace kumoji
