#include "storage/compress_string_list.h"
#include "tests/storage/temp_folder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace kumoji {
namespace {

using test::ReadBytes;
using test::StorageTest;
using test::WriteBytes;

#ifdef KUMOJI_DATAFILE_TOOL

class DataFileTool : public StorageTest {
protected:
    // Runs the tool with In as standard input; returns the exit status.
    int Run(const std::string& Args, const std::string& In = "") {
        WriteBytes(Folder / "in", In);
        const std::string Command = std::string(KUMOJI_DATAFILE_TOOL) + " " + Args + " <" +
                                    (Folder / "in") + " >" + (Folder / "out") + " 2>" +
                                    (Folder / "err");
        const int Status = std::system(Command.c_str());
        Out = ReadBytes(Folder / "out");
        Err = ReadBytes(Folder / "err");
        return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    }
    std::string Out;
    std::string Err;
};

// A pack killed during its write leaves its temporary file; the next pack removes it, as the
// game's save does, and keeps the file it replaces as the backup.
TEST_F(DataFileTool, PackCleansUpAfterAnInterruptedOne) {
    const std::string File = Folder / "tozan01.ini";
    ASSERT_EQ(Run("pack " + File, "[userdata]\nold\n"), 0) << Err;
    WriteBytes(File + ".saving-a1b2c3", "torn");
    WriteBytes(File + ".saving-zz9zz9", "torn");
    ASSERT_EQ(Run("pack " + File, "[userdata]\nnew\n[answers]\n"), 0) << Err;
    EXPECT_EQ(test::FolderEntries(Folder.Path()),
              (std::vector<std::string>{"err", "in", "out", "tozan01.ini", "tozan01.ini.bak",
                                        "tozan01.ini.lock"}));
    ASSERT_EQ(Run("dump " + File), 0);
    EXPECT_EQ(Out, "[userdata]\nnew\n[answers]\n");
    ASSERT_EQ(Run("dump " + File + ".bak"), 0);
    EXPECT_EQ(Out, "[userdata]\nold\n");
}

TEST_F(DataFileTool, PackThenDumpGivesTheTextBack) {
    const std::string File = Folder / "tozan01.ini";
    const std::string Text = "[userdata]\n登山口=0,12,\"11,18\",\"2003/02/10 21:05:33\",0\n\n～①\n";
    ASSERT_EQ(Run("pack " + File, Text), 0) << Err;
    TCompressStringList List;
    ASSERT_EQ(List.LoadFromFile(File), TLoadResult::Loaded);
    EXPECT_EQ(List.Lines[1].substr(0, 6), "\x93\x6f\x8e\x52\x8c\xfb");
    ASSERT_EQ(Run("dump " + File), 0) << Err;
    EXPECT_EQ(Out, Text);
    ASSERT_EQ(Run("dump " + File + " --raw"), 0);
    EXPECT_EQ(Out, List.GetText());
    ASSERT_EQ(Run("pack --raw " + File, "a\rb\r\n\x93\x6f"), 0);
    ASSERT_EQ(Run("dump --raw " + File), 0);
    EXPECT_EQ(Out, "a\r\nb\r\n\x93\x6f\r\n");
}

TEST_F(DataFileTool, BadInputIsNamedAndNoFileIsTouched) {
    const std::string File = Folder / "tozan01.ini";
    ASSERT_EQ(Run("pack " + File, "keep\n"), 0);
    const std::string Before = ReadBytes(File);
    EXPECT_EQ(Run("pack " + File, "ok\nemoji 😀 here\n"), 1);
    EXPECT_NE(Err.find("line 2"), std::string::npos) << Err;
    EXPECT_EQ(Run("pack " + File, std::string("a\nb\0c\n", 6)), 1);
    EXPECT_NE(Err.find("NUL"), std::string::npos) << Err;
    // Text that would come back changed from Shift-JIS is refused, naming the character.
    EXPECT_EQ(Run("pack " + File, "ok\nwave 〜 here\n"), 1);
    EXPECT_NE(Err.find("line 2, byte 6: \"〜\" would read back"), std::string::npos) << Err;
    EXPECT_EQ(Run("pack " + File, "¥100\n"), 1);
    EXPECT_NE(Err.find("\"¥\""), std::string::npos) << Err;
    EXPECT_EQ(ReadBytes(File), Before);

    WriteBytes(Folder / "bad.ini", Before.substr(0, Before.size() - 2));
    EXPECT_EQ(Run("dump " + (Folder / "bad.ini")), 1);
    EXPECT_NE(Err.find("記録データのサイズが違います"), std::string::npos) << Err;
    EXPECT_EQ(Out, "");
    EXPECT_EQ(Run("dump " + (Folder / "none.ini")), 1);
    EXPECT_EQ(ReadBytes(Folder / "bad.ini"), Before.substr(0, Before.size() - 2));
    // A file that decodes but fails its check value is damaged too.
    std::string Flipped = Before;
    Flipped[12] = static_cast<char>(Flipped[12] ^ 1);
    WriteBytes(Folder / "bad.ini", Flipped);
    EXPECT_EQ(Run("dump " + (Folder / "bad.ini")), 1);
    EXPECT_NE(Err.find("check value"), std::string::npos) << Err;
    EXPECT_EQ(Out, "");
    EXPECT_EQ(test::FolderEntries(Folder.Path()),
              (std::vector<std::string>{"bad.ini", "err", "in", "out", "tozan01.ini",
                                        "tozan01.ini.lock"}));

    ASSERT_EQ(Run("pack --raw " + File, "\x93\r\n"), 0);
    EXPECT_EQ(Run("dump " + File), 1); // a lead byte without its second byte
    EXPECT_NE(Err.find("line 1"), std::string::npos) << Err;
}

TEST_F(DataFileTool, HelpAndUsage) {
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(Out.find("dump FILE"), std::string::npos);
    EXPECT_EQ(Run("frobnicate"), 2);
    EXPECT_EQ(Run("dump"), 2);
}

#endif

} // namespace
} // namespace kumoji
