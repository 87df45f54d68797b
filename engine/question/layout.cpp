// The givens that lay out one pattern: cells kept open with their digits, exclusions met by givens.
#include "engine/question/layout.h"

#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"
#include "engine/techniques/digit_places.h"

#include <algorithm>

namespace kumoji::layout {

bool TLayout::Settle(TGridValues& Givens, int Target) {
    for (int K = static_cast<int>(Excluded.size()) - 1; K > 0; --K) {
        std::swap(Excluded[K], Excluded[Random(K + 1)]);
    }
    // Where a given of each digit would take it from an open cell that keeps it.
    std::array<std::array<bool, 81>, 10> Barred{};
    for (int K = 0; K < 81; ++K) {
        for (int D = 1; D <= 9; ++D) {
            if (IsOpen[K] && (Keep[K] & DigitBit(D)) != 0) {
                for (int I : PeersOf(K)) {
                    Barred[D][I] = true;
                }
            }
        }
    }
    const auto Allowed = [&](int At, int Digit) { return !IsOpen[At] && !Barred[Digit][At]; };
    for (const auto& [Cell, Digit] : Excluded) {
        if (Placed[Cell] != 0) {
            continue;
        }
        int Options[81];
        int Count = 0;
        bool Done = false;
        for (const int I : PeersOf(Cell)) {
            if (Solution[I] == Digit) {
                Done = Placed[I] == Digit;
                if (Done) {
                    break;
                }
                if (Allowed(I, Digit)) {
                    Options[Count++] = I;
                }
            }
        }
        if (Done) {
            continue;
        }
        // Filling the cell itself costs a given as well, and sometimes it is
        // the only way; a cell of the pattern never is filled.
        if (Count == 0 && Allowed(Cell, Solution[Cell])) {
            Options[Count++] = Cell;
        }
        if (Count == 0) {
            return false;
        }
        const int At = Options[Random(Count)];
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

const std::vector<int>& PeersOf(int Cell) {
    // Asked on every draw of a layout, so built once.
    static const std::array<std::vector<int>, 81> Table = [] {
        std::array<std::vector<int>, 81> Peers;
        for (int C = 0; C < 81; ++C) {
            for (int I = 0; I < 81; ++I) {
                if (Sees(I, C)) {
                    Peers[C].push_back(I);
                }
            }
        }
        return Peers;
    }();
    return Table[Cell];
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

void SplitBySight(int Unit, int Cell, std::vector<int>& Seeing, std::vector<int>& Apart) {
    for (int I : UnitCells[Unit]) {
        if (I != Cell) {
            (Sees(I, Cell) ? Seeing : Apart).push_back(I);
        }
    }
}

} // namespace kumoji::layout
