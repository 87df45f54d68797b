#include "storage/check_value.h"
#include "storage/data_file.h"
#include "storage/date_text.h"
#include "storage/roster.h"
#include "tests/storage/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kumoji {
namespace {

using test::ReadBytes;
using test::StorageTest;
using test::WriteBytes;
using Lines = std::vector<std::string>;

TEST(CheckValue, StampedFileDiffersOnlyInReservedBytesAndStillDecodes) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    TCompressStringList List;
    List.Lines = {"abc"};
    const std::string Stamped = List.Encoded();
    TDeltaCode Plain;
    Plain.PlainStream = "abc\r\n";
    ASSERT_TRUE(Plain.Encode());
    ASSERT_EQ(Stamped.size(), Plain.PackedStream.size());
    for (std::size_t I = 0; I < Stamped.size(); ++I) {
        if ((I < 12 || I > 15) && (I < 23 || I > 31)) {
            EXPECT_EQ(Stamped[I], Plain.PackedStream[I]) << "byte " << I;
        }
    }
    EXPECT_EQ(Stamped.substr(23, 9), "KumojiCRC");
    TDeltaCode Reader;
    Reader.PackedStream = Stamped;
    ASSERT_TRUE(Reader.Decode());
    EXPECT_EQ(Reader.PlainStream, "abc\r\n");

    // Files without the marker load as they always did, whatever their reserved bytes hold.
    std::string Foreign = Plain.PackedStream;
    for (std::size_t I : {12u, 13u, 14u, 15u, 23u, 27u, 31u})
        Foreign[I] = static_cast<char>(0xA5);
    EXPECT_EQ(List.LoadFromImage(Foreign), TLoadResult::Loaded);
    EXPECT_EQ(List.LastCheck(), TCheck::Unmarked);
    EXPECT_EQ(List.LoadFromImage(Stamped), TLoadResult::Loaded);
    EXPECT_EQ(List.LastCheck(), TCheck::Good);
}

TTabijiUsers& TenPlayers(TTabijiUsers& Users) {
    for (int I = 0; I < 10; ++I) {
        TTabijiUser& User = Users.GetUser(Users.AddUser("\x93\x6f\x8e\x52 P" + std::to_string(I)));
        User.Route = I % 4;
        User.Position = I * 5;
        User.Huts = "11,18,21,24,28,32,36,39";
        User.LastPlayed = EncodeDateTime(2024, 1 + I, 10, 21, 5, I);
    }
    return Users;
}

Lines SectionOf(const Lines& FileLines) {
    TDataFile File("");
    File.Lines = FileLines;
    Lines Section;
    File.ReadSection("userdata", Section);
    TTabijiUsers Users;
    Users.LoadFromList(&Section);
    Lines Records;
    Users.SaveToList(&Records);
    return Records;
}

// Every single-bit flip of a file the game wrote is either noticed or harmless.
TEST_F(StorageTest, NoBitFlipLosesOrChangesAPlayerUnnoticed) {
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    ASSERT_TRUE(TenPlayers(Users).SaveToFile(Name, "userdata"));
    const std::string Image = ReadBytes(Name);
    TCompressStringList Good;
    ASSERT_EQ(Good.LoadFromImage(Image), TLoadResult::Loaded);
    const Lines Expected = SectionOf(Good.Lines);
    ASSERT_EQ(Expected.size(), 10u);

    int Noticed = 0;
    int Harmless = 0;
    int SilentWithoutCheck = 0;
    for (std::size_t Bit = 0; Bit < Image.size() * 8; ++Bit) {
        std::string Flipped = Image;
        Flipped[Bit / 8] = static_cast<char>(Flipped[Bit / 8] ^ (1 << (Bit % 8)));
        TCompressStringList List;
        if (List.LoadFromImage(Flipped) != TLoadResult::Loaded) {
            ++Noticed;
        } else {
            ASSERT_EQ(SectionOf(List.Lines), Expected) << "bit " << Bit;
            ++Harmless;
        }
        // The same flip read by a decoder alone, as files without the check are.
        TDeltaCode Bare;
        Bare.PackedStream = Flipped;
        if (Bare.Decode() && SectionOf(LinesOfText(Bare.PlainStream)) != Expected)
            ++SilentWithoutCheck;
    }
    // Harmless flips are those in the marker and in the fill bits of the last code word.
    EXPECT_LE(Harmless, 9 * 8 + 15);
    RecordProperty("bits", static_cast<int>(Image.size() * 8));
    RecordProperty("noticed", Noticed);
    RecordProperty("harmless", Harmless);
    RecordProperty("silent_losses_without_check", SilentWithoutCheck);
    EXPECT_GT(SilentWithoutCheck, 0); // otherwise this roster proves nothing about the check
}

TEST_F(StorageTest, PreviousGoodFileIsKeptAndOfferedWhenTheFileIsDamaged) {
    SetClock([] { return EncodeDateTime(2003, 2, 10, 21, 5, 33); });
    const std::string Name = Folder / "tozan01.ini";
    TTabijiUsers Users;
    Users.AddUser("P1");
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    EXPECT_FALSE(std::filesystem::exists(BackupName(Name)));
    const std::string First = ReadBytes(Name);
    Users.GetUser(0).Climb();
    ASSERT_TRUE(Users.SaveToFile(Name, "userdata"));
    EXPECT_EQ(ReadBytes(BackupName(Name)), First);
    std::string Second = ReadBytes(Name);

    Second[32] = static_cast<char>(Second[32] ^ 0x10); // the most frequent byte's symbol
    WriteBytes(Name, Second);
    TTabijiUsers Loaded;
    EXPECT_TRUE(Loaded.LoadFromFile(Name, "userdata"));
    EXPECT_EQ(Loaded.GetCount(), 0);
    EXPECT_TRUE(Loaded.LastDamage().Damaged);
    EXPECT_EQ(Loaded.LastDamage().Error, TStorageError::CheckFailed);
    EXPECT_TRUE(Loaded.LastDamage().BackupAvailable);
    EXPECT_EQ(ReadBytes(Name + ".damaged"), Second);

    ASSERT_TRUE(Loaded.LoadFromBackup(Name, "userdata"));
    ASSERT_EQ(Loaded.GetCount(), 1);
    EXPECT_EQ(Loaded.GetUser(0).Position, 0); // the change before the damage is the cost
    EXPECT_EQ(ReadBytes(Name), First);
    EXPECT_EQ(ReadBytes(BackupName(Name)), First);
    EXPECT_EQ(ReadBytes(Name + ".damaged"), Second);

    // A damaged backup is not offered.
    WriteBytes(BackupName(Name), First.substr(0, First.size() - 2));
    WriteBytes(Name, Second);
    TTabijiUsers Again;
    Again.LoadFromFile(Name, "userdata");
    EXPECT_TRUE(Again.LastDamage().Damaged);
    EXPECT_FALSE(Again.LastDamage().BackupAvailable);
    EXPECT_FALSE(Again.LoadFromBackup(Name, "userdata"));
    EXPECT_EQ(ReadBytes(Name), Second);
    SetClock(nullptr);
}

} // namespace
} // namespace kumoji
