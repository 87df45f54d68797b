// Naked and hidden subsets in their general form: any 2 to 4 cells or digits of a unit.
#include "engine/techniques/any_subsets.h"

#include "engine/grid/units.h"

namespace kumoji {

namespace {

// Calls Take with each choice of 2..Largest items whose masks join to as
// many bits as items, Masks[K] the items' bit sets, until Take returns true.
template <typename TTake>
bool ChooseClosed(const int* Masks, int Count, int Largest, TTake&& Take) {
    int Chosen[9];
    Largest = Largest < 8 ? Largest : 8;
    const auto Walk = [&](auto& Self, int Depth, int From, int Union) -> bool {
        if (Depth >= 2 && DigitCount(Union) == Depth) {
            int Items = 0;
            for (int K = 0; K < Depth; ++K) {
                Items |= 1 << Chosen[K];
            }
            if (Take(Items, Union)) {
                return true;
            }
        }
        if (Depth == Largest) {
            return false;
        }
        for (int K = From; K < Count; ++K) {
            const int Joined = Union | Masks[K];
            if (DigitCount(Joined) <= Largest) {
                Chosen[Depth] = K;
                if (Self(Self, Depth + 1, K + 1, Joined)) {
                    return true;
                }
            }
        }
        return false;
    };
    return Walk(Walk, 0, 0, 0);
}

} // namespace

bool ApplyNakedSubsets(TMatrix& Grid, int Largest) {
    bool Changed = false;
    // A unit is read again after each subset that takes something, so that
    // every subset is one of the candidates as they are.
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
        const bool Took = ChooseClosed(Masks, Count, Largest, [&](int Items, int Digits) {
            bool Here = false;
            for (int I : UnitCells[Unit]) {
                bool Inside = false;
                for (int K = 0; K < Count; ++K) {
                    Inside = Inside || ((Items >> K & 1) != 0 && Cells[K] == I);
                }
                if (!Inside && Grid.Values[I] == 0 && (Grid.Candidates[I] & Digits) != 0) {
                    Grid.Candidates[I] &= ~Digits;
                    Here = true;
                }
            }
            return Here;
        });
        if (Took) {
            Changed = true;
            --Unit;
        }
    }
    return Changed;
}

bool ApplyHiddenSubsets(TMatrix& Grid, int Largest) {
    bool Changed = false;
    // As above, a unit is read again after each subset that takes something.
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
        const bool Took = ChooseClosed(Masks, Count, Largest, [&](int Items, int Positions) {
            int Keep = 0;
            for (int K = 0; K < Count; ++K) {
                if (Items >> K & 1) {
                    Keep |= DigitBit(Digits[K]);
                }
            }
            bool Here = false;
            for (int P = 0; P < 9; ++P) {
                const int I = UnitCells[Unit][P];
                if ((Positions >> P & 1) != 0 && (Grid.Candidates[I] & ~Keep) != 0) {
                    Grid.Candidates[I] &= Keep;
                    Here = true;
                }
            }
            return Here;
        });
        if (Took) {
            Changed = true;
            --Unit;
        }
    }
    return Changed;
}

} // namespace kumoji
