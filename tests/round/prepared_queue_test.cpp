// The generated routes' queues made ahead in small steps: what they make, and that when they
// make it changes nothing.
#include "game/round/generated_queue.h"
#include "game/round/summit.h"
#include "game/round/time_limit.h"
#include "round_fixture.h"

#include <map>

namespace kumoji::test {

TEST(RouteTechniques, TheNewRoutesTrainPatternsWingsAndColouringWithAssumptions) {
    EXPECT_TRUE(RouteTechniques(0).empty());
    EXPECT_EQ(RouteTechniques(3), (std::vector<int>{6}));
    EXPECT_EQ(RouteTechniques(4), (std::vector<int>{10, 11, 12, 13}));
    EXPECT_EQ(RouteTechniques(5), (std::vector<int>{14, 15, 16}));
    EXPECT_EQ(RouteTechniques(6), (std::vector<int>{17, 7, 8}));
    EXPECT_EQ(RouteTechniques(HighestRoute + 3), RouteTechniques(HighestRoute));
    EXPECT_EQ(Routes.size(), static_cast<std::size_t>(HighestRoute + 1));
    EXPECT_EQ(Routes[4], "紅富士ルート（超級）");
    EXPECT_EQ(Routes[5], "夕富士ルート（達人）");
    EXPECT_EQ(Routes[6], "月夜富士ルート（名人）");
}

TEST_F(RoundTest, AQueueMakesOneQuestionWhenAskedAndTheRestAheadOneStepAtATime) {
    TDrawnText Maker;
    TGeneratedQueue Queue(4, Maker);
    // The first step only draws the seed.
    EXPECT_TRUE(Queue.Prepare());
    EXPECT_EQ(*Maker.Made, 0);
    for (int Step = 1; Step <= TGeneratedQueue::Ahead; ++Step) {
        EXPECT_EQ(Queue.Prepare(), Step < TGeneratedQueue::Ahead) << Step;
        EXPECT_EQ(*Maker.Made, Step);
    }
    EXPECT_FALSE(Queue.Prepare()) << "enough waiting";
    EXPECT_EQ(*Maker.Made, TGeneratedQueue::Ahead);
    EXPECT_EQ(Queue.Plan().size(),
              static_cast<std::size_t>(TGeneratedQueue::Size - TGeneratedQueue::Ahead));
    for (int K = 0; K < TGeneratedQueue::Ahead; ++K)
        ASSERT_TRUE(Queue.Take(0));
    EXPECT_EQ(*Maker.Made, TGeneratedQueue::Ahead) << "taken from those made ahead";
    // With none waiting, a take makes exactly one: no call waits for a whole round.
    ASSERT_TRUE(Queue.Take(0));
    EXPECT_EQ(*Maker.Made, TGeneratedQueue::Ahead + 1);
    EXPECT_TRUE(Queue.Entries().empty());
}

TEST_F(RoundTest, WhenQuestionsAreMadeAheadDoesNotChangeWhichOnesComeInWhatOrder) {
    // Seeds drawn alike: the process-wide draws give the same first number to both.
    TGeneratedQueue Eager(5, TDrawnText{});
    TGeneratedQueue Lazy(5, TDrawnText{});
    Eager.Prepare();
    Lazy.Prepare();
    std::map<int, int> Shares;
    std::vector<int> Order;
    for (int K = 0; K < 2 * TGeneratedQueue::Size + 5; ++K) {
        while (Eager.Prepare()) {
        }
        const std::optional<TQuestion> A = Eager.Take(0);
        const std::optional<TQuestion> B = Lazy.Take(0);
        ASSERT_TRUE(A && B);
        EXPECT_EQ(*A, *B) << K;
        if (K < TGeneratedQueue::Size) {
            ++Shares[A->Technique];
            Order.push_back(A->Technique);
        }
    }
    // A round holds the route's techniques in equal shares, mixed.
    EXPECT_EQ(Shares, (std::map<int, int>{{14, 8}, {15, 8}, {16, 8}}));
    EXPECT_FALSE(std::is_sorted(Order.begin(), Order.end()));
}

TEST_F(RoundTest, ATechniqueTheGeneratorCannotMakeGivesUpItsPlaceWithoutStallingTheQueue) {
    TDrawnText Maker;
    Maker.Failing->insert(7);
    TGeneratedQueue Queue(6, Maker);
    for (int K = 0; K < TGeneratedQueue::Size; ++K) {
        const std::optional<TQuestion> Question = Queue.Take(0);
        ASSERT_TRUE(Question);
        EXPECT_NE(Question->Technique, 7);
    }
    // Nothing can be made at all: no question, and the steps ahead come to an end.
    Maker.Failing->insert({17, 8});
    TGeneratedQueue Dead(6, Maker);
    EXPECT_FALSE(Dead.Take(0));
    int Steps = 0;
    while (Dead.Prepare() && Steps < 1000)
        ++Steps;
    EXPECT_LT(Steps, 1000);
}

TEST_F(RoundTest, TheRoundPreparesOnlyTheCurrentPlayersRoute) {
    TDrawnText Four;
    TDrawnText Five;
    Round.SetQuestionSource(4, std::make_unique<TGeneratedQueue>(4, Four));
    Round.SetQuestionSource(5, std::make_unique<TGeneratedQueue>(5, Five));
    EXPECT_FALSE(Round.PrepareQuestions()) << "nobody plays";
    TTabijiUser& User = Player(0);
    User.Route = 4;
    Select(&User);
    while (Round.PrepareQuestions()) {
    }
    EXPECT_EQ(*Four.Made, TGeneratedQueue::Ahead);
    EXPECT_EQ(*Five.Made, 0);
    const std::optional<TQuestion> Question = Round.TakeQuestion();
    ASSERT_TRUE(Question);
    EXPECT_GE(Question->Technique, 10);
    EXPECT_LE(Question->Technique, 13);
    // Route 0's tables need no making ahead.
    User.Route = 0;
    EXPECT_FALSE(Round.PrepareQuestions());
}

TEST_F(RoundTest, AtTheSummitOfRouteThreeYesLeadsToRouteFoursQuestionsAtItsTrailhead) {
    Round.SetQuestionSource(4, std::make_unique<TGeneratedQueue>(4, TDrawnText{}));
    TTabijiUser& User = Player(49);
    User.Route = 3;
    Ask(User, 6);
    ASSERT_TRUE(Round.Finish(true));
    ASSERT_TRUE(AtSummit(User.Position));
    ASSERT_TRUE(HasNextRoute(User.Route));
    User.StartRoute(User.Route + 1);
    Select(&User);
    EXPECT_EQ(User.Route, 4);
    EXPECT_EQ(User.Position, 0);
    const std::optional<TQuestion> Question = Round.TakeQuestion();
    ASSERT_TRUE(Question);
    EXPECT_EQ(Round.Technique(), Question->Technique);
    EXPECT_TRUE(Question->Technique >= 10 && Question->Technique <= 13) << Question->Technique;
    Round.Begin({0, 0}, 1);
    EXPECT_EQ(Round.TimeLimit(), TimeLimit(Question->Technique, 0));
    // The answer is kept with its own technique, and a lost one comes back on its route.
    ASSERT_TRUE(Round.Finish(false));
    ASSERT_FALSE(Round.Record().Entries().empty());
    EXPECT_EQ(Round.Record().Entries().back().Technique, Question->Technique);
    EXPECT_EQ(Round.Record().Entries().back().Route, 4);
    const std::optional<TAnswer> Read = ParseAnswer(FormatAnswer(Round.Record().Entries().back()));
    ASSERT_TRUE(Read);
    EXPECT_EQ(Read->Technique, Question->Technique);
    ASSERT_EQ(Round.Review().Items().size(), 1u);
    const std::optional<TReviewItem> Item =
        ParseReviewItem(FormatReviewItem(Round.Review().Items().front()));
    ASSERT_TRUE(Item);
    EXPECT_EQ(Item->Technique, Question->Technique);
    EXPECT_EQ(Item->Route, 4);
}

} // namespace kumoji::test
