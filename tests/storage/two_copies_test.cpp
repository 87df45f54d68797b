#include "storage/date_text.h"
#include "storage/file_lock.h"
#include "storage/roster.h"
#include "tests/storage/temp_folder.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kumoji {
namespace {

using test::StorageTest;

int PositionOf(TTabijiUsers& Users, const std::string& Name) {
    for (int I = 0; I < Users.GetCount(); ++I)
        if (Users.GetUser(I).Name == Name)
            return Users.GetUser(I).Position;
    return -1;
}

std::map<std::string, int> FileRoster(const std::string& FileName) {
    TTabijiUsers Users;
    Users.LoadFromFile(FileName, "userdata");
    std::map<std::string, int> Positions;
    for (int I = 0; I < Users.GetCount(); ++I)
        Positions[Users.GetUser(I).Name] +=
            1000 * (Positions.count(Users.GetUser(I).Name) > 0) + Users.GetUser(I).Position;
    return Positions;
}

// Two copies of the game started on one file, changing it in turn.
TEST_F(StorageTest, TwoRostersOnOneFileKeepEachOthersChanges) {
    const std::string Name = Folder / "tozan01.ini";
    {
        TTabijiUsers First;
        First.GetUser(First.AddUser("Ann")).Position = 10;
        First.GetUser(First.AddUser("Hut")).Position = 11;
        First.GetUser(1).Huts = "11";
        ASSERT_TRUE(First.SaveToFile(Name, "userdata"));
    }
    TTabijiUsers A;
    TTabijiUsers B;
    ASSERT_TRUE(A.LoadFromFile(Name, "userdata"));
    ASSERT_TRUE(B.LoadFromFile(Name, "userdata"));

    A.AddUser("Carol");
    ASSERT_TRUE(A.SaveToFile(Name, "userdata"));
    B.AddUser("Dave");
    ASSERT_TRUE(B.SaveToFile(Name, "userdata"));
    // B learnt of Carol at its end, so its own indexes stay where they were.
    ASSERT_EQ(B.GetCount(), 4);
    EXPECT_EQ(B.GetUser(2).Name, "Dave");
    EXPECT_EQ(B.GetUser(3).Name, "Carol");

    // A forfeit in A, then a climb of the same player in B: both count.
    A.GetUser(0).Lose();
    ASSERT_TRUE(A.SaveToFile(Name, "userdata"));
    TTabijiUser& Ann = B.GetUser(0);
    Ann.Climb();
    Ann.Climb();
    ASSERT_TRUE(B.SaveToFile(Name, "userdata"));
    EXPECT_EQ(Ann.Position, 11); // the same record, now merged
    // A loss replayed on a hut keeps the hut, as it would have in one copy.
    B.GetUser(1).Climb();
    ASSERT_TRUE(B.SaveToFile(Name, "userdata"));
    A.GetUser(1).Lose();
    A.GetUser(1).Lose();
    ASSERT_TRUE(A.SaveToFile(Name, "userdata"));
    EXPECT_EQ(PositionOf(A, "Hut"), 11);
    // An unchanged player takes what the other copy saved.
    EXPECT_EQ(PositionOf(A, "Ann"), 11);

    EXPECT_EQ(FileRoster(Name),
              (std::map<std::string, int>{{"Ann", 11}, {"Carol", 0}, {"Dave", 0}, {"Hut", 11}}));
    // Both copies adding the same name make one player.
    A.AddUser("Eve");
    B.GetUser(B.AddUser("Eve")).Climb();
    ASSERT_TRUE(A.SaveToFile(Name, "userdata"));
    ASSERT_TRUE(B.SaveToFile(Name, "userdata"));
    EXPECT_EQ(FileRoster(Name)["Eve"], 1);
}

TEST_F(StorageTest, ChangesStayPendingWhileAnotherCopyHoldsTheFile) {
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    Users.AddUser("P1");
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    TFileLock::SetWaitLimit(std::chrono::milliseconds(0));
    {
        const TFileLock Other(Name);
        ASSERT_TRUE(Other.Held());
        Users.GetUser(0).Climb();
        EXPECT_FALSE(Users.SaveToFile(Name, "userdata"));
        EXPECT_EQ(Users.LastSave().Error, TStorageError::Locked);
    }
    TFileLock::SetWaitLimit(std::chrono::milliseconds(5000));
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    EXPECT_EQ(FileRoster(Name)["P1"], 1);
}

// Two processes play at once, each adding players and answering questions on its own players
// and on one shared player, saving after every change as the game does.
TEST_F(StorageTest, TwoProcessesPlayingAtOnceLoseNoChange) {
    const std::string Name = Folder / "tozan01.ini";
    {
        TTabijiUsers First;
        First.GetUser(First.AddUser("Shared")).Position = 20;
        ASSERT_TRUE(First.SaveToFile(Name, "userdata"));
    }
    constexpr int Rounds = 24;
    // A loses every second question and B every fourth, so the shared player never reaches
    // the trailhead or the summit whatever the order, and every answer shows in the result.
    auto Play = [&](const std::string& Prefix, int LossEvery) {
        TTabijiUsers Users;
        if (!Users.LoadFromFile(Name, "userdata"))
            return 2;
        for (int Round = 0; Round < Rounds; ++Round) {
            if (Round % 4 == 0) {
                Users.AddUser(Prefix + std::to_string(Round / 4));
            } else {
                const int Own = Users.AddUser(Prefix + std::to_string(Round / 4));
                Users.GetUser(Own).Climb();
            }
            if (!Users.SaveToFile(Name, "userdata"))
                return 3;
            const int Shared = Users.AddUser("Shared");
            if (Round % LossEvery == LossEvery - 1)
                Users.GetUser(Shared).Lose();
            else
                Users.GetUser(Shared).Climb();
            if (!Users.SaveToFile(Name, "userdata"))
                return 3;
        }
        return 0;
    };
    std::vector<pid_t> Children;
    for (const auto& [Prefix, Losses] : {std::pair<std::string, int>{"A", 2}, {"B", 4}}) {
        const pid_t Child = ::fork();
        ASSERT_GE(Child, 0);
        if (Child == 0)
            ::_exit(Play(Prefix, Losses));
        Children.push_back(Child);
    }
    for (const pid_t Child : Children) {
        int Status = 0;
        ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
        ASSERT_TRUE(WIFEXITED(Status));
        EXPECT_EQ(WEXITSTATUS(Status), 0);
    }
    std::map<std::string, int> Expected{{"Shared", 20 + 0 + Rounds / 2}};
    for (const char* Prefix : {"A", "B"})
        for (int I = 0; I < Rounds / 4; ++I)
            Expected[Prefix + std::to_string(I)] = 3;
    EXPECT_EQ(FileRoster(Name), Expected);
}

} // namespace
} // namespace kumoji
