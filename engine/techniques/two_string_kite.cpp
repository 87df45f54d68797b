// 2-String Kite: a row and a column where a digit has two places, one end of each in a common box.
#include "engine/techniques/digit_places.h"
#include "engine/techniques/pattern_techniques.h"

namespace kumoji {

void Find2StringKites(const TMatrix& Grid, const TPatternVisit& Visit) {
    const TDigitPlaces Places(Grid);
    for (int Digit = 1; Digit <= 9; ++Digit) {
        for (int Row = 0; Row < 9; ++Row) {
            if (!Places.Conjugate(Digit, RowUnit(Row))) {
                continue;
            }
            const std::vector<int> InRow =
                CellsAt(RowUnit(Row), Places.Places[Digit][RowUnit(Row)]);
            for (int Col = 0; Col < 9; ++Col) {
                if (!Places.Conjugate(Digit, ColUnit(Col))) {
                    continue;
                }
                const std::vector<int> InCol =
                    CellsAt(ColUnit(Col), Places.Places[Digit][ColUnit(Col)]);
                for (int K = 0; K < 2; ++K) {
                    for (int J = 0; J < 2; ++J) {
                        const int A1 = InRow[K];
                        const int A2 = InRow[1 - K];
                        const int B1 = InCol[J];
                        const int B2 = InCol[1 - J];
                        const int Box = CellUnits[A1].Box;
                        if (A1 == B1 || CellUnits[B1].Box != Box || CellUnits[A2].Box == Box ||
                            CellUnits[B2].Box == Box) {
                            continue;
                        }
                        TPattern Pattern = PatternOf(sm2StringKite, {Digit}, {A2, A1, B1, B2},
                                                     {RowUnit(Row), ColUnit(Col)});
                        Pattern.Removes = RemovalsSeenBy(Grid, Digit, {A2, B2}, {A1, A2, B1, B2});
                        if (!Pattern.Removes.empty() && Visit(Pattern)) {
                            return;
                        }
                    }
                }
            }
        }
    }
}

bool Apply2StringKite(TMatrix& Grid) {
    return ApplyPatterns(Grid, sm2StringKite);
}

} // namespace kumoji
