#include "engine/grid/matrix.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>

namespace kumoji {
namespace {

using test::Keep;
using test::Mask;
using test::Rows;

// Cells whose masks differ between two grids, as "index:before>after".
std::string Differences(const TMatrix& Before, const TMatrix& After) {
    std::string Text;
    for (int I = 0; I < 81; ++I) {
        if (Before.Candidates[I] != After.Candidates[I]) {
            Text += std::to_string(I) + ":" + Before.CandidateText(I % 9, I / 9) + ">" +
                    After.CandidateText(I % 9, I / 9) + " ";
        }
    }
    return Text;
}

TEST(MyReserved, PointingFromABoxClearsTheRestOfTheRow) {
    TMatrix Grid;
    // Box (0, 0) admits 5 only in row 1; row 1 admits 5 also at columns 4 and 7.
    for (int C = 0; C < 3; ++C) {
        Grid.RemoveCandidate(C, 0, 5);
        Grid.RemoveCandidate(C, 2, 5);
    }
    for (int C : {3, 5, 6, 8}) {
        Grid.RemoveCandidate(C, 1, 5);
    }
    const TMatrix Before = Grid;
    EXPECT_TRUE(Grid.ApplyMyReserved());
    EXPECT_EQ(Differences(Before, Grid), "13:123456789>12346789 16:123456789>12346789 ");
    EXPECT_FALSE(Grid.ApplyMyReserved());
}

TEST(MyReserved, ClaimingFromAColumnClearsTheRestOfTheBox) {
    TMatrix Grid;
    // Column 7 admits 2 only in rows 3..5, so box (2, 1) loses 2 in columns 6 and 8.
    for (int R : {0, 1, 2, 6, 7, 8}) {
        Grid.RemoveCandidate(7, R, 2);
    }
    const TMatrix Before = Grid;
    EXPECT_TRUE(Grid.ApplyMyReserved());
    for (int R = 3; R < 6; ++R) {
        EXPECT_FALSE(Grid.HasCandidate(6, R, 2));
        EXPECT_FALSE(Grid.HasCandidate(8, R, 2));
        EXPECT_TRUE(Grid.HasCandidate(7, R, 2));
    }
    int Changed = 0;
    for (int I = 0; I < 81; ++I) {
        Changed += Before.Candidates[I] != Grid.Candidates[I];
    }
    EXPECT_EQ(Changed, 6);
}

TEST(MyReserved, LaterSegmentsSeeEarlierRemovals) {
    TMatrix Grid;
    // Box (0, 0) admits 5 only in row 0, and box (1, 0) not in row 2. Once row
    // 0 has lost 5 outside box (0, 0), box (1, 0) admits 5 only in row 1, which
    // the same call must notice and clear from (6..8, 1).
    for (int C = 0; C < 3; ++C) {
        Grid.RemoveCandidate(C, 1, 5);
        Grid.RemoveCandidate(C, 2, 5);
        Grid.RemoveCandidate(3 + C, 2, 5);
    }
    EXPECT_TRUE(Grid.ApplyMyReserved());
    for (int C = 3; C < 9; ++C) {
        EXPECT_FALSE(Grid.HasCandidate(C, 0, 5)) << C;
    }
    for (int C = 6; C < 9; ++C) {
        EXPECT_FALSE(Grid.HasCandidate(C, 1, 5)) << C;
    }
    EXPECT_TRUE(Grid.HasCandidate(3, 1, 5));
}

TEST(MyReservedMove, WorksOnACopyOrOnTheGivenWorkGrid) {
    TMatrix Grid;
    // Box (0, 0) admits 1 only at (0, 0): pointing clears row 0, and then row
    // 0 has a lone place for 1.
    for (int I = 1; I < 9; ++I) {
        Grid.RemoveCandidate(I % 3, I / 3, 1);
    }
    const TMatrix Before = Grid;
    int Col = -1;
    int Row = -1;
    int Found = 0;
    ASSERT_TRUE(Grid.FindMyReservedMove(1, Col, Row, Found));
    EXPECT_EQ(Col, 0);
    EXPECT_EQ(Row, 0);
    EXPECT_EQ(Found, 1);
    EXPECT_EQ(Grid.Candidates, Before.Candidates) << "the grid itself is left alone";

    TMatrix Work = Grid;
    ASSERT_TRUE(Grid.FindMyReservedMove(1, Col, Row, Found, &Work));
    EXPECT_FALSE(Work.HasCandidate(5, 0, 1)) << "eliminations stay in the work grid";
    EXPECT_FALSE(Work.HasCandidate(0, 5, 1));
    EXPECT_EQ(Grid.Candidates, Before.Candidates);

    // Other digits have nothing to remove, so there is no search at all.
    EXPECT_FALSE(Grid.FindMyReservedMove(2, Col, Row, Found));
}

TEST(MyReservedMove, ColumnPassRunsAfterAnIdleRowPass) {
    TMatrix Grid;
    // Box (0, 0) admits 1 only in column 0, box (0, 1) only at (0, 4) and
    // (1, 5): nothing for the first row pass, but the column pass clears
    // (0, 4), and the row pass after it leaves row 5 a lone place.
    for (int R = 0; R < 3; ++R) {
        Grid.RemoveCandidate(1, R, 1);
        Grid.RemoveCandidate(2, R, 1);
    }
    for (int I = 0; I < 9; ++I) {
        const int C = I % 3;
        const int R = 3 + I / 3;
        if (!(C == 0 && R == 4) && !(C == 1 && R == 5)) {
            Grid.RemoveCandidate(C, R, 1);
        }
    }
    int Col = -1;
    int Row = -1;
    int Found = 0;
    ASSERT_TRUE(Grid.FindMyReservedMove(1, Col, Row, Found));
    EXPECT_EQ(Col, 1);
    EXPECT_EQ(Row, 5);
    EXPECT_EQ(Found, 1);
}

TEST(MyReservedMove, NoRemovalMeansNoMoveEvenWithASingleInSight) {
    TMatrix Grid;
    // Row 0 admits 1 only at (0, 0): a hidden single, but no locked candidates.
    for (int C = 1; C < 9; ++C) {
        Grid.RemoveCandidate(C, 0, 1);
    }
    int Col = -1;
    int Row = -1;
    int Found = 0;
    EXPECT_FALSE(Grid.FindMyReservedMove(1, Col, Row, Found));
    EXPECT_TRUE(Grid.FindLeftPlace(1, Col, Row));
}

TEST(YourReserved, NakedPairClearsTheOtherCellsOfItsUnit) {
    TMatrix Grid = Rows({"........1", ".........", ".........", ".........", ".........",
                         ".........", ".........", ".........", "........."});
    Keep(Grid, 1, 0, {3, 8});
    Keep(Grid, 5, 0, {3, 8});
    const TMatrix Before = Grid;
    EXPECT_TRUE(Grid.ApplyYourReserved());
    EXPECT_EQ(Differences(Before, Grid), "0:23456789>245679 2:23456789>245679 "
                                         "3:23456789>245679 4:23456789>245679 "
                                         "6:23456789>245679 7:23456789>245679 ");
}

TEST(YourReserved, PairOfTheOnlyTwoEmptyCellsIsNoSubset) {
    TMatrix Grid = Rows({"1234567..", ".........", ".........", ".........", ".........",
                         ".........", ".........", ".........", "........."});
    const TMatrix Before = Grid;
    EXPECT_EQ(Grid.GetCandidates(7, 0), Mask({8, 9}));
    // Row 0 has only the pair left and gains nothing; box (2, 0) has six more
    // empty cells and loses 8 and 9 there.
    EXPECT_TRUE(Grid.ApplyYourReserved());
    EXPECT_EQ(Grid.GetCandidates(7, 0), Mask({8, 9}));
    EXPECT_EQ(Grid.GetCandidates(8, 0), Mask({8, 9}));
    for (int R = 1; R < 3; ++R) {
        for (int C = 6; C < 9; ++C) {
            EXPECT_EQ(Grid.GetCandidates(C, R), Mask({1, 2, 3, 4, 5, 6}));
        }
    }
    EXPECT_EQ(Grid.GetCandidates(6, 3), Before.GetCandidates(6, 3));
}

TEST(YourReserved, TestsReadTheStateAtTheStartOfTheCall) {
    TMatrix Grid;
    // The row pair {1, 2} turns (2, 0) into {4, 5}, a pair with (2, 1) in
    // column 2, but only for the next call.
    Keep(Grid, 0, 0, {1, 2});
    Keep(Grid, 1, 0, {1, 2});
    Keep(Grid, 2, 0, {1, 4, 5});
    Keep(Grid, 2, 1, {4, 5});
    EXPECT_TRUE(Grid.ApplyYourReserved());
    EXPECT_EQ(Grid.GetCandidates(2, 0), Mask({4, 5}));
    EXPECT_EQ(Grid.GetCandidates(2, 2), Mask({3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(Grid.HasCandidate(2, 5, 4));
    EXPECT_TRUE(Grid.ApplyYourReserved());
    EXPECT_FALSE(Grid.HasCandidate(2, 5, 4));
    EXPECT_FALSE(Grid.HasCandidate(2, 2, 5));
}

TEST(OurReserved, HiddenPairKeepsOnlyItsDigits) {
    TMatrix Grid;
    // In column 3, digits 2 and 6 fit only at rows 0 and 4.
    for (int R : {1, 2, 3, 5, 6, 7, 8}) {
        Grid.RemoveCandidate(3, R, 2);
        Grid.RemoveCandidate(3, R, 6);
    }
    const TMatrix Before = Grid;
    EXPECT_TRUE(Grid.ApplyOurReserved());
    EXPECT_EQ(Differences(Before, Grid), "3:123456789>26 39:123456789>26 ");
    EXPECT_FALSE(Grid.ApplyOurReserved());
}

TEST(OurReserved, OnlyIdenticalPlaceListsFormAGroup) {
    TMatrix Grid;
    // Row 0: 3 fits at columns 0 and 1, 4 at columns 0, 1 and 2.
    for (int C = 2; C < 9; ++C) {
        Grid.RemoveCandidate(C, 0, 3);
    }
    for (int C = 3; C < 9; ++C) {
        Grid.RemoveCandidate(C, 0, 4);
    }
    EXPECT_FALSE(Grid.ApplyOurReserved());
}

TEST(OurReserved, WritesStartFromTheStateAtTheStartOfTheCall) {
    TMatrix Grid;
    // Row 0 makes (0, 0) and (4, 0) {2, 6}. Column 0 then finds 9 only at
    // (0, 0) in the starting state and sets the cell to {9}; in column 4 all
    // nine digits share the same nine places, and that group writes the
    // starting mask back. Both replace the row's write.
    for (int C : {1, 2, 3, 5, 6, 7, 8}) {
        Grid.RemoveCandidate(C, 0, 2);
        Grid.RemoveCandidate(C, 0, 6);
    }
    for (int R = 1; R < 9; ++R) {
        Grid.RemoveCandidate(0, R, 9);
    }
    EXPECT_TRUE(Grid.ApplyOurReserved());
    EXPECT_EQ(Grid.GetCandidates(0, 0), Mask({9}));
    EXPECT_EQ(Grid.GetCandidates(4, 0), 511);
}

TEST(OurReserved, LonePlaceReducesTheCellToThatDigit) {
    TMatrix Grid;
    for (int I = 0; I < 9; ++I) {
        if (I != 7) {
            Grid.RemoveCandidate(6 + I / 3, 6 + I % 3, 8);
        }
    }
    EXPECT_TRUE(Grid.ApplyOurReserved());
    int Digit = 0;
    int Col = -1;
    int Row = -1;
    ASSERT_TRUE(Grid.FindMissingNumber(Digit, Col, Row));
    EXPECT_EQ(Digit, 8);
    EXPECT_EQ(Col, 8);
    EXPECT_EQ(Row, 7);
}

TEST(Reservations, NothingToDoLeavesTheGridAlone) {
    TMatrix Grid = Rows({"5........", ".........", ".........", ".........", ".........",
                         ".........", ".........", ".........", "........9"});
    const TMatrix Before = Grid;
    EXPECT_FALSE(Grid.ApplyReservations());
    EXPECT_EQ(Grid.Candidates, Before.Candidates);
}

// An empty grid whose digits 1, 2 and 3 are restricted so that the passes
// keep changing it for twelve cycles without ever leaving a single.
TEST(Reservations, StopAfterTheEleventhCycle) {
    TMatrix Grid;
    Grid.Candidates = {
        506, 505, 509, 508, 511, 505, 508, 511, 506, 510, 504, 504, 510, 504, 511, 505, 506,
        505, 504, 504, 505, 508, 504, 506, 511, 507, 508, 509, 509, 506, 507, 505, 505, 511,
        511, 510, 504, 505, 508, 510, 504, 511, 505, 504, 506, 510, 511, 508, 508, 506, 504,
        511, 510, 506, 511, 506, 510, 506, 505, 509, 505, 506, 506, 507, 505, 505, 505, 505,
        511, 504, 509, 511, 507, 509, 509, 505, 510, 508, 509, 508, 510,
    };
    auto Cycle = [](TMatrix& Work) {
        Work.ApplyMyReserved();
        Work.ApplyYourReserved();
        Work.ApplyOurReserved();
    };
    TMatrix Ten = Grid;
    for (int I = 0; I < 10; ++I) {
        Cycle(Ten);
    }
    TMatrix Eleven = Ten;
    Cycle(Eleven);
    ASSERT_NE(Eleven.Candidates, Ten.Candidates);

    EXPECT_TRUE(Grid.ApplyReservations());
    EXPECT_EQ(Grid.Candidates, Eleven.Candidates);
    int Digit;
    int Col;
    int Row;
    EXPECT_FALSE(Grid.FindMissingNumber(Digit, Col, Row));
    EXPECT_TRUE(Grid.ApplyMyReserved()) << "a twelfth cycle would still have changed the grid";
}

} // namespace
} // namespace kumoji
