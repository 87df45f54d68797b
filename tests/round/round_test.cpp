// The round's states, judging, scoring, forfeit and the summit, without a window.
#include "game/round/summit.h"
#include "game/tables.h"
#include "round_fixture.h"

namespace kumoji::test {

namespace {

// State, then Play, Pause, player dialog as "visible enabled" pairs, then board and clock.
std::string Shown(const TActionStates& A) {
    const auto Pair = [](bool Visible, bool Enabled) {
        return std::string(Visible ? "V" : "-") + (Enabled ? "E" : "-");
    };
    return Pair(A.StartVisible, A.StartEnabled) + " " + Pair(A.PauseVisible, A.PauseEnabled) +
           (A.PauseOffersReplay ? "r" : "") + " " + Pair(A.OpenDlgVisible, A.OpenDlgEnabled) + " " +
           Pair(A.BoardVisible, A.BoardEnabled) + (A.ClockRunning ? " clock" : "");
}

} // namespace

TEST_F(RoundTest, EachStateShowsItsCommandsBoardAndClock) {
    EXPECT_EQ(Round.State(), TRoundState::NoPlayer);
    EXPECT_EQ(Shown(Round.Actions()), "V- -- VE V-");
    EXPECT_FALSE(Round.TakeQuestion());

    TTabijiUser& Top = Player(50);
    Select(&Top);
    EXPECT_EQ(Round.State(), TRoundState::Ready);
    EXPECT_EQ(Shown(Round.Actions()), "V- -- VE V-") << "no Play at the summit";
    EXPECT_FALSE(Round.TakeQuestion());

    Asking(12);
    EXPECT_EQ(Round.State(), TRoundState::Asking);
    EXPECT_EQ(Shown(Round.Actions()), "-- VE -- VE clock");
    EXPECT_FALSE(Round.TakeQuestion());
    EXPECT_FALSE(Select(&Top));
    EXPECT_EQ(Round.Player(), &Roster.GetUser(Roster.GetCount() - 1))
        << "the player stays while asked";

    Round.SetPaused(true);
    EXPECT_EQ(Round.State(), TRoundState::Paused);
    EXPECT_EQ(Shown(Round.Actions()), "-- VEr -- -E");
    EXPECT_FALSE(Round.Finish(true)) << "no verdict on a hidden board";
    Round.SetPaused(false);

    ASSERT_TRUE(Round.Finish(true));
    EXPECT_EQ(Round.State(), TRoundState::Outcome);
    EXPECT_EQ(Shown(Round.Actions()), "VE -- VE V-");
    EXPECT_FALSE(Round.SetPaused(true));
    EXPECT_FALSE(Round.Tick());

    Select(nullptr);
    EXPECT_EQ(Round.State(), TRoundState::NoPlayer);
}

TEST_F(RoundTest, APlacementIsRightOnlyWithTheForcedDigitOnItsCell) {
    Asking(5);
    EXPECT_TRUE(Round.Judge(4, 5, 7));
    EXPECT_FALSE(Round.Judge(4, 5, 6));
    EXPECT_FALSE(Round.Judge(5, 4, 7));
    EXPECT_FALSE(Round.Judge(4, 6, 7));
}

struct TScoreCase {
    int Start;
    bool Solved;
    int Position;
    TGameSound Sound;
    int Mark;
};

void PrintTo(const TScoreCase& Case, std::ostream* Out) {
    *Out << (Case.Solved ? "solved at " : "lost at ") << Case.Start;
}

class Scoring : public RoundTest, public ::testing::WithParamInterface<TScoreCase> {};

TEST_P(Scoring, ClimbsOrFallsBackExceptAtAHutOrTheTrailhead) {
    const TScoreCase Case = GetParam();
    TTabijiUser& User = Asking(Case.Start);
    User.LastPlayed = 0;
    const std::optional<TOutcome> Outcome = Round.Finish(Case.Solved);
    ASSERT_TRUE(Outcome);
    EXPECT_EQ(Outcome->Solved, Case.Solved);
    EXPECT_EQ(User.Position, Case.Position);
    EXPECT_EQ(Outcome->Position, Case.Position);
    EXPECT_EQ(Outcome->Sound, Case.Sound);
    EXPECT_EQ(Outcome->Mark, Case.Mark);
    EXPECT_TRUE(Outcome->SaveNeeded);
    EXPECT_GT(User.LastPlayed, 0) << "the time of the change is kept";
    // Judged once: a late tick, drop or close changes nothing.
    EXPECT_FALSE(Round.Finish(!Case.Solved));
    EXPECT_FALSE(Round.FormCloseQuery([] { return true; }).Forfeited);
    EXPECT_EQ(User.Position, Case.Position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Scoring,
    ::testing::Values(TScoreCase{12, true, 13, gsStep, 13},
                      TScoreCase{10, true, 11, gsLandmark, 11}, TScoreCase{0, true, 1, gsStep, 1},
                      TScoreCase{49, true, 50, gsLandmark, 50},
                      TScoreCase{50, true, 51, gsStep, 51}, TScoreCase{12, false, 11, gsLost, 12},
                      TScoreCase{11, false, 11, gsLost, 12}, TScoreCase{0, false, 0, gsLost, 1},
                      TScoreCase{49, false, 48, gsLost, 49}, TScoreCase{50, false, 49, gsLost, 50}),
    [](const ::testing::TestParamInfo<TScoreCase>& Info) {
        return (Info.param.Solved ? "SolvedAt" : "LostAt") + std::to_string(Info.param.Start);
    });

TEST_F(RoundTest, AfterTheSummitPlayStaysOpenUntilThePlayerIsChosenAgain) {
    TTabijiUser& User = Asking(49);
    Round.Finish(true);
    EXPECT_TRUE(Round.Actions().StartEnabled);
    Select(&User);
    EXPECT_FALSE(Round.Actions().StartEnabled);
}

TEST_F(RoundTest, ClosingDuringAQuestionAsksAndYesGivesItUp) {
    TTabijiUser& User = Asking(10);
    Clock.Tick += 1000;
    int Asked = 0;
    // Cancel: the question goes on, the time spent deciding not counted.
    TCloseDecision Decision = Round.FormCloseQuery([&] {
        ++Asked;
        EXPECT_EQ(Round.State(), TRoundState::Paused);
        Clock.Tick += 100000;
        return false;
    });
    EXPECT_EQ(Asked, 1);
    EXPECT_FALSE(Decision.CanClose);
    EXPECT_FALSE(Decision.Forfeited);
    EXPECT_EQ(Round.State(), TRoundState::Asking);
    EXPECT_EQ(Round.Remaining(), 18133 - 1000);
    EXPECT_EQ(User.Position, 10);

    // Paused, the window closes without a word.
    Round.SetPaused(true);
    Decision = Round.FormCloseQuery([&] { return ++Asked > 0; });
    EXPECT_TRUE(Decision.CanClose);
    EXPECT_FALSE(Decision.Forfeited);
    EXPECT_EQ(Asked, 1);
    Round.SetPaused(false);

    Decision = Round.FormCloseQuery([&] { return ++Asked > 0; });
    EXPECT_EQ(Asked, 2);
    EXPECT_TRUE(Decision.CanClose);
    EXPECT_TRUE(Decision.Forfeited);
    EXPECT_EQ(User.Position, 9);
    EXPECT_EQ(Round.State(), TRoundState::Outcome);
}

TEST_F(RoundTest, ForfeitAtAHutKeepsThePosition) {
    TTabijiUser& User = Asking(18);
    EXPECT_TRUE(Round.FormCloseQuery([] { return true; }).Forfeited);
    EXPECT_EQ(User.Position, 18);
}

TEST_F(RoundTest, ANewPlayerGetsTheDefaultHutsWrittenToTheRecord) {
    TTabijiUser& New = Player(0, "");
    EXPECT_TRUE(Select(&New));
    EXPECT_EQ(New.Huts, "11,18,21,24,28,32,36,39");
    EXPECT_EQ(Round.Huts(), std::vector<int>(DefaultHuts.begin(), DefaultHuts.end()));
    TTabijiUser& Own = Player(0, "3,7");
    EXPECT_FALSE(Select(&Own));
    EXPECT_EQ(Round.Huts(), (std::vector<int>{3, 7}));
    // A hut of the player's own list is a landmark.
    TTabijiUser& Climber = Ask(Player(6, "3,7"));
    EXPECT_EQ(Round.Finish(true)->Sound, gsLandmark);
    EXPECT_EQ(Climber.Position, 7);
}

TEST(Summit, MessageNamesTheNextRouteOrCongratulatesOnTheLast) {
    EXPECT_EQ(SummitMessage(0), "山頂に到着です！\n\n次は 須走ルート（初級） で挑戦しましょう");
    EXPECT_EQ(SummitMessage(1), "山頂に到着です！\n\n次は 富士宮ルート（中級） で挑戦しましょう");
    EXPECT_EQ(SummitMessage(2), "山頂に到着です！\n\n次は 御殿場ルート（上級） で挑戦しましょう");
    EXPECT_EQ(SummitMessage(3), "山頂に到着です！\n\n次は 紅富士ルート（超級） で挑戦しましょう");
    EXPECT_EQ(SummitMessage(4), "山頂に到着です！\n\n次は 夕富士ルート（達人） で挑戦しましょう");
    EXPECT_EQ(SummitMessage(5), "山頂に到着です！\n\n次は 月夜富士ルート（名人） で挑戦しましょう");
    const std::string Last =
        "山頂に到着です！\n\n数独ナンプレの頂点を極めました\n\nおめでとうございます";
    EXPECT_EQ(SummitMessage(6), Last);
    EXPECT_EQ(SummitMessage(9), Last);
    EXPECT_FALSE(AtSummit(49));
    EXPECT_TRUE(AtSummit(50));
    EXPECT_TRUE(AtSummit(51));
}

} // namespace kumoji::test

namespace kumoji::test {

TEST_F(RoundTest, ScoresTheRecordTheRosterHoldsNowNotOneItReplaced) {
    Asking(12);
    // A save merges with the file and renews every record.
    std::vector<std::string> Lines;
    ASSERT_TRUE(Roster.SaveToList(&Lines));
    ASSERT_TRUE(Roster.LoadFromList(&Lines));
    ASSERT_TRUE(Round.Finish(true));
    EXPECT_EQ(Roster.GetUser(0).Position, 13);
    EXPECT_EQ(Round.Player(), &Roster.GetUser(0));
}

} // namespace kumoji::test
