// Sparse positions laid out around one pattern of the techniques beyond subsets.
#include "engine/question/pattern_layout.h"

#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"
#include "engine/techniques/digit_places.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace kumoji {

namespace {

class TLayout {
public:
    TLayout(const TGridValues& Solution, const TRandomDraw& Random)
        : Solution(Solution), Random(Random) {}

    // The cell stays empty and keeps these digits (with those kept before).
    void Open(int Cell, int Digits) {
        IsOpen[Cell] = true;
        Keep[Cell] |= Digits;
    }
    // The cell must not admit the digit.
    void Exclude(int Cell, int Digit) { Excluded.emplace_back(Cell, Digit); }
    // The open cell admits nothing but what it keeps.
    void ExcludeOthers(int Cell) {
        for (int D = 1; D <= 9; ++D) {
            if ((Keep[Cell] & DigitBit(D)) == 0) {
                Exclude(Cell, D);
            }
        }
    }
    // The digit has no place in the unit but the cells kept open for it.
    void OnlyPlaces(int Unit, int Digit) {
        for (int I : UnitCells[Unit]) {
            if (!IsOpen[I] || (Keep[I] & DigitBit(Digit)) == 0) {
                Exclude(I, Digit);
            }
        }
    }
    // Givens for every exclusion, in random order: a given of the digit
    // that the cell sees, or the cell's own value; false when some
    // exclusion has no given that keeps every open cell's digits.
    bool Settle(TGridValues& Givens, int Target);

    const TGridValues& Solution;
    const TRandomDraw& Random;

private:
    bool Allowed(int At, int Digit) const {
        if (IsOpen[At]) {
            return false;
        }
        for (int K = 0; K < 81; ++K) {
            if (IsOpen[K] && (Keep[K] & DigitBit(Digit)) != 0 && Sees(K, At)) {
                return false;
            }
        }
        return true;
    }

