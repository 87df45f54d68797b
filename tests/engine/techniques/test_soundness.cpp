// Every technique is a deduction: on a puzzle with one solution it may only
// remove wrong candidates and only place right digits. Run over stored
// puzzles of several grades, this catches a wrong unit, mask or bit anywhere.
#include "engine/grid/matrix.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>

namespace kumoji {
namespace {

using test::LoadSolvedPuzzles;
using test::Position;

int SolutionDigit(const test::TSolvedPuzzle& Item, int Col, int Row) {
    return Item.Solution[CellIndex(Col, Row)] - '0';
}

// Index of an empty cell that has lost its solution digit, or -1.
int LostSolutionDigit(const TMatrix& Grid, const test::TSolvedPuzzle& Item) {
    for (int I = 0; I < 81; ++I) {
        if (Grid.Values[I] == 0 && !(Grid.Candidates[I] & DigitBit(Item.Solution[I] - '0'))) {
            return I;
        }
    }
    return -1;
}

TEST(Soundness, ReservationsKeepEverySolutionDigit) {
    for (const auto& Item : LoadSolvedPuzzles()) {
        TMatrix Grid = Position(Item.Puzzle);
        Grid.ApplyMyReserved();
        ASSERT_EQ(LostSolutionDigit(Grid, Item), -1) << "locked candidates " << Item.Puzzle;
        Grid = Position(Item.Puzzle);
        Grid.ApplyYourReserved();
        ASSERT_EQ(LostSolutionDigit(Grid, Item), -1) << "naked subsets " << Item.Puzzle;
        Grid = Position(Item.Puzzle);
        Grid.ApplyOurReserved();
        ASSERT_EQ(LostSolutionDigit(Grid, Item), -1) << "hidden subsets " << Item.Puzzle;
        Grid = Position(Item.Puzzle);
        Grid.ApplyReservations();
        ASSERT_EQ(LostSolutionDigit(Grid, Item), -1) << "reservations " << Item.Puzzle;
        int Col = -1;
        int Row = -1;
        int Digit = 0;
        if (Grid.FindSingle(Col, Row, Digit)) {
            EXPECT_EQ(Digit, SolutionDigit(Item, Col, Row)) << Item.Puzzle;
        }
    }
}

TEST(Soundness, ForcedMovesAreSolutionDigits) {
    for (const auto& Item : LoadSolvedPuzzles()) {
        const TMatrix Grid = Position(Item.Puzzle);
        int Col = -1;
        int Row = -1;
        int Digit = 0;
        for (int D = 1; D <= 9; ++D) {
            if (Grid.FindMyReservedMove(D, Col, Row, Digit)) {
                EXPECT_EQ(Digit, SolutionDigit(Item, Col, Row)) << Item.Puzzle << " digit " << D;
            }
        }
        if (Grid.FindKeepOffMove(Col, Row, Digit)) {
            EXPECT_EQ(Digit, SolutionDigit(Item, Col, Row)) << "keep off " << Item.Puzzle;
        }
        if (Grid.FindGetOutMove(Col, Row, Digit)) {
            EXPECT_EQ(Digit, SolutionDigit(Item, Col, Row)) << "get out " << Item.Puzzle;
        }
        for (int I = 0; I < 81; ++I) {
            if (Grid.Values[I] == 0 && Grid.CandidateCount(I % 9, I / 9) == 2) {
                EXPECT_NE(Grid.TryValue(I % 9, I / 9, Item.Solution[I] - '0'), 3)
                    << "trial refutes the solution " << Item.Puzzle << " cell " << I;
                break;
            }
        }
    }
}

// Plays each puzzle out with every technique, cheapest first, the way the
// deep answer step combines them: every placement must be right, and every
// stored puzzle must come out solved.
TEST(Soundness, AllTechniquesTogetherSolveEveryPuzzle) {
    for (const auto& Item : LoadSolvedPuzzles()) {
        TMatrix Grid = Position(Item.Puzzle);
        while (Grid.CheckState() == 0) {
            int Col = -1;
            int Row = -1;
            int Digit = 0;
            TMatrix Work = Grid;
            bool Found = Work.FindSingle(Col, Row, Digit);
            if (!Found) {
                Work.ApplyReservations();
                Found = Work.FindSingle(Col, Row, Digit);
            }
            Found = Found || Grid.FindKeepOffMove(Col, Row, Digit) ||
                    Grid.FindGetOutMove(Col, Row, Digit);
            for (int Step = 0; !Found && Step <= 10 && Work.ApplyPuzzled(); ++Step) {
                ASSERT_EQ(LostSolutionDigit(Work, Item), -1) << "trial " << Item.Puzzle;
                Work.ApplyReservations();
                Found = Work.FindSingle(Col, Row, Digit);
            }
            ASSERT_TRUE(Found) << "stuck at " << PuzzleTextOf(Grid);
            ASSERT_EQ(Digit, SolutionDigit(Item, Col, Row)) << PuzzleTextOf(Grid);
            Grid.SetValue(Col, Row, Digit);
        }
        EXPECT_EQ(PuzzleTextOf(Grid), Item.Solution);
    }
}

} // namespace
} // namespace kumoji
