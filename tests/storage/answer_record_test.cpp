// The answer record: its line format, its save beside the roster, merges, the fold and damage.
#include "storage/answer_record.h"
#include "storage/data_file.h"
#include "storage/date_text.h"
#include "storage/roster.h"
#include "tests/storage/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace kumoji {
namespace {

using test::StorageTest;

const std::string Puzzle(81, '0');

TAnswer Entry(const std::string& Player, double When, bool Right = true, int Technique = 2) {
    TAnswer E;
    E.Player = Player;
    E.When = When;
    E.Route = 1;
    E.Position = 3;
    E.Technique = Technique;
    E.Puzzle = Puzzle;
    E.Row = 1;
    E.Col = 4;
    E.Digit = 7;
    E.LimitMs = 30000;
    E.UsedMs = 12345;
    E.Outcome = Right ? TAnswerOutcome::Right : TAnswerOutcome::TimeOut;
    return E;
}

std::vector<std::string> SectionOf(const std::string& FileName, const char* Section) {
    auto* File = new TDataFile(FileName);
    std::vector<std::string> Lines;
    File->ReadSection(Section, Lines);
    File->NoSave = true;
    SaveAndFree(File);
    return Lines;
}

TEST(AnswerLine, IsWrittenAndReadExactly) {
    TAnswer E = Entry("\x93\x6f,x", EncodeDateTime(2026, 12, 9, 16, 39, 3));
    E.Id = "00000000000000ff";
    E.Practice = true;
    E.Outcome = TAnswerOutcome::WrongDigit;
    E.Hints = 2;
    const std::string Line = FormatAnswer(E);
    EXPECT_EQ(Line, "\x93\x6f,x=00000000000000ff,2026-12-09T16:39:03,practice,1,3,2," + Puzzle +
                        ",r2c5d7,30000,12345,digit,2");
    ASSERT_TRUE(ParseAnswer(Line));
    EXPECT_EQ(*ParseAnswer(Line), E);
    // Lines another program or a torn edit could leave: none reads as an entry.
    for (const std::string& Bad : {std::string("no equals sign"), Line.substr(0, Line.size() - 2),
                                   Line + ",extra", "=" + Line.substr(Line.find('=') + 1),
                                   "P=00000000000000ff,2026-02-30T00:00:00,climb,1,3,2," + Puzzle +
                                       ",r2c5d7,30000,12345,right,0",
                                   "P=00000000000000ff,2026-02-01T00:00:00,climb,1,3,18," + Puzzle +
                                       ",r2c5d7,30000,12345,right,0",
                                   "P=00000000000000ff,2026-02-01T00:00:00,climb,1,3,2," + Puzzle +
                                       ",r0c5d7,30000,12345,right,0",
                                   "P=00000000000000ff,2026-02-01T00:00:00,climb,1,3,2," + Puzzle +
                                       ",r2c5d7,30000,-5,right,0"})
        EXPECT_FALSE(ParseAnswer(Bad)) << Bad;

    // The highest technique a route asks reads back; one past it does not (above).
    EXPECT_EQ(ParseAnswer("P=00000000000000ff,2026-02-01T00:00:00,climb,6,3,17," + Puzzle +
                          ",r2c5d7,30000,12345,right,0")
                  ->Technique,
              17);

    const TAnswerTotal T{"P", "2026-11", false, 6, 10, 4, 40000, 8000};
    EXPECT_EQ(FormatAnswerTotal(T), "P=2026-11,climb,6,10,4,40000,8000");
    ASSERT_TRUE(ParseAnswerTotal(FormatAnswerTotal(T)));
    EXPECT_EQ(*ParseAnswerTotal(FormatAnswerTotal(T)), T);
    EXPECT_FALSE(ParseAnswerTotal("P=2026-11,climb,6,10,11,40000,8000")); // more right than asked
    EXPECT_EQ(ParseAnswerTotal("P=2026-11,climb,17,10,4,40000,8000")->Technique, 17);
    EXPECT_FALSE(ParseAnswerTotal("P=2026-11,climb,18,10,4,40000,8000"));
}

TEST_F(StorageTest, RecordSavesWithTheRosterAndLeavesItsSectionAlone) {
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    Users.GetUser(Users.AddUser("P1")).Huts = "11,18";
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    const std::vector<std::string> Roster = SectionOf(Name, "userdata");

    TAnswerRecord Record;
    Record.Add(Entry("P1", 46000.5));
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&Record}));
    EXPECT_EQ(Record.Pending(), 0u);
    EXPECT_EQ(SectionOf(Name, "userdata"), Roster);
    // The roster stays the file's last section, as a reader that knows only it expects.
    TCompressStringList Raw;
    ASSERT_EQ(Raw.LoadFromFile(Name), TLoadResult::Loaded);
    EXPECT_EQ(Raw.Lines.front(), "[answers]");
    EXPECT_EQ(Raw.Lines[Raw.Lines.size() - 2], "[userdata]");
    EXPECT_EQ(Raw.Lines.back(), Roster.back());

    TAnswerRecord Again;
    Again.LoadFromFile(Name);
    ASSERT_EQ(Again.Entries().size(), 1u);
    EXPECT_EQ(Again.Entries()[0], Record.Entries()[0]);
    EXPECT_FALSE(Again.LastDamage().Damaged);

    // A save that fails keeps the entry pending; it is written once, by the next one.
    TFileLock::SetWaitLimit(std::chrono::milliseconds(0));
    {
        const TFileLock Other(Name);
        Record.Add(Entry("P1", 46000.6));
        EXPECT_FALSE(Users.SaveToFile(Name, "userdata", {&Record}));
        EXPECT_EQ(Record.Pending(), 1u);
    }
    TFileLock::SetWaitLimit(std::chrono::milliseconds(5000));
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&Record}));
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&Record}));
    EXPECT_EQ(SectionOf(Name, "answers").size(), 2u);
}

