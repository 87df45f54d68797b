#include "engine/grid/matrix.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>

namespace kumoji {
namespace {

using test::Keep;
using test::Rows;

struct TMove {
    int Col = -1;
    int Row = -1;
    int Digit = 0;
    friend bool operator==(const TMove&, const TMove&) = default;
};

std::ostream& operator<<(std::ostream& Out, const TMove& Move) {
    return Out << "(" << Move.Col << ", " << Move.Row << ") = " << Move.Digit;
}

TMove EmptyCell(const TMatrix& Grid) {
    TMove Move;
    EXPECT_TRUE(Grid.FindEmptyCell(Move.Col, Move.Row, Move.Digit));
    return Move;
}

TMove Single(const TMatrix& Grid) {
    TMove Move;
    EXPECT_TRUE(Grid.FindSingle(Move.Col, Move.Row, Move.Digit));
    return Move;
}

TEST(EmptyCell, RowWithOneEmptyCellAndEightDifferentDigits) {
    const TMatrix Grid = Rows({".........", ".........", ".........", "12345678.", ".........",
                               ".........", ".........", ".........", "........."});
    EXPECT_EQ(EmptyCell(Grid), (TMove{8, 3, 9}));
}

TEST(EmptyCell, UnitWithARepeatedDigitIsPassedOver) {
    TMove Move;
    TMatrix Grid = Rows({".........", ".........", ".........", "12345677.", ".........",
                         ".........", ".........", ".........", "........."});
    EXPECT_FALSE(Grid.FindEmptyCell(Move.Col, Move.Row, Move.Digit));
    Grid = Rows({".........", ".........", ".........", "123456779", ".........", ".........",
                 ".........", ".........", "........."});
    EXPECT_FALSE(Grid.FindEmptyCell(Move.Col, Move.Row, Move.Digit));
}

TEST(EmptyCell, RowsComeBeforeColumns) {
    // Column 0 lacks only (0, 8), row 5 only (8, 5).
    const TMatrix Grid = Rows({"1........", "2........", "3........", "4........", "5........",
                               "61234578.", "7........", "8........", "........."});
    EXPECT_EQ(EmptyCell(Grid), (TMove{8, 5, 9}));
}

TEST(EmptyCell, BoxesGoColumnOfBoxesFirst) {
    // Box (1, 0) and box (0, 1) each lack one cell, whose row and column have
    // several empty cells; box (0, 1) comes first because box columns lead.
    const TMatrix Grid = Rows({"...124...", "...5.6...", "...789...", "123......", "4.6......",
                               "789......", ".........", ".........", "........."});
    EXPECT_EQ(EmptyCell(Grid), (TMove{1, 4, 5}));
}

TEST(LeftPlace, RowsThenColumnsThenBoxesByBoxRow) {
    TMatrix Grid;
    // Digit 4: a single place in column 6 and in box (0, 0).
    for (int R = 0; R < 9; ++R) {
        if (R != 7) {
            Grid.RemoveCandidate(6, R, 4);
        }
    }
    for (int I = 0; I < 9; ++I) {
        if (I != 4) {
            Grid.RemoveCandidate(I % 3, I / 3, 4);
        }
    }
    int Col = -1;
    int Row = -1;
    ASSERT_TRUE(Grid.FindLeftPlace(4, Col, Row));
    EXPECT_EQ(Col, 6);
    EXPECT_EQ(Row, 7);

    // Boxes only: (2, 0) at (7, 1) and (0, 1) at (1, 4); the box row leads.
    Grid.Reset();
    for (int I = 0; I < 9; ++I) {
        if (I != 4) {
            Grid.RemoveCandidate(6 + I % 3, I / 3, 4);
            Grid.RemoveCandidate(I % 3, 3 + I / 3, 4);
        }
    }
    ASSERT_TRUE(Grid.FindLeftPlace(4, Col, Row));
    EXPECT_EQ(Col, 7);
    EXPECT_EQ(Row, 1);
    EXPECT_FALSE(Grid.FindLeftPlace(5, Col, Row)) << "every unit admits 5 in several cells";
}

TEST(LeftPlace, IgnoresUnitsThatHoldTheDigit) {
    // Row 0 holds 3 and admits it nowhere else; no unit has a lone place for 3.
    const TMatrix Grid = Rows({"3........", ".........", ".........", ".........", ".........",
                               ".........", ".........", ".........", "........."});
    int Col = -1;
    int Row = -1;
    EXPECT_FALSE(Grid.FindLeftPlace(3, Col, Row));
}

TEST(MissingNumber, UsesTheMasksAndOnlyEmptyCells) {
    TMatrix Grid = Rows({".........", ".........", ".........", ".........", "....5....",
                         ".........", ".........", ".........", "........."});
    int Digit = 0;
    int Col = -1;
    int Row = -1;
    EXPECT_FALSE(Grid.FindMissingNumber(Digit, Col, Row));

    // A pass left single candidates at (2, 7) and (6, 2), although no peer
    // holds the removed digits; the lower index wins.
    Keep(Grid, 2, 7, {8});
    Keep(Grid, 6, 2, {3});
    // A filled cell is no answer, whatever its mask says.
    Grid.Values[CellIndex(0, 1)] = 9;
    Grid.Candidates[CellIndex(0, 1)] = DigitBit(9);
    ASSERT_TRUE(Grid.FindMissingNumber(Digit, Col, Row));
    EXPECT_EQ(Col, 6);
    EXPECT_EQ(Row, 2);
    EXPECT_EQ(Digit, 3);
}

TEST(FindSingle, PrefersMissingNumberThenEmptyCellThenLowestDigit) {
    // Row 3 lacks only (8, 3), whose mask is empty because column 8 holds 9.
    TMatrix Grid = Rows({".........", ".........", ".........", "12345678.", ".........",
                         ".........", ".........", "........9", "........."});
    EXPECT_EQ(Single(Grid), (TMove{8, 3, 9}));
    Keep(Grid, 0, 8, {2});
    EXPECT_EQ(Single(Grid), (TMove{0, 8, 2}));

    // Hidden singles only: 7 in row 2 and 3 in column 5; digit 3 is asked first.
    TMatrix Hidden;
    for (int C = 0; C < 9; ++C) {
        if (C != 1) {
            Hidden.RemoveCandidate(C, 2, 7);
        }
    }
    for (int R = 0; R < 9; ++R) {
        if (R != 6) {
            Hidden.RemoveCandidate(5, R, 3);
        }
    }
    EXPECT_EQ(Single(Hidden), (TMove{5, 6, 3}));
    TMove None;
    EXPECT_FALSE(TMatrix().FindSingle(None.Col, None.Row, None.Digit));
}

} // namespace
} // namespace kumoji
