// Naked subsets (your reserved seat): n cells of a unit sharing the same n candidates.
#include "engine/matrix.h"

namespace kumoji {

bool TMatrix::ApplyYourReserved() {
    // Every test reads the state at the start of the call; removals go live.
    // Values never change here, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    // A group is two or more cells with one mask, so a unit without a repeated
    // mask of two or more digits clears nothing. Stamp marks the masks met in
    // the current unit (by its number plus one, so one clearing serves all).
    unsigned char Stamp[AllDigits + 1] = {};
    bool Changed = false;
    for (int U = 0; U < UnitCount; ++U) {
        const TUnitCells& Unit = UnitCells[U];
        const unsigned char Tag = static_cast<unsigned char>(U + 1);
        int Masks[9];
        int Open = 0;
        bool Repeated = false;
#pragma GCC unroll 9
        for (int P = 0; P < 9; ++P) {
            Masks[P] = Snapshot[Unit[P]];
            Open |= (Values[Unit[P]] == 0) << P;
            if (DigitCount(Masks[P]) >= 2) {
                unsigned char& Seen = Stamp[Masks[P] & AllDigits];
                Repeated |= Seen == Tag;
                Seen = Tag;
            }
        }
        const int Empty = DigitCount(Open);
        // A subset needs at least two cells and one more empty cell to clear.
        if (!Repeated || Empty <= 2) {
            continue;
        }
        int Remaining = Empty;
        for (int P = 0; P < 9; ++P) {
            const int Mask = Masks[P];
            const int N = DigitCount(Mask);
            if (N <= 1) {
                continue;
            }
            if (N <= Remaining && N < Empty) {
                int Group = 1;
                for (int Q = P + 1; Q < 9; ++Q) {
                    Group += Masks[Q] == Mask;
                }
                if (Group == N) {
                    for (int Q = 0; Q < 9; ++Q) {
                        const bool Other =
                            Q != P && (Open >> Q & 1) != 0 && (Q < P || Masks[Q] != Mask);
                        int& Current = Candidates[Unit[Q]];
                        if (Other && Current != 0) {
                            const int Old = Current;
                            Current = Old & ~Mask;
                            Changed |= Current != Old;
                        }
                    }
                }
            }
            --Remaining;
        }
    }
    return Changed;
}

} // namespace kumoji
