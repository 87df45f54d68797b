// Simple colouring: a digit's conjugate pairs coloured in two colours along a chain.
#include "engine/techniques/digit_places.h"
#include "engine/techniques/pattern_techniques.h"

#include <algorithm>

namespace kumoji {

namespace {

struct TLink {
    int A;
    int B;
    int Unit;
};

// The chain through Start: its cells ascending, their colours (the first
// cell's 0) and its links as indexes into the cells.
TPattern Chain(int Digit, int Start, const std::vector<TLink>& Links, std::array<bool, 81>& Seen) {
    std::array<int, 81> Colour{};
    std::vector<int> Cells{Start};
    Colour[Start] = 0;
    Seen[Start] = true;
    for (std::size_t Next = 0; Next < Cells.size(); ++Next) {
        const int Cell = Cells[Next];
        for (const TLink& Link : Links) {
            const int Other = Link.A == Cell ? Link.B : Link.B == Cell ? Link.A : -1;
            if (Other >= 0 && !Seen[Other]) {
                Seen[Other] = true;
                Colour[Other] = 1 - Colour[Cell];
                Cells.push_back(Other);
            }
        }
    }
    std::sort(Cells.begin(), Cells.end());
    // Start is the chain's lowest cell, so it is first and keeps colour 0.
    TPattern Pattern = PatternOf(smSimpleColouring, {Digit}, Cells);
    const auto IndexOf = [&](int Cell) {
        return static_cast<int>(std::find(Cells.begin(), Cells.end(), Cell) - Cells.begin());
    };
    for (int Cell : Cells) {
        Pattern.Colours.push_back(Colour[Cell]);
    }
    for (const TLink& Link : Links) {
        if (std::binary_search(Cells.begin(), Cells.end(), Link.A)) {
            const int I = IndexOf(Link.A);
            const int J = IndexOf(Link.B);
            Pattern.Links.push_back({std::min(I, J), std::max(I, J), Link.Unit});
        }
    }
    std::sort(Pattern.Links.begin(), Pattern.Links.end(),
              [](const auto& L, const auto& R) { return L[2] < R[2]; });
    return Pattern;
}

// What the chain takes: a colour with two cells that see each other is
// false in every cell; otherwise a cell outside that sees both colours.
std::vector<TCandidate> ColouringRemovals(const TMatrix& Grid, const TPattern& Chain) {
    const int Digit = Chain.Digits[0];
    const std::size_t Count = Chain.Cells.size();
    for (int Colour : {0, 1}) {
        for (std::size_t K = 0; K < Count; ++K) {
            for (std::size_t J = K + 1; J < Count; ++J) {
                if (Chain.Colours[K] == Colour && Chain.Colours[J] == Colour &&
                    Sees(Chain.Cells[K], Chain.Cells[J])) {
                    std::array<bool, 81> Taken{};
                    for (std::size_t N = 0; N < Count; ++N) {
                        Taken[Chain.Cells[N]] = Chain.Colours[N] == Colour;
                    }
                    return RemovalsOf(Grid, Taken, Digit);
                }
            }
        }
    }
    std::array<bool, 81> Taken{};
    std::array<bool, 81> InChain{};
    for (int Cell : Chain.Cells) {
        InChain[Cell] = true;
    }
    for (int I = 0; I < 81; ++I) {
        bool SeesColour[2] = {false, false};
        for (std::size_t K = 0; K < Count && !InChain[I]; ++K) {
            SeesColour[Chain.Colours[K]] |= Sees(I, Chain.Cells[K]);
        }
        Taken[I] = SeesColour[0] && SeesColour[1];
    }
    return RemovalsOf(Grid, Taken, Digit);
}

} // namespace

void FindSimpleColouring(const TMatrix& Grid, const TPatternVisit& Visit) {
    const TDigitPlaces Places(Grid);
    for (int Digit = 1; Digit <= 9; ++Digit) {
        std::vector<TLink> Links;
        std::array<bool, 81> Linked{};
        for (int Unit = 0; Unit < UnitCount; ++Unit) {
            if (Places.Conjugate(Digit, Unit)) {
                const std::vector<int> Pair = CellsAt(Unit, Places.Places[Digit][Unit]);
                Links.push_back({Pair[0], Pair[1], Unit});
                Linked[Pair[0]] = Linked[Pair[1]] = true;
            }
        }
        std::array<bool, 81> Seen{};
        for (int Start = 0; Start < 81; ++Start) {
            if (!Linked[Start] || Seen[Start]) {
                continue;
            }
            TPattern Pattern = Chain(Digit, Start, Links, Seen);
            Pattern.Removes = ColouringRemovals(Grid, Pattern);
            if (!Pattern.Removes.empty() && Visit(Pattern)) {
                return;
            }
        }
    }
}

bool ApplySimpleColouring(TMatrix& Grid) {
    return ApplyPatterns(Grid, smSimpleColouring);
}

} // namespace kumoji