// Two processes play at once, each saving its roster and record after every question.
TEST_F(StorageTest, TwoProcessesPlayingAtOnceLoseOrDoubleNoEntry) {
    const std::string Name = Folder / "tozan01.ini";
    constexpr int Rounds = 30;
    auto Play = [&](const std::string& Player) {
        TTabijiUsers Users;
        TAnswerRecord Record;
        Users.LoadFromFile(Name, "userdata");
        Record.LoadFromFile(Name);
        for (int Round = 0; Round < Rounds; ++Round) {
            const int Index = Users.AddUser(Player);
            Users.GetUser(Index).Climb();
            TAnswer E = Entry(Player, 46000 + Round / 100.0);
            E.Position = Round;
            Record.Add(E);
            if (!Users.SaveToFile(Name, "userdata", {&Record}))
                return 3;
        }
        // Each copy ends knowing the other's entries too.
        return Record.Entries().size() >= Rounds ? 0 : 4;
    };
    std::vector<pid_t> Children;
    for (const char* Player : {"A", "B"}) {
        const pid_t Child = ::fork();
        ASSERT_GE(Child, 0);
        if (Child == 0)
            ::_exit(Play(Player));
        Children.push_back(Child);
    }
    for (const pid_t Child : Children) {
        int Status = 0;
        ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
        ASSERT_TRUE(WIFEXITED(Status));
        EXPECT_EQ(WEXITSTATUS(Status), 0);
    }
    TAnswerRecord Record;
    Record.LoadFromFile(Name);
    std::set<std::pair<std::string, int>> Seen;
    std::set<std::string> Ids;
    for (const TAnswer& E : Record.Entries()) {
        Seen.emplace(E.Player, E.Position);
        Ids.insert(E.Id);
    }
    EXPECT_EQ(Record.Entries().size(), 2u * Rounds);
    EXPECT_EQ(Seen.size(), 2u * Rounds);
    EXPECT_EQ(Ids.size(), 2u * Rounds);
}

