// Every unit tallied in one sweep of the grid, and what an answer step reads from that tally.
#pragma once

#include "engine/grid/matrix.h"
#include "engine/grid/units.h"
#include "engine/lanes/lanes.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace kumoji {

// What the cells of a unit set: every bit once, and those set again.
template <typename T> struct TTally {
    T Once = {};
    T Twice = {};

    void Add(T Word) {
        Twice |= Once & Word;
        Once |= Word;
    }
    void Add(const TTally& Part) {
        Twice |= Part.Twice | (Once & Part.Once);
        Once |= Part.Once;
    }
};

// Per unit, the bits that its cells' words set once or more and those set
// twice or more.
struct TUnitTally {
    std::array<int, UnitCount> Once;
    std::array<int, UnitCount> Twice;
};

namespace detail {

// A 4x4 matrix given by its rows, turned into its columns.
inline std::array<TInt4, 4> Transpose(TInt4 A, TInt4 B, TInt4 C, TInt4 D) {
    const TInt4 AB01 = __builtin_shufflevector(A, B, 0, 4, 1, 5);
    const TInt4 AB23 = __builtin_shufflevector(A, B, 2, 6, 3, 7);
    const TInt4 CD01 = __builtin_shufflevector(C, D, 0, 4, 1, 5);
    const TInt4 CD23 = __builtin_shufflevector(C, D, 2, 6, 3, 7);
    return {__builtin_shufflevector(AB01, CD01, 0, 1, 4, 5),
            __builtin_shufflevector(AB01, CD01, 2, 3, 6, 7),
            __builtin_shufflevector(AB23, CD23, 0, 1, 4, 5),
            __builtin_shufflevector(AB23, CD23, 2, 3, 6, 7)};
}

// Four vector tallies turned the same way: lane K of tally J is lane J of
// tally K.
inline std::array<TTally<TInt4>, 4> Transpose(const std::array<TTally<TInt4>, 4>& Tallies) {
    const auto Once = Transpose(Tallies[0].Once, Tallies[1].Once, Tallies[2].Once, Tallies[3].Once);
    const auto Twice =
        Transpose(Tallies[0].Twice, Tallies[1].Twice, Tallies[2].Twice, Tallies[3].Twice);
    return {TTally<TInt4>{Once[0], Twice[0]}, TTally<TInt4>{Once[1], Twice[1]},
            TTally<TInt4>{Once[2], Twice[2]}, TTally<TInt4>{Once[3], Twice[3]}};
}

// Vector tallies summed lane by lane.
inline TTally<TInt4> Sum(const TTally<TInt4>& A, const TTally<TInt4>& B, const TTally<TInt4>& C) {
    TTally<TInt4> Total = A;
    Total.Add(B);
    Total.Add(C);
    return Total;
}

// The four lanes of a vector tally stored as units First to First + 3.
inline void StoreLanes(TUnitTally& Units, int First, const TTally<TInt4>& Tally) {
    std::memcpy(&Units.Once[First], &Tally.Once, sizeof Tally.Once);
    std::memcpy(&Units.Twice[First], &Tally.Twice, sizeof Tally.Twice);
}

// Four rows' tallies, lane by lane over their halves, folded a row a lane,
// with the ninth cells.
inline TTally<TInt4> FoldRows(const TTally<TInt4>& A, const TTally<TInt4>& B,
                              const TTally<TInt4>& C, const TTally<TInt4>& D, TInt4 Ninth) {
    const auto Lanes = Transpose({A, B, C, D});
    TTally<TInt4> Rows = Sum(Lanes[0], Lanes[1], Lanes[2]);
    Rows.Add(Lanes[3]);
    Rows.Add(Ninth);
    return Rows;
}

} // namespace detail

