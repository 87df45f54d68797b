// The rules of the steps and singles, read plainly on a candidate grid.
#include "engine/explain/step_check.h"

#include "engine/explain/pattern_check.h"
#include "engine/grid/units.h"

#include <algorithm>
#include <array>

namespace kumoji {

namespace {

bool InUnit(int Unit, int Cell) {
    const TCellUnits& Units = CellUnits[Cell];
    return Units.Row == Unit || Units.Col == Unit || Units.Box == Unit;
}

bool ValidUnit(int Unit) {
    return Unit >= 0 && Unit < UnitCount;
}

bool ValidCell(int Cell) {
    return Cell >= 0 && Cell < 81;
}

// Strictly ascending, every item within [Low, High].
bool Ascending(const std::vector<int>& Items, int Low, int High) {
    for (std::size_t K = 0; K < Items.size(); ++K) {
        if (Items[K] < Low || Items[K] > High || (K > 0 && Items[K] <= Items[K - 1])) {
            return false;
        }
    }
    return true;
}

int MaskOf(const std::vector<int>& Digits) {
    int Mask = 0;
    for (int D : Digits) {
        Mask |= DigitBit(D);
    }
    return Mask;
}

int PlacedIn(const TMatrix& Grid, int Unit) {
    int Placed = 0;
    for (int I : UnitCells[Unit]) {
        Placed |= DigitBit(Grid.Values[I]);
    }
    return Placed;
}

bool Contains(const std::vector<int>& Items, int Item) {
    return std::find(Items.begin(), Items.end(), Item) != Items.end();
}

// The empty cells of Unit that admit Digit, ascending.
std::vector<int> PlacesOf(const TMatrix& Grid, int Unit, int Digit) {
    std::vector<int> Places;
    for (int I : UnitCells[Unit]) {
        if (Grid.Values[I] == 0 && (Grid.Candidates[I] & DigitBit(Digit)) != 0) {
            Places.push_back(I);
        }
    }
    std::sort(Places.begin(), Places.end());
    return Places;
}

bool LockedHolds(const TMatrix& Grid, const TExplainStep& Step) {
    if (Step.Digits.size() != 1 || Step.Units.size() != 2 || Step.Cells.empty()) {
        return false;
    }
    const int First = Step.Units[0];
    const int Second = Step.Units[1];
    if (!ValidUnit(First) || !ValidUnit(Second) || (First >= 18) == (Second >= 18)) {
        return false;
    }
    const int Digit = Step.Digits[0];
    if ((PlacedIn(Grid, First) & DigitBit(Digit)) != 0) {
        return false;
    }
    const std::vector<int> Places = PlacesOf(Grid, First, Digit);
    return Places == Step.Cells && std::all_of(Places.begin(), Places.end(),
                                               [&](int Cell) { return InUnit(Second, Cell); });
}

bool NakedHolds(const TMatrix& Grid, const TExplainStep& Step) {
    if (Step.Units.size() != 1 || Step.Cells.size() < 2 || Step.Cells.size() > 8) {
        return false;
    }
    const int Unit = Step.Units[0];
    int Union = 0;
    for (int Cell : Step.Cells) {
        if (!ValidUnit(Unit) || !InUnit(Unit, Cell) || Grid.Values[Cell] != 0 ||
            Grid.Candidates[Cell] == 0) {
            return false;
        }
        Union |= Grid.Candidates[Cell];
    }
    return Union == MaskOf(Step.Digits) && Step.Digits.size() == Step.Cells.size();
}

bool HiddenHolds(const TMatrix& Grid, const TExplainStep& Step) {
    if (Step.Units.size() != 1 || Step.Digits.size() < 2 || Step.Digits.size() > 8 ||
        !ValidUnit(Step.Units[0])) {
        return false;
    }
    const int Unit = Step.Units[0];
    if ((PlacedIn(Grid, Unit) & MaskOf(Step.Digits)) != 0) {
        return false;
    }
    std::vector<int> Union;
    for (int Digit : Step.Digits) {
        const std::vector<int> Places = PlacesOf(Grid, Unit, Digit);
        if (Places.empty()) {
            return false;
        }
        Union.insert(Union.end(), Places.begin(), Places.end());
    }
    std::sort(Union.begin(), Union.end());
    Union.erase(std::unique(Union.begin(), Union.end()), Union.end());
    return Union == Step.Cells && Step.Cells.size() == Step.Digits.size();
}

// The kinds whose cells or digits follow the pattern's own order.
bool Ordered(TSolveMethod Technique) {
    return Technique == smSkyscraper || Technique == sm2StringKite || Technique == smXYWing ||
           Technique == smXYZWing || Technique == smWWing || Technique == smKeepOff ||
           Technique == smGetOut;
}

} // namespace

bool StepHolds(const TMatrix& Candidates, const TExplainStep& Step) {
    if (!Ordered(Step.Technique) &&
        (!Ascending(Step.Digits, 1, 9) || !Ascending(Step.Cells, 0, 80))) {
        return false;
    }
    switch (Step.Technique) {
    case smMyReserved:
        return LockedHolds(Candidates, Step);
    case smYourReserved:
        return NakedHolds(Candidates, Step);
    case smOurReserved:
        return HiddenHolds(Candidates, Step);
    default:
        return explain::PatternStepHolds(Candidates, Step);
    }
}

std::vector<TCandidate> PatternRemovals(const TMatrix& Candidates, const TExplainStep& Step) {
    std::vector<TCandidate> Removes;
    if (!StepHolds(Candidates, Step)) {
        return Removes;
    }
    const int Digits = MaskOf(Step.Digits);
    // What the pattern takes from each cell, then listed by cell and digit.
    std::array<int, 81> Taken{};
    if (Step.Technique == smMyReserved) {
        for (int I : UnitCells[Step.Units[1]]) {
            if (!InUnit(Step.Units[0], I)) {
                Taken[I] = Digits;
            }
        }
    } else if (Step.Technique == smYourReserved) {
        for (int I : UnitCells[Step.Units[0]]) {
            if (!Contains(Step.Cells, I)) {
                Taken[I] = Digits;
            }
        }
    } else if (Step.Technique == smOurReserved) {
        for (int I : Step.Cells) {
            Taken[I] = AllDigits & ~Digits;
        }
    } else {
        Taken = explain::PatternTaken(Step);
    }
    for (int I = 0; I < 81; ++I) {
        const int Present = Candidates.Values[I] == 0 ? Candidates.Candidates[I] & Taken[I] : 0;
        for (int D = 1; D <= 9; ++D) {
            if (Present & DigitBit(D)) {
                Removes.push_back({I, D});
            }
        }
    }
    return Removes;
}

void RemoveCandidates(TMatrix& Candidates, const std::vector<TCandidate>& Removes) {
    for (const TCandidate& Item : Removes) {
        if (ValidCell(Item.Cell)) {
            Candidates.Candidates[Item.Cell] &= ~DigitBit(Item.Digit);
        }
    }
}

bool SingleHolds(const TMatrix& Candidates, const TExplainSingle& Single) {
    const int Cell = Single.Cell;
    const int Bit = DigitBit(Single.Digit);
    if (!ValidCell(Cell) || Bit == 0 || Candidates.Values[Cell] != 0) {
        return false;
    }
    switch (Single.Kind) {
    case smEmptyCell: {
        if (!ValidUnit(Single.Unit) || !InUnit(Single.Unit, Cell)) {
            return false;
        }
        int Held = 0;
        for (int I : UnitCells[Single.Unit]) {
            if (I != Cell &&
                (Candidates.Values[I] == 0 || (Held & ValueBit(Candidates.Values[I])))) {
                return false;
            }
            Held |= I == Cell ? 0 : DigitBit(Candidates.Values[I]);
        }
        return (AllDigits & ~Held) == Bit;
    }
    case smLeftPlace:
        return ValidUnit(Single.Unit) && InUnit(Single.Unit, Cell) &&
               (PlacedIn(Candidates, Single.Unit) & Bit) == 0 &&
               PlacesOf(Candidates, Single.Unit, Single.Digit) == std::vector<int>{Cell};
    case smMissingNumber:
        return Single.Unit == -1 && Candidates.Candidates[Cell] == Bit;
    default:
        return false;
    }
}

bool ReplaySteps(TMatrix& Start, std::vector<TExplainStep>& Steps) {
    for (TExplainStep& Step : Steps) {
        Step.Removes = PatternRemovals(Start, Step);
        if (Step.Removes.empty()) {
            return false;
        }
        RemoveCandidates(Start, Step.Removes);
    }
    return true;
}

} // namespace kumoji
