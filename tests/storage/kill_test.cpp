#include "storage/data_file.h"
#include "storage/date_text.h"
#include "storage/roster.h"
#include "tests/storage/temp_folder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kumoji {
namespace {

using test::StorageTest;

// Generation G of the roster; Extra of every player records G.
void MakeRoster(int G, TTabijiUsers& Users) {
    Users.ClearUsers();
    const int Count = 150 + G % 50;
    for (int I = 0; I < Count; ++I) {
        TTabijiUser& User = Users.GetUser(Users.AddUser("\x93\x6f\x8e\x52" + std::to_string(I)));
        User.Position = (G + I) % 56;
        User.Huts = "11,18,21,24,28,32,36,39";
        User.LastPlayed = EncodeDateTime(2020, 1, 1, I % 24, G % 60, I % 60) + G;
        User.Extra = G;
    }
}

std::vector<std::string> LinesOf(int G) {
    TTabijiUsers Users;
    MakeRoster(G, Users);
    std::vector<std::string> Lines;
    Users.SaveToList(&Lines);
    return Lines;
}

// A saving process is killed at random moments; the file it leaves must always decode to
// one of the rosters it saved, never to a torn mixture or nothing.
TEST_F(StorageTest, KilledSaveLeavesAWholeRoster) {
    const std::string Name = Folder / "tozan01.ini";
    {
        TTabijiUsers First;
        MakeRoster(0, First);
        ASSERT_TRUE(First.SaveToFile(Name, "userdata"));
    }
    std::mt19937 Random(20030210);
    std::uniform_int_distribution<int> Delay(0, 25000);
    int Last = 0;
    int Progressed = 0;
    for (int Round = 0; Round < 40; ++Round) {
        const pid_t Child = ::fork();
        ASSERT_GE(Child, 0);
        if (Child == 0) {
            TTabijiUsers Users;
            for (int G = Last + 1;; ++G) {
                MakeRoster(G, Users);
                Users.SaveToFile(Name, "userdata");
            }
        }
        ::usleep(static_cast<useconds_t>(Delay(Random)));
        ::kill(Child, SIGKILL);
        int Status = 0;
        ::waitpid(Child, &Status, 0);

        TDataFile File(Name);
        ASSERT_EQ(File.LoadResult(), TLoadResult::Loaded) << "round " << Round;
        std::vector<std::string> Lines;
        File.ReadSection("userdata", Lines);
        TTabijiUsers Users;
        Users.LoadFromList(&Lines);
        ASSERT_GT(Users.GetCount(), 0) << "round " << Round;
        const int G = Users.GetUser(0).Extra;
        ASSERT_GE(G, Last) << "round " << Round;
        ASSERT_EQ(Lines, LinesOf(G)) << "round " << Round;
        Progressed += G > Last;
        Last = G;
    }
    RecordProperty("rounds_with_new_saves", Progressed);
    // Otherwise no save completed between kills and the test proved little.
    EXPECT_GT(Progressed, 5);
    EXPECT_FALSE(test::ReadBytes(Name + ".damaged").size());
}

} // namespace
} // namespace kumoji
