#include "storage/data_file.h"
#include "storage/platform.h"
#include "tests/storage/temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kumoji {
namespace {

using test::ReadBytes;
using test::StorageTest;
using test::WriteBytes;
using Lines = std::vector<std::string>;

const Lines Sample = {"top line", "[first]", "a=1", "",        "b=2", "[Second]",
                      "k=v",      "[broken", "x=9", "[third]", "t=3"};

TDataFile Opened(const Lines& Content) {
    TDataFile File("");
    File.Lines = Content;
    return File;
}

TEST(Sections, ReadFindsTheHeaderInAnyLetterCaseAndStopsAtAnyBracketLine) {
    const TDataFile File = Opened(Sample);
    Lines List = {"stale"};
    File.ReadSection("FIRST", List);
    EXPECT_EQ(List, (Lines{"a=1", "b=2"}));
    File.ReadSection("second", List);
    EXPECT_EQ(List, Lines{"k=v"});
    File.ReadSection("missing", List);
    EXPECT_EQ(List, Lines{});
    // A duplicate header later in the file is never reached.
    const TDataFile Twice = Opened({"[s]", "a=1", "[S]", "a=2"});
    EXPECT_EQ(Twice.ReadValue("s", "a", ""), "1");
}

TEST(Sections, WriteMovesTheSectionToTheEndAndEraseTakesItsEmptyLines) {
    TDataFile File = Opened(Sample);
    Lines First;
    File.ReadSection("first", First);
    File.WriteSection("first", First);
    EXPECT_EQ(File.Lines, (Lines{"top line", "[Second]", "k=v", "[broken", "x=9", "[third]", "t=3",
                                 "[first]", "a=1", "b=2"}));
    Lines Again;
    File.ReadSection("first", Again);
    EXPECT_EQ(Again, First);

    File.WriteSection("new", {"p=1", "", "q=2"});
    EXPECT_EQ(File.Lines.back(), "q=2");
    File.EraseSection("NEW");
    File.EraseSection("third");
    File.EraseSection("nothing");
    EXPECT_EQ(File.Lines,
              (Lines{"top line", "[Second]", "k=v", "[broken", "x=9", "[first]", "a=1", "b=2"}));
}

TEST(Values, ReadIgnoresLetterCaseOfKeys) {
    const TDataFile File = Opened({"[s]", "plain", "Name=Taro", "name=Jiro", "e="});
    EXPECT_EQ(File.ReadValue("S", "NAME", "?"), "Taro");
    EXPECT_EQ(File.ReadValue("s", "e", "?"), "");
    EXPECT_EQ(File.ReadValue("s", "plain", "?"), "?");
    EXPECT_EQ(File.ReadValue("none", "Name", "?"), "?");
}

TEST(Values, WriteReplacesInPlaceInsertsAtSectionEndOrAppends) {
    TDataFile File = Opened({"[s]", "a=1", "b=2", "[t]", "c=3"});
    EXPECT_EQ(File.WriteValue("s", "a", "9"), 1);
    EXPECT_EQ(File.WriteValue("S", "A", "9"), -1); // same line in another case: no change
    EXPECT_EQ(File.WriteValue("s", "new", "x"), 3);
    EXPECT_EQ(File.WriteValue("t", "d", "4"), 6);
    EXPECT_EQ(File.WriteValue("u", "e", "5"), 8);
    EXPECT_EQ(File.WriteValue("v", "e", ""), -1);
    EXPECT_EQ(File.Lines, (Lines{"[s]", "a=9", "b=2", "new=x", "[t]", "c=3", "d=4", "[u]", "e=5"}));
    // Key names match exactly when writing: another letter case is a second line.
    EXPECT_EQ(File.WriteValue("s", "B", "7"), 4);
    EXPECT_EQ(File.Lines[2], "b=2");
    EXPECT_EQ(File.Lines[4], "B=7");
}

TEST(Values, EmptyValueRemovesTheFirstMatchingKeyEvenInALaterSection) {
    TDataFile File = Opened({"[s]", "a=1", "[t]", "k=2", "k=3"});
    EXPECT_EQ(File.WriteValue("s", "k", ""), -1);
    EXPECT_EQ(File.Lines, (Lines{"[s]", "a=1", "[t]", "k=3"}));
    // An empty key would match every line without "=", headers included.
    EXPECT_EQ(File.WriteValue("s", "", ""), -1);
    EXPECT_EQ(File.WriteValue("s", "", "x"), -1);
    EXPECT_EQ(File.Lines.size(), 4u);
}

class SaveAndFreeTest : public StorageTest {
protected:
    void TearDown() override { SetDriveTypeQuery(nullptr); }
};

TEST_F(SaveAndFreeTest, ObjectsOpenedInTurnSeeEachOthersLines) {
    auto* File = new TDataFile(Folder / "d/data.ini");
    File->WriteSection("s", {"a=1"});
    EXPECT_TRUE(SaveAndFree(File));
    EXPECT_EQ(File, nullptr);
    File = new TDataFile(Folder / "d/data.ini");
    EXPECT_EQ(File->ReadValue("s", "a", ""), "1");
    File->NoSave = true;
    File->WriteValue("s", "a", "2");
    EXPECT_FALSE(SaveAndFree(File));
    File = new TDataFile(Folder / "d/data.ini");
    EXPECT_EQ(File->ReadValue("s", "a", ""), "1");
    EXPECT_TRUE(SaveAndFree(File));
}

TEST_F(SaveAndFreeTest, DriveLetterNamesSaveOnlyOnWritableDriveTypes) {
    std::string Asked;
    int Type = dtCdRom;
    SetDriveTypeQuery([&](const std::string& Root) {
        Asked = Root;
        return Type;
    });
    // "Q:..." is a relative name here, so the file really lands in the test folder.
    const std::string Cwd = Folder.Path();
    ASSERT_EQ(::chdir(Cwd.c_str()), 0);
    auto Save = [](const std::string& Name) {
        auto* File = new TDataFile(Name);
        File->Lines = {"x"};
        TSaveReport Report;
        const bool Saved = SaveAndFree(File, &Report);
        EXPECT_EQ(Saved, Report.Saved);
        return Saved;
    };
    EXPECT_FALSE(Save("Q:data.ini"));
    EXPECT_EQ(Asked, "q:\\");
    EXPECT_FALSE(FileExists("Q:data.ini"));
    for (const int Writable : {dtRemovable, dtFixed, dtRemote}) {
        Type = Writable;
        EXPECT_TRUE(Save("Q:data.ini"));
    }
    for (const int NotWritable : {dtUnknown, dtNoRootDir, dtRamDisk}) {
        Type = NotWritable;
        EXPECT_FALSE(Save("q:data.ini"));
    }
    Asked.clear();
    EXPECT_TRUE(Save("1:data.ini"));
    EXPECT_TRUE(Save("data.ini"));
    EXPECT_EQ(Asked, "");
    // Without a query this platform has no drive roots: such names are not saved.
    SetDriveTypeQuery(nullptr);
    EXPECT_FALSE(Save("c:data.ini"));
    ASSERT_EQ(::chdir("/"), 0);
}

TEST_F(SaveAndFreeTest, DamagedFileIsKeptAsideBeforeItIsOverwritten) {
    const std::string Name = Folder / "tozan01.ini";
    const std::string Damaged = "BDC1 this file was cut short";
    WriteBytes(Name, Damaged);
    WriteBytes(Name + ".damaged", "an older copy");
    auto* File = new TDataFile(Name);
    EXPECT_EQ(File->LoadResult(), TLoadResult::Damaged);
    EXPECT_TRUE(File->Lines.empty());
    EXPECT_TRUE(File->Damage().Damaged);
    EXPECT_EQ(File->Damage().Reason, "記録データのサイズが違います");
    File->WriteSection("userdata", {"P1=0,1,,2003/02/10,0"});
    TSaveReport Report;
    EXPECT_TRUE(SaveAndFree(File, &Report));
    EXPECT_TRUE(Report.Damage.Damaged);
    EXPECT_EQ(Report.Damage.KeptAs, Name + ".damaged");
    EXPECT_EQ(ReadBytes(Name + ".damaged"), Damaged);
    File = new TDataFile(Name);
    EXPECT_EQ(File->LoadResult(), TLoadResult::Loaded);
    EXPECT_EQ(File->ReadValue("userdata", "P1", ""), "0,1,,2003/02/10,0");
    EXPECT_FALSE(File->Damage().Damaged);
    delete File;
}

TEST_F(SaveAndFreeTest, DamagedFileIsNotOverwrittenWhenItCannotBeKept) {
    const std::string Name = Folder / "tozan01.ini";
    WriteBytes(Name, "garbage");
    ASSERT_EQ(::mkdir((Name + ".damaged").c_str(), 0777), 0); // the copy cannot be written
    auto* File = new TDataFile(Name);
    TSaveReport Report;
    EXPECT_FALSE(SaveAndFree(File, &Report));
    EXPECT_EQ(Report.Error, std::errc::is_a_directory);
    EXPECT_FALSE(Report.Reason.empty());
    EXPECT_EQ(ReadBytes(Name), "garbage");
}

TEST_F(SaveAndFreeTest, FailedSaveIsReportedWithItsReason) {
    WriteBytes(Folder / "plain", "x");
    auto* File = new TDataFile(Folder / "plain/tozan01.ini");
    TSaveReport Report;
    EXPECT_FALSE(SaveAndFree(File, &Report));
    EXPECT_EQ(Report.Error, std::errc::not_a_directory);
    EXPECT_NE(Report.Reason.find("directory"), std::string::npos);
    File = new TDataFile("");
    EXPECT_FALSE(SaveAndFree(File));
    TDataFile* None = nullptr;
    EXPECT_FALSE(SaveAndFree(None));
}

} // namespace
} // namespace kumoji
