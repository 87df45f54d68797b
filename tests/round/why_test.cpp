// The explanation of a judged question: when the round holds one, and what takes it away.
#include "engine/grid/puzzle_text.h"
#include "engine/question/question.h"
#include "game/tables.h"
#include "round_fixture.h"

namespace kumoji::test {

namespace {

class WhyTest : public RoundTest {
protected:
    // Asks User Text as the window does: taken, found fit, begun with its position.
    void AskExplained(TTabijiUser& User, std::string_view Text, int Technique) {
        if (Round.Player() != &User)
            Select(&User);
        Round.SetQuestionSource(User.Route,
                                std::make_unique<TListedQuestions>(
                                    std::deque<TQuestion>{{std::string(Text), Technique}}));
        ASSERT_TRUE(Round.TakeQuestion());
        ASSERT_TRUE(SetPuzzle(Grid, Text));
        ASSERT_TRUE(FindQuestion(Grid, Cell, Digit, true));
        Round.Begin(Cell, Digit, Grid);
    }
    bool Why() const { return Round.Actions().WhyEnabled; }

    TMatrix Grid;
    TPoint Cell;
    int Digit = 0;
};

} // namespace

TEST_F(WhyTest, AVerdictRightOrWrongExplainsTheMoveAskedUntilTheNextQuestion) {
    TTabijiUser& User = Player(12);
    EXPECT_FALSE(Why());
    for (const bool Solved : {true, false}) {
        AskExplained(User, LeftPlaceQuestions[0], smLeftPlace);
        EXPECT_FALSE(Why()) << "asking";
        EXPECT_EQ(Round.Explanation(), nullptr);
        Round.SetPaused(true);
        EXPECT_FALSE(Why()) << "paused";
        Round.SetPaused(false);

        ASSERT_TRUE(Round.Finish(Solved));
        ASSERT_TRUE(Why());
        const TExplanation* Explanation = Round.Explanation();
        ASSERT_NE(Explanation, nullptr);
        EXPECT_EQ(Explanation->Single.Cell, CellIndex(Cell.X, Cell.Y));
        EXPECT_EQ(Explanation->Single.Digit, Digit);
        EXPECT_FALSE(Explanation->Text.empty());
        EXPECT_EQ(PuzzleTextOf(Round.Asked()), LeftPlaceQuestions[0]);
        // A late verdict changes nothing.
        EXPECT_FALSE(Round.Finish(!Solved));
        EXPECT_TRUE(Why());
    }
    // The next question taken is not the one explained, fit or not.
    Round.SetQuestionSource(User.Route, std::make_unique<TListedQuestions>(std::deque<TQuestion>{
                                            {std::string(81, '0'), smLeftPlace}}));
    ASSERT_TRUE(Round.TakeQuestion());
    EXPECT_FALSE(Why());
    EXPECT_EQ(Round.Explanation(), nullptr);
}

TEST_F(WhyTest, AnotherPlayerTakesTheExplanationAwayTheSamePlayerAgainKeepsIt) {
    TTabijiUser& First = Player(12);
    TTabijiUser& Second = Player(20);
    AskExplained(First, EmptyCellQuestions[0], smEmptyCell);
    ASSERT_TRUE(Round.Finish(false));
    ASSERT_TRUE(Why());
    Select(&First);
    EXPECT_TRUE(Why());
    Select(&Second);
    EXPECT_FALSE(Why());

    AskExplained(Second, EmptyCellQuestions[1], smEmptyCell);
    ASSERT_TRUE(Round.Finish(true));
    ASSERT_TRUE(Why());
    Select(nullptr);
    EXPECT_FALSE(Why());
}

TEST_F(WhyTest, NothingToExplainWithoutThePositionOrAfterAForfeit) {
    // Begun without its position, as the round's other tests do.
    Asking(12);
    ASSERT_TRUE(Round.Finish(false));
    EXPECT_FALSE(Why());
    EXPECT_EQ(Round.Explanation(), nullptr);

    TTabijiUser& User = Player(12);
    AskExplained(User, MissingNumberQuestions[0], smMissingNumber);
    EXPECT_TRUE(Round.FormCloseQuery([] { return true; }).Forfeited);
    EXPECT_FALSE(Why());
}

} // namespace kumoji::test
