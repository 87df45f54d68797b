// Keep off and get out as patterns: the assumption, each forced place, the blocked unit.
#include "engine/techniques/pattern_techniques.h"
#include "engine/techniques/single_place.h"

namespace kumoji {

namespace {

// The move of the technique, traced as TestAssumption makes it on a copy.
std::optional<TPattern> TracedMove(const TMatrix& Grid, TSolveMethod Technique) {
    int Col = 0;
    int Row = 0;
    int Digit = 0;
    const bool Found = Technique == smKeepOff ? Grid.FindKeepOffMove(Col, Row, Digit)
                                              : Grid.FindGetOutMove(Col, Row, Digit);
    if (!Found) {
        return std::nullopt;
    }
    const int Cell = CellIndex(Col, Row);
    const int Assumed = LowestDigit(Grid.Candidates[Cell] & ~DigitBit(Digit));
    const int Watched = Technique == smKeepOff ? Assumed : Digit;
    TPattern Pattern = PatternOf(Technique, {Assumed, Watched}, {Cell}, {-1});
    Pattern.Removes = {{Cell, Assumed}};
    TMatrix Copy = Grid;
    Copy.SetValue(Col, Row, Assumed);
    // Each placement fills an empty cell, so this ends.
    for (bool Placed = true; Placed;) {
        Placed = false;
        for (const int Unit : UnitOrder::BoxesRowsCols) {
            const int Place = SinglePlace(Copy, Unit, Watched);
            if (Place >= 0) {
                Copy.SetValue(Place % 9, Place / 9, Watched);
                Pattern.Cells.push_back(Place);
                Pattern.Units.push_back(Unit);
                Placed = true;
                break;
            }
        }
    }
    for (int Unit = 0; Unit < UnitCount; ++Unit) {
        if (SinglePlace(Copy, Unit, Watched) == NoPlace) {
            Pattern.Units[0] = Unit;
            return Pattern;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<TPattern> FindKeepOffPattern(const TMatrix& Grid) {
    return TracedMove(Grid, smKeepOff);
}

std::optional<TPattern> FindGetOutPattern(const TMatrix& Grid) {
    return TracedMove(Grid, smGetOut);
}

} // namespace kumoji
