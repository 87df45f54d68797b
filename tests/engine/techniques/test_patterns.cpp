// The techniques beyond subsets on candidate grids drawn by hand, and their
// soundness on the stored puzzles: no pattern may take a solution digit.
#include "engine/question/technique_needs.h"
#include "engine/techniques/any_subsets.h"
#include "engine/techniques/pattern_techniques.h"
#include "engine/techniques/single_place.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>

namespace kumoji {
namespace {

using Removes = std::vector<TCandidate>;

// Every cell empty with every digit, except that Digit is a candidate only
// in Places: the one digit's picture, nothing else to find.
TMatrix DigitOnlyAt(int Digit, std::initializer_list<int> Places) {
    TMatrix Grid;
    for (int I = 0; I < 81; ++I) {
        Grid.Candidates[I] = AllDigits & ~DigitBit(Digit);
    }
    for (int I : Places) {
        Grid.Candidates[I] |= DigitBit(Digit);
    }
    return Grid;
}

// Every cell empty with every digit but the cells given here.
TMatrix WithMasks(std::initializer_list<std::pair<int, int>> Masks) {
    TMatrix Grid;
    for (int I = 0; I < 81; ++I) {
        Grid.Candidates[I] = AllDigits;
    }
    for (const auto& [Cell, Mask] : Masks) {
        Grid.Candidates[Cell] = Mask;
    }
    return Grid;
}

TEST(Fish, XWingAndSwordfishTakeTheRestOfTheirCoverLines) {
    TMatrix Grid = DigitOnlyAt(5, {0, 8, 72, 80, 36});
    const auto Wing = FirstPattern(Grid, smXWing);
    ASSERT_TRUE(Wing);
    EXPECT_EQ(Wing->Units, (std::vector<int>{0, 8}));
    EXPECT_EQ(Wing->Cover, (std::vector<int>{9, 17}));
    EXPECT_EQ(Wing->Cells, (std::vector<int>{0, 8, 72, 80}));
    EXPECT_EQ(Wing->Removes, (Removes{{36, 5}}));
    EXPECT_TRUE(ApplyXWing(Grid));
    EXPECT_FALSE(ApplyXWing(Grid));

    // Rows 1, 5 and 9 keep 7 in columns A, E and I, two places each: no two
    // of them make an X-Wing, the three make a swordfish.
    Grid = DigitOnlyAt(7, {0, 4, 40, 44, 72, 80, 22});
    EXPECT_FALSE(FirstPattern(Grid, smXWing));
    const auto Fish = FirstPattern(Grid, smSwordfish);
    ASSERT_TRUE(Fish);
    EXPECT_EQ(Fish->Units, (std::vector<int>{0, 4, 8}));
    EXPECT_EQ(Fish->Cover, (std::vector<int>{9, 13, 17}));
    EXPECT_EQ(Fish->Cells, (std::vector<int>{0, 4, 40, 44, 72, 80}));
    EXPECT_EQ(Fish->Removes, (Removes{{22, 7}}));
}

TEST(SingleDigitChains, SkyscraperAndKiteTakeWhatSeesBothFreeEnds) {
    // Rows 2 and 7 keep 3 in two places each, C2 and C7 in a common column.
    TMatrix Grid = DigitOnlyAt(3, {11, 14, 56, 58, 4, 68});
    const auto Sky = FirstPattern(Grid, smSkyscraper);
    ASSERT_TRUE(Sky);
    EXPECT_EQ(Sky->Cells, (std::vector<int>{14, 11, 56, 58}));
    EXPECT_EQ(Sky->Units, (std::vector<int>{1, 6}));
    EXPECT_EQ(Sky->Removes, (Removes{{4, 3}, {68, 3}}));
    // Both ends in common columns is an X-Wing, not a skyscraper.
    EXPECT_FALSE(FirstPattern(DigitOnlyAt(5, {0, 8, 72, 80, 36}), smSkyscraper));

    // Row 1 keeps 4 in B1 and G1, column A in A3 and A8; B1 and A3 share box 1.
    Grid = DigitOnlyAt(4, {1, 6, 18, 63, 69});
    std::vector<TPattern> Kites = EveryPattern(Grid, sm2StringKite);
    ASSERT_EQ(Kites.size(), 1u);
    EXPECT_EQ(Kites[0].Cells, (std::vector<int>{6, 1, 18, 63}));
    EXPECT_EQ(Kites[0].Units, (std::vector<int>{0, 9}));
    EXPECT_EQ(Kites[0].Removes, (Removes{{69, 4}}));
}

TEST(Wings, XYAndXYZWingsTakeTheirCommonDigit) {
    const int M12 = test::Mask({1, 2}), M13 = test::Mask({1, 3}), M23 = test::Mask({2, 3});
    // Pivot E5 {1,2}, pincers A5 {1,3} and E1 {2,3}: only A1 sees both pincers.
    TMatrix Grid = WithMasks({{40, M12}, {36, M13}, {4, M23}});
    auto Wing = FirstPattern(Grid, smXYWing);
    ASSERT_TRUE(Wing);
    EXPECT_EQ(Wing->Cells, (std::vector<int>{40, 36, 4}));
    EXPECT_EQ(Wing->Digits, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Wing->Removes, (Removes{{0, 3}}));

    // Pivot E5 {1,2,3}, pincers D4 {1,3} in its box and I5 {2,3} in its row:
    // D5 and F5 see all three.
    Grid = WithMasks({{40, test::Mask({1, 2, 3})}, {30, M13}, {44, M23}});
    Wing = FirstPattern(Grid, smXYZWing);
    ASSERT_TRUE(Wing);
    EXPECT_EQ(Wing->Cells, (std::vector<int>{40, 30, 44}));
    EXPECT_EQ(Wing->Digits, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Wing->Removes, (Removes{{39, 3}, {41, 3}}));
    // A pivot of two digits is no XYZ-Wing.
    EXPECT_FALSE(FirstPattern(WithMasks({{40, M12}, {36, M13}, {4, M23}}), smXYZWing));
}

TEST(Wings, WWingJoinsTwoApartCellsThroughALink) {
    const int M56 = test::Mask({5, 6});
    TMatrix Grid = WithMasks({{0, M56}, {80, M56}});
    for (int Col = 1; Col < 8; ++Col) {
        Grid.Candidates[CellIndex(Col, 4)] &= ~DigitBit(5);
    }
    const auto Wing = FirstPattern(Grid, smWWing);
    ASSERT_TRUE(Wing);
    EXPECT_EQ(Wing->Cells, (std::vector<int>{0, 36, 44, 80}));
    EXPECT_EQ(Wing->Units, (std::vector<int>{4}));
    EXPECT_EQ(Wing->Digits, (std::vector<int>{5, 6}));
    EXPECT_EQ(Wing->Removes, (Removes{{8, 6}, {72, 6}}));
    // Cells that see each other are a naked pair, not a W-Wing.
    Grid.Candidates[0] = AllDigits;
    Grid.Candidates[8] = M56;
    EXPECT_FALSE(FirstPattern(Grid, smWWing));
}

TEST(Colouring, ACellSeeingBothColoursLosesTheDigit) {
    // 9 is everywhere but row 1, box 2 and column D, where it keeps A1-F1,
    // F1-D3 and D3-D6: A1 and D6 take opposite colours, and A6 sees both.
    TMatrix Grid;
    for (int I = 0; I < 81; ++I) {
        const TCellUnits& Of = CellUnits[I];
        if (Of.Row == 0 || Of.Box == 19 || Of.Col == 12) {
            Grid.Candidates[I] &= ~DigitBit(9);
        }
    }
    for (int I : {0, 5, 21, 48}) {
        Grid.Candidates[I] |= DigitBit(9);
    }
    const auto Chain = FirstPattern(Grid, smSimpleColouring);
    ASSERT_TRUE(Chain);
    EXPECT_EQ(Chain->Cells, (std::vector<int>{0, 5, 21, 48}));
    EXPECT_EQ(Chain->Colours, (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(Chain->Links, (std::vector<std::array<int, 3>>{{0, 1, 0}, {2, 3, 12}, {1, 2, 19}}));
    EXPECT_EQ(Chain->Removes, (Removes{{45, 9}}));
}

TEST(Colouring, AColourWhoseCellsSeeEachOtherIsFalseEverywhere) {
    // Links A1-G1 (row 1), G1-G7 (column G), G7-C7 (row 7), C7-C3 (column
    // C): A1 and C3 share a colour and box 1.
    TMatrix Grid;
    for (int I = 0; I < 81; ++I) {
        const TCellUnits& Of = CellUnits[I];
        if (Of.Row == 0 || Of.Row == 6 || Of.Col == 15 || Of.Col == 11) {
            Grid.Candidates[I] &= ~DigitBit(9);
        }
    }
    for (int I : {0, 6, 60, 56, 20}) {
        Grid.Candidates[I] |= DigitBit(9);
    }
    const auto Chain = FirstPattern(Grid, smSimpleColouring);
    ASSERT_TRUE(Chain);
    EXPECT_EQ(Chain->Cells, (std::vector<int>{0, 6, 20, 56, 60}));
    EXPECT_EQ(Chain->Colours, (std::vector<int>{0, 1, 0, 1, 0}));
    EXPECT_EQ(Chain->Removes, (Removes{{0, 9}, {20, 9}, {60, 9}}));
}

TEST(AnySubsets, TakeSubsetsTheEnginesOwnPassesLeave) {
    // A naked triple {1,2} {2,3} {1,3} in row 1: no two masks are equal.
    TMatrix Grid =
        WithMasks({{0, test::Mask({1, 2})}, {1, test::Mask({2, 3})}, {2, test::Mask({1, 3})}});
    TMatrix Engine = Grid;
    EXPECT_FALSE(Engine.ApplyYourReserved());
    EXPECT_TRUE(ApplyNakedSubsets(Grid));
    for (int Col = 3; Col < 9; ++Col) {
        EXPECT_EQ(Grid.Candidates[CellIndex(Col, 0)], test::Mask({4, 5, 6, 7, 8, 9}));
    }
    EXPECT_EQ(Grid.Candidates[27], AllDigits) << "only the units of all three lose the digits";

    // Digits 1 and 2 only in A1, B1 and C1 together with 3: a hidden triple
    // whose places differ.
    Grid = DigitOnlyAt(1, {0, 1});
    for (int Col = 0; Col < 9; ++Col) {
        Grid.Candidates[Col] &= ~test::Mask({2, 3});
    }
    Grid.Candidates[1] |= test::Mask({2, 3});
    Grid.Candidates[2] |= test::Mask({2, 3});
    Grid.Candidates[0] |= DigitBit(3);
    EXPECT_TRUE(ApplyHiddenSubsets(Grid));
    EXPECT_EQ(Grid.Candidates[0], test::Mask({1, 3}));
    EXPECT_EQ(Grid.Candidates[1], test::Mask({1, 2, 3}));
    EXPECT_EQ(Grid.Candidates[2], test::Mask({2, 3}));
    // A subset of five is beyond the general passes.
    EXPECT_FALSE(ApplyNakedSubsets(Grid, 1));
}

int LostSolutionDigit(const TMatrix& Grid, const std::string& Solution) {
    for (int I = 0; I < 81; ++I) {
        if (Grid.Values[I] == 0 && !(Grid.Candidates[I] & DigitBit(Solution[I] - '0'))) {
            return I;
        }
    }
    return -1;
}

// Every pattern of every technique, met at every stage of the general passes
// (so that the sparse patterns of the later stages are met too), is checked
// against the solution before it is applied.
TEST(Soundness, PatternsNeverTakeASolutionDigit) {
    int Patterns = 0;
    for (const auto& Item : test::LoadSolvedPuzzles()) {
        TMatrix Grid = test::Position(Item.Puzzle);
        for (int Stage = 0; Stage < 40; ++Stage) {
            ExhaustGeneralPasses(Grid, smOurReserved);
            bool Changed = false;
            for (int T = smXWing; T <= smSimpleColouring && !Changed; ++T) {
                for (const TPattern& Pattern : EveryPattern(Grid, static_cast<TSolveMethod>(T))) {
                    ++Patterns;
                    for (const TCandidate& Item2 : Pattern.Removes) {
                        ASSERT_NE(Item.Solution[Item2.Cell] - '0', Item2.Digit)
                            << SolveMethodNames[T] << " " << Item.Puzzle << " cell " << Item2.Cell;
                    }
                }
                if (auto First = FirstPattern(Grid, static_cast<TSolveMethod>(T))) {
                    RemovePatternCandidates(Grid, *First);
                    Changed = true;
                }
            }
            ASSERT_EQ(LostSolutionDigit(Grid, Item.Solution), -1) << Item.Puzzle;
            if (!Changed) {
                break;
            }
        }
    }
    EXPECT_GT(Patterns, 0);
}

// The traced assumption replays as the engine's move: each forced place is
// the one place of the watched digit in its unit at that point, and the
// first unit is left without any.
TEST(Assumptions, TracedMovesReplayToTheBlockedUnit) {
    int Traced = 0;
    for (const auto& Item : test::LoadSolvedPuzzles()) {
        TMatrix Grid = test::Position(Item.Puzzle);
        Grid.ApplyReservations();
        for (const TSolveMethod Technique : {smKeepOff, smGetOut}) {
            int Col = 0, Row = 0, Digit = 0;
            const bool Found = Technique == smKeepOff ? Grid.FindKeepOffMove(Col, Row, Digit)
                                                      : Grid.FindGetOutMove(Col, Row, Digit);
            const auto Pattern =
                Technique == smKeepOff ? FindKeepOffPattern(Grid) : FindGetOutPattern(Grid);
            ASSERT_EQ(Found, Pattern.has_value());
            if (!Found) {
                continue;
            }
            ++Traced;
            ASSERT_EQ(Pattern->Cells[0], CellIndex(Col, Row));
            ASSERT_EQ(Pattern->Cells.size(), Pattern->Units.size());
            ASSERT_GE(Pattern->Cells.size(), 2u);
            const int Assumed = Pattern->Digits[0];
            const int Watched = Pattern->Digits[1];
            EXPECT_EQ(Pattern->Removes, (Removes{{CellIndex(Col, Row), Assumed}}));
            EXPECT_EQ(Grid.Candidates[CellIndex(Col, Row)], DigitBit(Assumed) | DigitBit(Digit));
            EXPECT_EQ(Watched, Technique == smKeepOff ? Assumed : Digit);
            TMatrix Copy = Grid;
            Copy.SetValue(Col, Row, Assumed);
            for (std::size_t K = 1; K < Pattern->Cells.size(); ++K) {
                ASSERT_EQ(SinglePlace(Copy, Pattern->Units[K], Watched), Pattern->Cells[K]);
                Copy.SetValue(Pattern->Cells[K] % 9, Pattern->Cells[K] / 9, Watched);
            }
            EXPECT_EQ(SinglePlace(Copy, Pattern->Units[0], Watched), NoPlace);
        }
    }
    EXPECT_GT(Traced, 0);
}

} // namespace
} // namespace kumoji
