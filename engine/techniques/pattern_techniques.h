// The techniques beyond subsets: fish, single-digit chains, wings and colouring.
#pragma once

// Each finder visits the patterns that take at least one candidate, digits
// and lines in ascending order, and fills the fields of TPattern thus:
// - fish (smXWing 2 lines, smSwordfish 3): Digits [d]; Units the base lines
//   (rows, or columns), where every place of d lies in the Cover lines
//   (columns, or rows), as many as the base; Cells d's places in the base;
//   d leaves the rest of the cover lines.
// - smSkyscraper, sm2StringKite: Digits [d]; Cells [a2, a1, b1, b2], a2-a1
//   d's only two places in Units[0], b1-b2 in Units[1], a1 sees b1 (a
//   common column or row for the skyscraper, both lines rows or both
//   columns; a common box for the kite, a row and a column); d leaves every
//   cell that sees a2 and b2.
// - smXYWing: Cells [pivot {x,y}, pincer {x,z}, pincer {y,z}], each pincer
//   seeing the pivot; Digits [x, y, z]; z leaves every cell that sees both
//   pincers. smXYZWing the same with a pivot {x,y,z}: z leaves every cell
//   that sees all three.
// - smWWing: Cells [w1, c1, c2, w2], w1 and w2 both {x,y} and apart, c1-c2
//   x's only two places in Units[0], c1 seeing w1, c2 seeing w2; Digits
//   [x, y]; y leaves every cell that sees w1 and w2.
// - smSimpleColouring: Digits [d]; Cells the cells of one chain of d's
//   conjugate pairs, ascending, Colours a 0 or 1 for each (the first 0),
//   Links [i, j, unit] every pair of the chain (i < j, by unit). If two
//   cells of one colour see each other, that colour's cells lose d;
//   otherwise every cell that sees both colours does.

#include "engine/techniques/pattern.h"

namespace kumoji {

void FindXWings(const TMatrix& Grid, const TPatternVisit& Visit);
void FindSkyscrapers(const TMatrix& Grid, const TPatternVisit& Visit);
void Find2StringKites(const TMatrix& Grid, const TPatternVisit& Visit);
void FindSwordfish(const TMatrix& Grid, const TPatternVisit& Visit);
void FindXYWings(const TMatrix& Grid, const TPatternVisit& Visit);
void FindXYZWings(const TMatrix& Grid, const TPatternVisit& Visit);
void FindWWings(const TMatrix& Grid, const TPatternVisit& Visit);
void FindSimpleColouring(const TMatrix& Grid, const TPatternVisit& Visit);

bool ApplyXWing(TMatrix& Grid);
bool ApplySkyscraper(TMatrix& Grid);
bool Apply2StringKite(TMatrix& Grid);
bool ApplySwordfish(TMatrix& Grid);
bool ApplyXYWing(TMatrix& Grid);
bool ApplyXYZWing(TMatrix& Grid);
bool ApplyWWing(TMatrix& Grid);
bool ApplySimpleColouring(TMatrix& Grid);

// Keep off and get out as patterns: the move FindKeepOffMove (or
// FindGetOutMove) finds, with Cells [the assumed cell, then each forced
// place in order], Units [the unit left without a place, then the unit that
// forced each place], Digits [assumed, watched] and Removes the assumed
// digit from the assumed cell.
std::optional<TPattern> FindKeepOffPattern(const TMatrix& Grid);
std::optional<TPattern> FindGetOutPattern(const TMatrix& Grid);

} // namespace kumoji
