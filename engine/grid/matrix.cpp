// The grid's own operations: values, candidates, unit queries, scans and the state check.
#include "engine/grid/matrix.h"

#include "engine/grid/grid_checks.h"
#include "engine/lanes/lanes.h"

#include <array>
#include <cstring>

namespace kumoji {

TMatrix::TMatrix() {
    Reset();
}

void TMatrix::Reset() {
    Values.fill(0);
    Candidates.fill(AllDigits);
}

int TMatrix::GetValue(int Col, int Row) const {
    if (Col < 0 || Col > 8 || Row < 0 || Row > 8) {
        return -1;
    }
    return Values[CellIndex(Col, Row)];
}

namespace {

// The first cell of each cell's box.
constexpr std::array<unsigned char, 81> BoxFirstCell = [] {
    std::array<unsigned char, 81> Table{};
    for (int I = 0; I < 81; ++I) {
        Table[I] = static_cast<unsigned char>(CellIndex(I % 9 / 3 * 3, I / 9 / 3 * 3));
    }
    return Table;
}();

// Clears the bits outside Keep from the row, column and box of a cell: the
// row four cells a lane, the box from a table, since this runs at every
// placement.
void KeepInPeers(std::array<int, 81>& Candidates, int Col, int Row, int Keep) {
    int* Line = &Candidates[CellIndex(0, Row)];
    const TInt4 Keep4 = {Keep, Keep, Keep, Keep};
    const TInt4 Left = LoadLanes(Line) & Keep4;
    const TInt4 Right = LoadLanes(Line + 4) & Keep4;
    std::memcpy(Line, &Left, sizeof Left);
    std::memcpy(Line + 4, &Right, sizeof Right);
    Line[8] &= Keep;
#pragma GCC unroll 9
    for (int R = 0; R < 9; ++R) {
        Candidates[CellIndex(Col, R)] &= Keep;
    }
    int* Box = &Candidates[BoxFirstCell[CellIndex(Col, Row)]];
#pragma GCC unroll 3
    for (int R = 0; R < 3; ++R) {
        Box[CellIndex(0, R)] &= Keep;
        Box[CellIndex(1, R)] &= Keep;
        Box[CellIndex(2, R)] &= Keep;
    }
}

// Emptying a cell, kept out of line: it is rare and needs a tally of the grid.
__attribute__((noinline)) void ClearValue(TMatrix& Grid, int Col, int Row) {
    std::array<int, 81>& Values = Grid.Values;
    std::array<int, 81>& Candidates = Grid.Candidates;
    const int Index = CellIndex(Col, Row);
    const int Old = Values[Index];
    // Only 0 means empty; a negative value would read as neither empty nor a digit.
    Values[Index] = 0;

    // Digits held by each row, column and box after the clearing.
    int RowHeld[9] = {};
    int ColHeld[9] = {};
    int BoxHeld[9] = {};
    for (int R = 0; R < 9; ++R) {
        for (int C = 0; C < 9; ++C) {
            const int Bit = DigitBit(Values[CellIndex(C, R)]);
            RowHeld[R] |= Bit;
            ColHeld[C] |= Bit;
            BoxHeld[R / 3 * 3 + C / 3] |= Bit;
        }
    }
    // The old digit comes back wherever no unit holds it, also in cells where
    // a deduction pass had removed it.
    const int OldBit = DigitBit(Old);
    if (OldBit != 0) {
        for (int R = 0; R < 9; ++R) {
            for (int C = 0; C < 9; ++C) {
                const int I = CellIndex(C, R);
                if (Values[I] == 0 &&
                    ((RowHeld[R] | ColHeld[C] | BoxHeld[R / 3 * 3 + C / 3]) & OldBit) == 0) {
                    Candidates[I] |= OldBit;
                }
            }
        }
    }
    Candidates[Index] = AllDigits & ~(RowHeld[Row] | ColHeld[Col] | BoxHeld[Row / 3 * 3 + Col / 3]);
}

} // namespace

void TMatrix::SetValue(int Col, int Row, int Value) {
    if (Col < 0 || Col > 8 || Row < 0 || Row > 8) {
        return;
    }
    // A value above 9 has no candidate bit and would corrupt every later check.
    assert(Value <= 9 && "value above 9");
    if (Value > 9) {
        return;
    }
    if (Value < 1) {
        ClearValue(*this, Col, Row);
        return;
    }
    const int Index = CellIndex(Col, Row);
    Values[Index] = Value;
    KeepInPeers(Candidates, Col, Row, AllDigits ^ DigitBit(Value));
    Candidates[Index] = 0;
}

int TMatrix::GetCandidates(int Col, int Row) const {
    return CellInGrid(Col, Row) ? Candidates[CellIndex(Col, Row)] : 0;
}

bool TMatrix::HasCandidate(int Col, int Row, int Digit) const {
    return CellInGrid(Col, Row) && (Candidates[CellIndex(Col, Row)] & DigitBit(Digit)) > 0;
}

void TMatrix::RemoveCandidate(int Col, int Row, int Digit) {
    if (CellInGrid(Col, Row)) {
        Candidates[CellIndex(Col, Row)] &= AllDigits ^ DigitBit(Digit);
    }
}

int TMatrix::CandidateCount(int Col, int Row) const {
    return DigitCount(GetCandidates(Col, Row));
}

std::string TMatrix::CandidateText(int Col, int Row) const {
    const int Mask = GetCandidates(Col, Row);
    std::string Text;
    for (int Digit = 1; Digit <= 9; ++Digit) {
        if (Mask & DigitBit(Digit)) {
            Text += static_cast<char>('0' + Digit);
        }
    }
    return Text;
}

bool TMatrix::RowHas(int Row, int Value) const {
    if (!LineInGrid(Row)) {
        return false;
    }
    for (int Col = 0; Col < 9; ++Col) {
        if (Values[CellIndex(Col, Row)] == Value) {
            return true;
        }
    }
    return false;
}

bool TMatrix::ColHas(int Col, int Value) const {
    if (!LineInGrid(Col)) {
        return false;
    }
    for (int Row = 0; Row < 9; ++Row) {
        if (Values[CellIndex(Col, Row)] == Value) {
            return true;
        }
    }
    return false;
}

bool TMatrix::BoxHas(int Col, int Row, int Value) const {
    if (!CellInGrid(Col, Row)) {
        return false;
    }
    const int* Box = &Values[BoxFirstCell[CellIndex(Col, Row)]];
    for (int R = 0; R < 3; ++R) {
        for (int C = 0; C < 3; ++C) {
            if (Box[CellIndex(C, R)] == Value) {
                return true;
            }
        }
    }
    return false;
}

int TMatrix::RowEmptyCount(int Row) const {
    if (!LineInGrid(Row)) {
        return 0;
    }
    int Count = 0;
    for (int Col = 0; Col < 9; ++Col) {
        Count += Values[CellIndex(Col, Row)] == 0;
    }
    return Count;
}

int TMatrix::ColEmptyCount(int Col) const {
    if (!LineInGrid(Col)) {
        return 0;
    }
    int Count = 0;
    for (int Row = 0; Row < 9; ++Row) {
        Count += Values[CellIndex(Col, Row)] == 0;
    }
    return Count;
}

int TMatrix::BoxEmptyCount(int BoxCol, int BoxRow) const {
    if (!BoxInGrid(BoxCol, BoxRow)) {
        return 0;
    }
    int Count = 0;
    for (int R = BoxRow * 3; R < BoxRow * 3 + 3; ++R) {
        for (int C = BoxCol * 3; C < BoxCol * 3 + 3; ++C) {
            Count += Values[CellIndex(C, R)] == 0;
        }
    }
    return Count;
}

int TMatrix::EmptyCount() const {
    int Count = 0;
    for (int Row = 0; Row < 9; ++Row) {
        Count += RowEmptyCount(Row);
    }
    return Count;
}

void TMatrix::CopyFrom(const TMatrix& Source) {
    Values = Source.Values;
    Candidates = Source.Candidates;
}

namespace {

// Walks a unit's nine cells in the order At gives them: stops at the cell that
// holds Digit, otherwise lists every cell that admits it.
template <typename CellAt>
bool ScanCells(const TMatrix& Grid, int Digit, TD2IntegerList& Places, TPoint& Cell, CellAt At) {
    const int Bit = DigitBit(Digit);
    for (int K = 0; K < 9; ++K) {
        const TPoint P = At(K);
        const int I = CellIndex(P.X, P.Y);
        if (Grid.Values[I] == Digit) {
            Cell = P;
            return true;
        }
        if (Grid.Candidates[I] & Bit) {
            Places.Add(P.X, P.Y);
        }
    }
    return false;
}

} // namespace

bool TMatrix::ScanRow(int Row, int Digit, TD2IntegerList& Places, TPoint& Cell) const {
    Places.Clear();
    if (!LineInGrid(Row)) {
        return false;
    }
    return ScanCells(*this, Digit, Places, Cell, [Row](int K) { return TPoint{K, Row}; });
}

bool TMatrix::ScanCol(int Col, int Digit, TD2IntegerList& Places, TPoint& Cell) const {
    Places.Clear();
    if (!LineInGrid(Col)) {
        return false;
    }
    return ScanCells(*this, Digit, Places, Cell, [Col](int K) { return TPoint{Col, K}; });
}

bool TMatrix::ScanBox(int BoxCol, int BoxRow, int Digit, TD2IntegerList& Places,
                      TPoint& Cell) const {
    Places.Clear();
    if (!BoxInGrid(BoxCol, BoxRow)) {
        return false;
    }
    // Column by column, so Places comes out in column-major order.
    return ScanCells(*this, Digit, Places, Cell, [BoxCol, BoxRow](int K) {
        return TPoint{BoxCol * 3 + K / 3, BoxRow * 3 + K % 3};
    });
}

namespace {

// What each of four cells offers its units: a filled cell the bit of its
// digit, an empty one its candidates, a stray value nothing.
inline TInt4 CellOffers4(const int* Values, const int* Candidates) {
    const TInt4 Value = LoadLanes(Values);
    return DigitBits4(Value) | (LoadLanes(Candidates) & (Value <= 0));
}

// The same for one cell.
inline int CellOffer(int Value, int Candidates) {
    return Value > 0 ? DigitBit(Value) : Candidates;
}

} // namespace

// Every unit must hold or admit all nine digits; which unit fails first
// does not change the answer, so one pass gathers them all.
int TMatrix::CheckState() const {
    // The offers are worked out four cells at a time first and the units read
    // from them after; this runs after every placement.
    std::array<int, 81> Offers;
    TInt4 Masks = {};
    for (int I = 0; I + 4 <= 81; I += 4) {
        const TInt4 Offer = CellOffers4(&Values[I], &Candidates[I]);
        std::memcpy(&Offers[I], &Offer, sizeof Offer);
        Masks |= LoadLanes(&Candidates[I]);
    }
    Offers[80] = CellOffer(Values[80], Candidates[80]);
    const int AllMasks = Masks[0] | Masks[1] | Masks[2] | Masks[3] | Candidates[80];

    // Columns four at a time too: lanes 0-3 and 4-7 of each row, then the ninth.
    TInt4 ColsLeft = {};
    TInt4 ColsRight = {};
    int LastCol = 0;
    int Boxes[9] = {};
    int Missing = 0;
#pragma GCC unroll 9
    for (int R = 0; R < 9; ++R) {
        const int* Line = &Offers[CellIndex(0, R)];
        ColsLeft |= LoadLanes(Line);
        ColsRight |= LoadLanes(Line + 4);
        LastCol |= Line[8];
        int Row = 0;
#pragma GCC unroll 3
        for (int T = 0; T < 3; ++T) {
            const int Third = Line[3 * T] | Line[3 * T + 1] | Line[3 * T + 2];
            Boxes[R / 3 * 3 + T] |= Third;
            Row |= Third;
        }
        Missing |= Row ^ AllDigits;
    }
    const TInt4 Full = {AllDigits, AllDigits, AllDigits, AllDigits};
    const TInt4 ColsMissing = (ColsLeft ^ Full) | (ColsRight ^ Full);
    Missing |= ColsMissing[0] | ColsMissing[1] | ColsMissing[2] | ColsMissing[3];
    Missing |= LastCol ^ AllDigits;
#pragma GCC unroll 9
    for (const int Box : Boxes) {
        Missing |= Box ^ AllDigits;
    }
    if (Missing != 0) {
        return 3;
    }
    return AllMasks == 0 ? 1 : 0;
}

} // namespace kumoji
