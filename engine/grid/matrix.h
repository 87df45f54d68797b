// The grid: values, candidate masks and the operations on them.
#pragma once

// Cells and units are laid out as units.h shows.
//
// Values[i] is 0 for an empty cell or the digit 1..9. Candidates[i] is the
// cell's candidate mask (see digit_mask.h); SetValue keeps it in step with
// the values, the deduction passes only ever clear bits of it.
//
// Coordinates outside the grid are a programming error: they assert in debug
// builds and otherwise read as an empty, candidate-free cell and write nothing.

#include "engine/grid/digit_mask.h"
#include "engine/grid/point.h"
#include "engine/grid/units.h"
#include "engine/lists/intlist.h"
#include "engine/techniques/value_facts.h"

#include <array>
#include <string>

namespace kumoji {

struct TCellSet;

class TMatrix {
public:
    TMatrix();

    std::array<int, 81> Values;
    std::array<int, 81> Candidates;

    // Grid, candidates and units.
    void Reset();
    int GetValue(int Col, int Row) const;
    void SetValue(int Col, int Row, int Value);
    int GetCandidates(int Col, int Row) const;
    bool HasCandidate(int Col, int Row, int Digit) const;
    void RemoveCandidate(int Col, int Row, int Digit);
    int CandidateCount(int Col, int Row) const;
    std::string CandidateText(int Col, int Row) const;
    bool RowHas(int Row, int Value) const;
    bool ColHas(int Col, int Value) const;
    bool BoxHas(int Col, int Row, int Value) const;
    int RowEmptyCount(int Row) const;
    int ColEmptyCount(int Col) const;
    int BoxEmptyCount(int BoxCol, int BoxRow) const;
    int EmptyCount() const;
    void CopyFrom(const TMatrix& Source);
    bool ScanRow(int Row, int Digit, TD2IntegerList& Places, TPoint& Cell) const;
    bool ScanCol(int Col, int Digit, TD2IntegerList& Places, TPoint& Cell) const;
    bool ScanBox(int BoxCol, int BoxRow, int Digit, TD2IntegerList& Places, TPoint& Cell) const;
    // 0 open, 1 solved, 3 contradiction.
    int CheckState() const;

    // Singles.
    bool FindEmptyCell(int& Col, int& Row, int& Digit) const;
    bool FindLeftPlace(int Digit, int& Col, int& Row) const;
    bool FindMissingNumber(int& Digit, int& Col, int& Row) const;
    bool FindSingle(int& Col, int& Row, int& Digit) const;

    // Reservations: remove candidates, never change a value.
    bool ApplyMyReserved();
    // Work, when given, is the grid the pass reads and changes; otherwise it
    // runs on a private copy of this grid.
    bool FindMyReservedMove(int Digit, int& Col, int& Row, int& Found,
                            TMatrix* Work = nullptr) const;
    bool ApplyYourReserved();
    bool ApplyOurReserved();
    bool ApplyReservations();
    // The same with the facts of this grid's values, worked out beforehand.
    bool ApplyYourReserved(const TValueFacts& Facts);
    bool ApplyOurReserved(const TValueFacts& Facts);
    // The same, handing on the masks the first pass leaves, cut to the nine
    // digits, on the unit lanes: Left is set when the pass could tell them,
    // and Masks, when given, must be the grid's own.
    bool ApplyYourReserved(const TValueFacts& Facts, TUnitLanes& Left, bool& LeftKnown);
    bool ApplyOurReserved(const TValueFacts& Facts, const TUnitLanes* Masks);
    bool ApplyReservations(const TValueFacts& Facts);
    // The same, also telling the empty cells with a single candidate that the
    // loop's last check found: the grid's own when it returns.
    bool ApplyReservations(const TValueFacts& Facts, TCellSet& NakedSingles);

    // Assumptions and trials on two-candidate cells.
    bool FindForcedPlace(int Digit, TPoint& Cell) const;
    bool DigitBlocked(int Digit) const;
    bool TestAssumption(int Assumed, int Col, int Row, int Watched) const;
    bool FindKeepOffMove(int& Col, int& Row, int& Digit) const;
    bool FindGetOutMove(int& Col, int& Row, int& Digit) const;
    // 1 solved, 2 stuck, 3 contradiction.
    int TryValue(int Col, int Row, int Digit) const;
    bool ApplyPuzzled();
};

} // namespace kumoji
