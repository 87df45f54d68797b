// A player's figures from the record: counts, shares, medians, the last 30 days and the days.
#include "game/round/statistics.h"
#include "storage/date_text.h"

#include <gtest/gtest.h>

namespace kumoji {
namespace {

TAnswer Answer(const std::string& Player, double When, int Technique, int UsedMs, bool Right,
               bool Practice = false) {
    TAnswer E;
    E.Player = Player;
    E.When = When;
    E.Technique = Technique;
    E.Puzzle.assign(81, '0');
    E.Digit = 1;
    E.UsedMs = UsedMs;
    E.Outcome = Right ? TAnswerOutcome::Right : TAnswerOutcome::TimeOut;
    E.Practice = Practice;
    return E;
}

TEST(Statistics, FiguresPerTechniqueAndDay) {
    const double Now = EncodeDateTime(2026, 12, 9, 12);
    TAnswerRecord Record;
    // Technique 3: right in 4, 8 and 6 s, lost once; the oldest, 40 days ago.
    Record.Add(Answer("P", Now - 40, 3, 4000, true));
    Record.Add(Answer("P", Now - 1, 3, 8000, true));
    Record.Add(Answer("P", Now - 1, 3, 9000, false));
    Record.Add(Answer("P", Now - 0.1, 3, 6000, true, true));
    Record.Add(Answer("Other", Now, 3, 1000, true));
    const TPlayerStatistics S = PlayerStatistics(Record, "P", Now);
    EXPECT_EQ(S.Total, 4);
    const TTechniqueFigures& All = S.AllTime[3];
    EXPECT_EQ(All.Asked, 4);
    EXPECT_EQ(All.Right, 3);
    EXPECT_DOUBLE_EQ(All.Share(), 0.75);
    EXPECT_EQ(All.MedianMs, 6000);
    EXPECT_EQ(All.BestMs, 4000);
    // The last 30 days leave out the oldest: an even count takes the mean of the middle two.
    EXPECT_EQ(S.Recent[3].Asked, 3);
    EXPECT_EQ(S.Recent[3].MedianMs, 7000);
    EXPECT_EQ(S.Recent[3].BestMs, 6000);
    EXPECT_EQ(S.AllTime[2].Asked, 0);
    EXPECT_EQ(S.AllTime[2].Share(), 0.0);
    // Days: practice counts as asked, not as climbed or lost.
    ASSERT_EQ(S.Days.size(), 3u);
    EXPECT_EQ(S.Days[1].Day, "2026-12-08");
    EXPECT_EQ(S.Days[1].Climbed, 1);
    EXPECT_EQ(S.Days[1].Lost, 1);
    EXPECT_EQ(S.Days[2].Asked, 1);
    EXPECT_EQ(S.Days[2].Climbed + S.Days[2].Lost, 0);
    ASSERT_EQ(S.Points.size(), 4u);
    EXPECT_TRUE(std::is_sorted(S.Points.begin(), S.Points.end(),
                               [](const auto& A, const auto& B) { return A.When < B.When; }));
}

} // namespace
} // namespace kumoji
