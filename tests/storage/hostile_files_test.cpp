#include "storage/data_file.h"
#include "storage/platform.h"
#include "storage/roster.h"
#include "tests/storage/temp_folder.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kumoji {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::StorageTest;
using test::WriteBytes;
using Lines = std::vector<std::string>;

// What stands at the data file's name is reported at load and never replaced by a save.
void ExpectRefusedAndKept(const std::string& Name, std::error_code Why) {
    TTabijiUsers Users;
    EXPECT_TRUE(Users.LoadFromFile(Name, "userdata"));
    EXPECT_EQ(Users.LastLoad(), TLoadResult::Unreadable);
    EXPECT_EQ(Users.LastLoadError(), Why);
    Users.AddUser("P1");
    EXPECT_FALSE(Users.SaveToFile(Name, "userdata"));
    EXPECT_EQ(Users.LastSave().Error, TStorageError::NotRead);
    EXPECT_NE(Users.LastSave().Reason.find(ErrorText(Why)), std::string::npos);
}

TEST_F(StorageTest, PipeOrFolderAtTheDataFileNameIsReportedWithoutWaiting) {
    const std::string Name = Folder / "tozan01.ini";
    ::alarm(20); // a blocking open of the pipe would otherwise hang the test run
    ASSERT_EQ(::mkfifo(Name.c_str(), 0644), 0);
    ExpectRefusedAndKept(Name, TStorageError::NotRegularFile);
    struct stat St {};
    ASSERT_EQ(::stat(Name.c_str(), &St), 0);
    EXPECT_TRUE(S_ISFIFO(St.st_mode));
    ::alarm(0);

    ASSERT_EQ(::unlink(Name.c_str()), 0);
    ASSERT_EQ(::mkdir(Name.c_str(), 0755), 0);
    WriteBytes(Name + "/inside", "x");
    ExpectRefusedAndKept(Name, TStorageError::NotRegularFile);
    EXPECT_EQ(FolderEntries(Name), Lines{"inside"});
}

// Runs Check in a child process that has given up root, so that permissions apply.
int AsNobody(const std::function<int()>& Check) {
    const pid_t Child = ::fork();
    if (Child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(99);
        ::_exit(Check());
    }
    int Status = 0;
    ::waitpid(Child, &Status, 0);
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : 98;
}

TEST_F(StorageTest, UnreadableFileIsReportedAndPermissionErrorsAreNotCodingErrors) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give up";
    ASSERT_EQ(::chmod(Folder.Path().c_str(), 0755), 0);
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    Users.AddUser("Owner");
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    const std::string Before = ReadBytes(Name);
    ASSERT_EQ(::chmod(Name.c_str(), 0), 0);
    EXPECT_EQ(AsNobody([&] {
                  TTabijiUsers Other;
                  if (!Other.LoadFromFile(Name, "userdata") ||
                      Other.LastLoad() != TLoadResult::Unreadable ||
                      Other.LastLoadError() != std::errc::permission_denied)
                      return 1;
                  return 0;
              }),
              0);

    // In a folder everyone may write to but only owners may replace in (like /tmp), another
    // user's save fails with EPERM, which is 1, and must not read as a coding failure.
    ASSERT_EQ(::chmod(Name.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(Folder.Path().c_str(), 01777), 0);
    EXPECT_EQ(AsNobody([&] {
                  TTabijiUsers Other;
                  Other.LoadFromFile(Name, "userdata");
                  Other.AddUser("Guest");
                  if (Other.SaveToFile(Name, "userdata"))
                      return 1;
                  if (Other.LastSave().Error != std::errc::operation_not_permitted)
                      return 2;
                  if (Other.LastSave().Reason != std::strerror(EPERM))
                      return 3;
                  return 0;
              }),
              0);
    EXPECT_EQ(ReadBytes(Name), Before);
    EXPECT_NE(ErrorText(TStorageError::CannotEncode), std::strerror(EPERM));
}

TEST_F(StorageTest, SaveRemovesOnlyTheTemporaryFilesOfInterruptedSaves) {
    const std::string Name = Folder / "tozan01.ini";
    for (const char* Left : {"tozan01.ini.saving-Ab3xYz", "tozan01.ini.saving-000000"})
        WriteBytes(Folder / Left, "BDC1 a full copy");
    for (const char* Kept : {"tozan01.ini.saving-Ab3xY", "tozan01.ini.saving-Ab3xYz1",
                             "tozan01.ini.backup", "other.ini.saving-Ab3xYz"})
        WriteBytes(Folder / Kept, "mine");
    ASSERT_EQ(::mkdir((Folder / "tozan01.ini.saving-Folder").c_str(), 0755), 0);
    TTabijiUsers Users;
    Users.AddUser("P1");
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    EXPECT_EQ(FolderEntries(Folder.Path()),
              (Lines{"other.ini.saving-Ab3xYz", "tozan01.ini", "tozan01.ini.backup",
                     "tozan01.ini.lock", "tozan01.ini.saving-Ab3xY", "tozan01.ini.saving-Ab3xYz1",
                     "tozan01.ini.saving-Folder"}));
}

} // namespace
} // namespace kumoji