// One sweep row by row tallies every unit. A row's cells are read as lanes
// 0-3, lanes 4-7 and the ninth cell; the lanes summed over a band give its
// boxes and over the grid the columns. Rows and boxes are then folded four
// at a time by turning their lanes into units, so each word is read once.
inline void TallyUnits(const std::array<int, 81>& Words, TUnitTally& Units) {
    using detail::FoldRows;
    using detail::StoreLanes;
    using detail::Sum;
    using detail::Transpose;
    std::array<TTally<TInt4>, 9> Rows;
    std::array<TTally<TInt4>, 4> Left{};
    std::array<TTally<TInt4>, 4> Right{};
    std::array<TTally<int>, 3> Last{};
    auto NinthCells = [&Words](int First) {
        return TInt4{Words[CellIndex(8, First)], Words[CellIndex(8, First + 1)],
                     Words[CellIndex(8, First + 2)], Words[CellIndex(8, First + 3)]};
    };
#pragma GCC unroll 9
    for (int R = 0; R < 9; ++R) {
        const int* Line = &Words[CellIndex(0, R)];
        const TInt4 L = LoadLanes(Line);
        const TInt4 H = LoadLanes(Line + 4);
        Left[R / 3].Add(L);
        Right[R / 3].Add(H);
        Last[R / 3].Add(Line[8]);
        Rows[R] = TTally<TInt4>{L | H, L & H};
        // Each four rows folded as soon as they are read.
        if (R % 4 == 3) {
            StoreLanes(Units, RowUnit(R - 3),
                       FoldRows(Rows[R - 3], Rows[R - 2], Rows[R - 1], Rows[R], NinthCells(R - 3)));
        }
    }
    // Row 8 alone: its lanes halved twice.
    TTally<TInt4> Eight = Rows[8];
    Eight.Add(TTally<TInt4>{__builtin_shufflevector(Eight.Once, Eight.Once, 2, 3, 2, 3),
                            __builtin_shufflevector(Eight.Twice, Eight.Twice, 2, 3, 2, 3)});
    TTally<int> Row8{Eight.Once[0], Eight.Twice[0]};
    Row8.Add(TTally<int>{Eight.Once[1], Eight.Twice[1]});
    Row8.Add(Words[80]);
    Units.Once[RowUnit(8)] = Row8.Once;
    Units.Twice[RowUnit(8)] = Row8.Twice;
    // Columns: the bands' lanes summed.
    StoreLanes(Units, ColUnit(0), Sum(Left[0], Left[1], Left[2]));
    StoreLanes(Units, ColUnit(4), Sum(Right[0], Right[1], Right[2]));
    TTally<int> LastCol = Last[0];
    LastCol.Add(Last[1]);
    LastCol.Add(Last[2]);
    Units.Once[ColUnit(8)] = LastCol.Once;
    Units.Twice[ColUnit(8)] = LastCol.Twice;
    // Boxes a band a lane: left lanes 0-2 make the first stack, left lane 3
    // and right lanes 0-1 the second, right lanes 2-3 and the ninth cells
    // the third.
    const auto L = Transpose(Left);
    const auto H = Transpose(Right);
    const TTally<TInt4> Ninth{TInt4{Last[0].Once, Last[1].Once, Last[2].Once, 0},
                              TInt4{Last[0].Twice, Last[1].Twice, Last[2].Twice, 0}};
    const std::array<TTally<TInt4>, 3> Stacks = {Sum(L[0], L[1], L[2]), Sum(L[3], H[0], H[1]),
                                                 Sum(H[2], H[3], Ninth)};
    // Turned again, lane K of each is a box of band K, stacks in order.
    const auto Bands = Transpose({Stacks[0], Stacks[1], Stacks[2], TTally<TInt4>{}});
    for (int Band = 0; Band < 3; ++Band) {
        std::memcpy(&Units.Once[BoxUnit(0, Band)], &Bands[Band].Once, 3 * sizeof(int));
        std::memcpy(&Units.Twice[BoxUnit(0, Band)], &Bands[Band].Twice, 3 * sizeof(int));
    }
}

// What an answer step asks of the whole grid before it looks for a move, all
// read from one tally of every unit. A grid with a value outside 0..9, a mask
// outside the nine digits or a filled cell that still has candidates is read
// the plain way instead, so every answer is the plain one.
class TGridTally {
public:
    explicit TGridTally(const TMatrix& Grid);

    // As Grid.CheckState().
    int State() const;
    // Per unit one bit: the units with exactly one empty cell.
    std::uint32_t UnitsWithOneEmptyCell() const;
    // As SinglePlacesByUnit(Grid).
    std::array<int, UnitCount> SinglePlaces() const;
    // Per unit, the digits its cells hold (a value outside 1..9 holds none).
    std::array<int, UnitCount> HeldDigits() const;

private:
    const TMatrix& Grid;
    bool Plain = false;
    TUnitTally Units;
};

// Per unit one bit: the units with exactly one empty cell, read cell by cell.
std::uint32_t UnitsWithOneEmptyCell(const TMatrix& Grid);

} // namespace kumoji
