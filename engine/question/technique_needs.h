// What a question needs: nothing below its technique, its own passes the move alone.
#pragma once

#include "engine/grid/matrix.h"
#include "engine/grid/point.h"
#include "engine/techniques/solve_method.h"

namespace kumoji {

// The technique a player is taken to know below Technique: 4, 5 and 6 in
// turn, then 10 to 17 in turn after 6; 7 and 8 stand on all of them, so
// that a question of theirs is never one of a pattern technique as well.
TSolveMethod TechniqueBelow(TSolveMethod Technique);

// The general passes up to Highest (locked candidates from 4, any naked
// subset of 2 to 4 cells from 5, any hidden one from 6, then techniques 10
// up to Highest), cheapest first, until none removes anything.
void ExhaustGeneralPasses(TMatrix& Grid, TSolveMethod Highest);

// True when the grid offers any single: a cell's only candidate, or a
// digit's only place in a unit.
bool AnySingle(const TMatrix& Grid);

// Whether the move (Cell, Digit) of the position needs exactly Technique
// (4 to 8, 10 to 17): the general passes below it leave no single, and
// adding its own leaves the move as the only one. For 7 and 8 (whose passes
// below are those up to 17) the position's
// FindKeepOffMove (for 8: none, and FindGetOutMove) finds the move, and
// taking the assumed digit from the cell leaves it the only single.
bool NeedsTechnique(const TMatrix& Position, TPoint Cell, int Digit, TSolveMethod Technique);

// The question check for a question of Technique: for 7, 8 and 10 to 17 the
// technique's own passes join the reservation passes before the singles are
// read as FindQuestion reads them; for the others, FindQuestion itself.
bool FindQuestion(const TMatrix& Grid, TPoint& Cell, int& Digit, bool Strict,
                  TSolveMethod Technique);

// The first of techniques 10 to 17, then 7 and 8, whose question check
// finds a move of the position that needs exactly it, with that move in Cell
// and Digit; smNone when there is none.
TSolveMethod FindQuestionBeyondSubsets(const TMatrix& Position, TPoint& Cell, int& Digit);

} // namespace kumoji
