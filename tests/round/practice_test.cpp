// Practice: no climb and no loss whatever happens, hints recorded, and the climb given back.
#include "game/round/generated_queue.h"
#include "game/round/summit.h"
#include "storage/answer_record.h"
#include "tests/round/round_fixture.h"

#include <algorithm>

namespace kumoji {
namespace {

using test::RoundTest;
using test::TListedQuestions;

class PracticeTest : public RoundTest {
protected:
    void Practise(int Technique, int Count = 20) {
        ASSERT_TRUE(Round.StartPractice(Technique));
        std::deque<TQuestion> List;
        for (int N = 0; N < Count; ++N) {
            std::string Text(81, '0');
            Text[0] = static_cast<char>('1' + N % 9);
            Text[1] = static_cast<char>('1' + N / 9);
            List.push_back({Text, Technique});
        }
        Round.SetPracticeSource(std::make_unique<TListedQuestions>(List));
    }
    bool AskPractice() {
        if (!Round.TakeQuestion())
            return false;
        Round.Begin({4, 5}, 7);
        return true;
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> L;
        Roster.SaveToList(&L);
        return L;
    }
};

TEST_F(PracticeTest, NothingInPracticeChangesTheRostersRecords) {
    TTabijiUser& User = Player(12);
    User.Route = 1;
    Player(50); // at the summit, where the climb asks nothing more
    Select(&User);
    const std::vector<std::string> Before = Lines();
    Practise(4);
    // Right, wrong, run out of time (the clock does not end it), forfeited by closing.
    ASSERT_TRUE(AskPractice());
    Round.Finish(TAnswerOutcome::Right);
    ASSERT_TRUE(AskPractice());
    Round.Finish(TAnswerOutcome::WrongDigit);
    ASSERT_TRUE(AskPractice());
    Clock.Tick += 3600000;
    ASSERT_TRUE(Round.Tick());
    EXPECT_FALSE(Round.Tick()->TimedOut);
    EXPECT_EQ(Round.Tick()->Text, "0");
    Round.Finish(false);
    ASSERT_TRUE(AskPractice());
    EXPECT_TRUE(Round.FormCloseQuery([] { return true; }).Forfeited);
    EXPECT_EQ(Lines(), Before);
    ASSERT_EQ(Round.Record().Entries().size(), 4u);
    for (const TAnswer& E : Round.Record().Entries()) {
        EXPECT_TRUE(E.Practice);
        EXPECT_EQ(E.Technique, 4);
        EXPECT_EQ(E.Position, 12);
    }
    // A player at the summit may practise too.
    ASSERT_TRUE(Round.StopPractice());
    Select(&Roster.GetUser(1));
    EXPECT_FALSE(Round.Actions().StartEnabled);
    Practise(2);
    EXPECT_TRUE(Round.Actions().StartEnabled);
    ASSERT_TRUE(AskPractice());
    Round.Finish(TAnswerOutcome::WrongCell);
    EXPECT_EQ(Lines(), Before);
}

TEST_F(PracticeTest, HintsGoUpToThreeAndAreRecorded) {
    TTabijiUser& User = Player(5);
    Select(&User);
    Practise(3);
    EXPECT_EQ(Round.Hint(), 0); // nothing asked yet
    ASSERT_TRUE(AskPractice());
    EXPECT_TRUE(Round.Actions().HintEnabled);
    EXPECT_EQ(Round.Hint(), 1);
    EXPECT_EQ(Round.Hint(), 2);
    EXPECT_EQ(Round.Hint(), 3);
    EXPECT_FALSE(Round.Actions().HintEnabled);
    EXPECT_EQ(Round.Hint(), 0);
    Round.Finish(true);
    ASSERT_TRUE(AskPractice());
    EXPECT_EQ(Round.HintLevel(), 0); // each question starts without
    Round.Hint();
    Round.Finish(true);
    EXPECT_EQ(Round.Record().Entries()[0].Hints, 3);
    EXPECT_EQ(Round.Record().Entries()[1].Hints, 1);
    // Hints are practice's: the climb has none.
    ASSERT_TRUE(Round.StopPractice());
    Ask(*Round.Player());
    EXPECT_FALSE(Round.Actions().HintEnabled);
    EXPECT_EQ(Round.Hint(), 0);
}

TEST_F(PracticeTest, LeavingPracticeGivesTheClimbBackAsItWas) {
    TTabijiUser& User = Asking(20, 2);
    Round.Finish(true);
    // Not while a question runs.
    Ask(User, 3);
    EXPECT_FALSE(Round.StartPractice(3));
    Round.Finish(true);
    const TPoint Cell = Round.TargetCell();
    const int Limit = Round.TimeLimit();
    const bool Why = Round.Actions().WhyEnabled;
    Practise(5);
    ASSERT_TRUE(AskPractice());
    Round.Finish(false);
    EXPECT_TRUE(Round.StopPractice());
    EXPECT_FALSE(Round.Practicing());
    EXPECT_EQ(Round.State(), TRoundState::Outcome);
    EXPECT_EQ(Round.Technique(), 3);
    EXPECT_EQ(Round.TargetCell(), Cell);
    EXPECT_EQ(Round.TimeLimit(), Limit);
    EXPECT_EQ(Round.Actions().WhyEnabled, Why);
    EXPECT_EQ(User.Position, 22);
    // A practice question lost comes back in practice of its technique, not on the climb.
    ASSERT_TRUE(Round.StartPractice(5));
    int Back = 0;
    for (int N = 0; N < 4; ++N) {
        ASSERT_TRUE(AskPractice());
        Back += Round.FromReview();
        Round.Finish(true);
    }
    EXPECT_EQ(Back, 1);
}

TEST_F(PracticeTest, OffersTheTablesAndEveryRoutesTechniquesOnly) {
    const std::vector<int> Offered = PracticeTechniques();
    EXPECT_EQ(std::vector<int>(Offered.begin(), Offered.begin() + 6),
              (std::vector<int>{1, 2, 3, 4, 5, 6}));
    for (int Route = 1; Route <= HighestRoute; ++Route)
        for (const int Technique : RouteTechniques(Route))
            EXPECT_EQ(std::count(Offered.begin(), Offered.end(), Technique), 1) << Technique;
    Asking(20, 2);
    Round.Finish(true);
    for (const int Refused : {0, static_cast<int>(smPuzzled), HighestTechnique + 1})
        EXPECT_FALSE(Round.StartPractice(Refused)) << Refused;
    EXPECT_TRUE(Round.StartPractice(smSwordfish));
    EXPECT_EQ(Round.PracticeTechnique(), smSwordfish);
}

} // namespace
} // namespace kumoji
