// The fish of any size: base lines whose places of a digit lie in as many cover lines.
#include "engine/techniques/fish.h"

#include "engine/techniques/digit_places.h"

#include <bit>

namespace kumoji {

namespace {

struct TFishSearch {
    const TMatrix& Grid;
    const TDigitPlaces& Places;
    int Size;
    TSolveMethod Technique;
    const TPatternVisit& Visit;
    int Digit = 0;
    // 0 for rows as base lines, 9 for columns.
    int BaseFirst = 0;
    int Lines[9] = {};

    // True when the search should stop.
    bool Choose(int Count, int From, int Union) {
        if (DigitCount(Union) > Size) {
            return false;
        }
        if (Count >= Size) {
            return DigitCount(Union) == Size && Offer(Union);
        }
        for (int Line = From; Line < 9; ++Line) {
            const int Unit = BaseFirst + Line;
            const int Here = Places.Places[Digit][Unit];
            if ((Places.Held[Unit] & DigitBit(Digit)) != 0 || DigitCount(Here) < 2 ||
                DigitCount(Here) > Size) {
                continue;
            }
            Lines[Count] = Line;
            if (Choose(Count + 1, Line + 1, Union | Here)) {
                return true;
            }
        }
        return false;
    }

    bool Offer(int Union) {
        const int CoverFirst = BaseFirst == 0 ? 9 : 0;
        std::array<bool, 81> InBase{};
        TPattern Pattern;
        Pattern.Technique = Technique;
        Pattern.Digits = {Digit};
        for (int K = 0; K < Size; ++K) {
            const int Unit = BaseFirst + Lines[K];
            Pattern.Units.push_back(Unit);
            for (int Cell : CellsAt(Unit, Places.Places[Digit][Unit])) {
                InBase[Cell] = true;
            }
        }
        std::array<bool, 81> Taken{};
        for (int P = 0; P < 9; ++P) {
            if (Union & (1 << P)) {
                Pattern.Cover.push_back(CoverFirst + P);
                for (int Cell : UnitCells[CoverFirst + P]) {
                    Taken[Cell] = !InBase[Cell];
                }
            }
        }
        Pattern.Removes = RemovalsOf(Grid, Taken, Digit);
        if (Pattern.Removes.empty()) {
            return false;
        }
        for (int I = 0; I < 81; ++I) {
            if (InBase[I]) {
                Pattern.Cells.push_back(I);
            }
        }
        return Visit(Pattern);
    }
};

} // namespace

void FindFish(const TMatrix& Grid, int Size, TSolveMethod Technique, const TPatternVisit& Visit) {
    const TDigitPlaces Places(Grid);
    TFishSearch Search{Grid, Places, Size, Technique, Visit};
    for (int Digit = 1; Digit <= 9; ++Digit) {
        Search.Digit = Digit;
        for (int BaseFirst : {0, 9}) {
            Search.BaseFirst = BaseFirst;
            if (Search.Choose(0, 0, 0)) {
                return;
            }
        }
    }
}

} // namespace kumoji
