// Layouts of the chains: simple colouring, and the forced places of keep off and get out.
#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"
#include "engine/question/layout.h"
#include "engine/techniques/digit_places.h"

#include <algorithm>

namespace kumoji::layout {

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
            int Open[9];
            int Count = 0;
            for (int I : UnitCells[Unit]) {
                if (!Lost[I]) {
                    Open[Count++] = I;
                }
            }
            Forced = Count == 0 ? -1 : Open[Random(Count)];
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
        Lost[Forced] = true;
        // The next unit starts from a cell that the forced place took.
        int Taken[20];
        int Count = 0;
        for (int I : PeersOf(Forced)) {
            Lost[I] = true;
            if (!InUnit(I, Unit)) {
                Taken[Count++] = I;
            }
        }
        From = Count == 0 ? -1 : Taken[Random(Count)];
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

} // namespace kumoji::layout
