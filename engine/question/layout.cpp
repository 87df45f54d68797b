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

void SplitBySight(int Unit, int Cell, std::vector<int>& Seeing, std::vector<int>& Apart) {
    for (int I : UnitCells[Unit]) {
        if (I != Cell) {
            (Sees(I, Cell) ? Seeing : Apart).push_back(I);
        }
    }
}

} // namespace kumoji::layout
