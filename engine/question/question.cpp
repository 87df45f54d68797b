// The question check: a position's one forced move, or why it has none.
#include "engine/question/question.h"

#include "engine/techniques/naked_singles.h"
#include "engine/techniques/single_place.h"

#include <bit>
#include <cstdint>

namespace kumoji {

namespace {

// The units where Digit has a single place, as bits of their reading
// position: columns, rows, boxes.
std::uint32_t SingleUnitsInReadingOrder(const TMatrix& Work, const std::array<int, UnitCount>& Held,
                                        int Digit) {
    const std::uint32_t Units = SinglePlaceUnits(Work, Held, Digit);
    const std::uint32_t Rows = Units >> RowUnit(0) & AllDigits;
    const std::uint32_t Cols = Units >> ColUnit(0) & AllDigits;
    return Cols | Rows << 9 | (Units & ~((std::uint32_t{1} << BoxUnit(0, 0)) - 1));
}

// Whether the hidden singles of Digit agree with the answer found so far (or
// supply one). A conflicting single ends the check at once only when Strict.
bool HiddenSinglesAgree(const TMatrix& Work, int Digit, std::uint32_t Units, TPoint& Cell,
                        int& Answer, bool Strict) {
    bool Ok = Answer > 0;
    for (; Units != 0; Units &= Units - 1) {
        const int Unit = UnitOrder::ColsRowsBoxes[std::countr_zero(Units)];
        const int Index = SinglePlace(Work, Unit, Digit);
        const TPoint Single{Index % 9, Index / 9};
        if (Answer == 0) {
            Cell = Single;
            Answer = Digit;
            Ok = true;
        } else if (Single == Cell && Digit == Answer) {
            Ok = true;
        } else if (Strict) {
            return false;
        } else {
            Ok = true;
        }
    }
    return Ok;
}

} // namespace

bool FindQuestion(const TMatrix& Grid, TPoint& Cell, int& Digit, bool Strict) {
    TMatrix Work = Grid;
    Cell = TPoint{};
    Digit = 0;
    // The passes change no value, so one reading of the values serves all.
    const TValueFacts Facts(Work);
    TCellSet NakedCells;
    Work.ApplyReservations(Facts, NakedCells);

    const int Naked = NakedCells.Count();
    const int First = NakedCells.First();
    if (Naked >= 1) {
        Cell = TPoint{First % 9, First / 9};
        Digit = LowestDigit(Work.Candidates[First]);
    }
    if (Strict && Naked >= 2) {
        return false;
    }
    // Digit by digit, since the check mostly ends at the first.
    for (int D = 1; D <= 9; ++D) {
        if (HiddenSinglesAgree(Work, D, SingleUnitsInReadingOrder(Work, Facts.Held, D), Cell, Digit,
                               Strict)) {
            return true;
        }
    }
    return false;
}

} // namespace kumoji
