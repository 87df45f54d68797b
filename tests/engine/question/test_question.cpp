#include "engine/grid/puzzle_text.h"
#include "engine/question/generator.h"
#include "engine/question/question.h"
#include "engine/question/technique_needs.h"
#include "grid_helpers.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kumoji {
namespace {

struct TGiven {
    int Col;
    int Row;
    int Digit;
};

TMatrix Position(std::initializer_list<TGiven> Givens) {
    std::string Text(81, '0');
    for (const TGiven& Given : Givens) {
        Text[Given.Row * 9 + Given.Col] = static_cast<char>('0' + Given.Digit);
    }
    TMatrix Grid;
    EXPECT_TRUE(SetPuzzle(Grid, Text));
    return Grid;
}

TMatrix Position(std::string_view Text) {
    TMatrix Grid;
    EXPECT_TRUE(SetPuzzle(Grid, Text));
    return Grid;
}

// Row 0 misses only 9 at I1, row 8 misses only 5 at A9.
const std::string TwoNakedSingles = "123456780" + std::string(63, '0') + "012347896";

TEST(FindQuestion, NoSingleAtAll) {
    for (bool Strict : {true, false}) {
        TPoint Cell;
        int Digit = -1;
        EXPECT_FALSE(FindQuestion(Position({}), Cell, Digit, Strict));
        EXPECT_EQ(Digit, 0);
        EXPECT_FALSE(FindQuestion(Position({{4, 4, 5}, {0, 0, 1}}), Cell, Digit, Strict));
        EXPECT_EQ(Digit, 0);
    }
}

TEST(FindQuestion, TwoForcedMovesAreUnfitOnlyWhenStrict) {
    const TMatrix Grid = Position(TwoNakedSingles);
    TPoint Cell;
    int Digit = 0;
    EXPECT_FALSE(FindQuestion(Grid, Cell, Digit, true));
    // Not strict: the first single in cell order is the answer.
    ASSERT_TRUE(FindQuestion(Grid, Cell, Digit, false));
    EXPECT_EQ(Cell, (TPoint{8, 0}));
    EXPECT_EQ(Digit, 9);
}

TEST(FindQuestion, OneCellWithOneCandidate) {
    // Row 0 misses only 9; nothing else is forced.
    const TMatrix Grid = Position("123456780" + std::string(72, '0'));
    TPoint Cell;
    int Digit = 0;
    ASSERT_TRUE(FindQuestion(Grid, Cell, Digit, true));
    EXPECT_EQ(Cell, (TPoint{8, 0}));
    EXPECT_EQ(Digit, 9);
}

TEST(FindQuestion, HiddenSingleIsTheAnswer) {
    // Rows 0 and 1 and columns 1 and 2 hold a 7 outside box (0, 0): A3 is the
    // only place of 7 in that box, although the cell has many candidates.
    const TMatrix Grid = Position({{3, 0, 7}, {6, 1, 7}, {1, 3, 7}, {2, 6, 7}});
    ASSERT_GT(Grid.CandidateCount(0, 2), 1);
    TPoint Cell;
    int Digit = 0;
    ASSERT_TRUE(FindQuestion(Grid, Cell, Digit, true));
    EXPECT_EQ(Cell, (TPoint{0, 2}));
    EXPECT_EQ(Digit, 7);
}

TEST(FindQuestion, LeavesTheGridAsItWas) {
    const TMatrix Grid = Position({{3, 0, 7}, {6, 1, 7}, {1, 3, 7}, {2, 6, 7}, {4, 4, 2}});
    const TMatrix Before = Grid;
    TPoint Cell;
    int Digit = 0;
    FindQuestion(Grid, Cell, Digit, true);
    EXPECT_EQ(Grid.Values, Before.Values);
    EXPECT_EQ(Grid.Candidates, Before.Candidates);
}

// The recorded verdicts: the game's tables and positions met while solving
// generated puzzles, some of which need the reservation passes first.
TEST(FindQuestion, RecordedVerdicts) {
    std::ifstream In(std::filesystem::path(KUMOJI_ENGINE_TEST_DATA) / "questions.txt");
    ASSERT_TRUE(In.good());
    int Cases = 0;
    for (std::string Line; std::getline(In, Line);) {
        if (Line.empty() || Line[0] == '#') {
            continue;
        }
        ++Cases;
        std::istringstream Fields(Line);
        std::string Text, Verdict, ExpectedCell;
        int ExpectedDigit = 0;
        Fields >> Text >> Verdict >> ExpectedCell >> ExpectedDigit;
        SCOPED_TRACE(Line);
        TPoint Cell;
        int Digit = 0;
        const bool Fit = FindQuestion(Position(Text), Cell, Digit, true);
        ASSERT_EQ(Fit, Verdict == "ok");
        if (Fit) {
            EXPECT_EQ(CellName(Cell.X, Cell.Y), ExpectedCell);
            EXPECT_EQ(Digit, ExpectedDigit);
        }
    }
    EXPECT_GE(Cases, 40);
}

// The question check of a technique beyond subsets runs that technique's own
// passes (and those before it) before the singles are read; for the other
// techniques it is the question check itself.
TEST(FindQuestion, ATechniqueBeyondSubsetsRunsItsOwnPasses) {
    std::mt19937 Engine(12);
    const TRandomDraw Draw = [&Engine](int N) {
        return static_cast<int>(Engine() % static_cast<unsigned>(N));
    };
    for (const TSolveMethod Technique :
         {smXWing, smWWing, smSimpleColouring, smKeepOff, smGetOut}) {
        const TGeneratedQuestion Q = GenerateQuestion(Technique, Draw);
        const TMatrix Grid = test::Position(Q.Text);
        TPoint Cell;
        int Digit = 0;
        EXPECT_FALSE(FindQuestion(Grid, Cell, Digit, true)) << Q.Text;
        ASSERT_TRUE(FindQuestion(Grid, Cell, Digit, true, Technique)) << Q.Text;
        EXPECT_EQ(Cell, Q.Cell);
        EXPECT_EQ(Digit, Q.Digit);
        if (Technique != smKeepOff && Technique != smGetOut) {
            EXPECT_FALSE(FindQuestion(Grid, Cell, Digit, true, TechniqueBelow(Technique)))
                << Q.Text;
        }
        EXPECT_TRUE(NeedsTechnique(Grid, Q.Cell, Q.Digit, Technique)) << Q.Text;
        EXPECT_FALSE(NeedsTechnique(Grid, Q.Cell, Q.Digit, smPuzzled));
        EXPECT_FALSE(NeedsTechnique(Grid, Q.Cell, Q.Digit % 9 + 1, Technique));
    }
    // The older techniques keep the question check as it is.
    const std::string Text =
        "000000400000000000000000200000000800000000600000000700000000500000000300000000900";
    for (const TSolveMethod Technique : {smEmptyCell, smOurReserved, smPuzzled}) {
        TPoint Cell, Plain;
        int Digit = 0, PlainDigit = 0;
        EXPECT_EQ(FindQuestion(test::Position(Text), Cell, Digit, true, Technique),
                  FindQuestion(test::Position(Text), Plain, PlainDigit, true));
        EXPECT_EQ(Cell, Plain);
        EXPECT_EQ(Digit, PlainDigit);
    }
}

} // namespace
} // namespace kumoji
