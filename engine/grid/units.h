// The grid's layout: cell indexes and the one numbering of the 27 units.
#pragma once

// Every operation takes the column first: (Col, Row), each 0..8 from the
// top-left. Cells are stored row-major, index = Col + 9 * Row:
//
//          Col 0  1  2   3  4  5   6  7  8
//   Row 0  [ 0  1  2 |  3  4  5 |  6  7  8 ]
//   Row 1  [ 9 10 11 | 12 13 14 | 15 16 17 ]   box (0,0) | box (1,0) | box (2,0)
//   Row 2  [18 19 20 | 21 22 23 | 24 25 26 ]
//          ----------+----------+----------
//   Row 3  [27 28 29 | 30 31 32 | 33 34 35 ]
//   Row 4  [36 37 38 | 39 40 41 | 42 43 44 ]   box (0,1) | box (1,1) | box (2,1)
//   Row 5  [45 46 47 | 48 49 50 | 51 52 53 ]
//          ----------+----------+----------
//   Row 6  [54 55 56 | 57 58 59 | 60 61 62 ]
//   Row 7  [63 64 65 | 66 67 68 | 69 70 71 ]   box (0,2) | box (1,2) | box (2,2)
//   Row 8  [72 73 74 | 75 76 77 | 78 79 80 ]
//
// A box is (BoxCol, BoxRow) = (Col / 3, Row / 3). A stack is three columns
// of boxes (0-2, 3-5, 6-8), a band three rows of them.
//
// Units are numbered once for every pass:
//   0..8    row R               cells by column
//   9..17   column 9 + C        cells by row
//   18..26  box 18 + 3 * BoxRow + BoxCol (box row outer)   cells row by row
// A unit's "positions" 0..8 are its cells in that order; a set of positions
// is a 9-bit mask like a candidate mask.

#include <array>

namespace kumoji {

constexpr int CellIndex(int Col, int Row) {
    return Col + 9 * Row;
}

inline constexpr int UnitCount = 27;

constexpr int RowUnit(int Row) {
    return Row;
}
constexpr int ColUnit(int Col) {
    return 9 + Col;
}
constexpr int BoxUnit(int BoxCol, int BoxRow) {
    return 18 + 3 * BoxRow + BoxCol;
}

using TUnitCells = std::array<unsigned char, 9>;

// The cells of each unit, position by position.
inline constexpr std::array<TUnitCells, UnitCount> UnitCells = [] {
    std::array<TUnitCells, UnitCount> Table{};
    for (int N = 0; N < 9; ++N) {
        for (int K = 0; K < 9; ++K) {
            Table[RowUnit(N)][K] = static_cast<unsigned char>(CellIndex(K, N));
            Table[ColUnit(N)][K] = static_cast<unsigned char>(CellIndex(N, K));
            Table[18 + N][K] =
                static_cast<unsigned char>(CellIndex(N % 3 * 3 + K % 3, N / 3 * 3 + K / 3));
        }
    }
    return Table;
}();

// The three units of a cell and its position in each.
struct TCellUnits {
    unsigned char Row, Col, Box;
    unsigned char RowPosition, ColPosition, BoxPosition;
};

inline constexpr std::array<TCellUnits, 81> CellUnits = [] {
    std::array<TCellUnits, 81> Table{};
    for (int I = 0; I < 81; ++I) {
        const int C = I % 9;
        const int R = I / 9;
        Table[I] = TCellUnits{static_cast<unsigned char>(RowUnit(R)),
                              static_cast<unsigned char>(ColUnit(C)),
                              static_cast<unsigned char>(BoxUnit(C / 3, R / 3)),
                              static_cast<unsigned char>(C),
                              static_cast<unsigned char>(R),
                              static_cast<unsigned char>(R % 3 * 3 + C % 3)};
    }
    return Table;
}();

// Two different cells that share a row, a column or a box.
constexpr bool Sees(int A, int B) {
    return A != B && (A / 9 == B / 9 || A % 9 == B % 9 || CellUnits[A].Box == CellUnits[B].Box);
}

// The box scan visits a box column by column: the position it reaches at
// step K of the walk.
constexpr int BoxScanPosition(int K) {
    return K % 3 * 3 + K / 3;
}

using TUnitOrder = std::array<unsigned char, UnitCount>;

// The orders in which the searches visit the units.
namespace UnitOrder {
// Rows, columns, then boxes with the box row outer: the numbering itself.
inline constexpr TUnitOrder RowsColsBoxes = [] {
    TUnitOrder Order{};
    for (int U = 0; U < UnitCount; ++U) {
        Order[U] = static_cast<unsigned char>(U);
    }
    return Order;
}();
// Rows, columns, then boxes with the box column outer.
inline constexpr TUnitOrder RowsColsBoxesByColumn = [] {
    TUnitOrder Order = RowsColsBoxes;
    for (int N = 0; N < 9; ++N) {
        Order[18 + N] = static_cast<unsigned char>(BoxUnit(N / 3, N % 3));
    }
    return Order;
}();
// Columns, rows, boxes (box row outer).
inline constexpr TUnitOrder ColsRowsBoxes = [] {
    TUnitOrder Order = RowsColsBoxes;
    for (int N = 0; N < 9; ++N) {
        Order[N] = static_cast<unsigned char>(ColUnit(N));
        Order[9 + N] = static_cast<unsigned char>(RowUnit(N));
    }
    return Order;
}();
// Boxes (box row outer), rows, columns.
inline constexpr TUnitOrder BoxesRowsCols = [] {
    TUnitOrder Order{};
    for (int N = 0; N < 9; ++N) {
        Order[N] = static_cast<unsigned char>(18 + N);
        Order[9 + N] = static_cast<unsigned char>(RowUnit(N));
        Order[18 + N] = static_cast<unsigned char>(ColUnit(N));
    }
    return Order;
}();
} // namespace UnitOrder

} // namespace kumoji
