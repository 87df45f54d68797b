// The explainer on positions built by hand: names, the candidates the givens
// leave, each single with its witnesses and text, each kind of step, and the
// lines' wording.
#include "engine/explain/explain_detail.h"
#include "engine/explain/explanation.h"
#include "engine/explain/step_check.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace kumoji {
namespace {

using test::Keep;
using test::Rows;

TEST(ExplainNames, CellsAndUnitsAsTheBoardLabelsThem) {
    EXPECT_EQ(CellName(0), "A1");
    EXPECT_EQ(CellName(19), "B3");
    EXPECT_EQ(CellName(80), "I9");
    EXPECT_EQ(UnitName(0), "row 1");
    EXPECT_EQ(UnitName(2), "row 3");
    EXPECT_EQ(UnitName(10), "column B");
    EXPECT_EQ(UnitName(17), "column I");
    EXPECT_EQ(UnitName(18), "box 1");
    EXPECT_EQ(UnitName(26), "box 9");
    EXPECT_EQ(explain::JapaneseUnitName(2), "3行目");
    EXPECT_EQ(explain::JapaneseUnitName(10), "B列");
    EXPECT_EQ(explain::JapaneseUnitName(18), "ブロック1");
}

TEST(ExplainGivens, CandidatesComeFromTheGivensAlone) {
    TMatrix Grid = Rows({"5........", ".........", ".........", ".........", ".........",
                         ".........", ".........", ".........", "........3"});
    const TMatrix Fresh = GivenCandidates(Grid);
    EXPECT_EQ(Fresh.Candidates, Grid.Candidates);
    EXPECT_EQ(Fresh.Values, Grid.Values);
    Keep(Grid, 4, 4, {1, 2});
    EXPECT_EQ(GivenCandidates(Grid).Candidates, Fresh.Candidates);
    EXPECT_EQ(Fresh.Candidates[1], AllDigits & ~DigitBit(5));
    EXPECT_EQ(Fresh.Candidates[0], 0);
}

// Row 3 holds every digit but 7; B3 is its only empty cell.
TEST(ExplainSingles, EmptyCell) {
    const TMatrix Grid = Rows({".........", ".........", "1.2345689", ".........", ".........",
                               ".........", ".........", ".........", "........."});
    const auto E = Explain(Grid, {1, 2}, 7);
    ASSERT_TRUE(E.has_value());
    EXPECT_EQ(E->Technique, smEmptyCell);
    EXPECT_TRUE(E->Steps.empty());
    const TExplainSingle Expected{smEmptyCell, 2, 19, 7, {18, 20, 21, 22, 23, 24, 25, 26}};
    EXPECT_EQ(E->Single, Expected);
    EXPECT_EQ(E->Text, std::vector<std::string>{"3行目で空いているのは B3 だけ：B3 は 7  "
                                                "row 3: B3 is the only empty cell, so B3 is 7"});
    EXPECT_FALSE(Explain(Grid, {1, 2}, 6).has_value());
    EXPECT_FALSE(Explain(Grid, {0, 0}, 7).has_value());
}

// Column B: 7 is kept from B1 by D1, from B2 by G2 and from B7..B9 by C8;
// B4..B6 are filled. Row 3 and box 1 still have A3 for it.
TEST(ExplainSingles, LeftPlace) {
    const TMatrix Grid = Rows({"...7.....", "......7..", ".........", ".1.......", ".2.......",
                               ".3.......", ".........", "..7......", "........."});
    const auto E = Explain(Grid, {1, 2}, 7);
    ASSERT_TRUE(E.has_value());
    EXPECT_EQ(E->Technique, smLeftPlace);
    EXPECT_TRUE(E->Steps.empty());
    const TExplainSingle Expected{smLeftPlace, 10, 19, 7, {3, 15, 65}};
    EXPECT_EQ(E->Single, Expected);
    EXPECT_EQ(E->Text, std::vector<std::string>{"B列で 7 が入るのは B3 だけ  "
                                                "column B: 7 fits only in B3"});
}

// B3 sees 1, 2, 8 and 9 in its row and 3 to 6 in its column.
TEST(ExplainSingles, MissingNumber) {
    const TMatrix Grid = Rows({".........", ".........", "...12..89", ".........", ".3.......",
                               ".4.......", ".........", ".5.......", ".6......."});
    const auto E = Explain(Grid, {1, 2}, 7);
    ASSERT_TRUE(E.has_value());
    EXPECT_EQ(E->Technique, smMissingNumber);
    EXPECT_TRUE(E->Steps.empty());
    const TExplainSingle Expected{smMissingNumber, -1, 19, 7, {21, 22, 37, 46, 64, 73, 25, 26}};
    EXPECT_EQ(E->Single, Expected);
    EXPECT_EQ(E->Text, std::vector<std::string>{"B3 に入るのは 7 だけ  "
                                                "B3: 7 is the only digit left"});
}

// The lines of the three kinds of step, as the issue words them.
TEST(ExplainText, StepLines) {
    const TExplainStep Locked{smMyReserved, {5}, {9, 11}, {18, 1}, {{13, 5}, {16, 5}}};
    EXPECT_EQ(explain::StepText(Locked),
              "ブロック1では 5 が 2行目の A2・C2 にしかない：2行目の E2・H2 から 5 が消える  "
              "box 1: 5 lies only in A2 and C2 of row 2, so 5 leaves E2 and H2");
    const TExplainStep Naked{smYourReserved, {4, 8}, {20, 22}, {2}, {{24, 4}, {25, 8}}};
    EXPECT_EQ(explain::StepText(Naked),
              "3行目では C3・E3 が 4 と 8 の予約席：G3 から 4、H3 から 8 が消える  "
              "row 3: C3 and E3 hold only 4 and 8, so 4 leaves G3 and 8 leaves H3");
    const TExplainStep Hidden{smOurReserved, {2, 6}, {4, 40}, {13}, {{4, 3}, {40, 3}, {40, 9}}};
    EXPECT_EQ(explain::StepText(Hidden),
              "E列では 2 と 6 が入るのは E1・E5 だけ：E1・E5 から 3、E5 から 9 が消える  "
              "column E: 2 and 6 fit only in E1 and E5, so 3 leaves E1 and E5 and 9 leaves E5");
    // Digits that leave the same cells share a group; three items take commas.
    const TExplainStep Triple{
        smYourReserved, {1, 2, 3}, {0, 1, 2}, {0}, {{3, 1}, {3, 2}, {4, 1}, {4, 2}, {5, 3}}};
    EXPECT_EQ(explain::StepText(Triple),
              "1行目では A1・B1・C1 が 1・2 と 3 の予約席：D1・E1 から 1 と 2、F1 から 3 が消える  "
              "row 1: A1, B1 and C1 hold only 1, 2 and 3, so 1 and 2 leave D1 and E1 and 3 "
              "leaves F1");
}

// An empty grid narrowed by hand: box 1 admits 5 only at A2 and C2.
TEST(ExplainSteps, LockedCandidates) {
    TMatrix Grid;
    for (int Cell : {0, 1, 2, 10, 18, 19, 20}) {
        Grid.RemoveCandidate(Cell % 9, Cell / 9, 5);
    }
    const TExplainStep Pointing{smMyReserved, {5}, {9, 11}, {18, 1}, {}};
    ASSERT_TRUE(StepHolds(Grid, Pointing));
    const std::vector<TCandidate> Removes = PatternRemovals(Grid, Pointing);
    ASSERT_EQ(Removes.size(), 6u);
    EXPECT_EQ(Removes.front(), (TCandidate{12, 5}));
    EXPECT_EQ(Removes.back(), (TCandidate{17, 5}));
    // Wrong cells, a unit pair that is not a box and a line, or the other way round.
    EXPECT_FALSE(StepHolds(Grid, {smMyReserved, {5}, {9}, {18, 1}, {}}));
    EXPECT_FALSE(StepHolds(Grid, {smMyReserved, {5}, {9, 11}, {1, 0}, {}}));
    EXPECT_FALSE(StepHolds(Grid, {smMyReserved, {5}, {9, 11}, {1, 18}, {}}));
    const auto Found =
        explain::FindPatterns(Grid, smMyReserved, 1, explain::TPatternForm::General, true);
    ASSERT_EQ(Found.size(), 1u);
    EXPECT_EQ(Found[0].Cells, (std::vector<int>{9, 11}));
    EXPECT_EQ(Found[0].Units, (std::vector<int>{18, 1}));
}

// Row 1: A1 {1,2}, B1 {2,3}, C1 {1,3}: a naked triple whose masks differ,
// which only the general form finds.
TEST(ExplainSteps, NakedTripleWithDifferentMasks) {
    TMatrix Grid;
    Keep(Grid, 0, 0, {1, 2});
    Keep(Grid, 1, 0, {2, 3});
    Keep(Grid, 2, 0, {1, 3});
    const TExplainStep Triple{smYourReserved, {1, 2, 3}, {0, 1, 2}, {0}, {}};
    ASSERT_TRUE(StepHolds(Grid, Triple));
    // Row 1's six other cells lose 1, 2 and 3; box 1 is a unit of its own.
    EXPECT_EQ(PatternRemovals(Grid, Triple).size(), 18u);
    EXPECT_FALSE(StepHolds(Grid, {smYourReserved, {1, 2}, {0, 1}, {0}, {}}));
    const auto General =
        explain::FindPatterns(Grid, smYourReserved, 3, explain::TPatternForm::General, false);
    ASSERT_GE(General.size(), 2u); // the row and the box
    EXPECT_EQ(General[0].Cells, Triple.Cells);
    EXPECT_EQ(General[0].Units, Triple.Units);
    EXPECT_TRUE(explain::FindPatterns(Grid, smYourReserved, 3, explain::TPatternForm::Engine, false)
                    .empty());
    // A naked pair with equal masks is found in both forms.
    TMatrix Pair;
    Keep(Pair, 0, 4, {3, 8});
    Keep(Pair, 6, 4, {3, 8});
    for (auto Form : {explain::TPatternForm::General, explain::TPatternForm::Engine}) {
        const auto Found = explain::FindPatterns(Pair, smYourReserved, 2, Form, true);
        ASSERT_EQ(Found.size(), 1u);
        EXPECT_EQ(Found[0].Cells, (std::vector<int>{36, 42}));
        EXPECT_EQ(Found[0].Digits, (std::vector<int>{3, 8}));
        EXPECT_EQ(Found[0].Removes.size(), 14u);
    }
}

// Column E: 2 and 6 are admitted only at E1 and E5.
TEST(ExplainSteps, HiddenPair) {
    TMatrix Grid;
    for (int Row : {1, 2, 3, 5, 6, 7, 8}) {
        Grid.RemoveCandidate(4, Row, 2);
        Grid.RemoveCandidate(4, Row, 6);
    }
    const TExplainStep Pair{smOurReserved, {2, 6}, {4, 40}, {13}, {}};
    ASSERT_TRUE(StepHolds(Grid, Pair));
    EXPECT_EQ(PatternRemovals(Grid, Pair).size(), 14u);
    EXPECT_FALSE(StepHolds(Grid, {smOurReserved, {2, 6}, {4, 40}, {4}, {}}));
    const auto Found =
        explain::FindPatterns(Grid, smOurReserved, 2, explain::TPatternForm::General, true);
    ASSERT_EQ(Found.size(), 1u);
    EXPECT_EQ(Found[0].Digits, Pair.Digits);
    EXPECT_EQ(Found[0].Cells, Pair.Cells);
    // Replayed, the pair leaves E1 and E5 with 2 and 6 only.
    std::vector<TExplainStep> Steps{Pair};
    ASSERT_TRUE(ReplaySteps(Grid, Steps));
    EXPECT_EQ(Grid.Candidates[4], test::Mask({2, 6}));
    EXPECT_EQ(Grid.Candidates[40], test::Mask({2, 6}));
    EXPECT_FALSE(ReplaySteps(Grid, Steps)); // nothing left to take
}

TEST(ExplainSteps, SinglesHoldByTheirRules) {
    TMatrix Grid;
    Keep(Grid, 1, 2, {7});
    EXPECT_TRUE(SingleHolds(Grid, {smMissingNumber, -1, 19, 7, {}}));
    EXPECT_FALSE(SingleHolds(Grid, {smMissingNumber, 2, 19, 7, {}}));
    EXPECT_FALSE(SingleHolds(Grid, {smMissingNumber, -1, 19, 6, {}}));
    EXPECT_FALSE(SingleHolds(Grid, {smLeftPlace, 2, 19, 7, {}}));
}

TEST(ExplainQuestions, UnfitPositionsAndOtherMovesHaveNone) {
    EXPECT_FALSE(Explain(TMatrix(), {0, 0}, 1).has_value());
    EXPECT_FALSE(Explain(TMatrix(), {9, 0}, 1).has_value());
    EXPECT_FALSE(Explain(TMatrix(), {0, 0}, 0).has_value());
}

// Row 4 keeps 4 in box 4 (D9 and G6 close the rest), so box 4 loses it from
// A5 and B5, and A5, seeing 1, 3, 5 to 9, is left with 2.
TEST(ExplainQuestions, LockedCandidatesThenMissingNumber) {
    const TMatrix Grid = Rows({".........", ".........", "1........", "....86...", "..8.....5",
                               "936...4..", "7........", ".........", "...4....."});
    const auto E = Explain(Grid, {0, 4}, 2);
    ASSERT_TRUE(E.has_value());
    EXPECT_EQ(E->Technique, smMyReserved);
    const std::vector<TExplainStep> Steps{
        {smMyReserved, {4}, {27, 28, 29}, {3, 21}, {{36, 4}, {37, 4}}}};
    EXPECT_EQ(E->Steps, Steps);
    EXPECT_EQ(E->Single.Kind, smMissingNumber);
    EXPECT_EQ(E->Text,
              (std::vector<std::string>{
                  "4行目では 4 が ブロック4の A4・B4・C4 にしかない：ブロック4の A5・B5 から 4 "
                  "が消える  row 4: 4 lies only in A4, B4 and C4 of box 4, so 4 leaves A5 and B5",
                  "A5 に入るのは 2 だけ  A5: 2 is the only digit left"}));
}

// Row 9: 2 and 9 fit only in G9 and I9 (B8, D7 and B7, F8 close the rest),
// which then hold nothing else, and 7 has C9 left.
TEST(ExplainQuestions, HiddenPairThenLeftPlace) {
    const TMatrix Grid = Rows({".........", ".........", ".........", ".........", "7........",
                               ".........", "59.2.....", ".2..79...", ".8.....1."});
    const auto E = Explain(Grid, {2, 8}, 7);
    ASSERT_TRUE(E.has_value());
    EXPECT_EQ(E->Technique, smOurReserved);
    ASSERT_EQ(E->Steps.size(), 1u);
    EXPECT_EQ(E->Steps[0].Technique, smOurReserved);
    EXPECT_EQ(E->Steps[0].Digits, (std::vector<int>{2, 9}));
    EXPECT_EQ(E->Steps[0].Cells, (std::vector<int>{78, 80}));
    EXPECT_EQ(E->Steps[0].Units, (std::vector<int>{8}));
    const TExplainSingle Single{smLeftPlace, 8, 74, 7, {36, 67}};
    EXPECT_EQ(E->Single, Single);
    EXPECT_EQ(E->Text,
              (std::vector<std::string>{
                  "9行目では 2 と 9 が入るのは G9・I9 だけ：G9・I9 から 3・4・5・6 と 7 が消える  "
                  "row 9: 2 and 9 fit only in G9 and I9, so 3, 4, 5, 6 and 7 leave G9 and I9",
                  "9行目で 7 が入るのは C9 だけ  row 9: 7 fits only in C9"}));
}

} // namespace
} // namespace kumoji
