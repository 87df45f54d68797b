// Positions laid out around a naked or hidden subset of one unit.
#include "engine/question/subset_pattern.h"

#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"

#include <array>
#include <utility>
#include <vector>

namespace kumoji {

namespace {

class TLayout {
public:
    TLayout(const TGridValues& Solution, const TRandomDraw& Random)
        : Solution(Solution), Random(Random) {}

    // Makes Cell see Digit through a given of the solution in one of its
    // units, unless one already does; false when no such given may be placed.
    bool Cover(int Cell, int Digit);

    const TGridValues& Solution;
    const TRandomDraw& Random;
    TGridValues Givens{};
    // Cells that stay empty, and the digits each must keep as candidates.
    std::array<bool, 81> Open{};
    std::array<int, 81> Keep{};
};

bool TLayout::Cover(int Cell, int Digit) {
    int Options[3];
    int Count = 0;
    for (int I = 0; I < 81; ++I) {
        if (!Sees(Cell, I) || Solution[I] != Digit) {
            continue;
        }
        if (Givens[I] == Digit) {
            return true;
        }
        bool Allowed = !Open[I];
        for (int K = 0; K < 81 && Allowed; ++K) {
            Allowed = !(Open[K] && (Keep[K] & DigitBit(Digit)) != 0 && Sees(K, I));
        }
        if (Allowed) {
            Options[Count++] = I;
        }
    }
    if (Count == 0) {
        return false;
    }
    const int Chosen = Options[Random(Count)];
    Givens[Chosen] = Digit;
    return true;
}

} // namespace

bool LayOutSubset(TSolveMethod Technique, const TGridValues& Solution, const TRandomDraw& Random,
                  TGridValues& Givens, int& Target) {
    TLayout Layout(Solution, Random);
    const int Unit = Random(27);
    std::array<int, 9> Cells{};
    for (int K = 0; K < 9; ++K) {
        Cells[K] = UnitCells[Unit][K];
    }
    for (int K = 8; K > 0; --K) {
        std::swap(Cells[K], Cells[Random(K + 1)]);
    }
    // Cells[0] is the target, then the subset, then the rest of the unit.
    const int Size = 2 + Random(2);
    Target = Cells[0];
    const int Digit = Solution[Target];
    int Subset = 0;
    for (int K = 1; K <= Size; ++K) {
        Subset |= DigitBit(Solution[Cells[K]]);
    }

    // (cell, digits it must see) for every cell that stays open.
    std::vector<std::pair<int, int>> Needs;
    for (int K = 0; K <= Size; ++K) {
        Layout.Open[Cells[K]] = true;
    }
    if (Technique == smYourReserved) {
        // The subset cells hold exactly its digits; the target keeps one of
        // them besides its own digit, until the subset clears it.
        for (int K = 1; K <= Size; ++K) {
            Layout.Keep[Cells[K]] = Subset;
            Needs.emplace_back(Cells[K], AllDigits & ~Subset);
        }
        const int Kept = DigitBit(Solution[Cells[1 + Random(Size)]]);
        Layout.Keep[Target] = DigitBit(Digit) | Kept;
        Needs.emplace_back(Target, AllDigits & ~Subset & ~DigitBit(Digit));
        // Another open cell of the unit admits the target's digit, so that it
        // is no single in this unit before the subset clears the target.
        Layout.Open[Cells[Size + 1]] = true;
        Layout.Keep[Cells[Size + 1]] = DigitBit(Digit);
    } else {
        // The subset's digits, and the target's, have no other place in the
        // unit; one subset cell also admits the target's digit, which the
        // hidden subset takes from it.
        for (int K = 1; K <= Size; ++K) {
            Layout.Keep[Cells[K]] = Subset;
        }
        Layout.Keep[Cells[1]] |= DigitBit(Digit);
        Layout.Keep[Target] = DigitBit(Digit);
        Needs.emplace_back(Target, Subset);
        std::vector<int> Rest;
        for (int K = Size + 1; K < 9; ++K) {
            if (Random(2) == 0) {
                Rest.push_back(Cells[K]);
            } else {
                Layout.Givens[Cells[K]] = Solution[Cells[K]];
            }
        }
        // One open cell of the rest would be a single; two or more must not
        // all show the same candidates, or they would be a naked subset.
        if (Rest.size() == 1) {
            Layout.Givens[Rest[0]] = Solution[Rest[0]];
            Rest.clear();
        }
        for (const int Cell : Rest) {
            Layout.Open[Cell] = true;
            Needs.emplace_back(Cell, Subset | DigitBit(Digit));
        }
        if (!Rest.empty()) {
            Needs.emplace_back(Rest[0], DigitBit(Solution[Rest[1]]));
        }
    }

    std::vector<std::pair<int, int>> Covers;
    for (const auto& [Cell, Digits] : Needs) {
        for (int D = 1; D <= 9; ++D) {
            if ((Digits & DigitBit(D)) != 0) {
                Covers.emplace_back(Cell, D);
            }
        }
    }
    for (int K = static_cast<int>(Covers.size()) - 1; K > 0; --K) {
        std::swap(Covers[K], Covers[Random(K + 1)]);
    }
    for (const auto& [Cell, D] : Covers) {
        if (!Layout.Cover(Cell, D)) {
            return false;
        }
    }
    Givens = Layout.Givens;
    return true;
}

} // namespace kumoji
