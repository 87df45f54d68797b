// W-Wing: two apart cells {x,y} joined by x's only two places in a unit; y leaves what sees both.
#include "engine/techniques/digit_places.h"
#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

void FindWWings(const TMatrix& Grid, const TPatternVisit& Visit) {
    const TDigitPlaces Places(Grid);
    std::vector<int> Pairs;
    for (int I = 0; I < 81; ++I) {
        if (Grid.Values[I] == 0 && DigitCount(Grid.Candidates[I]) == 2) {
            Pairs.push_back(I);
        }
    }
    for (std::size_t K = 0; K < Pairs.size(); ++K) {
        for (std::size_t J = K + 1; J < Pairs.size(); ++J) {
            const int W1 = Pairs[K];
            const int W2 = Pairs[J];
            const int Mask = Grid.Candidates[W1];
            if (Grid.Candidates[W2] != Mask || Sees(W1, W2)) {
                continue;
            }
            const int Low = LowestDigit(Mask);
            const int High = LowestDigit(Mask & ~DigitBit(Low));
            for (const auto& [X, Y] : {std::pair{Low, High}, std::pair{High, Low}}) {
                for (int Unit = 0; Unit < UnitCount; ++Unit) {
                    if (!Places.Conjugate(X, Unit)) {
                        continue;
                    }
                    const std::vector<int> Link = CellsAt(Unit, Places.Places[X][Unit]);
                    for (int Turn = 0; Turn < 2; ++Turn) {
                        const int C1 = Link[Turn];
                        const int C2 = Link[1 - Turn];
                        if (C1 == W1 || C1 == W2 || C2 == W1 || C2 == W2 || !Sees(C1, W1) ||
                            !Sees(C2, W2)) {
                            continue;
                        }
                        TPattern Pattern = PatternOf(smWWing, {X, Y}, {W1, C1, C2, W2}, {Unit});
                        Pattern.Removes = RemovalsSeenBy(Grid, Y, {W1, W2}, {W1, W2});
                        if (!Pattern.Removes.empty() && Visit(Pattern)) {
                            return;
                        }
                        // The other way round finds the same pattern.
                        break;
                    }
                }
            }
        }
    }
}

bool ApplyWWing(TMatrix& Grid) {
    return ApplyPatterns(Grid, smWWing);
}

} // namespace kumoji
