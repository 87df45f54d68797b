// XY-Wing: a pivot {x,y} seeing pincers {x,z} and {y,z}; z leaves what sees both pincers.
#include "engine/techniques/digit_places.h"
#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

void FindXYWings(const TMatrix& Grid, const TPatternVisit& Visit) {
    std::vector<int> Pairs;
    for (int I = 0; I < 81; ++I) {
        if (Grid.Values[I] == 0 && DigitCount(Grid.Candidates[I]) == 2) {
            Pairs.push_back(I);
        }
    }
    for (int Pivot : Pairs) {
        const int Mask = Grid.Candidates[Pivot];
        const int X = LowestDigit(Mask);
        const int Y = LowestDigit(Mask & ~DigitBit(X));
        for (int A : Pairs) {
            const int AMask = Grid.Candidates[A];
            if (!Sees(Pivot, A) || (AMask & DigitBit(X)) == 0 || (AMask & DigitBit(Y)) != 0) {
                continue;
            }
            const int Z = LowestDigit(AMask & ~DigitBit(X));
            for (int B : Pairs) {
                if (B == A || !Sees(Pivot, B) ||
                    Grid.Candidates[B] != (DigitBit(Y) | DigitBit(Z))) {
                    continue;
                }
                TPattern Pattern = PatternOf(smXYWing, {X, Y, Z}, {Pivot, A, B});
                Pattern.Removes = RemovalsSeenBy(Grid, Z, {A, B}, {Pivot, A, B});
                if (!Pattern.Removes.empty() && Visit(Pattern)) {
                    return;
                }
            }
        }
    }
}

bool ApplyXYWing(TMatrix& Grid) {
    return ApplyPatterns(Grid, smXYWing);
}

} // namespace kumoji
