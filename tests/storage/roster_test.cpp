#include "storage/ansi_text.h"
#include "storage/date_text.h"
#include "storage/roster.h"
#include "tests/storage/temp_folder.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace kumoji {
namespace {

using test::ReadBytes;
using test::StorageTest;
using test::WriteBytes;
using Lines = std::vector<std::string>;

const double Feb10 = EncodeDateTime(2003, 2, 10, 21, 5, 33);

class RosterTest : public StorageTest {
protected:
    void SetUp() override {
        SetClock([this] { return Clock; });
    }
    void TearDown() override { SetClock(nullptr); }
    double Clock = Feb10;
};

TEST(Records, LineHasTheDocumentedLayout) {
    TTabijiUser User;
    User.Name = "P1";
    User.Position = 12;
    User.Huts = "11,18,21,24,28,32,36,39";
    User.LastPlayed = Feb10;
    EXPECT_EQ(User.FormatRecord(), "P1=0,12,\"11,18,21,24,28,32,36,39\",\"2003/02/10 21:05:33\",0");
    User.Huts = "";
    User.LastPlayed = EncodeDateTime(2003, 2, 10);
    User.Extra = -7;
    EXPECT_EQ(User.FormatRecord(), "P1=0,12,,2003/02/10,-7");
}

TEST(Records, ParsedRecordHasEveryFieldAndTheNameEndsAtTheFirstEquals) {
    TTabijiUser User;
    EXPECT_TRUE(User.ParseRecord("\x93\x6f=3,50,\"1,2\",\"2003/2/1 9:05\",42"));
    EXPECT_EQ(User.Name, "\x93\x6f");
    EXPECT_EQ(User.Route, 3);
    EXPECT_EQ(User.Position, 50);
    EXPECT_EQ(User.Huts, "1,2");
    EXPECT_DOUBLE_EQ(User.LastPlayed, EncodeDateTime(2003, 2, 1, 9, 5, 0));
    EXPECT_EQ(User.Extra, 42);
    EXPECT_TRUE(User.ParseRecord("a=b=x,y,,2003/02/10,9999999999"));
    EXPECT_EQ(User.Name, "a");
    EXPECT_EQ(User.Route, 0);    // "b=x" is not a number
    EXPECT_EQ(User.Position, 0); // "y" either
    EXPECT_EQ(User.Extra, 0);    // out of range
}

TEST(Records, ShortOrNamelessLinesSetOnlyTheName) {
    TTabijiUser User;
    User.Position = 9;
    EXPECT_FALSE(User.ParseRecord("just a name"));
    EXPECT_EQ(User.Name, "just a name");
    EXPECT_EQ(User.Position, 9);
    EXPECT_FALSE(User.ParseRecord("P2=1,2,3,4"));
    EXPECT_EQ(User.Name, "P2");
    EXPECT_EQ(User.Position, 9);
}

TEST(LastPlayed, WrittenToTheSecondAndReadLeniently) {
    double Value = -1;
    EXPECT_EQ(DateTimeText(EncodeDateTime(2003, 2, 10, 0, 0, 1)), "2003/02/10 00:00:01");
    EXPECT_EQ(DateTimeText(EncodeDateTime(1999, 12, 31) + 0.4 / 86400), "1999/12/31");
    EXPECT_EQ(DateTimeText(EncodeDateTime(1999, 12, 31, 23, 59, 59) + 0.9999 / 86400),
              "2000/01/01");
    EXPECT_EQ(DateTimeText(0), "1899/12/30");
    EXPECT_EQ(DateTimeText(1e300), "1899/12/30");
    EXPECT_EQ(DateTimeText(EncodeDateTime(1899, 12, 29, 6, 0, 0)), "1899/12/29 06:00:00");
    const std::pair<const char*, int> Readable[] = {{"2003/02/10 21:05:33", 33},
                                                    {"2003/2/10 21:5:33", 33},
                                                    {" 2003/02/10 21:05:33 ", 33},
                                                    {"2003/02/10 21:05", 0}};
    for (const auto& [Text, Second] : Readable) {
        EXPECT_TRUE(ReadDateTime(Text, Value)) << Text;
        EXPECT_NEAR(Value, EncodeDateTime(2003, 2, 10, 21, 5, Second), 1e-9) << Text;
    }
    EXPECT_TRUE(ReadDateTime("2004/2/29", Value));
    EXPECT_DOUBLE_EQ(Value, EncodeDateTime(2004, 2, 29));
    for (const char* Text : {"10/02/2003", "2003/02/30", "2003/13/01", "2003/02/10 24:00:00",
                             "2003/02/10 21:05:33 PM", "2003-02-10", "", "2003/002/10"}) {
        Value = 5;
        EXPECT_FALSE(ReadDateTime(Text, Value)) << Text;
        EXPECT_EQ(Value, 0) << Text;
    }
}

TEST(LastPlayed, UnreadableDateGivesTheZeroDateAndKeepsThePlayer) {
    TTabijiUsers Users;
    const Lines List = {"A=0,5,,10.02.2003 21:05,0", "B=0,6,,2003/02/10,0"};
    ASSERT_TRUE(Users.LoadFromList(&List));
    ASSERT_EQ(Users.GetCount(), 2);
    EXPECT_EQ(Users.GetUser(0).Position, 5);
    EXPECT_EQ(Users.GetUser(0).LastPlayed, 0);
    EXPECT_EQ(Users.GetUser(1).Position, 6);
}

TEST_F(RosterTest, AddUserFindsExactNamesOnly) {
    TTabijiUsers Users;
    EXPECT_EQ(Users.AddUser("Taro"), 0);
    EXPECT_EQ(Users.AddUser("Hanako"), 1);
    EXPECT_EQ(Users.AddUser("Taro"), 0);
    EXPECT_EQ(Users.AddUser("taro"), 2);
    EXPECT_EQ(Users.GetCount(), 3);
    const TTabijiUser& New = Users.GetUser(1);
    EXPECT_EQ(New.Route, 0);
    EXPECT_EQ(New.Position, 0);
    EXPECT_EQ(New.Huts, "");
    EXPECT_EQ(New.Extra, 0);
    EXPECT_EQ(New.LastPlayed, Feb10);
    EXPECT_THROW(Users.GetUser(3), std::out_of_range);
    EXPECT_THROW(Users.GetUser(-1), std::out_of_range);
    const Lines Twice = {"X=0,1,,2003/02/10,0", "X=0,2,,2003/02/10,0"};
    Users.LoadFromList(&Twice);
    EXPECT_EQ(Users.GetCount(), 2);
    EXPECT_EQ(Users.GetUser(Users.AddUser("X")).Position, 1);
}

TEST_F(RosterTest, ClimbAndLoseKeepTheirBoundsAndHuts) {
    TTabijiUser User;
    User.Huts = "11,18,x,-3,24";
    std::vector<int> Huts = {99};
    User.GetHuts(&Huts);
    EXPECT_EQ(Huts, (std::vector<int>{11, 18, 24}));
    User.GetHuts(nullptr);

    User.Position = 54;
    User.Climb();
    User.Climb();
    EXPECT_EQ(User.Position, 55);
    EXPECT_EQ(User.LastPlayed, Feb10);
    User.Position = 0;
    User.Lose();
    EXPECT_EQ(User.Position, 0);
    User.Position = 18;
    Clock = Feb10 + 1;
    User.Lose();
    EXPECT_EQ(User.Position, 18);
    EXPECT_EQ(User.LastPlayed, Feb10 + 1);
    User.Position = 19;
    User.Lose();
    EXPECT_EQ(User.Position, 18);
}

TEST_F(RosterTest, FileRoundTripKeepsEveryFieldAndEveryOtherSection) {
    const std::string Name = Folder / "tozan01.ini";
    auto* File = new TDataFile(Name);
    File->Lines = {"[options]", "sound=on", "[userdata]", "old=0,0,,2000/01/01,0", "[z]", "q=1"};
    ASSERT_TRUE(SaveAndFree(File));

    TTabijiUsers Users;
    const int A = Users.AddUser("\x93\x6f\x8e\x52 \"Taro\"");
    Users.GetUser(A).Route = 2;
    Users.GetUser(A).Position = 37;
    Users.GetUser(A).Huts = "11,18,21,24,28,32,36,39";
    Users.GetUser(A).Extra = 123456;
    Users.GetUser(A).LastPlayed = EncodeDateTime(2024, 12, 31, 23, 59, 58);
    Users.AddUser("Empty");
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    EXPECT_TRUE(Users.LastSave().Saved);

    // The player the file already held is kept, and joined to the roster at its end.
    File = new TDataFile(Name);
    EXPECT_EQ(File->Lines,
              (Lines{"[options]", "sound=on", "[z]", "q=1", "[userdata]", "old=0,0,,2000/01/01,0",
                     Users.GetUser(0).FormatRecord(), Users.GetUser(1).FormatRecord()}));
    delete File;
    ASSERT_EQ(Users.GetCount(), 3);
    EXPECT_EQ(Users.GetUser(2).Name, "old");

    TTabijiUsers Back;
    EXPECT_TRUE(Back.LoadFromFile(Name, "USERDATA"));
    ASSERT_EQ(Back.GetCount(), 3);
    for (int I = 0; I < 2; ++I) {
        const TTabijiUser& Saved = Users.GetUser(I);
        const TTabijiUser& Read = Back.GetUser(I + 1);
        EXPECT_EQ(Read.Name, Saved.Name);
        EXPECT_EQ(Read.Route, Saved.Route);
        EXPECT_EQ(Read.Position, Saved.Position);
        EXPECT_EQ(Read.Huts, Saved.Huts);
        EXPECT_DOUBLE_EQ(Read.LastPlayed, Saved.LastPlayed);
        EXPECT_EQ(Read.Extra, Saved.Extra);
    }
    EXPECT_FALSE(Back.LastDamage().Damaged);
}

TEST_F(RosterTest, MissingFileLeavesTheRosterAlone) {
    TTabijiUsers Users;
    Users.AddUser("Keep");
    EXPECT_FALSE(Users.LoadFromFile(Folder / "none.ini", "userdata"));
    EXPECT_EQ(Users.GetCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(Folder / "none.ini"));
}

TEST_F(RosterTest, DamagedFileIsKeptAndReportedWhenTheRosterLoads) {
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    Users.AddUser("P1");
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    std::string Bytes = ReadBytes(Name);
    Bytes.resize(Bytes.size() - 2); // cut short, as by a torn write
    WriteBytes(Name, Bytes);

    TTabijiUsers Loaded;
    EXPECT_TRUE(Loaded.LoadFromFile(Name, "userdata"));
    EXPECT_EQ(Loaded.GetCount(), 0);
    EXPECT_TRUE(Loaded.LastDamage().Damaged);
    EXPECT_EQ(Loaded.LastDamage().KeptAs, Name + ".damaged");
    EXPECT_EQ(ReadBytes(Name + ".damaged"), Bytes);
    // Loading only keeps the copy: the damaged file stays until the first save replaces it.
    EXPECT_EQ(ReadBytes(Name), Bytes);
    Loaded.AddUser("P2");
    EXPECT_TRUE(Loaded.SaveToFile(Name, "userdata"));
    EXPECT_EQ(ReadBytes(Name + ".damaged"), Bytes);
    EXPECT_TRUE(Loaded.SaveToFile(Name, "userdata"));
    EXPECT_FALSE(Loaded.LastDamage().Damaged);
}

TEST_F(RosterTest, FailedSaveReturnsFalseWithTheReason) {
    WriteBytes(Folder / "plain", "x");
    TTabijiUsers Users;
    Users.AddUser("P1");
    EXPECT_FALSE(Users.SaveToFile(Folder / "plain/tozan01.ini", "userdata"));
    EXPECT_EQ(Users.LastSave().Error, std::errc::not_a_directory);
    EXPECT_FALSE(Users.LastSave().Reason.empty());
    EXPECT_TRUE(Users.SaveToFile(Folder / "tozan01.ini", "userdata"));
    EXPECT_TRUE(Users.LastSave().Reason.empty());
}

TEST(PlayerNames, NamesThatWouldNotReadBackAreRefused) {
    std::string Name;
    std::string Problem;
    EXPECT_TRUE(PlayerNameFromUtf8("山田 太郎", Name, Problem));
    EXPECT_EQ(Name, "\x8e\x52\x93\x63 \x91\xbe\x98\x59");
    EXPECT_TRUE(Problem.empty());
    for (const char* Bad : {"", "[P1]", "a=b", "two\nlines", "😀"}) {
        EXPECT_FALSE(PlayerNameFromUtf8(Bad, Name, Problem)) << Bad;
        EXPECT_FALSE(Problem.empty()) << Bad;
        EXPECT_TRUE(Name.empty()) << Bad;
    }
    EXPECT_NE(Problem.find("😀"), std::string::npos);
    EXPECT_FALSE(PlayerNameFromUtf8("波〜", Name, Problem));
    EXPECT_NE(Problem.find("「〜」は保存すると「～」に変わって"), std::string::npos) << Problem;
    // "ソ" ends in the byte of a backslash and "ア" in "A": harmless; a lone lead byte is not.
    EXPECT_EQ(NameProblem("\x83\x5c\x83\x41"), "");
    EXPECT_NE(NameProblem("ab\x93"), "");
}

// Inputs the fuzzers once found, kept so the fault stays mended.
TEST(FuzzRegressions, RecordsReadBackOrAreRefusedAsNames) {
    for (const auto& Entry : std::filesystem::directory_iterator(KUMOJI_STORAGE_REGRESSIONS)) {
        const std::string Line = ReadBytes(Entry.path().string());
        TTabijiUser User;
        User.ParseRecord(Line);
        TTabijiUser Again;
        const bool ReadsBack =
            Again.ParseRecord(User.FormatRecord()) && Again.FormatRecord() == User.FormatRecord();
        EXPECT_TRUE(ReadsBack || !NameProblem(User.Name).empty()) << Entry.path();
    }
}

} // namespace
} // namespace kumoji
