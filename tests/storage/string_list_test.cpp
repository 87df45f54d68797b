#include "storage/compress_string_list.h"
#include "storage/messages.h"
#include "tests/storage/temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kumoji {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::StorageTest;
using test::WriteBytes;
using Lines = std::vector<std::string>;

// Collects the messages shown while it lives.
class TMessageLog {
public:
    TMessageLog() {
        SetMessageHandler([this](const std::string& Text) { Messages.push_back(Text); });
    }
    ~TMessageLog() { SetMessageHandler(nullptr); }
    std::vector<std::string> Messages;
};

mode_t ModeOf(const std::string& Name) {
    struct stat St {};
    EXPECT_EQ(::stat(Name.c_str(), &St), 0);
    return St.st_mode & 07777;
}

TEST(ListText, LinesSplitAtEveryKindOfBreak) {
    EXPECT_EQ(LinesOfText(""), Lines{});
    EXPECT_EQ(LinesOfText("a"), Lines{"a"});
    EXPECT_EQ(LinesOfText("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(LinesOfText("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(LinesOfText("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(LinesOfText(std::string("a\r\nb\0c\r\n", 8)), (Lines{"a", "b"}));
    EXPECT_EQ(TextOfLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(TextOfLines({}), "");
}

TEST_F(StorageTest, SavedListLoadsBackLineForLine) {
    TCompressStringList List;
    List.Lines = {"[userdata]", "", "\x93\x6f\x8e\x52\x8c\xfb=1", "   spaced   "};
    ASSERT_EQ(List.SaveToFile(Folder / "a.ini"), std::error_code());
    TCompressStringList Back;
    Back.Lines = {"old"};
    EXPECT_EQ(Back.LoadFromFile(Folder / "a.ini"), TLoadResult::Loaded);
    EXPECT_EQ(Back.Lines, List.Lines);

    TCompressStringList Empty;
    ASSERT_EQ(Empty.SaveToFile(Folder / "e.ini"), std::error_code());
    EXPECT_EQ(ReadBytes(Folder / "e.ini").size(), 33u);
    EXPECT_EQ(Back.LoadFromFile(Folder / "e.ini"), TLoadResult::Loaded);
    EXPECT_TRUE(Back.Lines.empty());
}

TEST_F(StorageTest, LoadKeepsTheLinesWhenTheFileCannotBeUsed) {
    TMessageLog Log;
    TCompressStringList List;
    List.Lines = {"kept"};
    EXPECT_EQ(List.LoadFromFile(Folder / "none.ini"), TLoadResult::Missing);
    EXPECT_EQ(Log.Messages, Lines{Folder / "none.ini" + " がありません"});
    WriteBytes(Folder / "bad.ini", "[userdata]\r\nplain text\r\n");
    EXPECT_EQ(List.LoadFromFile(Folder / "bad.ini"), TLoadResult::Damaged);
    EXPECT_EQ(List.LastError(), TStorageError::FormatWrong);
    EXPECT_EQ(ErrorText(List.LastError()), "データの形式が違います");
    EXPECT_EQ(List.DamagedImage(), ReadBytes(Folder / "bad.ini"));
    EXPECT_EQ(List.Lines, Lines{"kept"});
    EXPECT_EQ(Log.Messages.size(), 1u);
}

TEST_F(StorageTest, SaveCreatesMissingFoldersAndKeepsPermissionBits) {
    TCompressStringList List;
    List.Lines = {"x"};
    const std::string Deep = Folder / "a/b/c/data.ini";
    ASSERT_EQ(List.SaveToFile(Deep), std::error_code());
    EXPECT_EQ(ReadBytes(Deep).substr(0, 4), "BDC1");

    const mode_t Mask = ::umask(022);
    ASSERT_EQ(List.SaveToFile(Folder / "new.ini"), std::error_code());
    EXPECT_EQ(ModeOf(Folder / "new.ini"), 0644u);
    ::umask(Mask);

    ASSERT_EQ(::chmod(Deep.c_str(), 0444), 0);
    List.Lines = {"y"};
    EXPECT_EQ(List.SaveToFile(Deep), std::error_code());
    EXPECT_EQ(ModeOf(Deep), 0444u);
    TCompressStringList Back;
    Back.LoadFromFile(Deep);
    EXPECT_EQ(Back.Lines, Lines{"y"});

    // A linked data file is saved through the link, which stays a link.
    ASSERT_EQ(::symlink(Deep.c_str(), (Folder / "link.ini").c_str()), 0);
    List.Lines = {"z"};
    EXPECT_EQ(List.SaveToFile(Folder / "link.ini"), std::error_code());
    Back.LoadFromFile(Deep);
    EXPECT_EQ(Back.Lines, Lines{"z"});
    struct stat St {};
    ASSERT_EQ(::lstat((Folder / "link.ini").c_str(), &St), 0);
    EXPECT_TRUE(S_ISLNK(St.st_mode));
}

TEST_F(StorageTest, FailedSaveGivesTheErrorAndLeavesTheOldFile) {
    TCompressStringList List;
    EXPECT_EQ(List.SaveToFile(""), TStorageError::NoFileName);
    List.Lines = {"new"};
    WriteBytes(Folder / "file", "not a folder");
    EXPECT_EQ(List.SaveToFile(Folder / "file/data.ini"), std::errc::not_a_directory);
    EXPECT_EQ(List.SaveToFile(Folder / "file/sub/data.ini"), std::errc::not_a_directory);
    ASSERT_EQ(::mkdir((Folder / "dir.ini").c_str(), 0777), 0);
    EXPECT_EQ(List.SaveToFile(Folder / "dir.ini"), std::errc::is_a_directory);
    EXPECT_EQ(ReadBytes(Folder / "file"), "not a folder");
    // Saves leave no temporary files behind.
    ASSERT_EQ(List.SaveToFile(Folder / "ok.ini"), std::error_code());
    ASSERT_EQ(List.SaveToFile(Folder / "ok.ini"), std::error_code());
    EXPECT_EQ(FolderEntries(Folder.Path()), (Lines{"dir.ini", "file", "ok.ini"}));
}

TEST(Messages, DefaultGoesToStandardErrorAndHandlerReplacesIt) {
    ::testing::internal::CaptureStderr();
    ShowMessage("読み込みに失敗しました");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "読み込みに失敗しました\n");
    TMessageLog Log;
    ShowMessage("x");
    EXPECT_EQ(Log.Messages, Lines{"x"});
}

} // namespace
} // namespace kumoji
