// Explanations of the game's table questions, judged by the plain checker.
#include "engine/explain/explanation.h"
#include "engine/question/question.h"
#include "explain_checker.h"
#include "game/tables.h"
#include "grid_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kumoji {
namespace {

TEST(ExplainTables, TableQuestionsPassThePlainCheck) {
    std::vector<std::pair<std::string_view, TSolveMethod>> All;
    for (std::string_view Text : EmptyCellQuestions) {
        All.emplace_back(Text, smEmptyCell);
    }
    for (std::string_view Text : LeftPlaceQuestions) {
        All.emplace_back(Text, smLeftPlace);
    }
    for (std::string_view Text : MissingNumberQuestions) {
        All.emplace_back(Text, smMissingNumber);
    }
    ASSERT_EQ(All.size(), 24u);
    for (const auto& [Text, Technique] : All) {
        const TMatrix Grid = test::Position(Text);
        TPoint Cell;
        int Digit = 0;
        ASSERT_TRUE(FindQuestion(Grid, Cell, Digit, true)) << Text;
        const auto E = Explain(Grid, Cell, Digit);
        ASSERT_TRUE(E.has_value()) << Text;
        EXPECT_EQ(test::PlainExplanationFaults(std::string(Text), *E, Technique), "") << Text;
    }
}

} // namespace
} // namespace kumoji
