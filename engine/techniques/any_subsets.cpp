// Naked and hidden subsets in their general form: any 2 to 4 cells or digits of a unit.
#include "engine/techniques/any_subsets.h"

#include "engine/grid/units.h"

namespace kumoji {

namespace {

// Calls Take with every choice of 2..Largest items whose masks join to as
// many bits as items; Masks[K] are the items' bit sets.
template <typename TTake>
void ChooseClosed(const int* Masks, int Count, int Largest, TTake&& Take) {
    int Chosen[9];
    Largest = Largest < 8 ? Largest : 8;
    const auto Walk = [&](auto& Self, int Depth, int From, int Union) -> void {
        if (Depth >= 2 && DigitCount(Union) == Depth) {
            int Items = 0;
            for (int K = 0; K < Depth; ++K) {
                Items |= 1 << Chosen[K];
            }
            Take(Items, Union);
        }
        if (Depth == Largest) {
            return;
        }
        for (int K = From; K < Count; ++K) {
            const int Joined = Union | Masks[K];
            if (DigitCount(Joined) <= Largest) {
                Chosen[Depth] = K;
                Self(Self, Depth + 1, K + 1, Joined);
            }
        }
    };
    Walk(Walk, 0, 0, 0);
}

} // namespace

bool ApplyNakedSubsets(TMatrix& Grid, int Largest) {
    bool Changed = false;
    for (int Unit = 0; Unit < UnitCount; ++Unit) {
        int Masks[9];
        int Cells[9];
        int Count = 0;
        for (int I : UnitCells[Unit]) {
            const int N = Grid.Values[I] == 0 ? DigitCount(Grid.Candidates[I]) : 0;
            if (N >= 2 && N <= Largest) {
                Masks[Count] = Grid.Candidates[I];
                Cells[Count++] = I;
            }
        }
        ChooseClosed(Masks, Count, Largest, [&](int Items, int Digits) {
            for (int I : UnitCells[Unit]) {
                bool Inside = false;
                for (int K = 0; K < Count; ++K) {
                    Inside = Inside || ((Items >> K & 1) != 0 && Cells[K] == I);
                }
                if (!Inside && Grid.Values[I] == 0 && (Grid.Candidates[I] & Digits) != 0) {
                    Grid.Candidates[I] &= ~Digits;
                    Changed = true;
                }
            }
        });
    }
    return Changed;
}

bool ApplyHiddenSubsets(TMatrix& Grid, int Largest) {
    bool Changed = false;
    for (int Unit = 0; Unit < UnitCount; ++Unit) {
        int Places[10] = {};
        int Placed = 0;
        for (int P = 0; P < 9; ++P) {
            const int I = UnitCells[Unit][P];
            Placed |= DigitBit(Grid.Values[I]);
            for (int Mask = Grid.Values[I] == 0 ? Grid.Candidates[I] & AllDigits : 0; Mask != 0;
                 Mask &= Mask - 1) {
                Places[LowestDigit(Mask)] |= 1 << P;
            }
        }
        int Masks[9];
        int Digits[9];
        int Count = 0;
        for (int D = 1; D <= 9; ++D) {
            const int N = DigitCount(Places[D]);
            if ((Placed & DigitBit(D)) == 0 && N >= 2 && N <= Largest) {
                Masks[Count] = Places[D];
                Digits[Count++] = D;
            }
        }
        ChooseClosed(Masks, Count, Largest, [&](int Items, int Positions) {
            int Keep = 0;
            for (int K = 0; K < Count; ++K) {
                if (Items >> K & 1) {
                    Keep |= DigitBit(Digits[K]);
                }
            }
            for (int P = 0; P < 9; ++P) {
                const int I = UnitCells[Unit][P];
                if ((Positions >> P & 1) != 0 && (Grid.Candidates[I] & ~Keep) != 0) {
                    Grid.Candidates[I] &= Keep;
                    Changed = true;
                }
            }
        });
    }
    return Changed;
}

} // namespace kumoji
