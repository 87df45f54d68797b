#include "storage/data_file.h"
#include "storage/data_move.h"
#include "storage/file_lock.h"
#include "storage/platform.h"
#include "tests/storage/killed_child.h"
#include "tests/storage/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace kumoji {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;
using Names = std::vector<std::string>;

// The home folder holds a data file, its backup and its lock; the data folder is two levels
// that do not exist yet.
class DataMoveTest : public test::StorageTest {
protected:
    void SetUp() override { Prepare(); }
    void TearDown() override { TFileLock::SetWaitLimit(std::chrono::milliseconds(5000)); }

    void Prepare() {
        std::filesystem::remove_all(Home);
        std::filesystem::remove_all(Folder / "share");
        ASSERT_EQ(::mkdir(Home.c_str(), 0755), 0);
        WriteBytes(OldFile, Data);
        WriteBytes(BackupName(OldFile), Backup);
        WriteBytes(TFileLock::LockName(OldFile), "");
    }

    bool Exists(const std::string& Name) const {
        struct stat St {};
        return ::lstat(Name.c_str(), &St) == 0;
    }
    void ExpectMovedWhole() const {
        EXPECT_EQ(ReadBytes(NewFile), Data);
        EXPECT_EQ(ReadBytes(BackupName(NewFile)), Backup);
        EXPECT_EQ(FolderEntries(Home), Names{});
        // The new data file's lock is all that stands beside the two.
        EXPECT_EQ(FolderEntries(NewFolder),
                  (Names{"tozan01.ini", "tozan01.ini.bak", "tozan01.ini.lock"}));
    }

    const std::string Home = Folder / "home";
    const std::string NewFolder = Folder / "share/kumoji";
    const std::string OldFile = Home + "/tozan01.ini";
    const std::string NewFile = NewFolder + "/tozan01.ini";
    const std::string Data = std::string("BDC\x01\x02", 5) + std::string(3000, 'd');
    const std::string Backup = std::string("BDC\x03", 4) + std::string(2000, 'b');
};

