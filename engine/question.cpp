#include "engine/question.h"

#include <array>

namespace kumoji {

namespace {

using TUnit = std::array<int, 9>;

// The 27 units as cell indexes, in the order the hidden-single check visits
// them: columns, rows, then boxes with the box row outer.
constexpr std::array<TUnit, 27> MakeUnits() {
    std::array<TUnit, 27> Units{};
    for (int I = 0; I < 9; ++I) {
        for (int K = 0; K < 9; ++K) {
            Units[I][K] = I + 9 * K;
            Units[9 + I][K] = 9 * I + K;
        }
    }
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            for (int K = 0; K < 9; ++K) {
                Units[18 + 3 * BoxRow + BoxCol][K] = (3 * BoxRow + K % 3) * 9 + 3 * BoxCol + K / 3;
            }
        }
    }
    return Units;
}

constexpr std::array<TUnit, 27> Units = MakeUnits();

// The one cell of the unit that admits Digit, when Digit is not placed there
// and exactly one cell admits it; -1 otherwise.
int SinglePlace(const TMatrix& Work, const TUnit& Unit, int Digit) {
    const int Bit = DigitBit(Digit);
    int Found = -1;
    for (int Index : Unit) {
        if (Work.Values[Index] == Digit) {
            return -1;
        }
        if ((Work.Candidates[Index] & Bit) != 0) {
            if (Found >= 0) {
                return -1;
            }
            Found = Index;
        }
    }
    return Found;
}

// Whether the hidden singles of Digit agree with the answer found so far (or
// supply one). A conflicting single ends the check at once only when Strict.
bool HiddenSinglesAgree(const TMatrix& Work, int Digit, TPoint& Cell, int& Answer, bool Strict) {
    bool Ok = Answer > 0;
    for (const TUnit& Unit : Units) {
        const int Index = SinglePlace(Work, Unit, Digit);
        if (Index < 0) {
            continue;
        }
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
    TMatrix Work;
    Work.CopyFrom(Grid);
    Cell = TPoint{};
    Digit = 0;
    Work.ApplyReservations();

    int NakedSingles = 0;
    for (int Index = 0; Index < 81; ++Index) {
        if (Work.Values[Index] == 0 && IsSingleDigitMask(Work.Candidates[Index])) {
            if (++NakedSingles == 1) {
                Cell = TPoint{Index % 9, Index / 9};
                Digit = LowestDigit(Work.Candidates[Index]);
            }
        }
    }
    if (Strict && NakedSingles >= 2) {
        return false;
    }
    for (int D = 1; D <= 9; ++D) {
        if (HiddenSinglesAgree(Work, D, Cell, Digit, Strict)) {
            return true;
        }
    }
    return false;
}

} // namespace kumoji
