// Explanations of generated questions of every technique, judged by a plain
// checker written from the rules (explain_checker.h).
#include "engine/explain/explained_question.h"
#include "engine/explain/explanation.h"
#include "engine/question/question_technique.h"
#include "explain_checker.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>
#include <random>

namespace kumoji {
namespace {

class ExplainGenerated : public testing::TestWithParam<int> {};

TEST_P(ExplainGenerated, PassThePlainCheck) {
    const auto Technique = static_cast<TSolveMethod>(GetParam());
    std::mt19937 Engine(700 + GetParam());
    const TRandomDraw Draw = [&Engine](int N) {
        return static_cast<int>(Engine() % static_cast<unsigned>(N));
    };
    for (int K = 0; K < 25; ++K) {
        const TGeneratedQuestion Q = GenerateExplainedQuestion(Technique, Draw);
        ASSERT_EQ(Q.Technique, Technique);
        const TMatrix Grid = test::Position(Q.Text);
        ASSERT_EQ(QuestionTechnique(Grid, Q.Cell, Q.Digit), Technique) << Q.Text;
        const auto E = Explain(Grid, Q.Cell, Q.Digit);
        ASSERT_TRUE(E.has_value()) << Q.Text;
        EXPECT_EQ(E->Single.Cell, Q.Cell.X + 9 * Q.Cell.Y) << Q.Text;
        EXPECT_EQ(E->Single.Digit, Q.Digit) << Q.Text;
        EXPECT_EQ(test::PlainExplanationFaults(Q.Text, *E, Technique), "") << Q.Text;
        // The game asks only questions whose subsets keep to 2 to 4 cells.
        for (const TExplainStep& Step : E->Steps) {
            EXPECT_LE(Step.Cells.size(), 4u) << Q.Text;
            EXPECT_LE(Step.Digits.size(), 4u) << Q.Text;
        }
        // Another move of the same position has no explanation.
        EXPECT_FALSE(Explain(Grid, Q.Cell, Q.Digit % 9 + 1).has_value()) << Q.Text;
    }
}

INSTANTIATE_TEST_SUITE_P(Explain, ExplainGenerated, testing::Range(1, 7));

} // namespace
} // namespace kumoji
