// Every unit's nine cells side by side: eight units to a vector, one vector per position.
#pragma once

#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kumoji {

// Eight sixteen-bit lanes, a unit each: a test written once for a vector
// runs on eight units at the cost of one.
using TShort8 = short __attribute__((vector_size(16)));

// The 27 units as four groups of eight lanes: rows 0-7, columns 0-7, eight
// boxes, then row 8, column 8 and the last box with five idle lanes that
// hold zeros. Position P of a lane is its unit's cell at position P.
inline constexpr int LaneGroups = 4;

struct TUnitLanes {
    std::array<std::array<TShort8, 9>, LaneGroups> Cells;
};

// The unit of each lane, -1 for an idle one. A box lane is 3 * BoxCol +
// BoxRow, so that a box row's three boxes sit three lanes apart, as their
// cells do in a row.
inline constexpr std::array<std::array<signed char, 8>, LaneGroups> LaneUnit = [] {
    std::array<std::array<signed char, 8>, LaneGroups> Table{};
    for (int L = 0; L < 8; ++L) {
        Table[0][L] = static_cast<signed char>(RowUnit(L));
        Table[1][L] = static_cast<signed char>(ColUnit(L));
        Table[2][L] = static_cast<signed char>(BoxUnit(L / 3, L % 3));
        Table[3][L] = -1;
    }
    Table[3][0] = static_cast<signed char>(RowUnit(8));
    Table[3][1] = static_cast<signed char>(ColUnit(8));
    Table[3][2] = static_cast<signed char>(BoxUnit(2, 2));
    return Table;
}();

// The lanes of a vector whose lane is not zero, as bits 0..7.
inline int LaneBits(TShort8 Lanes) {
#if defined(__SSE2__)
    const __m128i Set = _mm_cmpeq_epi16(reinterpret_cast<__m128i>(Lanes), _mm_setzero_si128());
    return ~_mm_movemask_epi8(_mm_packs_epi16(Set, Set)) & 255;
#else
    int Bits = 0;
    for (int L = 0; L < 8; ++L) {
        Bits |= (Lanes[L] != 0) << L;
    }
    return Bits;
#endif
}

// Each lane's number of set bits, for lanes below 2^15: bits summed in
// pairs, then nibbles, then bytes.
inline TShort8 LaneBitCounts(TShort8 Lanes) {
    Lanes -= (Lanes >> 1) & 0x5555;
    Lanes = (Lanes & 0x3333) + ((Lanes >> 2) & 0x3333);
    Lanes = (Lanes + (Lanes >> 4)) & 0x0F0F;
    return (Lanes + (Lanes >> 8)) & 0x1F;
}

// The units of a group's lane bits, as bits of the unit numbers.
inline std::uint32_t UnitsOfLanes(int Group, int Lanes) {
    std::uint32_t Units = 0;
    for (; Lanes != 0; Lanes &= Lanes - 1) {
        Units |=
            std::uint32_t{1} << LaneUnit[Group][std::countr_zero(static_cast<unsigned>(Lanes))];
    }
    return Units;
}

namespace detail {

// Eight consecutive shorts from any address.
inline TShort8 LoadShorts(const short* From) {
    TShort8 Lanes;
    std::memcpy(&Lanes, From, sizeof Lanes);
    return Lanes;
}

// Eight ints cut to shorts; the caller keeps them below 2^15.
inline TShort8 PackShorts(const int* From) {
#if defined(__SSE2__)
    __m128i Low;
    __m128i High;
    std::memcpy(&Low, From, sizeof Low);
    std::memcpy(&High, From + 4, sizeof High);
    return reinterpret_cast<TShort8>(_mm_packs_epi32(Low, High));
#else
    TShort8 Lanes;
    for (int L = 0; L < 8; ++L) {
        Lanes[L] = static_cast<short>(From[L]);
    }
    return Lanes;
#endif
}

// Rows 0-7 of an 8x8 block turned into its columns.
inline std::array<TShort8, 8> Transpose(const std::array<TShort8, 8>& Rows) {
    std::array<TShort8, 8> Pairs;
    for (int K = 0; K < 4; ++K) {
        Pairs[2 * K] =
            __builtin_shufflevector(Rows[2 * K], Rows[2 * K + 1], 0, 8, 1, 9, 2, 10, 3, 11);
        Pairs[2 * K + 1] =
            __builtin_shufflevector(Rows[2 * K], Rows[2 * K + 1], 4, 12, 5, 13, 6, 14, 7, 15);
    }
    using TInt4 = int __attribute__((vector_size(16)));
    std::array<TInt4, 8> Quads;
    for (int K = 0; K < 2; ++K) {
        for (int H = 0; H < 2; ++H) {
            const TInt4 A = reinterpret_cast<TInt4>(Pairs[4 * K + H]);
            const TInt4 B = reinterpret_cast<TInt4>(Pairs[4 * K + 2 + H]);
            Quads[4 * K + 2 * H] = __builtin_shufflevector(A, B, 0, 4, 1, 5);
            Quads[4 * K + 2 * H + 1] = __builtin_shufflevector(A, B, 2, 6, 3, 7);
        }
    }
    using TLong2 = long long __attribute__((vector_size(16)));
    std::array<TShort8, 8> Cols;
    for (int K = 0; K < 4; ++K) {
        const TLong2 A = reinterpret_cast<TLong2>(Quads[K]);
        const TLong2 B = reinterpret_cast<TLong2>(Quads[4 + K]);
        Cols[2 * K] = reinterpret_cast<TShort8>(__builtin_shufflevector(A, B, 0, 2));
        Cols[2 * K + 1] = reinterpret_cast<TShort8>(__builtin_shufflevector(A, B, 1, 3));
    }
    return Cols;
}

} // namespace detail

