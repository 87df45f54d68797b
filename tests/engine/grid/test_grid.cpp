#include "engine/grid/matrix.h"
#include "engine/grid/puzzle_text.h"
#include "grid_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kumoji {
namespace {

using test::Keep;
using test::Mask;
using test::Position;
using test::Rows;

bool Peers(int A, int B) {
    return A != B &&
           (A % 9 == B % 9 || A / 9 == B / 9 || (A % 9 / 3 == B % 9 / 3 && A / 27 == B / 27));
}

// Candidates as the rules give them: the digits no peer holds.
int PeerMask(const TMatrix& Grid, int Index) {
    if (Grid.Values[Index] != 0) {
        return 0;
    }
    int Held = 0;
    for (int J = 0; J < 81; ++J) {
        if (Peers(Index, J)) {
            Held |= DigitBit(Grid.Values[J]);
        }
    }
    return AllDigits & ~Held;
}

TEST(Grid, NewAndResetGridsAreEmptyAndOpen) {
    TMatrix Grid;
    EXPECT_EQ(Grid.EmptyCount(), 81);
    EXPECT_TRUE(std::all_of(Grid.Candidates.begin(), Grid.Candidates.end(),
                            [](int M) { return M == 511; }));
    EXPECT_EQ(Grid.CheckState(), 0);
    EXPECT_EQ(Grid.CandidateText(3, 3), "123456789");
    Grid.SetValue(2, 2, 7);
    Grid.RemoveCandidate(8, 8, 1);
    Grid.Reset();
    EXPECT_EQ(Grid.EmptyCount(), 81);
    EXPECT_EQ(Grid.GetCandidates(8, 8), 511);
    EXPECT_EQ(Grid.GetValue(2, 2), 0);
}

TEST(Grid, PlacingClearsTheDigitFromExactlyThePeers) {
    TMatrix Grid;
    Grid.SetValue(4, 0, 5);
    EXPECT_EQ(Grid.GetValue(4, 0), 5);
    EXPECT_EQ(Grid.EmptyCount(), 80);
    for (int I = 0; I < 81; ++I) {
        const int Expected = I == 4 ? 0 : Peers(4, I) ? 495 : 511;
        EXPECT_EQ(Grid.Candidates[I], Expected) << "cell " << I;
    }
    EXPECT_EQ(Grid.CandidateText(4, 0), "");
    EXPECT_EQ(Grid.CandidateText(4, 8), "12346789");
    Grid.SetValue(4, 0, 0);
    EXPECT_TRUE(std::all_of(Grid.Candidates.begin(), Grid.Candidates.end(),
                            [](int M) { return M == 511; }));
}

TEST(Grid, ClearingGivesTheDigitBackWhereverNoUnitHoldsIt) {
    TMatrix Grid = Rows({"3........", ".........", ".........", ".........", "....3....",
                         ".........", ".........", ".........", "........."});
    // A deduction pass took 3 from a far cell and 6 from another.
    Grid.RemoveCandidate(8, 8, 3);
    Grid.RemoveCandidate(7, 7, 6);
    Grid.SetValue(0, 0, 0);
    EXPECT_TRUE(Grid.HasCandidate(8, 8, 3)) << "far cell gets 3 back";
    EXPECT_FALSE(Grid.HasCandidate(7, 7, 6)) << "only the cleared digit returns";
    EXPECT_FALSE(Grid.HasCandidate(4, 8, 3)) << "column 4 still holds 3";
    EXPECT_FALSE(Grid.HasCandidate(3, 3, 3)) << "box (1,1) still holds 3";
    EXPECT_TRUE(Grid.HasCandidate(1, 1, 3));
    EXPECT_EQ(Grid.GetCandidates(0, 0), 511);
}

TEST(Grid, ClearingAnEmptyCellOnlyRecomputesItsOwnMask) {
    TMatrix Grid = Position(
        "530070000600195000098000060800060003400803001700020006060000280000419005000080079");
    Grid.RemoveCandidate(2, 0, 4);
    Grid.RemoveCandidate(8, 8, 1);
    TMatrix Before = Grid;
    Grid.SetValue(2, 0, 0);
    for (int I = 0; I < 81; ++I) {
        if (I != 2) {
            EXPECT_EQ(Grid.Candidates[I], Before.Candidates[I]) << "cell " << I;
        }
    }
    EXPECT_EQ(Grid.GetCandidates(2, 0), PeerMask(Grid, 2));
    EXPECT_TRUE(Grid.HasCandidate(2, 0, 4));
    EXPECT_EQ(Grid.Values, Before.Values);
}

TEST(Grid, PuzzleMasksAreThoseOfThePeers) {
    for (const auto& Item : test::LoadSolvedPuzzles()) {
        const TMatrix Grid = Position(Item.Puzzle);
        for (int I = 0; I < 81; ++I) {
            ASSERT_EQ(Grid.Candidates[I], PeerMask(Grid, I)) << Item.Puzzle << " cell " << I;
        }
        EXPECT_EQ(PuzzleTextOf(Grid), Item.Puzzle);
        EXPECT_EQ(Grid.CheckState(), 0);
        EXPECT_EQ(Position(Item.Solution).CheckState(), 1);
    }
}

TEST(Grid, UnitQueriesAndCounts) {
    TMatrix Grid = Rows({"12.......", ".........", "......9..", ".........", ".........",
                         ".........", ".........", ".........", "....4...."});
    EXPECT_TRUE(Grid.RowHas(0, 2));
    EXPECT_FALSE(Grid.RowHas(1, 2));
    EXPECT_TRUE(Grid.RowHas(1, 0)) << "value 0 asks for an empty cell";
    EXPECT_TRUE(Grid.ColHas(4, 4));
    EXPECT_TRUE(Grid.BoxHas(8, 0, 9));
    EXPECT_FALSE(Grid.BoxHas(5, 2, 9));
    EXPECT_EQ(Grid.RowEmptyCount(0), 7);
    EXPECT_EQ(Grid.ColEmptyCount(4), 8);
    EXPECT_EQ(Grid.BoxEmptyCount(0, 0), 7);
    EXPECT_EQ(Grid.BoxEmptyCount(2, 0), 8);
    EXPECT_EQ(Grid.EmptyCount(), 77);
    TMatrix Copy;
    Copy.CopyFrom(Grid);
    EXPECT_EQ(Copy.Values, Grid.Values);
    EXPECT_EQ(Copy.Candidates, Grid.Candidates);
}

TEST(Grid, ScansListPlacesInTheirOrderAndStopAtTheDigit) {
    TMatrix Grid;
    TD2IntegerList Places;
    TPoint Cell;
    EXPECT_FALSE(Grid.ScanBox(1, 2, 4, Places, Cell));
    ASSERT_EQ(Places.GetCount(), 9);
    const TPoint ColumnMajor[9] = {{3, 6}, {3, 7}, {3, 8}, {4, 6}, {4, 7},
                                   {4, 8}, {5, 6}, {5, 7}, {5, 8}};
    for (int I = 0; I < 9; ++I) {
        EXPECT_EQ(Places[I], ColumnMajor[I]);
    }

    for (int C = 0; C < 9; ++C) {
        if (C != 2 && C != 7) {
            Grid.RemoveCandidate(C, 5, 8);
        }
    }
    EXPECT_FALSE(Grid.ScanRow(5, 8, Places, Cell));
    ASSERT_EQ(Places.GetCount(), 2);
    EXPECT_EQ(Places[0], (TPoint{2, 5}));
    EXPECT_EQ(Places[1], (TPoint{7, 5}));

    // The scan returns at the cell that holds the digit and keeps what it
    // listed before it.
    Grid.Reset();
    Grid.Candidates[CellIndex(4, 2)] = Mask({6});
    Grid.Values[CellIndex(4, 5)] = 6;
    Grid.Candidates[CellIndex(4, 7)] = Mask({6});
    for (int R : {0, 1, 3, 4, 6, 8}) {
        Grid.RemoveCandidate(4, R, 6);
    }
    Cell = TPoint{};
    EXPECT_TRUE(Grid.ScanCol(4, 6, Places, Cell));
    EXPECT_EQ(Cell, (TPoint{4, 5}));
    ASSERT_EQ(Places.GetCount(), 1);
    EXPECT_EQ(Places[0], (TPoint{4, 2}));

    for (int C = 0; C < 9; ++C) {
        Grid.RemoveCandidate(C, 0, 1);
    }
    EXPECT_FALSE(Grid.ScanRow(0, 1, Places, Cell));
    EXPECT_EQ(Places.GetCount(), 0);
}

TEST(Grid, CheckStateFindsTheUnitThatLacksADigit) {
    const std::string Solution =
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
    EXPECT_EQ(Position(Solution).CheckState(), 1);

    TMatrix Open = Position(Solution);
    Open.SetValue(0, 0, 0);
    EXPECT_EQ(Open.CheckState(), 0);
    // An empty cell without candidates is no contradiction by itself...
    Open.RemoveCandidate(0, 0, 5);
    EXPECT_EQ(Open.CheckState(), 3) << "...but its row now lacks 5";

    TMatrix Row = Rows({".........", ".........", ".........", ".........", ".........",
                        ".........", ".........", ".........", "........."});
    for (int C = 0; C < 9; ++C) {
        Row.RemoveCandidate(C, 3, 7);
    }
    EXPECT_EQ(Row.CheckState(), 3);

    TMatrix Box;
    for (int C = 3; C < 6; ++C) {
        for (int R = 6; R < 9; ++R) {
            Box.RemoveCandidate(C, R, 2);
        }
    }
    EXPECT_EQ(Box.CheckState(), 3) << "only the box lacks 2";

    TMatrix Dead;
    Dead.Candidates[40] = 0;
    EXPECT_EQ(Dead.CheckState(), 0) << "a cell with mask 0 whose units are fine";

    // A duplicate shows only through the digit it crowds out.
    std::string Duplicate = Solution;
    Duplicate[1] = '5';
    EXPECT_EQ(Position(Duplicate).CheckState(), 3);
}

TEST(Grid, CandidateOperationsUseNineBitMasks) {
    TMatrix Grid;
    Grid.Candidates[0] = 66;
    EXPECT_EQ(Grid.CandidateText(0, 0), "27");
    EXPECT_EQ(Grid.CandidateCount(0, 0), 2);
    EXPECT_TRUE(Grid.HasCandidate(0, 0, 7));
    EXPECT_FALSE(Grid.HasCandidate(0, 0, 3));
    EXPECT_FALSE(Grid.HasCandidate(0, 0, 0));
    EXPECT_FALSE(Grid.HasCandidate(0, 0, 10));
    Grid.Candidates[1] = 511 | 512 | 4096;
    EXPECT_EQ(Grid.CandidateCount(1, 0), 9) << "bits above 8 are no digits";
    Grid.RemoveCandidate(1, 0, 9);
    EXPECT_EQ(Grid.GetCandidates(1, 0), 255) << "removing also clears bits above 8";
    EXPECT_TRUE(IsSingleDigitMask(1));
    EXPECT_TRUE(IsSingleDigitMask(256));
    EXPECT_FALSE(IsSingleDigitMask(512));
    EXPECT_FALSE(IsSingleDigitMask(0));
    EXPECT_FALSE(IsSingleDigitMask(3));
    EXPECT_FALSE(IsSingleDigitMask(-256));
}

TEST(PuzzleText, OnlyEightyOneDigitsArePuzzles) {
    const std::string Good(81, '0');
    EXPECT_TRUE(IsPuzzleText(Good));
    EXPECT_FALSE(IsPuzzleText(std::string(80, '0')));
    EXPECT_FALSE(IsPuzzleText(std::string(82, '0')));
    EXPECT_FALSE(IsPuzzleText(""));
    for (char Bad : {' ', 'a', '.', '/', ':', '\0'}) {
        std::string Text = Good;
        Text[40] = Bad;
        EXPECT_FALSE(IsPuzzleText(Text)) << int(Bad);
    }

    TMatrix Grid = Rows({"5........", ".........", ".........", ".........", ".........",
                         ".........", ".........", ".........", "........9"});
    const TMatrix Before = Grid;
    std::string Short = PuzzleTextOf(Grid);
    Short.pop_back();
    EXPECT_FALSE(SetPuzzle(Grid, Short));
    EXPECT_EQ(Grid.Values, Before.Values);
    EXPECT_EQ(Grid.Candidates, Before.Candidates);

    EXPECT_EQ(CellName(4, 0), "E1");
    EXPECT_EQ(CellName(0, 8), "A9");
    EXPECT_EQ(CellName(8, 8), "I9");
    EXPECT_EQ(CellName(9, 0), "");
}

// Coordinates off the grid: reads answer -1 or nothing, writes change nothing,
// and no operation touches memory outside the two arrays.
TEST(Grid, OffGridCoordinatesAreRefused) {
    TMatrix Grid = Rows({"5........", ".........", ".........", ".........", ".........",
                         ".........", ".........", ".........", "........9"});
    const TMatrix Before = Grid;
    EXPECT_EQ(Grid.GetValue(9, 0), -1);
    EXPECT_EQ(Grid.GetValue(-1, 3), -1);
    EXPECT_EQ(Grid.GetValue(0, 81), -1);
    Grid.SetValue(0, 9, 1);
    Grid.SetValue(-1, 0, 1);
    Grid.SetValue(9, 0, 0);
    EXPECT_EQ(Grid.Values, Before.Values);
    EXPECT_EQ(Grid.Candidates, Before.Candidates);

    // A debug build stops at the assertion; a release build answers the
    // neutral value, which is also what a default-made result holds.
    auto Refused = [](auto Call) {
        decltype(Call()) Result{};
        EXPECT_DEBUG_DEATH(Result = Call(), "outside");
        return Result;
    };
    TD2IntegerList Places;
    Places.Add(1, 1);
    TPoint Cell;
    EXPECT_EQ(Refused([&] { return Grid.GetCandidates(9, 0); }), 0);
    EXPECT_EQ(Refused([&] { return Grid.CandidateCount(0, -1); }), 0);
    EXPECT_FALSE(Refused([&] { return Grid.HasCandidate(-1, 0, 1); }));
    EXPECT_EQ(Refused([&] { return Grid.CandidateText(0, 9); }), "");
    EXPECT_DEBUG_DEATH(Grid.RemoveCandidate(9, 9, 1), "outside");
    EXPECT_FALSE(Refused([&] { return Grid.RowHas(9, 0); }));
    EXPECT_FALSE(Refused([&] { return Grid.ColHas(-1, 0); }));
    EXPECT_FALSE(Refused([&] { return Grid.BoxHas(9, 0, 0); }));
    EXPECT_EQ(Refused([&] { return Grid.RowEmptyCount(9); }), 0);
    EXPECT_EQ(Refused([&] { return Grid.ColEmptyCount(-1); }), 0);
    EXPECT_EQ(Refused([&] { return Grid.BoxEmptyCount(3, 0); }), 0);
    EXPECT_FALSE(Refused([&] { return Grid.ScanRow(9, 5, Places, Cell); }));
    EXPECT_FALSE(Refused([&] { return Grid.ScanCol(-1, 5, Places, Cell); }));
    EXPECT_FALSE(Refused([&] { return Grid.ScanBox(0, 3, 5, Places, Cell); }));
#ifdef NDEBUG
    EXPECT_EQ(Places.GetCount(), 0) << "a refused scan still starts from an empty list";
#endif
    EXPECT_EQ(Cell, TPoint{});
    EXPECT_EQ(Grid.Values, Before.Values);
    EXPECT_EQ(Grid.Candidates, Before.Candidates);
}

// A value that is no digit is never stored: it would have no candidate bit.
TEST(Grid, ValuesAboveNineAreRefused) {
    TMatrix Grid;
    EXPECT_DEBUG_DEATH(Grid.SetValue(0, 0, 10), "above 9");
    EXPECT_EQ(Grid.GetValue(0, 0), 0);
    EXPECT_EQ(Grid.GetCandidates(1, 0), 511);
    Grid.SetValue(0, 0, 4);
    Grid.SetValue(0, 0, -3);
    EXPECT_EQ(Grid.GetValue(0, 0), 0) << "a clearing value below 1 leaves the cell empty";
    EXPECT_EQ(Grid.GetCandidates(0, 0), 511);
}

} // namespace
} // namespace kumoji
