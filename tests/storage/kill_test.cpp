#include "storage/data_file.h"
#include "storage/date_text.h"
#include "storage/roster.h"
#include "tests/storage/killed_child.h"
#include "tests/storage/temp_folder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kumoji {
namespace {

using test::StorageTest;

// Generation G of the roster; Extra of every player records G.
void MakeRoster(int G, TTabijiUsers& Users) {
    Users.ClearUsers();
    // Saving merges into the file, so every generation keeps the same players and moves each
    // field away from a new player's defaults; the huts vary the file's size.
    for (int I = 0; I < 150; ++I) {
        TTabijiUser& User = Users.GetUser(Users.AddUser("\x93\x6f\x8e\x52" + std::to_string(I)));
        User.Position = 1 + (G + I) % 55;
        User.Huts = "11,18,21,24,28,32,36,39" + std::string(static_cast<std::size_t>(G % 50), '0');
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

// Saves Generation's roster in a child process killed at its Stop-th system call stop. True
// when the save finished before that stop.
bool SaveKilledAt(const std::string& Name, int Generation, int Stop) {
    // Made before the child is forked, so that only the save's own calls are counted.
    TTabijiUsers Users;
    MakeRoster(Generation, Users);
    return test::RunKilledAt([&] { Users.SaveToFile(Name, "userdata"); }, Stop);
}

// A save is killed before and after each of its system calls in turn, every
// state a kill at any moment can leave on disk; the file must always decode to
// the roster saved before or to the new one, never to a torn mixture or nothing.
TEST_F(StorageTest, KilledSaveLeavesAWholeRoster) {
    const std::string Name = Folder / "tozan01.ini";
    {
        TTabijiUsers First;
        MakeRoster(0, First);
        ASSERT_TRUE(First.SaveToFile(Name, "userdata"));
    }
    int Last = 0;
    int KeptOld = 0;
    int GotNew = 0;
    bool Finished = false;
    for (int Stop = 0; !Finished && Stop < 1000; ++Stop) {
        const int Saved = Stop + 1;
        Finished = SaveKilledAt(Name, Saved, Stop);
        ASSERT_FALSE(HasFailure());

        TDataFile File(Name);
        ASSERT_EQ(File.LoadResult(), TLoadResult::Loaded) << "stop " << Stop;
        std::vector<std::string> Lines;
        File.ReadSection("userdata", Lines);
        TTabijiUsers Users;
        Users.LoadFromList(&Lines);
        ASSERT_GT(Users.GetCount(), 0) << "stop " << Stop;
        const int G = Users.GetUser(0).Extra;
        ASSERT_TRUE(G == Last || G == Saved) << "stop " << Stop << ": generation " << G;
        ASSERT_EQ(Lines, LinesOf(G)) << "stop " << Stop;
        KeptOld += G == Last;
        GotNew += G == Saved;
        Last = G;
    }
    EXPECT_TRUE(Finished);
    RecordProperty("kill_points", KeptOld + GotNew);
    // Kills fell both before and after the new file took the old one's place.
    EXPECT_GT(KeptOld, 0);
    EXPECT_GT(GotNew, 1);
    EXPECT_FALSE(test::ReadBytes(Name + ".damaged").size());
    // Each save removed the temporary files that the kills before it left behind.
    for (const std::string& Entry : test::FolderEntries(Folder.Path()))
        EXPECT_EQ(Entry.find(".saving-"), std::string::npos) << Entry;
}

} // namespace
} // namespace kumoji
