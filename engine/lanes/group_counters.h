// Counters that tell which units may hold a group of hidden digits, eight units at a time.
#pragma once

#include "engine/grid/digit_mask.h"
#include "engine/lanes/unit_lanes.h"
#include "engine/lanes/unit_sums.h"

#include <array>
#include <bit>

namespace kumoji {

// From per-digit counts a few word operations rule out most units before
// any search. Every test here only rules out: a unit it keeps may still
// hold nothing.

// Per digit, how many of nine masks hold it, as four bit planes: bit d - 1 of
// Plane[b] is bit b of digit d's count. T is an int for one unit or a lane
// vector for eight, whose lanes never mix.
template <typename T> struct TDigitCounts {
    T Plane[4] = {};

    // The digits of each count 0..9: the two low bits pick one of four sets,
    // the two high ones one of three (a count is at most nine).
    std::array<T, 10> ByCount() const {
        const T Low[4] = {~Plane[0] & ~Plane[1], Plane[0] & ~Plane[1], ~Plane[0] & Plane[1],
                          Plane[0] & Plane[1]};
        const T UpTo7 = ~Plane[3] & AllDigits;
        const T Below4 = UpTo7 & ~Plane[2];
        const T From4 = UpTo7 & Plane[2];
        const T From8 = Plane[3] & ~Plane[2] & AllDigits;
        return {Low[0] & Below4, Low[1] & Below4, Low[2] & Below4, Low[3] & Below4, Low[0] & From4,
                Low[1] & From4,  Low[2] & From4,  Low[3] & From4,  Low[0] & From8,  Low[1] & From8};
    }

    // The digits of count one or more.
    T Admitted() const { return Plane[0] | Plane[1] | Plane[2] | Plane[3]; }
};

// A tree of carry-save adders sums nine masks for all digits at once.
template <typename T> TDigitCounts<T> CountDigits(const T* Masks) {
    // Three masks into a sum bit and a carry bit of the next weight.
    auto Add3 = [](T A, T B, T C, T& Sum, T& Carry) {
        const T Half = A ^ B;
        Sum = Half ^ C;
        Carry = (A & B) | (Half & C);
    };
    TDigitCounts<T> Counts;
    T Ones[3];
    T Twos[3];
    for (int K = 0; K < 3; ++K) {
        Add3(Masks[3 * K], Masks[3 * K + 1], Masks[3 * K + 2], Ones[K], Twos[K]);
    }
    T TwosFromOnes;
    T TwosSum;
    T Fours;
    Add3(Ones[0], Ones[1], Ones[2], Counts.Plane[0], TwosFromOnes);
    Add3(Twos[0], Twos[1], Twos[2], TwosSum, Fours);
    Counts.Plane[1] = TwosFromOnes ^ TwosSum;
    const T MoreFours = TwosFromOnes & TwosSum;
    Counts.Plane[2] = Fours ^ MoreFours;
    Counts.Plane[3] = Fours & MoreFours;
    return Counts;
}

// Each lane with its lowest set bit cleared Times times.
inline TShort8 DropLowest(TShort8 Lanes, int Times) {
    for (int K = 0; K < Times; ++K) {
        Lanes &= Lanes - 1;
    }
    return Lanes;
}

// A group of N digits needs N digits of count N: per lane, bit N for each N
// that has them.
inline TShort8 GroupSizeLanes(const std::array<TShort8, 10>& ByCount) {
    TShort8 Sizes = (ByCount[9] == AllDigits) & (1 << 9);
    // Up to five: some digit is left after dropping N - 1.
    for (int N = 1; N <= 5; ++N) {
        Sizes |= (DropLowest(ByCount[N], N - 1) != 0) & static_cast<short>(1 << N);
    }
    // From six up fewer steps count the other digits: at most 9 - N of them.
    for (int N = 6; N <= 8; ++N) {
        Sizes |= (DropLowest(ByCount[N] ^ AllDigits, 9 - N) == 0) & static_cast<short>(1 << N);
    }
    return Sizes;
}

// A group of eight digits leaves the unit's ninth cell at most the ninth
// digit: per lane, all ones where some cell has at most one candidate.
inline TShort8 LanesWithNarrowCell(const std::array<TShort8, 9>& Cells) {
    TShort8 Narrow{};
    for (const TShort8& Position : Cells) {
        Narrow |= (Position & (Position - 1)) == 0;
    }
    return Narrow;
}

// A unit's cells by candidate count (see CellsByCount) from its lane, whose
// masks are cut to the nine digits, summed upwards: six-bit field K counts
// the cells with at most K candidates.
inline TPackedCounts CellsUpToCount(const TUnitLanes& Units, int Group, int Lane) {
    TPackedCounts Cells = 0;
    for (int P = 0; P < 9; ++P) {
        Cells += CellsByCount[static_cast<std::uint16_t>(Units.Cells[Group][P][Lane])];
    }
    // Times a one in every field: each field gathers those below it.
    return Cells * 0x041041041041041;
}

// A finer test for a unit with N digits of count N: the group's N places
// each admit all N of its digits, and the unit's other open cells admit none
// of them, so they make do with the d - N digits left (d is the number the
// unit admits). So at most 9 - N cells have fewer than N candidates, and at
// least 9 - N (the closed ones among them) have at most d - N. Sparse
// positions have many units where many digits share a count but no such
// cells exist.
inline bool MayFitGroup(TPackedCounts UpTo, int Sizes, int Digits) {
    auto AtMost = [UpTo](int K) { return static_cast<int>(UpTo >> (6 * K) & 63); };
    for (int Rest = Sizes; Rest != 0; Rest &= Rest - 1) {
        const int N = std::countr_zero(static_cast<unsigned>(Rest));
        if (AtMost(N - 1) <= 9 - N && AtMost(Digits - N) >= 9 - N) {
            return true;
        }
    }
    return false;
}

} // namespace kumoji