TEST_F(DataMoveTest, MovesTheFileAndItsBackupOnceIntoAPrivateFolder) {
    const TDataMove Move = MoveDataFile(OldFile, NewFile);
    EXPECT_TRUE(Move.UseNew);
    EXPECT_FALSE(Move.Error) << Move.Error.message();
    EXPECT_EQ(Move.Moved, (Names{OldFile, BackupName(OldFile)}));
    EXPECT_TRUE(Move.Left.empty());
    ExpectMovedWhole();
    struct stat St {};
    ASSERT_EQ(::stat(NewFolder.c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 0077, 0u);

    // Later starts find nothing to move and say nothing.
    const TDataMove Again = MoveDataFile(OldFile, NewFile);
    EXPECT_TRUE(Again.UseNew);
    EXPECT_TRUE(Again.Moved.empty());
    ExpectMovedWhole();

    // A data file without a backup moves alone.
    TTempFolder Other;
    WriteBytes(Other / "tozan01.ini", Data);
    const TDataMove Single = MoveDataFile(Other / "tozan01.ini", Other / "new/tozan01.ini");
    EXPECT_EQ(Single.Moved, (Names{Other / "tozan01.ini"}));
    EXPECT_FALSE(Exists(Other / "new/tozan01.ini.bak"));
}

TEST_F(DataMoveTest, AFileAlreadyAtANewNameIsNeverOverwritten) {
    // Another data file in the new folder stays the one to use; the old pair stays too.
    ASSERT_FALSE(MakeFolders(NewFolder, 0700));
    WriteBytes(NewFile, "other");
    TDataMove Move = MoveDataFile(OldFile, NewFile);
    EXPECT_TRUE(Move.UseNew);
    EXPECT_TRUE(Move.Moved.empty());
    EXPECT_EQ(ReadBytes(NewFile), "other");
    EXPECT_EQ(ReadBytes(OldFile), Data);
    EXPECT_EQ(ReadBytes(BackupName(OldFile)), Backup);
    EXPECT_FALSE(Exists(BackupName(NewFile)));

    // Only a backup there: the data file moves, the old backup is kept where it is.
    ASSERT_EQ(::unlink(NewFile.c_str()), 0);
    WriteBytes(BackupName(NewFile), "older");
    Move = MoveDataFile(OldFile, NewFile);
    EXPECT_TRUE(Move.UseNew);
    EXPECT_EQ(Move.Moved, Names{OldFile});
    EXPECT_EQ(Move.Left, Names{BackupName(OldFile)});
    EXPECT_EQ(ReadBytes(NewFile), Data);
    EXPECT_EQ(ReadBytes(BackupName(NewFile)), "older");
    EXPECT_EQ(FolderEntries(Home), Names{"tozan01.ini.bak"});

    // A new name that is the old file itself is left alone, not removed as a finished copy.
    const TDataMove Same = MoveDataFile(NewFile, NewFolder + "/../kumoji/tozan01.ini");
    EXPECT_TRUE(Same.Moved.empty());
    EXPECT_EQ(ReadBytes(NewFile), Data);
}

TEST_F(DataMoveTest, WhatCannotMoveStaysTheFileToUse) {
    // Another copy of the game holds either file's lock.
    TFileLock::SetWaitLimit(std::chrono::milliseconds(20));
    for (const std::string& Locked : {OldFile, NewFile}) {
        ASSERT_FALSE(MakeFolders(NewFolder, 0700));
        const TFileLock Other(Locked);
        ASSERT_TRUE(Other.Held());
        const TDataMove Move = MoveDataFile(OldFile, NewFile);
        EXPECT_FALSE(Move.UseNew);
        EXPECT_EQ(Move.Error, TStorageError::Locked);
        EXPECT_TRUE(Move.Moved.empty());
        EXPECT_EQ(ReadBytes(OldFile), Data);
        EXPECT_FALSE(Exists(NewFile));
        EXPECT_FALSE(Exists(BackupName(NewFile)));
    }

    // The data folder's place is taken by a file.
    TTempFolder Blocked;
    WriteBytes(Blocked / "share", "");
    TDataMove Move = MoveDataFile(OldFile, Blocked / "share/kumoji/tozan01.ini");
    EXPECT_FALSE(Move.UseNew);
    EXPECT_TRUE(Move.Error);
    EXPECT_EQ(ReadBytes(OldFile), Data);

    // A folder stands at the old name: there is nothing to copy, and it is not removed.
    TTempFolder Odd;
    ASSERT_EQ(::mkdir((Odd / "tozan01.ini").c_str(), 0755), 0);
    Move = MoveDataFile(Odd / "tozan01.ini", Odd / "new/tozan01.ini");
    EXPECT_FALSE(Move.UseNew);
    EXPECT_EQ(Move.Error, TStorageError::NotRegularFile);
    EXPECT_TRUE(Exists(Odd / "tozan01.ini"));
    EXPECT_FALSE(Exists(Odd / "new/tozan01.ini"));
}

// The move is killed before each of its system calls in turn (which is also just after the one
// before), then the game starts again. At every cut each file is whole in at least one place and a
// new data file is never a part; the next start always ends with the pair moved once, and reports
// the move exactly when the old data file was still there to tell of.
TEST_F(DataMoveTest, AMoveCutAtAnyPointIsFinishedByTheNextStart) {
    int Cuts = 0;
    int CopiedOnly = 0;  // new files written, nothing renamed yet or the backup alone
    int Committed = 0;   // the new data file in place, the old one not yet removed
    int HalfRemoved = 0; // the old backup removed, the old data file still there
    bool Finished = false;
    for (int Stop = 0; !Finished && Stop < 2000; Stop += 2) {
        ASSERT_NO_FATAL_FAILURE(Prepare());
        Finished = test::RunKilledAt([&] { MoveDataFile(OldFile, NewFile); }, Stop);
        ASSERT_FALSE(HasFailure());
        const bool OldData = Exists(OldFile);
        const bool NewData = Exists(NewFile);
        ASSERT_TRUE(OldData || NewData) << "stop " << Stop;
        if (OldData) {
            ASSERT_EQ(ReadBytes(OldFile), Data) << "stop " << Stop;
        }
        if (NewData) {
            ASSERT_EQ(ReadBytes(NewFile), Data) << "stop " << Stop;
        }
        const bool OldBackup = Exists(BackupName(OldFile));
        ASSERT_EQ(ReadBytes(BackupName(OldBackup ? OldFile : NewFile)), Backup) << "stop " << Stop;
        if (Exists(NewFolder)) {
            const Names Entries = FolderEntries(NewFolder);
            CopiedOnly += OldData && !NewData && Entries.size() > 1;
        }
        Committed += OldData && NewData && OldBackup;
        HalfRemoved += OldData && NewData && !OldBackup;
        Cuts += !Finished;

        const TDataMove Restart = MoveDataFile(OldFile, NewFile);
        EXPECT_TRUE(Restart.UseNew) << "stop " << Stop;
        EXPECT_FALSE(Restart.Error) << "stop " << Stop;
        EXPECT_EQ(!Restart.Moved.empty() && Restart.Moved.front() == OldFile, OldData)
            << "stop " << Stop;
        ExpectMovedWhole();
        if (HasFailure())
            FAIL() << "stop " << Stop;
    }
    EXPECT_TRUE(Finished);
    RecordProperty("cuts", Cuts);
    // Cuts fell between every pair of steps.
    EXPECT_GT(CopiedOnly, 0);
    EXPECT_GT(Committed, 0);
    EXPECT_GT(HalfRemoved, 0);
}

} // namespace
} // namespace kumoji
