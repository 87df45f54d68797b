// The empty cells left with a single candidate, the whole grid read four cells at a time.
#pragma once

#include "engine/grid/digit_board.h"
#include "engine/grid/matrix.h"
#include "engine/lanes/lanes.h"

namespace kumoji {

// Most positions have none or one such cell, and every check of a single
// reads all 81, so one sweep without a branch per cell gives them all.
inline TCellSet NakedSingleCells(const TMatrix& Grid) {
    TCellSet Cells;
#pragma GCC unroll 20
    for (int I = 0; I < 80; I += 4) {
        const TInt4 Mask = LoadLanes(&Grid.Candidates[I]);
        // One digit exactly when Mask - 1 is below 256 and shares no bit with
        // Mask; an empty cell's value adds nothing.
        const TInt4 Off = ((Mask - 1) & (Mask | ~0xFF)) | LoadLanes(&Grid.Values[I]);
        Cells.AddFrom(I, static_cast<unsigned>(LaneSigns(Off == 0)));
    }
    if (Grid.Values[80] == 0 && IsSingleDigitMask(Grid.Candidates[80])) {
        Cells.High |= std::uint64_t{1} << (80 - 64);
    }
    return Cells;
}

} // namespace kumoji
