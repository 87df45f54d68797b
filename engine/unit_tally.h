// Every unit tallied in one sweep of the grid, and what an answer step reads from that tally.
#pragma once

#include "engine/lanes.h"
#include "engine/matrix.h"
#include "engine/units.h"

#include <array>
#include <cstdint>

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

// Lanes First, First + 1, ... of a vector tally moved to lane 0 onwards.
template <int First> TTally<TInt4> LanesFrom(const TTally<TInt4>& Tally) {
    constexpr int A = First % 4;
    constexpr int B = (First + 1) % 4;
    constexpr int C = (First + 2) % 4;
    constexpr int D = (First + 3) % 4;
    return {__builtin_shufflevector(Tally.Once, Tally.Once, A, B, C, D),
            __builtin_shufflevector(Tally.Twice, Tally.Twice, A, B, C, D)};
}

// Lanes First to First + Count - 1 of a vector tally as one tally.
template <int First, int Count> TTally<int> FoldLanes(const TTally<TInt4>& Tally) {
    TTally<int> Folded{Tally.Once[First], Tally.Twice[First]};
    for (int K = First + 1; K < First + Count; ++K) {
        Folded.Add(TTally<int>{Tally.Once[K], Tally.Twice[K]});
    }
    return Folded;
}

} // namespace detail

// One sweep row by row tallies every unit. A row's cells are read as lanes
// 0-3, lanes 4-7 and the ninth cell; the same lanes summed over a band give
// its boxes and over the grid the columns, so each word is read once.
inline TUnitTally TallyUnits(const std::array<int, 81>& Words) {
    using detail::FoldLanes;
    using detail::LanesFrom;
    TUnitTally Units;
    auto Store = [&Units](int U, const TTally<int>& Tally) {
        Units.Once[U] = Tally.Once;
        Units.Twice[U] = Tally.Twice;
    };
    TTally<TInt4> ColsLeft;
    TTally<TInt4> ColsRight;
    TTally<int> LastCol;
#pragma GCC unroll 3
    for (int Band = 0; Band < 3; ++Band) {
        TTally<TInt4> Left;
        TTally<TInt4> Right;
        TTally<int> Last;
#pragma GCC unroll 3
        for (int R = 3 * Band; R < 3 * Band + 3; ++R) {
            const int* Line = &Words[CellIndex(0, R)];
            const TInt4 L = LoadLanes(Line);
            const TInt4 H = LoadLanes(Line + 4);
            Left.Add(L);
            Right.Add(H);
            Last.Add(Line[8]);
            // The row: both halves lane by lane, then the lanes halved twice.
            TTally<TInt4> Row{L | H, L & H};
            Row.Add(LanesFrom<2>(Row));
            Row.Add(LanesFrom<1>(Row));
            TTally<int> Whole = FoldLanes<0, 1>(Row);
            Whole.Add(Line[8]);
            Store(RowUnit(R), Whole);
        }
        ColsLeft.Add(Left);
        ColsRight.Add(Right);
        LastCol.Add(Last);
        // Box 0 is lanes 0-2 of the left half, box 1 lane 3 and lanes 0-1 of
        // the right, box 2 lanes 2-3 of the right and the ninth cell.
        TTally<int> Middle = FoldLanes<3, 1>(Left);
        Middle.Add(FoldLanes<0, 2>(Right));
        TTally<int> Far = FoldLanes<2, 2>(Right);
        Far.Add(Last);
        Store(BoxUnit(0, Band), FoldLanes<0, 3>(Left));
        Store(BoxUnit(1, Band), Middle);
        Store(BoxUnit(2, Band), Far);
    }
    for (int C = 0; C < 4; ++C) {
        Store(ColUnit(C), TTally<int>{ColsLeft.Once[C], ColsLeft.Twice[C]});
        Store(ColUnit(C + 4), TTally<int>{ColsRight.Once[C], ColsRight.Twice[C]});
    }
    Store(ColUnit(8), LastCol);
    return Units;
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

private:
    const TMatrix& Grid;
    bool Plain = false;
    TUnitTally Units;
};

// Per unit one bit: the units with exactly one empty cell, read cell by cell.
std::uint32_t UnitsWithOneEmptyCell(const TMatrix& Grid);

} // namespace kumoji
