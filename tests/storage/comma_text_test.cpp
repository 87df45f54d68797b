#include "storage/ansi_text.h"
#include "storage/comma_text.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kumoji {
namespace {

using Values = std::vector<std::string>;

TEST(CommaText, QuotesOnlyValuesThatNeedIt) {
    EXPECT_EQ(CommaTextOf({"0", "", "11,18", "a b", "say \"hi\"", "\t"}),
              "0,,\"11,18\",\"a b\",\"say \"\"hi\"\"\",\"\t\"");
    EXPECT_EQ(CommaTextOf({"\x93\x6f\x8e\x52"}), "\x93\x6f\x8e\x52");
}

TEST(CommaText, ReadingFollowsTheListRules) {
    EXPECT_EQ(ReadCommaText("0,,\"11,18\",\"a b\",\"say \"\"hi\"\"\""),
              (Values{"0", "", "11,18", "a b", "say \"hi\""}));
    EXPECT_EQ(ReadCommaText("  a ,  b,"), (Values{"a", "b"}));
    EXPECT_EQ(ReadCommaText("a b"), (Values{"a", "b"}));
    EXPECT_EQ(ReadCommaText("\"ab\"cd,e"), (Values{"ab", "cd", "e"}));
    EXPECT_EQ(ReadCommaText("\"open, never closed"), (Values{"open, never closed"}));
    EXPECT_EQ(ReadCommaText(",,"), (Values{"", ""}));
    EXPECT_EQ(ReadCommaText(""), Values{});
    EXPECT_EQ(ReadCommaText(std::string("a,b\0,c", 6)), (Values{"a", "b"}));
}

TEST(ShiftJisText, SplitAtNeverCutsADoubleByteCharacter) {
    std::string Left;
    std::string Right;
    // 0x835C ("so") ends in the byte of a backslash; 0x8341 ends in "A".
    EXPECT_TRUE(SplitAt("\x83\x5c\\x", "\\", Left, Right));
    EXPECT_EQ(Left, "\x83\x5c");
    EXPECT_EQ(Right, "x");
    EXPECT_FALSE(SplitAt("\x83\x41", "A", Left, Right));
    EXPECT_EQ(Left, "\x83\x41");
    EXPECT_EQ(Right, "");
    EXPECT_TRUE(SplitAt("k=v=w", "=", Left, Right));
    EXPECT_EQ(Left + "|" + Right, "k|v=w");
}

TEST(ShiftJisText, LetterCaseFoldsOnlyWholeLetters) {
    EXPECT_TRUE(SameText("[UserData]", "[userdata]"));
    EXPECT_TRUE(SameText("\x82\x60\x82\x61", "\x82\x81\x82\x82")); // full-width AB / ab
    EXPECT_TRUE(SameText("\x83\x9f", "\x83\xbf"));                 // Greek alpha
    EXPECT_TRUE(SameText("\x84\x4f\x84\x50", "\x84\x80\x84\x81")); // Cyrillic
    EXPECT_FALSE(SameText("\x83\x41", "\x83\x61"));                // second bytes look like A and a
    EXPECT_FALSE(SameText("ab", "abc"));
    EXPECT_LT(CompareText("a", "B"), 0);
    EXPECT_TRUE(EndsInsideCharacter("ab\x93"));
    EXPECT_FALSE(EndsInsideCharacter("ab\x93\x6f"));
}

} // namespace
} // namespace kumoji