// Where each cell lies on the lanes: its row's, column's and box's group,
// position and lane.
struct TLaneSlot {
    unsigned char Group, Position, Lane;
};
inline constexpr std::array<std::array<TLaneSlot, 3>, 81> CellSlots = [] {
    std::array<std::array<TLaneSlot, 3>, 81> Table{};
    for (int G = 0; G < LaneGroups; ++G) {
        for (int L = 0; L < 8; ++L) {
            if (LaneUnit[G][L] < 0) {
                continue;
            }
            const int U = LaneUnit[G][L];
            const int Kind = U < 9 ? 0 : U < 18 ? 1 : 2;
            for (int P = 0; P < 9; ++P) {
                Table[UnitCells[U][P]][Kind] =
                    TLaneSlot{static_cast<unsigned char>(G), static_cast<unsigned char>(P),
                              static_cast<unsigned char>(L)};
            }
        }
    }
    return Table;
}();

// A cell's word put in its three places on the lanes.
inline void SetOnLanes(TUnitLanes& Units, int Cell, short Word) {
    for (const TLaneSlot& Slot : CellSlots[Cell]) {
        Units.Cells[Slot.Group][Slot.Position][Slot.Lane] = Word;
    }
}

// Each unit's word (below 2^15) on its lane, so that per-unit facts meet
// the lanes: rows and columns lie in order, so their words are cut to
// shorts eight at a time.
inline std::array<TShort8, LaneGroups> OnLanes(const std::array<int, UnitCount>& Words) {
    std::array<TShort8, LaneGroups> Lanes;
    Lanes[0] = detail::PackShorts(&Words[RowUnit(0)]);
    Lanes[1] = detail::PackShorts(&Words[ColUnit(0)]);
    for (int L = 0; L < 8; ++L) {
        Lanes[2][L] = static_cast<short>(Words[LaneUnit[2][L]]);
    }
    Lanes[3] = TShort8{static_cast<short>(Words[LaneUnit[3][0]]),
                       static_cast<short>(Words[LaneUnit[3][1]]),
                       static_cast<short>(Words[LaneUnit[3][2]]),
                       0,
                       0,
                       0,
                       0,
                       0};
    return Lanes;
}

// The units of a grid of words, each cut to Keep (below 2^15).
inline TUnitLanes SpreadOverUnits(const std::array<int, 81>& Words, int Keep = AllDigits) {
    using detail::LoadShorts;
    // The grid as shorts, padded so that any eight cells from a row start load.
    alignas(16) short Grid[88] = {};
    for (int I = 0; I < 80; I += 8) {
        int Cut[8];
        for (int K = 0; K < 8; ++K) {
            Cut[K] = Words[I + K] & Keep;
        }
        const TShort8 Lanes = detail::PackShorts(Cut);
        std::memcpy(&Grid[I], &Lanes, sizeof Lanes);
    }
    Grid[80] = static_cast<short>(Words[80] & Keep);

    TUnitLanes Units;
    std::array<TShort8, 8> Rows;
    for (int R = 0; R < 9; ++R) {
        // Row R's first eight cells are position R of columns 0-7.
        Units.Cells[1][R] = LoadShorts(&Grid[CellIndex(0, R)]);
        if (R < 8) {
            Rows[R] = Units.Cells[1][R];
        }
    }
    const std::array<TShort8, 8> Cols = detail::Transpose(Rows);
    for (int C = 0; C < 8; ++C) {
        Units.Cells[0][C] = Cols[C];
    }
    for (int R = 0; R < 8; ++R) {
        Units.Cells[0][8][R] = Grid[CellIndex(8, R)];
    }
    // A box row's boxes are three lanes apart, as their cells are in a row:
    // one load per box row, shifted so its boxes land on their lanes.
    constexpr TShort8 BoxRowLanes[3] = {
        {-1, 0, 0, -1, 0, 0, -1, 0}, {0, -1, 0, 0, -1, 0, 0, -1}, {0, 0, -1, 0, 0, -1, 0, 0}};
    for (int P = 0; P < 9; ++P) {
        const int I = P / 3;
        const int J = P % 3;
        TShort8 Lanes{};
        for (int Band = 0; Band < 3; ++Band) {
            // Lane 3 * BoxCol + Band holds column 3 * BoxCol + J.
            Lanes |= LoadShorts(&Grid[CellIndex(J - Band, 3 * Band + I)]) & BoxRowLanes[Band];
        }
        Units.Cells[2][P] = Lanes;
    }
    for (int P = 0; P < 9; ++P) {
        Units.Cells[3][P] = TShort8{Grid[CellIndex(P, 8)],
                                    Grid[CellIndex(8, P)],
                                    Grid[CellIndex(6 + P % 3, 6 + P / 3)],
                                    0,
                                    0,
                                    0,
                                    0,
                                    0};
    }
    return Units;
}

} // namespace kumoji
