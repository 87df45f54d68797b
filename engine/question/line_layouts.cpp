// Layouts of the fish and the single-digit chains: X-Wing, swordfish, skyscraper, kite.
#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"
#include "engine/question/layout.h"
#include "engine/techniques/digit_places.h"

#include <algorithm>

namespace kumoji::layout {

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

} // namespace kumoji::layout
