// Explanations of the questions beyond subsets, and the engine's fast pattern
// finders held against the explainer's plain reading of the same patterns.
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

TExplainStep AsStep(const TPattern& Pattern) {
    TExplainStep Step{Pattern.Technique, Pattern.Digits, Pattern.Cells, Pattern.Units,
                      Pattern.Removes};
    Step.Cover = Pattern.Cover;
    Step.Colours = Pattern.Colours;
    Step.Links = Pattern.Links;
    return Step;
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
                        const TExplainStep Step = AsStep(Pattern);
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

} // namespace
} // namespace kumoji
