// The givens that lay out one pattern: cells kept open with their digits, exclusions met by givens.
#pragma once

#include "engine/grid/digit_mask.h"
#include "engine/grid/units.h"
#include "engine/question/completion_search.h"
#include "engine/techniques/digit_places.h"

#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace kumoji::layout {

class TLayout {
public:
    TLayout(const TGridValues& Solution, const TRandomDraw& Random)
        : Solution(Solution), Random(Random) {}

    // The cell stays empty and keeps these digits (with those kept before).
    void Open(int Cell, int Digits) {
        IsOpen[Cell] = true;
        Keep[Cell] |= Digits;
    }
    // The cell must not admit the digit.
    void Exclude(int Cell, int Digit) { Excluded.emplace_back(Cell, Digit); }
    // The open cell admits nothing but what it keeps.
    void ExcludeOthers(int Cell) {
        for (int D = 1; D <= 9; ++D) {
            if ((Keep[Cell] & DigitBit(D)) == 0) {
                Exclude(Cell, D);
            }
        }
    }
    // The digit has no place in the unit but the cells kept open for it.
    void OnlyPlaces(int Unit, int Digit) {
        for (int I : UnitCells[Unit]) {
            if (!IsOpen[I] || (Keep[I] & DigitBit(Digit)) == 0) {
                Exclude(I, Digit);
            }
        }
    }
    // Givens for every exclusion, in random order: a given of the digit
    // that the cell sees, or the cell's own value; false when some
    // exclusion has no given that keeps every open cell's digits.
    bool Settle(TGridValues& Givens, int Target);

    const TGridValues& Solution;
    const TRandomDraw& Random;

private:
    std::array<bool, 81> IsOpen{};
    std::array<int, 81> Keep{};
    std::vector<std::pair<int, int>> Excluded;
    TGridValues Placed{};
};

bool InUnit(int Cell, int Unit);
// A random item, or -1 when there is none.
int Pick(const std::vector<int>& Items, const TRandomDraw& Random);
// The cell of Unit that holds Digit in the solution.
int CellOf(const TGridValues& Solution, int Unit, int Digit);
// The target keeps its own digit and the one the pattern takes from it.
void OpenTarget(TLayout& Layout, int Target, int Taken);
// Rows (0) or columns (9), chosen at random.
int LineFirst(const TRandomDraw& Random);
const std::vector<int>& PeersOf(int Cell);
// Cells other than Not that see every one of Seen.
std::vector<int> SeeingAll(std::initializer_list<int> Seen, std::initializer_list<int> Not);
// The cells of Unit that see Cell, and those that do not, other than Cell.
void SplitBySight(int Unit, int Cell, std::vector<int>& Seeing, std::vector<int>& Apart);

// The layouts, each choosing Target; false when the draws found none.
bool LayOutFish(TLayout& Layout, int Size, int& Target);
bool LayOutSkyscraper(TLayout& Layout, int& Target);
bool LayOutKite(TLayout& Layout, int& Target);
bool LayOutXYWing(TLayout& Layout, int& Target);
bool LayOutXYZWing(TLayout& Layout, int& Target);
bool LayOutWWing(TLayout& Layout, int& Target);
bool LayOutColouring(TLayout& Layout, int& Target);
bool LayOutKeepOff(TLayout& Layout, int& Target);
bool LayOutGetOut(TLayout& Layout, int& Target);

} // namespace kumoji::layout
