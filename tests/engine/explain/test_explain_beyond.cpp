// Explanations of the questions beyond subsets, and the engine's fast pattern
// finders held against the explainer's plain reading of the same patterns.
#include "engine/explain/explain_detail.h"
#include "engine/explain/explained_question.h"
#include "engine/explain/explanation.h"
#include "engine/explain/step_check.h"
#include "engine/question/technique_needs.h"
#include "engine/techniques/pattern_techniques.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>
#include <random>

namespace kumoji {
namespace {

constexpr TSolveMethod Beyond[] = {smXWing,  smSkyscraper, sm2StringKite, smSwordfish,
                                   smXYWing, smXYZWing,    smWWing,       smSimpleColouring};

TRandomDraw Seeded(std::mt19937& Engine) {
    return [&Engine](int N) { return static_cast<int>(Engine() % static_cast<unsigned>(N)); };
}

// Every pattern a finder lists must hold on the plain reading, which must
// take exactly what the finder says it takes. Run on the candidates of
// generated questions at every stage of the general passes, where the
// patterns of all the techniques turn up.
TEST(PatternFinders, AgreeWithThePlainReading) {
    std::mt19937 Engine(31);
    const TRandomDraw Draw = Seeded(Engine);
    std::array<int, SolveMethodCount> Seen{};
    for (const TSolveMethod Technique : Beyond) {
        for (int K = 0; K < 6; ++K) {
            TMatrix Grid = test::Position(GenerateQuestion(Technique, Draw).Text);
            for (int Stage = 0; Stage < 12; ++Stage) {
                ExhaustGeneralPasses(Grid, smOurReserved);
                for (const TSolveMethod Kind : Beyond) {
                    for (const TPattern& Pattern : EveryPattern(Grid, Kind)) {
                        ++Seen[Kind];
                        const TExplainStep Step = explain::StepOf(Pattern);
                        ASSERT_TRUE(StepHolds(Grid, Step)) << SolveMethodNames[Kind];
                        ASSERT_EQ(PatternRemovals(Grid, Step), Pattern.Removes)
                            << SolveMethodNames[Kind];
                    }
                }
                const auto Next = FirstPattern(Grid, Technique);
                if (!Next) {
                    break;
                }
                RemovePatternCandidates(Grid, *Next);
            }
        }
    }
    for (const TSolveMethod Kind : Beyond) {
        EXPECT_GT(Seen[Kind], 0) << SolveMethodNames[Kind];
    }
}

class ExplainBeyond : public testing::TestWithParam<int> {};

// The explanation of a question beyond subsets names its technique, holds a
// step of it, replays from the givens' candidates to the move's single, keeps
// to the easier kinds besides, and says each step in a line of its own.
TEST_P(ExplainBeyond, ReplaysToTheMoveWithAStepOfItsTechnique) {
    const auto Technique = static_cast<TSolveMethod>(GetParam());
    std::mt19937 Engine(900 + GetParam());
    const TRandomDraw Draw = Seeded(Engine);
    for (int K = 0; K < 10; ++K) {
        const TGeneratedQuestion Q = GenerateExplainedQuestion(Technique, Draw);
        const TMatrix Grid = test::Position(Q.Text);
        const auto E = Explain(Grid, Q.Cell, Q.Digit);
        ASSERT_TRUE(E.has_value()) << Q.Text;
        EXPECT_EQ(E->Technique, Technique) << Q.Text;
        bool Own = false;
        for (const TExplainStep& Step : E->Steps) {
            Own = Own || Step.Technique == Technique;
            const bool Easier = Step.Technique >= smMyReserved &&
                                (Step.Technique <= smOurReserved ||
                                 (Technique >= smXWing && Step.Technique >= smXWing &&
                                  Step.Technique <= Technique));
            EXPECT_TRUE(Easier || Step.Technique == Technique) << Q.Text;
        }
        EXPECT_TRUE(Own) << Q.Text;
        std::vector<TExplainStep> Steps = E->Steps;
        TMatrix Candidates = GivenCandidates(Grid);
        ASSERT_TRUE(ReplaySteps(Candidates, Steps)) << Q.Text;
        EXPECT_EQ(Steps, E->Steps) << Q.Text;
        EXPECT_TRUE(SingleHolds(Candidates, E->Single)) << Q.Text;
        EXPECT_EQ(E->Single.Cell, Q.Cell.X + 9 * Q.Cell.Y);
        EXPECT_EQ(E->Single.Digit, Q.Digit);
        ASSERT_EQ(E->Text.size(), E->Steps.size() + 1);
        for (const std::string& Line : E->Text) {
            EXPECT_NE(Line.find("  "), std::string::npos) << Line;
        }
        EXPECT_FALSE(Explain(Grid, Q.Cell, Q.Digit % 9 + 1).has_value()) << Q.Text;
    }
}

INSTANTIATE_TEST_SUITE_P(Explain, ExplainBeyond,
                         testing::Values(smKeepOff, smGetOut, smXWing, smSkyscraper, sm2StringKite,
                                         smSwordfish, smXYWing, smXYZWing, smWWing,
                                         smSimpleColouring));

// A step that names the wrong shape is refused by the plain reading.
TEST(PatternSteps, BrokenShapesDoNotHold) {
    std::mt19937 Engine(77);
    const TRandomDraw Draw = Seeded(Engine);
    for (const TSolveMethod Technique : Beyond) {
        const TGeneratedQuestion Q = GenerateExplainedQuestion(Technique, Draw);
        const TMatrix Grid = test::Position(Q.Text);
        const auto E = Explain(Grid, Q.Cell, Q.Digit);
        ASSERT_TRUE(E.has_value());
        TMatrix Candidates = GivenCandidates(Grid);
        for (const TExplainStep& Step : E->Steps) {
            if (Step.Technique == Technique) {
                TExplainStep Other = Step;
                Other.Technique = Technique == smXWing ? smSwordfish : smXWing;
                EXPECT_FALSE(StepHolds(Candidates, Other)) << SolveMethodNames[Technique];
                TExplainStep Moved = Step;
                Moved.Digits[0] = Moved.Digits[0] % 9 + 1;
                EXPECT_FALSE(StepHolds(Candidates, Moved)) << SolveMethodNames[Technique];
                break;
            }
            RemoveCandidates(Candidates, Step.Removes);
        }
    }
}

// The lines name the pattern and what it takes, in Japanese and in English.
TEST(PatternSteps, LinesSayThePatternInBothLanguages) {
    TExplainStep Fish{smXWing, {5}, {0, 8, 72, 80}, {0, 8}, {{36, 5}}};
    Fish.Cover = {9, 17};
    EXPECT_EQ(explain::StepText(Fish),
              "1行目・9行目では 5 が A列・I列 にしかない（Xウィング）：A5 から 5 が消える  "
              "row 1 and row 9: 5 lies only in column A and column I (X-Wing), so 5 leaves A5");
    const TExplainStep Wing{smXYWing, {1, 2, 3}, {40, 36, 4}, {}, {{0, 3}}};
    EXPECT_EQ(explain::StepText(Wing),
              "E5 {1,2} が A5 {1,3} と E1 {2,3} を見ている（XYウィング）：A5 か E1 が 3 なので "
              "A1 から 3 が消える  E5 {1,2} sees A5 {1,3} and E1 {2,3} (XY-Wing): A5 or E1 "
              "holds 3, so 3 leaves A1");
    const TExplainStep Sky{smSkyscraper, {3}, {14, 11, 56, 58}, {1, 6}, {{4, 3}, {68, 3}}};
    EXPECT_EQ(explain::StepText(Sky),
              "3 は 2行目では F2・C2、7行目では C7・E7 にしかなく、C2 と C7 は互いに見える"
              "（スカイスクレイパー）：F2 か E7 が 3 なので E1・F8 から 3 が消える  3 lies only "
              "in F2 and C2 of row 2 and in C7 and E7 of row 7, and C2 sees C7 (skyscraper): F2 "
              "or E7 holds 3, so 3 leaves E1 and F8");
    const TExplainStep KeepOff{smKeepOff, {4, 4}, {20, 40, 60}, {2, 22, 26}, {{20, 4}}};
    EXPECT_EQ(explain::StepText(KeepOff),
              "C3 に 4 を仮に置くと 4 は E5・G7 に決まり、3行目に 4 の入る所がなくなる（立ち入り"
              "禁止）：C3 から 4 が消える  assuming 4 in C3 forces 4 into E5 and G7 and leaves "
              "row 3 without a place for 4 (keep off), so 4 leaves C3");
    TExplainStep Chain{smSimpleColouring, {9}, {0, 5, 21, 48}, {}, {{45, 9}}};
    Chain.Colours = {0, 1, 0, 1};
    Chain.Links = {{0, 1, 0}, {2, 3, 12}, {1, 2, 19}};
    const std::string Line = explain::StepText(Chain);
    EXPECT_NE(Line.find("（A1・D3 と F1・D6）"), std::string::npos) << Line;
    EXPECT_NE(Line.find("a cell that sees both colours cannot hold 9, so 9 leaves A6"),
              std::string::npos)
        << Line;
}

} // namespace
} // namespace kumoji
