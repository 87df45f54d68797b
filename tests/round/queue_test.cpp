// The shared question queue: its order at the trailhead and above, and who draws from it.
#include "game/round/question_queue.h"
#include "game/tables.h"
#include "round_fixture.h"

#include <algorithm>

namespace kumoji::test {

namespace {

std::vector<int> Techniques(const TQuestionQueue& Queue) {
    std::vector<int> List;
    for (const auto& Entry : Queue.Entries())
        List.push_back(Entry.second);
    return List;
}

std::vector<int> Grouped() {
    std::vector<int> List(4, 1);
    List.insert(List.end(), 10, 2);
    List.insert(List.end(), 10, 3);
    return List;
}

} // namespace

TEST_F(RoundTest, QueueAtTheTrailheadShufflesEachTableOnItsOwn) {
    std::vector<int> Draws;
    SetRandomSource([&](int n) {
        Draws.push_back(n);
        return 0;
    });
    TQuestionQueue Queue;
    Queue.Fill(0);
    EXPECT_EQ(Techniques(Queue), Grouped());
    // One Fisher-Yates pass per table, none over the whole queue.
    std::vector<int> Expected{4, 3, 2};
    for (int Table = 0; Table < 2; ++Table)
        for (int N = 10; N >= 2; --N)
            Expected.push_back(N);
    EXPECT_EQ(Draws, Expected);
    std::vector<std::string> EmptyCell;
    for (int I = 0; I < 4; ++I)
        EmptyCell.push_back(Queue.Entries()[static_cast<std::size_t>(I)].first);
    EXPECT_TRUE(std::is_permutation(EmptyCell.begin(), EmptyCell.end(), EmptyCellQuestions.begin(),
                                    EmptyCellQuestions.end()));
    EXPECT_NE(EmptyCell[0], EmptyCellQuestions[0]);
    std::vector<std::string> LeftPlace;
    for (std::size_t I = 4; I < 14; ++I)
        LeftPlace.push_back(Queue.Entries()[I].first);
    EXPECT_TRUE(std::is_permutation(LeftPlace.begin(), LeftPlace.end(), LeftPlaceQuestions.begin(),
                                    LeftPlaceQuestions.end()));
}

TEST_F(RoundTest, QueueAboveTheTrailheadMixesTheWholeQueue) {
    std::vector<int> Draws;
    SetRandomSource([&](int n) {
        Draws.push_back(n);
        return 0;
    });
    TQuestionQueue Queue;
    Queue.Fill(5);
    ASSERT_EQ(Queue.Entries().size(), 24u);
    std::vector<int> Expected;
    for (int N = 24; N >= 2; --N)
        Expected.push_back(N);
    EXPECT_EQ(Draws, Expected);
    const std::vector<int> Mixed = Techniques(Queue);
    EXPECT_FALSE(std::is_sorted(Mixed.begin(), Mixed.end()));
    EXPECT_EQ(std::count(Mixed.begin(), Mixed.end(), 1), 4);
    EXPECT_EQ(std::count(Mixed.begin(), Mixed.end(), 3), 10);

    // Without moves the queue is the three tables in order.
    SetRandomSource([](int n) { return n - 1; });
    TQuestionQueue Plain;
    Plain.Fill(5);
    EXPECT_EQ(Plain.Entries()[0].first, EmptyCellQuestions[0]);
    EXPECT_EQ(Plain.Entries()[4].first, LeftPlaceQuestions[0]);
    EXPECT_EQ(Plain.Entries()[23].first, MissingNumberQuestions[9]);
}

TEST_F(RoundTest, QueueIsSharedByThePlayersAndRefilledOnlyWhenEmpty) {
    TTabijiUser& First = Player(0);
    TTabijiUser& Second = Player(30);
    Select(&First);
    const std::optional<TQuestion> One = Round.TakeQuestion();
    ASSERT_TRUE(One);
    EXPECT_EQ(One->Text, EmptyCellQuestions[0]);
    EXPECT_EQ(Round.Technique(), 1);
    ASSERT_EQ(Round.Questions().Entries().size(), 23u);

    // The next player continues with the trailhead's order, though standing higher.
    Select(&Second);
    for (std::size_t I = 1; I < 24; ++I) {
        const std::optional<TQuestion> Next = Round.TakeQuestion();
        ASSERT_TRUE(Next);
        EXPECT_EQ(Next->Technique, Grouped()[I]) << I;
    }
    EXPECT_EQ(Round.Technique(), 3);
    EXPECT_TRUE(Round.Questions().Entries().empty());
    // Run empty: refilled for the player who plays now, mixed above the trailhead.
    std::vector<int> Draws;
    SetRandomSource([&](int n) {
        Draws.push_back(n);
        return n - 1;
    });
    ASSERT_TRUE(Round.TakeQuestion());
    EXPECT_EQ(Draws.front(), 24);
    EXPECT_EQ(Round.Questions().Entries().size(), 23u);
}

TEST_F(RoundTest, ARouteWithASourceOfItsOwnLeavesTheSharedQueueAlone) {
    TTabijiUser& Climber = Player(3);
    Climber.Route = 2;
    Round.SetQuestionSource(
        2, std::make_unique<TListedQuestions>(std::deque<TQuestion>{{std::string(81, '1'), 2}}));
    Select(&Climber);
    EXPECT_EQ(Round.TakeQuestion(), (TQuestion{std::string(81, '1'), 2}));
    EXPECT_TRUE(Round.Questions().Entries().empty());
    EXPECT_FALSE(Round.TakeQuestion());
    // Given back, the route draws from the shared queue again.
    Round.SetQuestionSource(2, nullptr);
    ASSERT_TRUE(Round.TakeQuestion());
    EXPECT_EQ(Round.Questions().Entries().size(), 23u);
}

} // namespace kumoji::test
