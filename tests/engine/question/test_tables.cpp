#include "game/tables.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace kumoji {
namespace {

std::string FullWidthDigit(int Digit) {
    // U+FF10 + Digit, three bytes in UTF-8.
    std::string Text = "\xEF\xBC\x90";
    Text[2] = static_cast<char>(0x90 + Digit);
    return Text;
}

// What the position would be called without a hut: "n合目" at a station,
// "n合t勺" at its tenths.
std::string StationText(int Index) {
    const int Tenth = Index % 10;
    std::string Text = FullWidthDigit(5 + Index / 10) + "合";
    return Tenth == 0 ? Text + "目" : Text + FullWidthDigit(Tenth) + "勺";
}

TEST(Tables, PositionsClimbFromTrailheadToSummit) {
    EXPECT_EQ(Positions.front(), "登山口");
    EXPECT_EQ(Positions[1], "５合目");
    EXPECT_EQ(Positions.back(), "山頂");
    for (int Index = 2; Index < 50; ++Index) {
        const bool Hut =
            std::find(DefaultHuts.begin(), DefaultHuts.end(), Index) != DefaultHuts.end();
        if (Hut) {
            EXPECT_EQ(Positions[Index].find("合"), std::string_view::npos) << Index;
        } else {
            EXPECT_EQ(Positions[Index], StationText(Index)) << Index;
        }
    }
}

TEST(Tables, HutsAreThePositionsThatAreNeitherStationsNorTenths) {
    std::vector<int> Named;
    for (int Index = 1; Index < 50; ++Index) {
        if (Positions[Index].find("合") == std::string_view::npos) {
            Named.push_back(Index);
        }
    }
    EXPECT_EQ(Named, std::vector<int>(DefaultHuts.begin(), DefaultHuts.end()));
    EXPECT_EQ(Positions[DefaultHuts.front()], "雲海荘");
    EXPECT_EQ(Positions[DefaultHuts.back()], "御来光館");
}

TEST(Tables, RouteMarksRiseUpThePicture) {
    EXPECT_EQ(RouteHeights.front(), 397);
    EXPECT_EQ(RouteHeights.back(), 78);
    EXPECT_TRUE(std::is_sorted(RouteHeights.rbegin(), RouteHeights.rend(),
                               [](int A, int B) { return A <= B; }));
}

TEST(Tables, RoutesNameTheirLevel) {
    EXPECT_EQ(Routes[0], "河口湖ルート（入門）");
    EXPECT_EQ(Routes[3], "御殿場ルート（上級）");
    for (std::string_view Route : Routes) {
        EXPECT_NE(Route.find("ルート（"), std::string_view::npos) << Route;
    }
}

// Every question text must load as written: 81 digits whose givens never
// repeat a digit in a row, column or box (the board would refuse the repeat).
TEST(Tables, QuestionsAreConsistentPuzzleTexts) {
    std::vector<std::string_view> All(EmptyCellQuestions.begin(), EmptyCellQuestions.end());
    All.insert(All.end(), LeftPlaceQuestions.begin(), LeftPlaceQuestions.end());
    All.insert(All.end(), MissingNumberQuestions.begin(), MissingNumberQuestions.end());
    ASSERT_EQ(All.size(), 24u);
    for (std::string_view Text : All) {
        ASSERT_EQ(Text.size(), 81u);
        EXPECT_TRUE(std::all_of(Text.begin(), Text.end(), [](char Ch) {
            return Ch >= '0' && Ch <= '9';
        })) << Text;
        for (int A = 0; A < 81; ++A) {
            for (int B = A + 1; B < 81; ++B) {
                const bool Peers = A % 9 == B % 9 || A / 9 == B / 9 ||
                                   (A % 9 / 3 == B % 9 / 3 && A / 27 == B / 27);
                EXPECT_FALSE(Peers && Text[A] != '0' && Text[A] == Text[B])
                    << Text << " cells " << A << " and " << B;
            }
        }
    }
    // The tables are distinct positions.
    std::sort(All.begin(), All.end());
    EXPECT_EQ(std::adjacent_find(All.begin(), All.end()), All.end());
}

} // namespace
} // namespace kumoji
