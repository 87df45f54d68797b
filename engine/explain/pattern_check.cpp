// The rules of the steps beyond subsets, read plainly on a candidate grid.

// No masks of positions and no shortcuts, so that the engine's finders have a
// second reading to be held against.
#include "engine/explain/pattern_check.h"

#include "engine/grid/units.h"
#include "engine/techniques/single_place.h"

#include <algorithm>
#include <set>

namespace kumoji::explain {

namespace {

bool InUnit(int Unit, int Cell) {
    const TCellUnits& Units = CellUnits[Cell];
    return Units.Row == Unit || Units.Col == Unit || Units.Box == Unit;
}

bool SeesCell(int A, int B) {
    if (A == B) {
        return false;
    }
    const TCellUnits& X = CellUnits[A];
    const TCellUnits& Y = CellUnits[B];
    return X.Row == Y.Row || X.Col == Y.Col || X.Box == Y.Box;
}

bool Valid(const std::vector<int>& Items, int Low, int High) {
    return std::all_of(Items.begin(), Items.end(),
                       [&](int Item) { return Item >= Low && Item <= High; });
}

bool Distinct(std::vector<int> Items) {
    std::sort(Items.begin(), Items.end());
    return std::adjacent_find(Items.begin(), Items.end()) == Items.end();
}

// The empty cells of Unit that admit Digit, ascending; empty as well when the
// digit is placed in the unit, marked by Placed.
std::vector<int> Places(const TMatrix& Grid, int Unit, int Digit, bool* Placed = nullptr) {
    std::vector<int> Found;
    bool Held = false;
    for (int I : UnitCells[Unit]) {
        Held = Held || Grid.Values[I] == Digit;
        if (Grid.Values[I] == 0 && (Grid.Candidates[I] & DigitBit(Digit))) {
            Found.push_back(I);
        }
    }
    std::sort(Found.begin(), Found.end());
    if (Placed != nullptr) {
        *Placed = Held;
    }
    return Found;
}

// The digit's only two places in the unit are exactly these cells.
bool Link(const TMatrix& Grid, int Unit, int Digit, int A, int B) {
    bool Placed = false;
    const std::vector<int> Found = Places(Grid, Unit, Digit, &Placed);
    return !Placed && Found == std::vector<int>{std::min(A, B), std::max(A, B)};
}

// The cell is empty and its candidates are exactly these digits.
bool HoldsOnly(const TMatrix& Grid, int Cell, std::initializer_list<int> Digits) {
    int Mask = 0;
    for (int D : Digits) {
        Mask |= DigitBit(D);
    }
    return Grid.Values[Cell] == 0 && Grid.Candidates[Cell] == Mask;
}

bool IsRow(int Unit) {
    return Unit < 9;
}
bool IsCol(int Unit) {
    return Unit >= 9 && Unit < 18;
}

bool FishHolds(const TMatrix& Grid, const TExplainStep& Step, std::size_t Size) {
    if (Step.Digits.size() != 1 || Step.Units.size() != Size || Step.Cover.size() != Size ||
        !Valid(Step.Units, 0, 17) || !Valid(Step.Cover, 0, 17) || !Distinct(Step.Units) ||
        !Distinct(Step.Cover)) {
        return false;
    }
    const bool Rows = IsRow(Step.Units[0]);
    for (std::size_t K = 0; K < Size; ++K) {
        if (IsRow(Step.Units[K]) != Rows || IsCol(Step.Cover[K]) != Rows) {
            return false;
        }
    }
    const int Digit = Step.Digits[0];
    std::vector<int> All;
    for (int Unit : Step.Units) {
        bool Placed = false;
        const std::vector<int> Found = Places(Grid, Unit, Digit, &Placed);
        if (Placed || Found.size() < 2) {
            return false;
        }
        for (int Cell : Found) {
            const bool Covered = std::any_of(Step.Cover.begin(), Step.Cover.end(),
                                             [&](int Line) { return InUnit(Line, Cell); });
            if (!Covered) {
                return false;
            }
            All.push_back(Cell);
        }
    }
    std::sort(All.begin(), All.end());
    // Every cover line holds a place, or the fish would be a smaller one.
    for (int Line : Step.Cover) {
        if (std::none_of(All.begin(), All.end(), [&](int Cell) { return InUnit(Line, Cell); })) {
            return false;
        }
    }
    return All == Step.Cells;
}

bool ChainHolds(const TMatrix& Grid, const TExplainStep& Step, bool Kite) {
    if (Step.Digits.size() != 1 || Step.Cells.size() != 4 || Step.Units.size() != 2 ||
        !Valid(Step.Units, 0, 26) || !Distinct(Step.Cells)) {
        return false;
    }
    const int Digit = Step.Digits[0];
    const int A2 = Step.Cells[0], A1 = Step.Cells[1], B1 = Step.Cells[2], B2 = Step.Cells[3];
    const int U = Step.Units[0], V = Step.Units[1];
    if (!Link(Grid, U, Digit, A2, A1) || !Link(Grid, V, Digit, B1, B2) || !SeesCell(A1, B1)) {
        return false;
    }
    const TCellUnits& X = CellUnits[A1];
    const TCellUnits& Y = CellUnits[B1];
    if (Kite) {
        // A row and a column, the inner ends in one box and the outer ends not.
        return IsRow(U) && IsCol(V) && X.Box == Y.Box && CellUnits[A2].Box != X.Box &&
               CellUnits[B2].Box != X.Box;
    }
    // Two rows whose inner ends share a column (or two columns and a row),
    // the outer ends apart in that direction.
    if (IsRow(U) && IsRow(V)) {
        return X.Col == Y.Col && CellUnits[A2].Col != CellUnits[B2].Col;
    }
    if (IsCol(U) && IsCol(V)) {
        return X.Row == Y.Row && CellUnits[A2].Row != CellUnits[B2].Row;
    }
    return false;
}

bool WingHolds(const TMatrix& Grid, const TExplainStep& Step, bool ThreeInPivot) {
    if (Step.Cells.size() != 3 || Step.Digits.size() != 3 || !Step.Units.empty() ||
        !Valid(Step.Digits, 1, 9) || !Distinct(Step.Digits) || !Distinct(Step.Cells)) {
        return false;
    }
    const int X = Step.Digits[0], Y = Step.Digits[1], Z = Step.Digits[2];
    const int Pivot = Step.Cells[0], A = Step.Cells[1], B = Step.Cells[2];
    const bool PivotOk =
        ThreeInPivot ? HoldsOnly(Grid, Pivot, {X, Y, Z}) : HoldsOnly(Grid, Pivot, {X, Y});
    return PivotOk && HoldsOnly(Grid, A, {X, Z}) && HoldsOnly(Grid, B, {Y, Z}) &&
           SeesCell(Pivot, A) && SeesCell(Pivot, B);
}

bool WWingHolds(const TMatrix& Grid, const TExplainStep& Step) {
    if (Step.Cells.size() != 4 || Step.Digits.size() != 2 || Step.Units.size() != 1 ||
        !Valid(Step.Digits, 1, 9) || !Distinct(Step.Digits) || !Distinct(Step.Cells) ||
        !Valid(Step.Units, 0, 26)) {
        return false;
    }
    const int X = Step.Digits[0], Y = Step.Digits[1];
    const int W1 = Step.Cells[0], C1 = Step.Cells[1], C2 = Step.Cells[2], W2 = Step.Cells[3];
    return HoldsOnly(Grid, W1, {X, Y}) && HoldsOnly(Grid, W2, {X, Y}) && !SeesCell(W1, W2) &&
           Link(Grid, Step.Units[0], X, C1, C2) && SeesCell(C1, W1) && SeesCell(C2, W2);
}

bool ColouringHolds(const TMatrix& Grid, const TExplainStep& Step) {
    const std::size_t Count = Step.Cells.size();
    if (Step.Digits.size() != 1 || Count < 2 || Step.Colours.size() != Count ||
        !Step.Units.empty() || Step.Links.empty() || !Distinct(Step.Cells)) {
        return false;
    }
    const int Digit = Step.Digits[0];
    std::vector<int> Reached{0};
    std::set<int> Seen{0};
    for (int Colour : Step.Colours) {
        if (Colour != 0 && Colour != 1) {
            return false;
        }
    }
    for (const auto& L : Step.Links) {
        if (L[0] < 0 || L[1] < 0 || static_cast<std::size_t>(L[0]) >= Count ||
            static_cast<std::size_t>(L[1]) >= Count || L[2] < 0 || L[2] >= UnitCount ||
            Step.Colours[L[0]] == Step.Colours[L[1]] ||
            !Link(Grid, L[2], Digit, Step.Cells[L[0]], Step.Cells[L[1]])) {
            return false;
        }
    }
    // One chain: every cell reached from the first along the links.
    for (std::size_t Next = 0; Next < Reached.size(); ++Next) {
        for (const auto& L : Step.Links) {
            for (const auto& [From, To] : {std::pair{L[0], L[1]}, std::pair{L[1], L[0]}}) {
                if (From == Reached[Next] && Seen.insert(To).second) {
                    Reached.push_back(To);
                }
            }
        }
    }
    return Reached.size() == Count;
}

bool AssumptionHolds(const TMatrix& Grid, const TExplainStep& Step) {
    if (Step.Digits.size() != 2 || Step.Cells.size() < 2 ||
        Step.Units.size() != Step.Cells.size() || !Valid(Step.Cells, 0, 80) ||
        !Valid(Step.Units, 0, 26) || !Valid(Step.Digits, 1, 9)) {
        return false;
    }
    const int Cell = Step.Cells[0];
    const int Assumed = Step.Digits[0];
    const int Watched = Step.Digits[1];
    const int Mask = Grid.Values[Cell] == 0 ? Grid.Candidates[Cell] : 0;
    if (DigitCount(Mask) != 2 || (Mask & DigitBit(Assumed)) == 0) {
        return false;
    }
    const int Other = LowestDigit(Mask & ~DigitBit(Assumed));
    if (Watched != (Step.Technique == smKeepOff ? Assumed : Other)) {
        return false;
    }
    // Each forced place must be the one place of the watched digit in its
    // unit once the assumption and the places before it are made.
    TMatrix Copy = Grid;
    Copy.SetValue(Cell % 9, Cell / 9, Assumed);
    for (std::size_t K = 1; K < Step.Cells.size(); ++K) {
        const int Place = Step.Cells[K];
        if (!InUnit(Step.Units[K], Place) ||
            Places(Copy, Step.Units[K], Watched) != std::vector<int>{Place} ||
            std::any_of(UnitCells[Step.Units[K]].begin(), UnitCells[Step.Units[K]].end(),
                        [&](int I) { return Copy.Values[I] == Watched; })) {
            return false;
        }
        Copy.SetValue(Place % 9, Place / 9, Watched);
    }
    bool Placed = false;
    return Places(Copy, Step.Units[0], Watched, &Placed).empty() && !Placed;
}

} // namespace

bool PatternStepHolds(const TMatrix& Candidates, const TExplainStep& Step) {
    if (!Valid(Step.Cells, 0, 80) || !Valid(Step.Digits, 1, 9)) {
        return false;
    }
    switch (Step.Technique) {
    case smXWing:
        return FishHolds(Candidates, Step, 2);
    case smSwordfish:
        return FishHolds(Candidates, Step, 3);
    case smSkyscraper:
        return ChainHolds(Candidates, Step, false);
    case sm2StringKite:
        return ChainHolds(Candidates, Step, true);
    case smXYWing:
        return WingHolds(Candidates, Step, false);
    case smXYZWing:
        return WingHolds(Candidates, Step, true);
    case smWWing:
        return WWingHolds(Candidates, Step);
    case smSimpleColouring:
        return ColouringHolds(Candidates, Step);
    case smKeepOff:
    case smGetOut:
        return AssumptionHolds(Candidates, Step);
    default:
        return false;
    }
}

std::array<int, 81> PatternTaken(const TExplainStep& Step) {
    std::array<int, 81> Taken{};
    const std::vector<int>& C = Step.Cells;
    // Every cell outside the pattern that sees all of Seen loses Digit.
    const auto SeenBy = [&](int Digit, std::initializer_list<int> Seen) {
        for (int I = 0; I < 81; ++I) {
            const bool All =
                std::all_of(Seen.begin(), Seen.end(), [&](int S) { return SeesCell(I, S); });
            if (All && std::find(C.begin(), C.end(), I) == C.end()) {
                Taken[I] |= DigitBit(Digit);
            }
        }
    };
    switch (Step.Technique) {
    case smXWing:
    case smSwordfish:
        for (int Line : Step.Cover) {
            for (int I : UnitCells[Line]) {
                const bool InBase = std::any_of(Step.Units.begin(), Step.Units.end(),
                                                [&](int Base) { return InUnit(Base, I); });
                if (!InBase) {
                    Taken[I] |= DigitBit(Step.Digits[0]);
                }
            }
        }
        break;
    case smSkyscraper:
    case sm2StringKite:
        SeenBy(Step.Digits[0], {C[0], C[3]});
        break;
    case smXYWing:
        SeenBy(Step.Digits[2], {C[1], C[2]});
        break;
    case smXYZWing:
        SeenBy(Step.Digits[2], {C[0], C[1], C[2]});
        break;
    case smWWing:
        SeenBy(Step.Digits[1], {C[0], C[3]});
        break;
    case smSimpleColouring: {
        const int Bit = DigitBit(Step.Digits[0]);
        // A colour with two cells that see each other is false throughout.
        for (int Colour : {0, 1}) {
            for (std::size_t K = 0; K < C.size(); ++K) {
                for (std::size_t J = 0; J < C.size(); ++J) {
                    if (K != J && Step.Colours[K] == Colour && Step.Colours[J] == Colour &&
                        SeesCell(C[K], C[J])) {
                        for (std::size_t N = 0; N < C.size(); ++N) {
                            Taken[C[N]] |= Step.Colours[N] == Colour ? Bit : 0;
                        }
                        return Taken;
                    }
                }
            }
        }
        for (int I = 0; I < 81; ++I) {
            bool Sees[2] = {false, false};
            for (std::size_t K = 0; K < C.size(); ++K) {
                Sees[Step.Colours[K]] = Sees[Step.Colours[K]] || SeesCell(I, C[K]);
            }
            if (Sees[0] && Sees[1] && std::find(C.begin(), C.end(), I) == C.end()) {
                Taken[I] |= Bit;
            }
        }
        break;
    }
    case smKeepOff:
    case smGetOut:
        Taken[C[0]] = DigitBit(Step.Digits[0]);
        break;
    default:
        break;
    }
    return Taken;
}

} // namespace kumoji::explain