    std::array<bool, 81> IsOpen{};
    std::array<int, 81> Keep{};
    std::vector<std::pair<int, int>> Excluded;
    TGridValues Placed{};
};

bool TLayout::Settle(TGridValues& Givens, int Target) {
    for (int K = static_cast<int>(Excluded.size()) - 1; K > 0; --K) {
        std::swap(Excluded[K], Excluded[Random(K + 1)]);
    }
    for (const auto& [Cell, Digit] : Excluded) {
        if (Placed[Cell] != 0) {
            continue;
        }
        std::vector<int> Options;
        bool Done = false;
        for (int I = 0; I < 81 && !Done; ++I) {
            if (Sees(Cell, I) && Solution[I] == Digit) {
                Done = Placed[I] == Digit;
                if (Allowed(I, Digit)) {
                    Options.push_back(I);
                }
            }
        }
        if (Done) {
            continue;
        }
        // Filling the cell itself costs a given as well, and sometimes it is
        // the only way; a cell of the pattern never is filled.
        if (Options.empty() && Allowed(Cell, Solution[Cell])) {
            Options.push_back(Cell);
        }
        if (Options.empty()) {
            return false;
        }
        const int At = Options[Random(static_cast<int>(Options.size()))];
        Placed[At] = Solution[At];
    }
    if (Placed[Target] != 0) {
        return false;
    }
    Givens = Placed;
    return true;
}

bool InUnit(int Cell, int Unit) {
    const TCellUnits& Of = CellUnits[Cell];
    return Of.Row == Unit || Of.Col == Unit || Of.Box == Unit;
}

int Pick(const std::vector<int>& Items, const TRandomDraw& Random) {
    return Items.empty() ? -1 : Items[Random(static_cast<int>(Items.size()))];
}

// The cell of Unit that holds Digit in the solution.
int CellOf(const TGridValues& Solution, int Unit, int Digit) {
    for (int I : UnitCells[Unit]) {
        if (Solution[I] == Digit) {
            return I;
        }
    }
    return -1;
}

// The target keeps its own digit and the one the pattern takes from it.
void OpenTarget(TLayout& Layout, int Target, int Taken) {
    Layout.Open(Target, DigitBit(Layout.Solution[Target]) | DigitBit(Taken));
    Layout.ExcludeOthers(Target);
}

// Lines of one kind: rows (First 0) or columns (First 9), chosen at random.
int LineFirst(const TRandomDraw& Random) {
    return Random(2) == 0 ? 0 : 9;
}

bool LayOutFish(TLayout& Layout, int Size, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    const int Digit = 1 + Random(9);
    const int First = LineFirst(Random);
    std::array<int, 9> Lines{0, 1, 2, 3, 4, 5, 6, 7, 8};
    for (int K = 8; K > 0; --K) {
        std::swap(Lines[K], Lines[Random(K + 1)]);
    }
    // The digit's cells in the base lines name the cover lines; a base line
    // keeps its own cell and one or more other crossings besides.
    std::vector<int> Base;
    std::vector<int> Crossings;
    for (int K = 0; K < Size; ++K) {
        const int Unit = First + Lines[K];
        Base.push_back(Unit);
        const int Cell = CellOf(S, Unit, Digit);
        Crossings.push_back(First == 0 ? Cell % 9 : Cell / 9);
    }
    const auto At = [&](int Unit, int Crossing) {
        const int Index = Unit - First;
        return First == 0 ? CellIndex(Crossing, Index) : CellIndex(Index, Crossing);
    };
    for (int K = 0; K < Size; ++K) {
        const int Own = CellOf(S, Base[K], Digit);
        Layout.Open(Own, DigitBit(Digit));
        std::vector<int> Others;
        for (int J = 0; J < Size; ++J) {
            if (J != K && (Size == 2 || Random(3) != 0)) {
                Others.push_back(J);
            }
        }
        if (Others.empty()) {
            Others.push_back((K + 1) % Size);
        }
        for (int J : Others) {
            Layout.Open(At(Base[K], Crossings[J]), DigitBit(Digit));
        }
    }
    for (int Unit : Base) {
        Layout.OnlyPlaces(Unit, Digit);
    }
    // The target lies on a cover line outside the base.
    const int Cover = Crossings[Random(Size)];
    int Other;
    do {
        Other = Random(9);
    } while (std::find(Lines.begin(), Lines.begin() + Size, Other) != Lines.begin() + Size);
    Target = At(First + Other, Cover);
    OpenTarget(Layout, Target, Digit);
    return true;
}

bool LayOutSkyscraper(TLayout& Layout, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    const int Digit = 1 + Random(9);
    const int First = LineFirst(Random);
    const int L1 = First + Random(9);
    const int L2 = First + Random(9);
    // Different bands, and the free ends (the digit's own cells) in one
    // stack of boxes but different lines across.
    const int A2 = CellOf(S, L1, Digit);
    const int B2 = CellOf(S, L2, Digit);
    const auto Across = [&](int Cell) { return First == 0 ? Cell % 9 : Cell / 9; };
    const auto Along = [&](int Cell) { return First == 0 ? Cell / 9 : Cell % 9; };
    if ((L1 - First) / 3 == (L2 - First) / 3 || Across(A2) / 3 != Across(B2) / 3 ||
        Across(A2) == Across(B2)) {
        return false;
    }
    int Common;
    do {
        Common = Random(9);
    } while (Common == Across(A2) || Common == Across(B2));
    const auto At = [&](int Unit, int Crossing) {
        return First == 0 ? CellIndex(Crossing, Unit - First) : CellIndex(Unit - First, Crossing);
    };
    const int A1 = At(L1, Common);
    const int B1 = At(L2, Common);
    for (int Cell : {A1, A2, B1, B2}) {
        Layout.Open(Cell, DigitBit(Digit));
    }
    Layout.OnlyPlaces(L1, Digit);
    Layout.OnlyPlaces(L2, Digit);
    std::vector<int> Seeing;
    for (int I = 0; I < 81; ++I) {
        if (Sees(I, A2) && Sees(I, B2) && Along(I) != L1 - First && Along(I) != L2 - First) {
            Seeing.push_back(I);
        }
    }
    Target = Pick(Seeing, Random);
    if (Target < 0) {
        return false;
    }
    OpenTarget(Layout, Target, Digit);
    return true;
}

bool LayOutKite(TLayout& Layout, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    const int Digit = 1 + Random(9);
    const int Row = Random(9);
    const int Col = Random(9);
    const int A2 = CellOf(S, RowUnit(Row), Digit);
    const int B2 = CellOf(S, ColUnit(Col), Digit);
    if (A2 % 9 / 3 == Col / 3 || B2 / 9 / 3 == Row / 3) {
        return false;
    }
    int X;
    do {
        X = Col / 3 * 3 + Random(3);
    } while (X == Col);
    int Y;
    do {
        Y = Row / 3 * 3 + Random(3);
    } while (Y == Row);
    const int A1 = CellIndex(X, Row);
    const int B1 = CellIndex(Col, Y);
    for (int Cell : {A1, A2, B1, B2}) {
        Layout.Open(Cell, DigitBit(Digit));
    }
    Layout.OnlyPlaces(RowUnit(Row), Digit);
    Layout.OnlyPlaces(ColUnit(Col), Digit);
    Target = CellIndex(A2 % 9, B2 / 9);
    OpenTarget(Layout, Target, Digit);
    return true;
}

std::vector<int> PeersOf(int Cell) {
    std::vector<int> Peers;
    for (int I = 0; I < 81; ++I) {
        if (Sees(I, Cell)) {
            Peers.push_back(I);
        }
    }
    return Peers;
}

// Cells other than Not that see every one of Seen.
std::vector<int> SeeingAll(std::initializer_list<int> Seen, std::initializer_list<int> Not) {
    std::vector<int> Cells;
    for (int I = 0; I < 81; ++I) {
        bool Fits = true;
        for (int S : Seen) {
            Fits = Fits && Sees(I, S);
        }
        for (int N : Not) {
            Fits = Fits && I != N;
        }
        if (Fits) {
            Cells.push_back(I);
        }
    }
    return Cells;
}

bool LayOutXYWing(TLayout& Layout, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    const int Pivot = Random(81);
    const std::vector<int> Peers = PeersOf(Pivot);
    const int A = Pick(Peers, Random);
    const int B = Pick(Peers, Random);
    if (A == B || S[A] == S[B]) {
        return false;
    }
    const int X = S[Pivot];
    const int Z = S[A];
    const int Y = S[B];
    Target = Pick(SeeingAll({A, B}, {Pivot}), Random);
    if (Target < 0) {
        return false;
    }
    Layout.Open(Pivot, DigitBit(X) | DigitBit(Y));
    Layout.Open(A, DigitBit(X) | DigitBit(Z));
    Layout.Open(B, DigitBit(Y) | DigitBit(Z));
    OpenTarget(Layout, Target, Z);
    for (int Cell : {Pivot, A, B}) {
        Layout.ExcludeOthers(Cell);
    }
    return true;
}

bool LayOutXYZWing(TLayout& Layout, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    const int Pivot = Random(81);
    const TCellUnits& Of = CellUnits[Pivot];
    const int Line = Random(2) == 0 ? Of.Row : Of.Col;
    std::vector<int> InBox;
    std::vector<int> InLine;
    std::vector<int> Both;
    for (int I : UnitCells[Of.Box]) {
        const bool OnLine = CellUnits[I].Row == Line || CellUnits[I].Col == Line;
        if (I != Pivot) {
            (OnLine ? Both : InBox).push_back(I);
        }
    }
    for (int I : UnitCells[Line]) {
        if (CellUnits[I].Box != Of.Box) {
            InLine.push_back(I);
        }
    }
    const int A = Pick(InBox, Random);
    const int B = Pick(InLine, Random);
    Target = Pick(Both, Random);
    if (S[A] == S[B]) {
        return false;
    }
    const int X = S[Pivot];
    const int Z = S[A];
    const int Y = S[B];
    Layout.Open(Pivot, DigitBit(X) | DigitBit(Y) | DigitBit(Z));
    Layout.Open(A, DigitBit(X) | DigitBit(Z));
    Layout.Open(B, DigitBit(Y) | DigitBit(Z));
    OpenTarget(Layout, Target, Z);
    for (int Cell : {Pivot, A, B}) {
        Layout.ExcludeOthers(Cell);
    }
    return true;
}

bool LayOutWWing(TLayout& Layout, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    const int Unit = Random(UnitCount);
    const int X = 1 + Random(9);
    const int C1 = CellOf(S, Unit, X);
    const int C2 = UnitCells[Unit][Random(9)];
    if (C2 == C1) {
        return false;
    }
    const auto OutsideUnit = [&](const std::vector<int>& Cells) {
        std::vector<int> Out;
        for (int I : Cells) {
            if (CellUnits[I].Row != Unit && CellUnits[I].Col != Unit && CellUnits[I].Box != Unit) {
                Out.push_back(I);
            }
        }
        return Out;
    };
    const int W1 = Pick(OutsideUnit(PeersOf(C1)), Random);
    if (W1 < 0) {
        return false;
    }
    const int Y = S[W1];
    std::vector<int> Seconds;
    for (int I : OutsideUnit(PeersOf(C2))) {
        if (I != W1 && !Sees(I, W1) && (S[I] == X || S[I] == Y)) {
            Seconds.push_back(I);
        }
    }
    const int W2 = Pick(Seconds, Random);
    if (W2 < 0) {
        return false;
    }
    Target = Pick(SeeingAll({W1, W2}, {C1, C2}), Random);
    if (Target < 0) {
        return false;
    }
    Layout.Open(W1, DigitBit(X) | DigitBit(Y));
    Layout.Open(W2, DigitBit(X) | DigitBit(Y));
    Layout.Open(C1, DigitBit(X));
    Layout.Open(C2, DigitBit(X));
    OpenTarget(Layout, Target, Y);
    Layout.ExcludeOthers(W1);
    Layout.ExcludeOthers(W2);
    Layout.OnlyPlaces(Unit, X);
    return true;
}

bool LayOutColouring(TLayout& Layout, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    const int Digit = 1 + Random(9);
    // A chain of 3 to 5 links from one of the digit's own cells: the digit's
    // cells take one colour, the others the other.
    int Cell = CellOf(S, RowUnit(Random(9)), Digit);
    std::vector<int> Chain{Cell};
    std::vector<int> Units;
    const int Links = 3 + Random(3);
    const auto InUnits = [&](int I) {
        for (int U : Units) {
            if (CellUnits[I].Row == U || CellUnits[I].Col == U || CellUnits[I].Box == U) {
                return true;
            }
        }
        return false;
    };
    for (int K = 0; K < Links; ++K) {
        const TCellUnits& Of = CellUnits[Cell];
        const int Choices[3] = {Of.Row, Of.Col, Of.Box};
        const int Unit = Choices[Random(3)];
        if (std::find(Units.begin(), Units.end(), Unit) != Units.end()) {
            return false;
        }
        for (int C : Chain) {
            const TCellUnits& OfC = CellUnits[C];
            if (C != Cell && (OfC.Row == Unit || OfC.Col == Unit || OfC.Box == Unit)) {
                return false;
            }
        }
        int Next;
        if (S[Cell] == Digit) {
            Next = UnitCells[Unit][Random(9)];
        } else {
            Next = CellOf(S, Unit, Digit);
        }
        // A cell already in the chain, or in one of its link units, would
        // give a unit a third place.
        if (Next == Cell || std::find(Chain.begin(), Chain.end(), Next) != Chain.end() ||
            InUnits(Next)) {
            return false;
        }
        Units.push_back(Unit);
        Chain.push_back(Next);
        Cell = Next;
    }
    std::vector<int> Traps;
    for (int I = 0; I < 81; ++I) {
        bool SeesTrue = false;
        bool SeesFalse = false;
        for (int C : Chain) {
            if (Sees(I, C)) {
                (S[C] == Digit ? SeesTrue : SeesFalse) = true;
            }
        }
        if (SeesTrue && SeesFalse && !InUnits(I) &&
            std::find(Chain.begin(), Chain.end(), I) == Chain.end()) {
            Traps.push_back(I);
        }
    }
    Target = Pick(Traps, Random);
    if (Target < 0) {
        return false;
    }
    for (int C : Chain) {
        Layout.Open(C, DigitBit(Digit));
    }
    for (int U : Units) {
        Layout.OnlyPlaces(U, Digit);
    }
    OpenTarget(Layout, Target, Digit);
    return true;
}

// The cells of Unit that see Cell, and those that do not, other than Cell.
void SplitBySight(int Unit, int Cell, std::vector<int>& Seeing, std::vector<int>& Apart) {
    for (int I : UnitCells[Unit]) {
        if (I != Cell) {
            (Sees(I, Cell) ? Seeing : Apart).push_back(I);
        }
    }
}

bool LayOutKeepOff(TLayout& Layout, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    Target = Random(81);
    const int Assumed = 1 + (S[Target] + Random(8)) % 9;
    const TCellUnits& Of = CellUnits[Target];
    // Assuming the digit in the target takes it from a cell of U1, which
    // forces it into Q1; the target and Q1 between them then see all its
    // places in U2.
    const int U1 = Random(UnitCount);
    if (U1 == Of.Row || U1 == Of.Col || U1 == Of.Box) {
        return false;
    }
    std::vector<int> Seeing;
    std::vector<int> Apart;
    SplitBySight(U1, Target, Seeing, Apart);
    const int Own1 = CellOf(S, U1, Assumed);
    const bool OwnSees = Sees(Own1, Target);
    const int P1 = OwnSees ? Own1 : Pick(Seeing, Random);
    const int Q1 = OwnSees ? Pick(Apart, Random) : Own1;
    if (P1 < 0 || Q1 < 0) {
        return false;
    }
    const int U2 = Random(UnitCount);
    const TCellUnits& OfQ = CellUnits[Q1];
    if (U2 == U1 || U2 == Of.Row || U2 == Of.Col || U2 == Of.Box || U2 == OfQ.Row ||
        U2 == OfQ.Col || U2 == OfQ.Box) {
        return false;
    }
    const int Own2 = CellOf(S, U2, Assumed);
    std::vector<int> SeeTarget;
    std::vector<int> SeeQ;
    for (int I : UnitCells[U2]) {
        if (I != Own2 && I != P1 && Sees(I, Target)) {
            SeeTarget.push_back(I);
        }
        if (I != Own2 && I != P1 && Sees(I, Q1) && !Sees(I, Target)) {
            SeeQ.push_back(I);
        }
    }
    int U;
    int V;
    if (Sees(Own2, Target)) {
        U = Own2;
        V = Pick(SeeQ, Random);
    } else if (Sees(Own2, Q1)) {
        V = Own2;
        U = Pick(SeeTarget, Random);
    } else {
        return false;
    }
    if (U < 0 || V < 0 || U == P1 || V == P1 || InUnit(U, U1) || InUnit(V, U1)) {
        return false;
    }
    Layout.Open(Target, DigitBit(S[Target]) | DigitBit(Assumed));
    Layout.ExcludeOthers(Target);
    for (int Cell : {P1, Q1, U, V}) {
        Layout.Open(Cell, DigitBit(Assumed));
    }
    Layout.OnlyPlaces(U1, Assumed);
    Layout.OnlyPlaces(U2, Assumed);
    return true;
}

bool LayOutGetOut(TLayout& Layout, int& Target) {
    const TGridValues& S = Layout.Solution;
    const TRandomDraw& Random = Layout.Random;
    Target = Random(81);
    const int Own = S[Target];
    const int Assumed = 1 + (Own + Random(8)) % 9;
    // With the other digit assumed in the target, its own digit follows a
    // chain of forced places: each unit of the chain keeps two places, one
    // already lost (the target, or a cell that sees a forced place) and the
    // next forced place. A last unit keeps only lost places. One forced
    // place is not enough: its last unit's places would all lie in one line
    // of a box, and locked candidates would do the work.
    std::array<bool, 81> Lost{};
    Lost[Target] = true;
    std::vector<int> Used;
    std::vector<int> Places{Target};
    const auto Fresh = [&](int Unit, std::initializer_list<int> New) {
        for (int U : Used) {
            for (int I : New) {
                if (U == Unit || InUnit(I, U)) {
                    return false;
                }
            }
        }
        for (int P : Places) {
            if (InUnit(P, Unit) && std::find(New.begin(), New.end(), P) == New.end()) {
                return false;
            }
        }
        return true;
    };
    const int Steps = 2 + Random(2);
    int From = Target;
    for (int Step = 0; Step < Steps; ++Step) {
        const TCellUnits& Of = CellUnits[From];
        const int Choices[3] = {Of.Row, Of.Col, Of.Box};
        const int Unit = Choices[Random(3)];
        const int Cell = CellOf(S, Unit, Own);
        int Gone;
        int Forced;
        if (Lost[Cell]) {
            Gone = Cell;
            std::vector<int> Open;
            for (int I : UnitCells[Unit]) {
                if (!Lost[I]) {
                    Open.push_back(I);
                }
            }
            Forced = Pick(Open, Random);
        } else {
            Forced = Cell;
            Gone = From;
        }
        if (Forced < 0 || !InUnit(Gone, Unit) || !Fresh(Unit, {Gone, Forced})) {
            return false;
        }
        Used.push_back(Unit);
        Places.push_back(Gone);
        Places.push_back(Forced);
        for (int I = 0; I < 81; ++I) {
            Lost[I] = Lost[I] || Sees(I, Forced) || I == Forced;
        }
        // The next unit starts from a cell that the forced place took.
        std::vector<int> Taken;
        for (int I : PeersOf(Forced)) {
            if (!InUnit(I, Unit)) {
                Taken.push_back(I);
            }
        }
        From = Pick(Taken, Random);
    }
    const TCellUnits& Of = CellUnits[From];
    const int Choices[3] = {Of.Row, Of.Col, Of.Box};
    const int Last = Choices[Random(3)];
    const int Cell = CellOf(S, Last, Own);
    std::vector<int> Seconds;
    for (int I : UnitCells[Last]) {
        const bool InLine =
            CellUnits[I].Box == CellUnits[Cell].Box && (I / 9 == Cell / 9 || I % 9 == Cell % 9);
        if (I != Cell && Lost[I] && !InLine) {
            Seconds.push_back(I);
        }
    }
    const int Second = Pick(Seconds, Random);
    if (!Lost[Cell] || Second < 0 || !Fresh(Last, {Cell, Second})) {
        return false;
    }
    Used.push_back(Last);
    Places.push_back(Cell);
    Places.push_back(Second);
    Layout.Open(Target, DigitBit(Own) | DigitBit(Assumed));
    Layout.ExcludeOthers(Target);
    for (int P : Places) {
        Layout.Open(P, DigitBit(Own));
    }
    for (int U : Used) {
        Layout.OnlyPlaces(U, Own);
    }
    return true;
}

} // namespace

bool LayOutPattern(TSolveMethod Technique, const TGridValues& Solution, const TRandomDraw& Random,
                   TGridValues& Givens, int& Target) {
    TLayout Layout(Solution, Random);
    bool Laid = false;
    switch (Technique) {
    case smXWing:
        Laid = LayOutFish(Layout, 2, Target);
        break;
    case smSwordfish:
        Laid = LayOutFish(Layout, 3, Target);
        break;
    case smSkyscraper:
        Laid = LayOutSkyscraper(Layout, Target);
        break;
    case sm2StringKite:
        Laid = LayOutKite(Layout, Target);
        break;
    case smXYWing:
        Laid = LayOutXYWing(Layout, Target);
        break;
    case smXYZWing:
        Laid = LayOutXYZWing(Layout, Target);
        break;
    case smWWing:
        Laid = LayOutWWing(Layout, Target);
        break;
    case smSimpleColouring:
        Laid = LayOutColouring(Layout, Target);
        break;
    case smKeepOff:
        Laid = LayOutKeepOff(Layout, Target);
        break;
    case smGetOut:
        Laid = LayOutGetOut(Layout, Target);
        break;
    default:
        break;
    }
    return Laid && Layout.Settle(Givens, Target);
}

} // namespace kumoji
