// Packed counters that tell which units may hold a group of hidden digits.
#pragma once

#include "engine/digit_mask.h"
#include "engine/unit_sums.h"

#include <array>
#include <bit>

namespace kumoji {

// Summed over a unit's cells, these count per digit how many cells admit
// it; from those counts a few word operations rule out most units before
// any search. Every test here only rules out: a unit it keeps may still
// hold nothing.

// Per candidate mask, a one in the four-bit field of each of its digits, and
// in field 9 when it admits anything: summed over a unit, field d - 1 counts
// the unit's cells that admit d and field 9 those that admit some digit.
inline constexpr int OpenField = 9;
inline constexpr TPackedCounts DigitFieldsOnly = (TPackedCounts{1} << (4 * OpenField)) - 1;
inline constexpr auto DigitFields = [] {
    std::array<TPackedCounts, AllDigits + 1> Table{};
    for (int Mask = 0; Mask <= AllDigits; ++Mask) {
        for (int D = 0; D < 9; ++D) {
            Table[Mask] |= TPackedCounts(Mask >> D & 1) << (4 * D);
        }
        Table[Mask] |= TPackedCounts(Mask != 0) << (4 * OpenField);
    }
    return Table;
}();

// For two digits' counts (one byte of those fields), a one in the six-bit
// field of each count: summed, field N tells how many digits have count N.
inline constexpr auto CountFields = [] {
    std::array<TPackedCounts, 256> Table{};
    for (int Pair = 0; Pair < 256; ++Pair) {
        for (const int Count : {Pair & 15, Pair >> 4}) {
            Table[Pair] += Count <= 9 ? TPackedCounts{1} << (6 * Count) : 0;
        }
    }
    return Table;
}();

// How many of a unit's digits have each count, from its digit fields.
inline TPackedCounts CountsOfCounts(TPackedCounts Fields) {
    TPackedCounts Counts = 0;
#pragma GCC unroll 5
    for (int Pair = 0; Pair < 5; ++Pair) {
        Counts += CountFields[(Fields & DigitFieldsOnly) >> (8 * Pair) & 255];
    }
    // The tenth field, cleared above, is no digit: it counted once as count 0.
    return Counts - 1;
}

// A group of N digits needs N digits of count N: adding 32 - N to field N
// sets its top bit exactly when the field holds N or more.
inline constexpr TPackedCounts ReachOffset = [] {
    TPackedCounts Sum = 0;
    for (int N = 1; N <= 9; ++N) {
        Sum += TPackedCounts(32 - N) << (6 * N);
    }
    return Sum;
}();
inline constexpr TPackedCounts ReachBits = [] {
    TPackedCounts Bits = 0;
    for (int N = 1; N <= 9; ++N) {
        Bits |= TPackedCounts{32} << (6 * N);
    }
    return Bits;
}();

inline bool MayHoldGroup(TPackedCounts CountsOfCounts) {
    return ((CountsOfCounts + ReachOffset) & ReachBits) != 0;
}

// The same for groups of two digits or more.
inline constexpr TPackedCounts PairsAndUp = ReachBits & ~(TPackedCounts{32} << 6);
inline bool MayHoldWiderGroup(TPackedCounts CountsOfCounts) {
    return ((CountsOfCounts + ReachOffset) & PairsAndUp) != 0;
}

// The digits a unit admits in exactly one cell, from its digit fields.
inline int DigitsOfCountOne(TPackedCounts Fields) {
    int Digits = 0;
    for (int D = 0; D < 9; ++D) {
        Digits |= (Fields >> (4 * D) & 15) == 1 ? 1 << D : 0;
    }
    return Digits;
}

// The sum of all six-bit fields of a word whose fields add up to less than 64.
inline int SumOfFields(TPackedCounts Fields) {
    return static_cast<int>(Fields * 0x041041041041041 >> 54 & 63);
}

// The fields 0..K of a six-bit field word; none for a negative K.
inline TPackedCounts FieldsUpTo(TPackedCounts Fields, int K) {
    return K < 0 ? 0 : K >= 9 ? Fields : Fields & ((TPackedCounts{1} << (6 * (K + 1))) - 1);
}

// A finer test for a unit with N digits of count N: the group's N places
// each admit all N of its digits, and the unit's other open cells admit none
// of them, so they make do with the digits left. Sparse positions have many
// units where many digits share a count but no such cells exist.
inline bool MayFitGroup(const TUnitCells& Unit, const std::array<int, 81>& Snapshot,
                        TPackedCounts CountsOfCounts) {
    TPackedCounts Cells = 0;
    for (const int I : Unit) {
        Cells += CellsByCount[Snapshot[I] & AllDigits];
    }
    const int Open = 9 - static_cast<int>(Cells & 63);
    const int Digits = 9 - static_cast<int>(CountsOfCounts & 63);
    // Only the counts N that have N digits.
    for (TPackedCounts Rest = (CountsOfCounts + ReachOffset) & ReachBits; Rest != 0;
         Rest &= Rest - 1) {
        const int N = std::countr_zero(Rest) / 6;
        const int Wide = SumOfFields(Cells >> (6 * N)); // N digits or more
        const int Narrow =
            SumOfFields(FieldsUpTo(Cells, Digits - N) & ~TPackedCounts{63}); // 1..d-N
        if (Wide >= N && Narrow >= Open - N) {
            return true;
        }
    }
    return false;
}

// A unit whose N open cells each admit some of N digits that every one of
// those cells admits: the whole unit is its one group, and its write (which
// can undo an earlier unit's) must happen.
inline bool IsWholeGroup(TPackedCounts Fields, TPackedCounts CountsOfCounts) {
    const int Open = static_cast<int>(Fields >> (4 * OpenField) & 15);
    return Open > 0 &&
           CountsOfCounts == (TPackedCounts(9 - Open) | TPackedCounts(Open) << (6 * Open));
}

} // namespace kumoji
