// Puzzle texts: the 81-digit format, read and written.
#pragma once

#include "engine/grid/matrix.h"

#include <string>
#include <string_view>

namespace kumoji {

// Exactly 81 characters '0'..'9', one per cell in index order, '0' empty.
bool IsPuzzleText(std::string_view Text);

// Resets Grid and places the givens in index order; for a text that is not a
// puzzle text it returns false and leaves Grid untouched.
bool SetPuzzle(TMatrix& Grid, std::string_view Text);

// The grid's values as a puzzle text.
std::string PuzzleTextOf(const TMatrix& Grid);

// The board's label of a cell: column letter A..I, row number 1..9 ("E1" for
// column 4, row 0); empty for a cell off the grid.
std::string CellName(int Col, int Row);

} // namespace kumoji
