// Which cells a digit's hints mark and how few places each one is left: counting only, no drawing.
#pragma once

#include <vector>

namespace kumoji {

class TMatrix;

// How strongly a mark points at its cell.
enum class THintKind { Candidate, Forced, TwoPlaces, ThreePlaces };

struct THintMark {
    int Col = 0;
    int Row = 0;
    THintKind Kind = THintKind::Candidate;

    bool operator==(const THintMark&) const = default;
};

// The marks of Digit in drawing order, a later mark of a cell replacing an
// earlier one: every candidate cell; the places of a box where the digit has
// one to three left; the one place of a row, then of a column; naked singles.
// Empty for a digit outside 1..9.
std::vector<THintMark> HintMarks(const TMatrix& Grid, int Digit);

} // namespace kumoji
