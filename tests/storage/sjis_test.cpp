#include "storage/sjis.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace kumoji {
namespace {

TEST(Cp932, ConvertsBothWaysIncludingVendorCharacters) {
    std::string Out;
    ASSERT_TRUE(Utf8ToCp932("登山口 P1", Out));
    EXPECT_EQ(Out, "\x93\x6f\x8e\x52\x8c\xfb P1");
    ASSERT_TRUE(Utf8ToCp932("～①", Out));
    EXPECT_EQ(Out, "\x81\x60\x87\x40");
    std::string Back;
    ASSERT_TRUE(Cp932ToUtf8(Out, Back));
    EXPECT_EQ(Back, "～①");
    ASSERT_TRUE(Utf8ToCp932("", Out));
    EXPECT_EQ(Out, "");
}

TEST(Cp932, ReportsWhatCannotBeConvertedAndChangesNothing) {
    std::string Out = "before";
    TConvertError Error;
    EXPECT_FALSE(Utf8ToCp932("ab😀c", Out, &Error));
    EXPECT_EQ(Out, "");
    EXPECT_EQ(Error.Offset, 2u);
    EXPECT_EQ(Error.Character, "😀");
    EXPECT_FALSE(Utf8ToCp932("a\xff", Out, &Error));
    EXPECT_EQ(Error.Offset, 1u);
    EXPECT_FALSE(Cp932ToUtf8("ok\x93", Out, &Error)); // lead byte without its second byte
    EXPECT_EQ(Error.Offset, 2u);
    EXPECT_EQ(Error.Character, "\x93");
}

// Characters whose CP932 code reads back as another character would merge "¥yen" and "\\yen".
TEST(Cp932, RefusesCharactersThatWouldComeBackChanged) {
    const std::pair<const char*, const char*> Changed[] = {{"〜", "～"}, {"¥", "\\"}, {"−", "－"},
                                                           {"—", "―"},   {"‖", "∥"},  {"¢", "￠"},
                                                           {"£", "￡"},  {"¬", "￢"}, {"‾", "~"}};
    for (const auto& [Typed, Stored] : Changed) {
        std::string Out = "before";
        TConvertError Error;
        EXPECT_FALSE(Utf8ToCp932(std::string("名前") + Typed + "x", Out, &Error)) << Typed;
        EXPECT_EQ(Out, "");
        EXPECT_TRUE(Error.ReadsBackChanged) << Typed;
        EXPECT_EQ(Error.Offset, 6u) << Typed;
        EXPECT_EQ(Error.Character, Typed);
        EXPECT_EQ(Error.ReadsBackAs, Stored);
        // What it becomes is itself stored faithfully.
        EXPECT_TRUE(Utf8ToCp932(Stored, Out)) << Stored;
    }
}

} // namespace
} // namespace kumoji
