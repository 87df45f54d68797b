// Layouts of the wings: XY-Wing, XYZ-Wing and W-Wing.
#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"
#include "engine/question/layout.h"
#include "engine/techniques/digit_places.h"

#include <algorithm>
#include <array>

namespace kumoji::layout {

namespace {

// A wing's cells opened to their candidates: the pivot to PivotMask, the pincers to {x,z} and
// {y,z}, the target to z, every other digit kept out of the three.
void OpenWing(TLayout& Layout, int Pivot, int PivotMask, int A, int B, int Target,
              std::array<int, 3> XYZ) {
    const auto [X, Y, Z] = XYZ;
    Layout.Open(Pivot, PivotMask);
    Layout.Open(A, DigitBit(X) | DigitBit(Z));
    Layout.Open(B, DigitBit(Y) | DigitBit(Z));
    OpenTarget(Layout, Target, Z);
    for (int Cell : {Pivot, A, B}) {
        Layout.ExcludeOthers(Cell);
    }
}

} // namespace

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
    OpenWing(Layout, Pivot, DigitBit(X) | DigitBit(Y), A, B, Target, {X, Y, Z});
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
    OpenWing(Layout, Pivot, DigitBit(X) | DigitBit(Y) | DigitBit(Z), A, B, Target, {X, Y, Z});
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

} // namespace kumoji::layout
