// Naked subsets (your reserved seat): n cells of a unit sharing the same n candidates.
#include "engine/matrix.h"

namespace kumoji {

bool TMatrix::ApplyYourReserved() {
    // Every test reads the state at the start of the call; removals go live.
    // Values never change here, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    bool Changed = false;
    for (const TUnitCells& Unit : UnitCells) {
        int Masks[9];
        bool Open[9];
        int Empty = 0;
        for (int P = 0; P < 9; ++P) {
            Masks[P] = Snapshot[Unit[P]];
            Open[P] = Values[Unit[P]] == 0;
            Empty += Open[P];
        }
        // A subset needs at least two cells and one more empty cell to clear.
        if (Empty <= 2) {
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
                        const bool Other = Q != P && Open[Q] && (Q < P || Masks[Q] != Mask);
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
