// The question check: a position's one forced move, or why it has none.
#include "engine/question.h"

#include "engine/naked_singles.h"
#include "engine/single_place.h"

#include <bit>
#include <cstdint>

namespace kumoji {

namespace {

// Each unit's place in the order the hidden singles are read: columns, rows, boxes.
inline constexpr auto ReadingPosition = [] {
    std::array<unsigned char, UnitCount> Position{};
    for (int K = 0; K < UnitCount; ++K) {
        Position[UnitOrder::ColsRowsBoxes[K]] = static_cast<unsigned char>(K);
    }
    return Position;
}();

// Per digit, the units (as bits of their reading position) where it has a
// single place: the few units that the reading visits for that digit.
std::array<std::uint32_t, 10> SingleUnitsByDigit(const TMatrix& Work,
                                                 const std::array<int, UnitCount>& Held) {
    std::array<std::uint32_t, 10> Units{};
    const std::array<int, UnitCount> Singles = SinglePlacesByUnit(Work, Held);
    for (int U = 0; U < UnitCount; ++U) {
        for (int Rest = Singles[U]; Rest != 0; Rest &= Rest - 1) {
            Units[std::countr_zero(static_cast<unsigned>(Rest)) + 1] |= std::uint32_t{1}
                                                                        << ReadingPosition[U];
        }
    }
    return Units;
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

    const int Naked = CellCount(NakedCells);
    const int First = FirstCell(NakedCells);
    if (Naked >= 1) {
        Cell = TPoint{First % 9, First / 9};
        Digit = LowestDigit(Work.Candidates[First]);
    }
    if (Strict && Naked >= 2) {
        return false;
    }
    const std::array<std::uint32_t, 10> Units = SingleUnitsByDigit(Work, Facts.Held);
    for (int D = 1; D <= 9; ++D) {
        if (HiddenSinglesAgree(Work, D, Units[D], Cell, Digit, Strict)) {
            return true;
        }
    }
    return false;
}

} // namespace kumoji
