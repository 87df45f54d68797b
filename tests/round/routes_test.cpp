// The generated routes: their techniques, queues of their own, the time limit that follows the
// question, and moving on from a summit.
#include "engine/grid/puzzle_text.h"
#include "engine/question/question.h"
#include "engine/question/question_technique.h"
#include "game/round/generated_queue.h"
#include "game/round/summit.h"
#include "game/round/time_limit.h"
#include "round_fixture.h"
#include "storage/date_text.h"

#include <filesystem>
#include <map>
#include <unistd.h>

namespace kumoji::test {

namespace {

// The question's forced move, when it is fit to be asked.
bool Answer(const TQuestion& Question, TPoint& Cell, int& Digit) {
    TMatrix Grid;
    return SetPuzzle(Grid, Question.Text) && FindQuestion(Grid, Cell, Digit, true) &&
           QuestionTechnique(Grid, Cell, Digit) == Question.Technique;
}

} // namespace

TEST_F(RoundTest, EachRouteAsksAFullQueueOfItsOwnTechniquesMixed) {
    const std::map<int, std::map<int, int>> Expected{
        {1, {{2, 12}, {3, 12}}}, {2, {{4, 12}, {5, 12}}}, {3, {{6, 24}}}};
    for (const auto& [Route, Shares] : Expected) {
        TTabijiUser& User = Player(10);
        User.Route = Route;
        Select(&User);
        std::map<int, int> Count;
        std::vector<int> Order;
        // Lost questions that come back are not the queue's: the queue's own are counted.
        for (int K = 0, Taken = 0; Taken < TGeneratedQueue::Size; ++K) {
            const int Position = User.Position;
            const std::optional<TQuestion> Question = Round.TakeQuestion();
            ASSERT_TRUE(Question);
            TPoint Cell;
            int Digit = 0;
            ASSERT_TRUE(Answer(*Question, Cell, Digit)) << Question->Text;
            // The clock and the help follow the question's own technique.
            EXPECT_EQ(Round.Technique(), Question->Technique);
            Round.Begin(Cell, Digit);
            EXPECT_EQ(Round.TimeLimit(), TimeLimit(Question->Technique, Position));
            Round.Finish(K % 2 == 0);
            if (Round.FromReview())
                continue;
            ++Taken;
            ++Count[Question->Technique];
            Order.push_back(Question->Technique);
        }
        EXPECT_EQ(Count, Shares) << "route " << Route;
        if (Shares.size() > 1) {
            EXPECT_FALSE(std::is_sorted(Order.begin(), Order.end())) << "route " << Route;
        }
    }
    // The first route's queue was never touched.
    EXPECT_TRUE(Round.Questions().Entries().empty());
}

TEST_F(RoundTest, PlayersOfARouteShareItsQueueAndOtherRoutesKeepTheirs) {
    TTabijiUser& A = Player(5);
    TTabijiUser& B = Player(7);
    TTabijiUser& C = Player(7);
    TTabijiUser& Beyond = Player(7);
    A.Route = B.Route = 2;
    C.Route = 3;
    Beyond.Route = 9;
    Round.SetQuestionSource(6, std::make_unique<TGeneratedQueue>(6, TDrawnText{}));
    Select(&A);
    const std::optional<TQuestion> First = Round.TakeQuestion();
    Select(&C);
    const std::optional<TQuestion> Third = Round.TakeQuestion();
    Select(&B);
    const std::optional<TQuestion> Second = Round.TakeQuestion();
    // A route number past the last (an edited file) climbs the last route.
    Select(&Beyond);
    const std::optional<TQuestion> Fourth = Round.TakeQuestion();
    ASSERT_TRUE(First && Second && Third && Fourth);
    EXPECT_NE(First->Text, Second->Text);
    EXPECT_TRUE(Second->Technique == 4 || Second->Technique == 5);
    EXPECT_EQ(Third->Technique, 6);
    EXPECT_TRUE(Fourth->Technique == 17 || Fourth->Technique == 7 || Fourth->Technique == 8)
        << Fourth->Technique;

    // The same draws of the process-wide generator give the same questions.
    TRound Again{Clock};
    Again.SelectPlayer(&Roster, IndexOf(A));
    ASSERT_EQ(Again.Player(), &A);
    EXPECT_EQ(Again.TakeQuestion(), First);
}

TEST_F(RoundTest, TheNextRouteStartsAtItsTrailheadAndIsStored) {
    for (int Route = 0; Route <= 5; ++Route)
        EXPECT_TRUE(HasNextRoute(Route)) << Route;
    EXPECT_EQ(HighestRoute, 6);
    EXPECT_FALSE(HasNextRoute(6));
    EXPECT_FALSE(HasNextRoute(7));
    EXPECT_FALSE(HasNextRoute(-1));
    EXPECT_EQ(NextRouteQuestion(), "次のルートに挑戦しますか？\n\nClimb the next route now?");

    SetClock([] { return 45000.5; });
    TTabijiUser& User = Player(49);
    // A climb not yet saved belongs to the old route and must not follow the player.
    User.Climb();
    User.StartRoute(User.Route + 1);
    EXPECT_EQ(User.Route, 1);
    EXPECT_EQ(User.Position, 0);
    EXPECT_EQ(User.LastPlayed, 45000.5);
    const std::string File = (std::filesystem::temp_directory_path() /
                              ("kumoji_routes_" + std::to_string(::getpid()) + ".ini"))
                                 .string();
    ASSERT_TRUE(Roster.SaveToFile(File, "userdata"));
    TTabijiUsers Read;
    ASSERT_TRUE(Read.LoadFromFile(File, "userdata"));
    std::filesystem::remove(File);
    std::filesystem::remove(File + ".bak");
    std::filesystem::remove(File + ".lock");
    SetClock(nullptr);
    ASSERT_EQ(Read.GetCount(), 1);
    EXPECT_EQ(Read.GetUser(0).Route, 1);
    EXPECT_EQ(Read.GetUser(0).Position, 0);
}

} // namespace kumoji::test
