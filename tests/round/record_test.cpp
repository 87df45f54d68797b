// What the round keeps of each question in the record: outcome, time used and position before.
#include "storage/date_text.h"
#include "tests/round/round_fixture.h"

namespace kumoji {
namespace {

using test::RoundTest;

TEST_F(RoundTest, EveryQuestionEndsAsOneEntryOfTheRecord) {
    SetClock([] { return EncodeDateTime(2026, 12, 9, 10, 0, 0); });
    TTabijiUser& User = Asking(5, 3);
    Clock.Tick += 2000;
    Round.SetPaused(true);
    Clock.Tick += 60000; // paused: does not count
    Round.SetPaused(false);
    Clock.Tick += 1500;
    EXPECT_EQ(Round.Verdict(4, 5, 7), TAnswerOutcome::Right);
    EXPECT_EQ(Round.Verdict(4, 5, 6), TAnswerOutcome::WrongDigit);
    EXPECT_EQ(Round.Verdict(5, 4, 7), TAnswerOutcome::WrongCell);
    Round.Finish(Round.Verdict(4, 5, 6));
    Round.Finish(true); // judged once: no second entry
    ASSERT_EQ(Round.Record().Entries().size(), 1u);
    TAnswer E = Round.Record().Entries()[0];
    EXPECT_EQ(E.Player, User.Name);
    EXPECT_EQ(E.Position, 5);
    EXPECT_EQ(E.Technique, 3);
    EXPECT_EQ(E.UsedMs, 3500);
    EXPECT_EQ(E.LimitMs, Round.TimeLimit());
    EXPECT_EQ(E.Outcome, TAnswerOutcome::WrongDigit);
    EXPECT_EQ(IsoDateTimeText(E.When), "2026-12-09T10:00:00");
    EXPECT_EQ(E.Row, 5);
    EXPECT_EQ(E.Col, 4);
    EXPECT_EQ(E.Digit, 7);

    // The clock running out, and a question given up by closing the window.
    Ask(User);
    Round.Finish(false);
    Ask(User);
    Clock.Tick += 700;
    Round.FormCloseQuery([] { return true; });
    ASSERT_EQ(Round.Record().Entries().size(), 3u);
    EXPECT_EQ(Round.Record().Entries()[1].Outcome, TAnswerOutcome::TimeOut);
    EXPECT_EQ(Round.Record().Entries()[2].Outcome, TAnswerOutcome::Forfeit);
    EXPECT_EQ(Round.Record().Entries()[2].UsedMs, 700);
    EXPECT_EQ(Round.Record().Entries()[2].Position, 3); // two losses since 5
    SetClock(nullptr);
}

} // namespace
} // namespace kumoji
