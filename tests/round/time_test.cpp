// The time limit table and the question clock through pauses and wraps.
#include "game/round/generated_queue.h"
#include "game/round/time_limit.h"
#include "round_fixture.h"

namespace kumoji::test {

TEST(TimeLimit, ShrinksWithTheHeightReached) {
    const int Table[][4] = {{0, 181333, 362666, 725333},
                            {1, 181333, 362666, 725333},
                            {10, 18133, 36266, 72533},
                            {25, 7253, 14506, 29013},
                            {49, 3700, 7401, 14802}};
    for (const auto& Row : Table)
        for (int Technique = 1; Technique <= 3; ++Technique)
            EXPECT_EQ(TimeLimit(Technique, Row[0]), Row[Technique]) << Row[0] << " " << Technique;
}

TEST(TimeLimit, EveryHarderTechniqueGetsMoreTimeAtEveryHeight) {
    for (const int Position : {0, 1, 10, 25, 49, 50, 55}) {
        for (std::size_t K = 1; K < TechniquesByDifficulty.size(); ++K) {
            const int Easier = TechniquesByDifficulty[K - 1];
            const int Harder = TechniquesByDifficulty[K];
            EXPECT_LT(TimeLimit(Easier, Position), TimeLimit(Harder, Position))
                << Easier << " " << Harder << " at " << Position;
        }
        // Never so long that the record's day-long bound would drop the answer.
        EXPECT_LT(TimeLimit(TechniquesByDifficulty.back(), Position), 86400000);
    }
    // Each new route's questions all get more time than any of the route below.
    for (int Route = 4; Route <= 6; ++Route)
        for (const int Lower : RouteTechniques(Route - 1))
            for (const int Upper : RouteTechniques(Route))
                EXPECT_LT(TimeLimit(Lower, 49), TimeLimit(Upper, 49)) << Lower << " " << Upper;
    // The first new technique continues the doubling once; each one after adds half of the
    // sixth's time: at the top, about four minutes for the first and under thirteen for the last.
    EXPECT_EQ(TimeLimit(6, 1), 5802666);
    EXPECT_EQ(TimeLimit(10, 1), 11605333);
    EXPECT_EQ(TimeLimit(11, 1), 14506666);
    EXPECT_EQ(TimeLimit(10, 49), 236843);
    EXPECT_EQ(TimeLimit(8, 49), 769741);
}

TEST(FormatRemaining, ShowsHoursMinutesAndSeconds) {
    EXPECT_EQ(FormatRemaining(0), "0");
    EXPECT_EQ(FormatRemaining(-5), "0");
    EXPECT_EQ(FormatRemaining(999), "0");
    EXPECT_EQ(FormatRemaining(45999), "45");
    EXPECT_EQ(FormatRemaining(181333), "3:01");
    EXPECT_EQ(FormatRemaining(3600000), "1:00:00");
    EXPECT_EQ(FormatRemaining(3725000), "1:02:05");
}

TEST_F(RoundTest, ClockCountsOnlyUnpausedTimeAndRunsOutAtTheLimit) {
    Asking(10, 1);
    EXPECT_EQ(Round.TimeLimit(), 18133);
    Clock.Tick += 300;
    ASSERT_TRUE(Round.Tick());
    EXPECT_EQ(Round.Tick()->Text, "17");

    EXPECT_TRUE(Round.SetPaused(true));
    EXPECT_FALSE(Round.SetPaused(true));
    Clock.Tick += 60000;
    EXPECT_FALSE(Round.Tick()) << "a paused question has no running clock";
    EXPECT_TRUE(Round.SetPaused(false));
    EXPECT_EQ(Round.Remaining(), 18133 - 300);
    // Twice paused, each span counted out once.
    Round.SetPaused(true);
    Clock.Tick += 5000;
    Round.SetPaused(false);
    EXPECT_EQ(Round.Remaining(), 18133 - 300);

    Clock.Tick += 18133 - 300 - 1;
    EXPECT_FALSE(Round.Tick()->TimedOut);
    EXPECT_EQ(Round.Tick()->Text, "0");
    Clock.Tick += 1;
    EXPECT_TRUE(Round.Tick()->TimedOut);
    EXPECT_EQ(Round.Tick()->Text, "0");
}

TEST_F(RoundTest, ClockSurvivesTheWrapOfTheTickCount) {
    Clock.Tick = 0xFFFFFF00u;
    Asking(49, 3);
    Round.SetPaused(true);
    Clock.Tick += 0x200; // wraps while paused
    Round.SetPaused(false);
    Clock.Tick += 1000;
    EXPECT_EQ(Round.Remaining(), 14802 - 1000);
    Clock.Tick += 14802;
    EXPECT_TRUE(Round.Tick()->TimedOut);
}

} // namespace kumoji::test
