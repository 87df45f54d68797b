#include "engine/grid/matrix.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>

namespace kumoji {
namespace {

using test::Keep;
using test::Position;

// Removes Digit from every cell of box (BoxCol, BoxRow) except the cells listed.
void KeepDigitOnlyAt(TMatrix& Grid, int BoxCol, int BoxRow, int Digit,
                     std::initializer_list<TPoint> Cells) {
    for (int R = BoxRow * 3; R < BoxRow * 3 + 3; ++R) {
        for (int C = BoxCol * 3; C < BoxCol * 3 + 3; ++C) {
            bool Listed = false;
            for (const TPoint& Cell : Cells) {
                Listed = Listed || Cell == TPoint{C, R};
            }
            if (!Listed) {
                Grid.RemoveCandidate(C, R, Digit);
            }
        }
    }
}

// Assuming Digit at (0, 0) takes it from (3, 0) and (6, 0); box (1, 0) then
// forces Digit to (4, 1), which leaves box (2, 0) without a place for it.
void AddKeepOffChain(TMatrix& Grid, int Digit) {
    KeepDigitOnlyAt(Grid, 1, 0, Digit, {{3, 0}, {4, 1}});
    KeepDigitOnlyAt(Grid, 2, 0, Digit, {{6, 0}, {7, 1}});
}

struct TMove {
    int Col = -1;
    int Row = -1;
    int Digit = 0;
    friend bool operator==(const TMove&, const TMove&) = default;
};

TEST(Assumption, ForcedPlacesGoBoxesFirst) {
    TMatrix Grid;
    // Digit 3 has a lone place in row 2 at (8, 2) and in box (1, 1) at (4, 4).
    for (int C = 0; C < 8; ++C) {
        Grid.RemoveCandidate(C, 2, 3);
    }
    KeepDigitOnlyAt(Grid, 1, 1, 3, {{4, 4}});
    TPoint Cell;
    ASSERT_TRUE(Grid.FindForcedPlace(3, Cell));
    EXPECT_EQ(Cell, (TPoint{4, 4}));
    EXPECT_FALSE(Grid.FindForcedPlace(5, Cell));
}

TEST(Assumption, BlockedMeansSomeUnitNeitherHoldsNorAdmitsTheDigit) {
    TMatrix Grid = Position(std::string(40, '0') + "6" + std::string(40, '0'));
    EXPECT_FALSE(Grid.DigitBlocked(6));
    KeepDigitOnlyAt(Grid, 2, 2, 6, {});
    EXPECT_TRUE(Grid.DigitBlocked(6));
    EXPECT_FALSE(Grid.DigitBlocked(7));
}

TEST(Assumption, NoForcedPlacementProvesNothing) {
    TMatrix Grid;
    Keep(Grid, 0, 0, {1, 2});
    for (int C = 0; C < 9; ++C) {
        Grid.RemoveCandidate(C, 8, 7);
    }
    ASSERT_TRUE(Grid.DigitBlocked(7));
    EXPECT_FALSE(Grid.TestAssumption(1, 0, 0, 7));
}

TEST(Assumption, KeepOffTriesTheLowerCandidateFirst) {
    TMove Move;
    TMatrix Low;
    Keep(Low, 0, 0, {1, 2});
    AddKeepOffChain(Low, 1);
    EXPECT_TRUE(Low.TestAssumption(1, 0, 0, 1));
    ASSERT_TRUE(Low.FindKeepOffMove(Move.Col, Move.Row, Move.Digit));
    EXPECT_EQ(Move, (TMove{0, 0, 2}));

    TMatrix High;
    Keep(High, 0, 0, {1, 2});
    AddKeepOffChain(High, 2);
    ASSERT_TRUE(High.FindKeepOffMove(Move.Col, Move.Row, Move.Digit));
    EXPECT_EQ(Move, (TMove{0, 0, 1}));
    EXPECT_FALSE(High.FindGetOutMove(Move.Col, Move.Row, Move.Digit));

    TMatrix Both;
    Keep(Both, 0, 0, {1, 2});
    AddKeepOffChain(Both, 1);
    AddKeepOffChain(Both, 2);
    ASSERT_TRUE(Both.FindKeepOffMove(Move.Col, Move.Row, Move.Digit));
    EXPECT_EQ(Move, (TMove{0, 0, 2}));
}

TEST(Assumption, GetOutWatchesTheOtherCandidate) {
    TMatrix Grid;
    Keep(Grid, 0, 0, {1, 2});
    // With 1 at (0, 0), box (0, 0) forces 2 to (1, 1), which takes the last
    // places of 2 in box (1, 0).
    KeepDigitOnlyAt(Grid, 0, 0, 2, {{0, 0}, {1, 1}});
    KeepDigitOnlyAt(Grid, 1, 0, 2, {{4, 1}, {5, 1}});
    TMove Move;
    EXPECT_FALSE(Grid.FindKeepOffMove(Move.Col, Move.Row, Move.Digit));
    ASSERT_TRUE(Grid.FindGetOutMove(Move.Col, Move.Row, Move.Digit));
    EXPECT_EQ(Move, (TMove{0, 0, 2}));
}

TEST(Assumption, NoTwoCandidateCellMeansNoMove) {
    TMatrix Grid;
    KeepDigitOnlyAt(Grid, 1, 0, 1, {{3, 0}, {4, 1}});
    Keep(Grid, 8, 8, {1, 2, 3});
    const TMatrix Before = Grid;
    TMove Move;
    EXPECT_FALSE(Grid.FindKeepOffMove(Move.Col, Move.Row, Move.Digit));
    EXPECT_FALSE(Grid.FindGetOutMove(Move.Col, Move.Row, Move.Digit));
    EXPECT_FALSE(Grid.ApplyPuzzled());
    EXPECT_EQ(Grid.Candidates, Before.Candidates);
}

TEST(Trial, OutcomesSolvedStuckAndContradiction) {
    const std::string Solution =
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
    std::string Text = Solution;
    Text[0] = Text[1] = Text[40] = '0';
    const TMatrix Near = Position(Text);
    EXPECT_EQ(Near.TryValue(0, 0, 5), 1);
    EXPECT_EQ(Near.TryValue(0, 0, 3), 3) << "3 twice in row 0 crowds out 5";
    const TMatrix Before = Near;
    EXPECT_EQ(Near.Values, Before.Values);

    EXPECT_EQ(TMatrix().TryValue(4, 4, 1), 2);
}

TEST(Trial, PuzzledRemovesTheFirstRefutedCandidateOfTheFirstCell) {
    // A solution with 14 cells cleared: (2, 4) {6, 9}, (8, 4) {1, 6} and
    // (0, 7) {2, 8} have two candidates, the others one.
    const std::string Solution =
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
    std::string Text = Solution;
    for (int I : {3, 27, 29, 33, 38, 43, 44, 49, 52, 53, 55, 63, 64, 68}) {
        Text[I] = '0';
    }
    TMatrix Grid = Position(Text);
    ASSERT_EQ(Grid.CandidateText(2, 4), "69");
    ASSERT_EQ(Grid.CandidateText(8, 4), "16");
    const TMatrix Before = Grid;
    // 6 at (2, 4) solves the grid and proves nothing; 9 is refuted.
    EXPECT_EQ(Grid.TryValue(2, 4, 6), 1);
    EXPECT_EQ(Grid.TryValue(2, 4, 9), 3);
    ASSERT_TRUE(Grid.ApplyPuzzled());
    EXPECT_EQ(Grid.CandidateText(2, 4), "6");
    Grid.Candidates[38] = Before.Candidates[38];
    EXPECT_EQ(Grid.Candidates, Before.Candidates) << "one candidate per call";
}

} // namespace
} // namespace kumoji
