// The answer step's interface: find one forced move and hand it to a placement.
#pragma once

#include "engine/grid/matrix.h"
#include "engine/techniques/solve_method.h"

#include <functional>

namespace kumoji {

// Asked to put Digit on (Col, Row); answers whether the placement was accepted.
// An accepted placement has already changed the grid that SolveStep reads.
using TPlaceMove = std::function<bool(int Col, int Row, int Digit, TSolveMethod Technique)>;

// Result codes of SolveStep.
inline constexpr int StepPlaced = 0;
inline constexpr int StepSolved = 1;
inline constexpr int StepNoMove = 2;
inline constexpr int StepContradiction = 3;

// Finds one forced move on Grid and hands it to Place together with the
// technique that found it: the singles on Grid itself, then the reservation
// passes on a copy and, with Deep, the assumption and trial techniques.
// Grid is only read; it changes only through Place. Returns 0 when a move was
// placed (or 1 when that move solved the grid), 1 for a grid already solved,
// 2 when no move was found or every one was refused, 3 for a contradiction.
int SolveStep(const TMatrix& Grid, bool Deep, const TPlaceMove& Place);

// True when no cell of the row, column or box of (Col, Row) holds Digit
// (placed values only). False for a cell off the grid or a digit outside 1..9.
bool CanPlace(const TMatrix& Grid, int Col, int Row, int Digit);

// The engine's own placement: writes Digit when the cell is empty and CanPlace
// holds. Grid must outlive the returned function.
TPlaceMove GridPlacement(TMatrix& Grid);

} // namespace kumoji
