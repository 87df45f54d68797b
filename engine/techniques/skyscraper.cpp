// Skyscraper: two parallel lines where a digit has two places, one end of each in a common line.
#include "engine/techniques/digit_places.h"
#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

void FindSkyscrapers(const TMatrix& Grid, const TPatternVisit& Visit) {
    const TDigitPlaces Places(Grid);
    for (int Digit = 1; Digit <= 9; ++Digit) {
        for (int First : {0, 9}) {
            for (int L1 = First; L1 < First + 9; ++L1) {
                if (!Places.Conjugate(Digit, L1)) {
                    continue;
                }
                for (int L2 = L1 + 1; L2 < First + 9; ++L2) {
                    if (!Places.Conjugate(Digit, L2)) {
                        continue;
                    }
                    const int P1 = Places.Places[Digit][L1];
                    const int P2 = Places.Places[Digit][L2];
                    const int Common = P1 & P2;
                    // Both ends in common lines make an X-Wing instead.
                    if (DigitCount(Common) != 1) {
                        continue;
                    }
                    const int A1 = CellsAt(L1, Common)[0];
                    const int B1 = CellsAt(L2, Common)[0];
                    const int A2 = CellsAt(L1, P1 & ~Common)[0];
                    const int B2 = CellsAt(L2, P2 & ~Common)[0];
                    TPattern Pattern = PatternOf(smSkyscraper, {Digit}, {A2, A1, B1, B2}, {L1, L2});
                    Pattern.Removes = RemovalsSeenBy(Grid, Digit, {A2, B2}, {A1, A2, B1, B2});
                    if (!Pattern.Removes.empty() && Visit(Pattern)) {
                        return;
                    }
                }
            }
        }
    }
}

bool ApplySkyscraper(TMatrix& Grid) {
    return ApplyPatterns(Grid, smSkyscraper);
}

} // namespace kumoji
