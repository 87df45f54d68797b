#pragma once

// Which technique a question's forced move needs, and whether it is the only single.

#include "engine/grid/matrix.h"
#include "engine/grid/point.h"
#include "engine/techniques/solve_method.h"

namespace kumoji {

// The reservation passes of techniques 4 up to Technique (4, 5 or 6), in the
// cycles the question search runs them: at most 11, ending early once a cell
// has a single candidate or a cycle removes nothing.
void ApplyReservationsUpTo(TMatrix& Grid, int Technique);

// The same passes cycled until none removes anything: everything they can
// prove, wherever a question search would have stopped.
void ExhaustReservationsUpTo(TMatrix& Grid, int Technique);

// A cell that holds a single other than Digit at Cell (a cell with one
// candidate, the one place of a digit in a unit), or -1 when there is none.
int SingleOtherThan(const TMatrix& Grid, TPoint Cell, int Digit);

// True when the grid offers at least one single (a cell's only candidate, a
// digit's only place in a unit) and every one of them is Digit at Cell.
bool OnlySingleIs(const TMatrix& Grid, TPoint Cell, int Digit);

// The technique that finds the move (Cell, Digit): 1 to 3 when the first
// single of that kind on the position as given is the move and no easier kind
// finds anything; 4 to 6 when the position has no single and the lowest
// reservation stage after which one appears finds the move. smNone otherwise.
TSolveMethod QuestionTechnique(const TMatrix& Grid, TPoint Cell, int Digit);

} // namespace kumoji
