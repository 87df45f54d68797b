// Lost questions come back three and ten questions later until answered right twice in a row.
#include "tests/round/round_fixture.h"

#include <filesystem>
#include <unistd.h>

namespace kumoji {
namespace {

using test::RoundTest;
using test::TListedQuestions;

// Question N of the scripted queue: the first cell holds N % 10, so each can be told apart.
TQuestion Numbered(int N) {
    std::string Text(81, '0');
    Text[0] = static_cast<char>('0' + N % 10);
    Text[1] = static_cast<char>('0' + N / 10 % 10);
    return {Text, 2};
}

class ReviewTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        std::deque<TQuestion> List;
        for (int N = 0; N < 60; ++N)
            List.push_back(Numbered(N));
        Round.SetQuestionSource(1, std::make_unique<TListedQuestions>(List));
    }
    // Asks the next question, answers it, and says which queue question it was.
    int Play(TRound& R, bool Right) {
        const std::optional<TQuestion> Q = R.TakeQuestion();
        EXPECT_TRUE(Q);
        R.Begin({4, 5}, 7);
        Clock.Tick += 5000;
        R.Finish(Right);
        return (Q->Text[0] - '0') + 10 * (Q->Text[1] - '0');
    }
};

TEST_F(ReviewTest, LostQuestionReturnsThreeThenTenQuestionsLater) {
    TTabijiUser& User = Player(20);
    User.Route = 1;
    Select(&User);
    std::vector<int> Asked;
    // Lost at once; then, when it comes back, right, lost, right, right.
    const std::vector<bool> Verdicts{false, true, true, true, true, true};
    Asked.push_back(Play(Round, false));
    int Returns = 0;
    for (int I = 0; I < 40; ++I) {
        const bool Back = Round.Review().Items().size() == 1 && Round.Review().Items()[0].Due == 1;
        const bool Right = !Back || (Returns != 1);
        Asked.push_back(Play(Round, Right));
        Returns += Back;
    }
    // Lost at question 0: back at 3 (right), at 13 (lost), at 16 (right), at 26 (right): gone.
    std::vector<int> Positions;
    for (std::size_t I = 0; I < Asked.size(); ++I)
        if (Asked[I] == 0)
            Positions.push_back(static_cast<int>(I));
    EXPECT_EQ(Positions, (std::vector<int>{0, 3, 13, 16, 26}));
    EXPECT_TRUE(Round.Review().Items().empty());
    // The queue's own order is kept around the returns.
    EXPECT_EQ(Asked[1], 1);
    EXPECT_EQ(Asked[2], 2);
    EXPECT_EQ(Asked[4], 3);
}

TEST_F(ReviewTest, ReviewSurvivesARestartAndRouteZeroKeepsItsOrder) {
    const std::filesystem::path Folder =
        std::filesystem::temp_directory_path() / ("kumoji-review-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Folder);
    const std::string Name = (Folder / "tozan01.ini").string();
    TTabijiUser& User = Player(20);
    User.Route = 1;
    Select(&User);
    EXPECT_EQ(Play(Round, false), 0);
    EXPECT_EQ(Play(Round, true), 1);
    ASSERT_TRUE(Roster.SaveToFile(Name, "userdata", Round.Companions()));

    // A new run: the same queue, the review read back from the file.
    TRound Again(Clock);
    Again.LoadRecord(Name);
    std::deque<TQuestion> List;
    for (int N = 2; N < 10; ++N)
        List.push_back(Numbered(N));
    Again.SetQuestionSource(1, std::make_unique<TListedQuestions>(List));
    Again.SelectPlayer(&Roster, 0);
    EXPECT_EQ(Play(Again, true), 2);
    EXPECT_EQ(Play(Again, true), 0);
    EXPECT_TRUE(Again.FromReview());
    EXPECT_EQ(Again.Record().Entries().size(), 4u); // two read back, two new

    // Route 0 asks its tables in order: a loss there never comes back.
    TTabijiUser& First = Player(5);
    Select(&First);
    std::deque<TQuestion> Table{Numbered(0), Numbered(1), Numbered(2), Numbered(3)};
    Round.SetQuestionSource(0, std::make_unique<TListedQuestions>(Table));
    for (int N = 0; N < 4; ++N)
        EXPECT_EQ(Play(Round, false), N);
    std::filesystem::remove_all(Folder);
}

} // namespace
} // namespace kumoji