TEST_F(StorageTest, OldEntriesFoldIntoMonthlyTotals) {
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    Users.AddUser("P1");
    TAnswerRecord Record;
    const double November = EncodeDateTime(2026, 11, 3, 10);
    // Five too many: the oldest five, of November, fold; three of them right.
    for (int I = 0; I < 5; ++I) {
        TAnswer E = Entry(I < 3 ? "P1" : "P2", November + I, I != 1, 4);
        E.UsedMs = 1000 * (I + 1);
        Record.Add(E);
    }
    for (std::size_t I = 0; I < TAnswerRecord::KeepNewest; ++I)
        Record.Add(Entry("P1", EncodeDateTime(2026, 12, 1) + static_cast<double>(I) / 1e5));
    const std::string Newest = Record.Entries()[5].Id;
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&Record}));
    EXPECT_EQ(Record.Entries().size(), TAnswerRecord::KeepNewest);
    EXPECT_EQ(Record.Entries().front().Id, Newest);
    const std::vector<TAnswerTotal> Expected{{"P1", "2026-11", false, 4, 3, 2, 1000 + 3000, 1000},
                                             {"P2", "2026-11", false, 4, 2, 2, 4000 + 5000, 4000}};
    EXPECT_EQ(Record.Totals(), Expected);
    // The next fold adds to the totals the file holds.
    Record.Add(Entry("P1", EncodeDateTime(2026, 12, 9)));
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&Record}));
    TAnswerRecord Again;
    Again.LoadFromFile(Name);
    EXPECT_EQ(Again.Entries().size(), TAnswerRecord::KeepNewest);
    ASSERT_EQ(Again.Totals().size(), 3u);
    EXPECT_EQ(Again.Totals()[1].Month, "2026-12"); // ordered by player, then month
    EXPECT_EQ(Again.Totals()[1].Asked, 1);
}

TEST_F(StorageTest, DamagedRecordLinesCostNothingElse) {
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    Users.GetUser(Users.AddUser("P1")).Position = 7;
    TAnswerRecord First;
    First.Add(Entry("P1", 46000));
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&First}));
    {
        const std::vector<std::string> Roster = SectionOf(Name, "userdata");
        auto* File = new TDataFile(Name);
        std::vector<std::string> Lines;
        File->ReadSection("answers", Lines);
        Lines.insert(Lines.begin(), "P1=torn lin");
        Lines.push_back("[bracket line");
        File->WriteSection("answers", Lines);
        File->WriteSection("userdata", Roster);
        ASSERT_TRUE(SaveAndFree(File));
    }
    TTabijiUsers Loaded;
    ASSERT_TRUE(Loaded.LoadFromFile(Name, "userdata"));
    ASSERT_EQ(Loaded.GetCount(), 1);
    EXPECT_EQ(Loaded.GetUser(0).Position, 7);
    TAnswerRecord Record;
    Record.LoadFromFile(Name);
    EXPECT_TRUE(Record.LastDamage().Damaged);
    EXPECT_EQ(Record.LastDamage().BadLines, 1); // the bracket line starts a section of its own
    EXPECT_EQ(Record.LastDamage().KeptAs, Name + ".answers.damaged");
    EXPECT_EQ(Record.Entries().size(), 1u);
    EXPECT_EQ(test::ReadBytes(Name + ".answers.damaged"), "P1=torn lin\r\n");

    Record.Add(Entry("P1", 46001));
    ASSERT_TRUE(Loaded.SaveToFile(Name, "userdata", {&Record}));
    EXPECT_EQ(SectionOf(Name, "answers").size(), 2u);
    // Kept aside once, though the save met the line again.
    EXPECT_EQ(test::ReadBytes(Name + ".answers.damaged"), "P1=torn lin\r\n");
}

TEST_F(StorageTest, RenamedAndRemovedPlayersTakeTheirEntriesAlong) {
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    Users.AddUser("Ann");
    TAnswerRecord Record;
    Record.Add(Entry("Ann", 46000));
    Record.Add(Entry("Bob", 46000));
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&Record}));
    // Another copy, which has not heard of the rename, adds an entry for Bob meanwhile.
    {
        TAnswerRecord Other;
        Other.LoadFromFile(Name);
        Other.Add(Entry("Bob", 46001));
        ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&Other}));
    }
    Record.RenamePlayer("Ann", "Anna");
    Record.RemovePlayer("Bob");
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata", {&Record}));
    TAnswerRecord Again;
    Again.LoadFromFile(Name);
    ASSERT_EQ(Again.Entries().size(), 1u);
    EXPECT_EQ(Again.Entries()[0].Player, "Anna");
    EXPECT_EQ(Record.Entries(), Again.Entries());
}

} // namespace
} // namespace kumoji
