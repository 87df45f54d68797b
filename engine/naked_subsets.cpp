// Naked subsets (your reserved seat): n cells of a unit sharing the same n candidates.
#include "engine/matrix.h"

namespace kumoji {

namespace {

// The positions of each unit's empty cells, from one sweep over the values.
std::array<int, UnitCount> OpenPositions(const std::array<int, 81>& Values) {
    std::array<int, UnitCount> Open{};
#pragma GCC unroll 9
    for (int R = 0; R < 9; ++R) {
#pragma GCC unroll 9
        for (int C = 0; C < 9; ++C) {
            const int Empty = Values[CellIndex(C, R)] == 0;
            Open[RowUnit(R)] |= Empty << C;
            Open[ColUnit(C)] |= Empty << R;
            Open[BoxUnit(C / 3, R / 3)] |= Empty << (R % 3 * 3 + C % 3);
        }
    }
    return Open;
}

} // namespace

bool TMatrix::ApplyYourReserved() {
    // Every test reads the state at the start of the call; removals go live.
    // Values never change here, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    const std::array<int, UnitCount> OpenCells = OpenPositions(Values);
    // A group of N cells shares one mask of N digits, so a unit where no mask
    // of two or more digits comes as often as it has digits clears nothing.
    // Stamp tells the masks met in the current unit (by its number plus one,
    // so one clearing serves all units) and Seen how often.
    unsigned char Stamp[AllDigits + 1] = {};
    unsigned char Seen[AllDigits + 1];
    bool Changed = false;
    for (int U = 0; U < UnitCount; ++U) {
        const TUnitCells& Unit = UnitCells[U];
        const unsigned char Tag = static_cast<unsigned char>(U + 1);
        int Masks[9];
        bool Possible = false;
#pragma GCC unroll 9
        for (int P = 0; P < 9; ++P) {
            const int Mask = Snapshot[Unit[P]];
            Masks[P] = Mask;
            const int N = DigitCount(Mask);
            if (N < 2) {
                continue;
            }
            if ((Mask & ~AllDigits) != 0) {
                // Not a stamp index: leave the unit to the full search.
                Possible = true;
                continue;
            }
            if (Stamp[Mask] != Tag) {
                Stamp[Mask] = Tag;
                Seen[Mask] = 0;
            }
            Possible |= ++Seen[Mask] >= N;
        }
        const int Open = OpenCells[U];
        const int Empty = DigitCount(Open);
        // A subset needs at least two cells and one more empty cell to clear.
        if (!Possible || Empty <= 2) {
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
