// XYZ-Wing: a pivot {x,y,z} seeing pincers {x,z} and {y,z}; z leaves what sees all three.
#include "engine/techniques/digit_places.h"
#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

void FindXYZWings(const TMatrix& Grid, const TPatternVisit& Visit) {
    std::vector<int> Pairs;
    std::vector<int> Triples;
    for (int I = 0; I < 81; ++I) {
        const int Count = Grid.Values[I] == 0 ? DigitCount(Grid.Candidates[I]) : 0;
        if (Count == 2) {
            Pairs.push_back(I);
        } else if (Count == 3) {
            Triples.push_back(I);
        }
    }
    for (int Pivot : Triples) {
        const int Mask = Grid.Candidates[Pivot];
        for (int Z = 1; Z <= 9; ++Z) {
            if ((Mask & DigitBit(Z)) == 0) {
                continue;
            }
            const int Rest = Mask & ~DigitBit(Z);
            const int X = LowestDigit(Rest);
            const int Y = LowestDigit(Rest & ~DigitBit(X));
            for (int A : Pairs) {
                if (!Sees(Pivot, A) || Grid.Candidates[A] != (DigitBit(X) | DigitBit(Z))) {
                    continue;
                }
                for (int B : Pairs) {
                    if (!Sees(Pivot, B) || Grid.Candidates[B] != (DigitBit(Y) | DigitBit(Z))) {
                        continue;
                    }
                    TPattern Pattern = PatternOf(smXYZWing, {X, Y, Z}, {Pivot, A, B});
                    Pattern.Removes = RemovalsSeenBy(Grid, Z, {Pivot, A, B}, {Pivot, A, B});
                    if (!Pattern.Removes.empty() && Visit(Pattern)) {
                        return;
                    }
                }
            }
        }
    }
}

bool ApplyXYZWing(TMatrix& Grid) {
    return ApplyPatterns(Grid, smXYZWing);
}

} // namespace kumoji
