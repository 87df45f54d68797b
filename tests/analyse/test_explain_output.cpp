// The tool's writing of explanations, on explanations made by hand.
#include "tools/analyse/explain_output.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace kumoji;

constexpr int B3 = 19, C3 = 20, E3 = 22, G3 = 24, H3 = 25;
constexpr int Row3 = 2, Box6 = 23;

TExplanation NakedPair() {
    TExplanation Explanation;
    Explanation.Technique = smYourReserved;
    Explanation.Steps.push_back({smYourReserved, {4, 8}, {C3, E3}, {Row3}, {{G3, 4}, {H3, 8}}});
    Explanation.Single = {smMissingNumber, -1, B3, 7, {}};
    Explanation.Text = {"pair", "single"};
    return Explanation;
}

std::string Json(std::string_view Text) {
    std::string Buffer;
    AppendJsonString(Buffer, Text);
    return Buffer;
}

TEST(ExplainOutput, JsonLineHasTheFixedKeysOrderAndSeparators) {
    const std::string Puzzle(81, '0');
    std::string Line;
    AppendExplanationJson(Line, Puzzle, {1, 2}, 7, "smYourReserved", NakedPair());
    EXPECT_EQ(Line, "{\"puzzle\": \"" + Puzzle +
                        "\", \"cell\": \"B3\", \"digit\": 7, \"technique\": \"smYourReserved\", "
                        "\"steps\": [{\"technique\": \"smYourReserved\", \"digits\": [4, 8], "
                        "\"cells\": [\"C3\", \"E3\"], \"units\": [\"row 3\"], \"removes\": "
                        "[{\"cell\": \"G3\", \"digit\": 4}, {\"cell\": \"H3\", \"digit\": 8}]}], "
                        "\"single\": {\"kind\": \"smMissingNumber\", \"unit\": null, \"cell\": "
                        "\"B3\", \"digit\": 7}, \"text\": [\"pair\", \"single\"]}\n");

    // A single of one unit names it; no steps is an empty list.
    TExplanation Single;
    Single.Technique = smLeftPlace;
    Single.Single = {smLeftPlace, Box6, 70, 3, {}};
    Single.Text = {"only place"};
    Line.clear();
    AppendExplanationJson(Line, Puzzle, {7, 7}, 3, "smLeftPlace", Single);
    EXPECT_NE(
        Line.find(", \"steps\": [], \"single\": {\"kind\": \"smLeftPlace\", \"unit\": "
                  "\"box 6\", \"cell\": \"H8\", \"digit\": 3}, \"text\": [\"only place\"]}\n"),
        std::string::npos)
        << Line;
}

// The lists of the newer kinds appear on their steps alone, between the units
// and the removals; an older kind's step with them filled by mistake still
// writes its old shape.
TEST(ExplainOutput, CoverColoursAndLinksOnlyOnTheKindsThatUseThem) {
    const std::string Puzzle(81, '0');
    TExplanation Fish;
    Fish.Technique = smXWing;
    TExplainStep Wing{smXWing, {5}, {0, 8, 72, 80}, {0, 8}, {{36, 5}}};
    Wing.Cover = {9, 17};
    Fish.Steps.push_back(Wing);
    Fish.Single = {smMissingNumber, -1, 36, 2, {}};
    std::string Line;
    AppendExplanationJson(Line, Puzzle, {0, 4}, 2, "smXWing", Fish);
    EXPECT_NE(Line.find("\"units\": [\"row 1\", \"row 9\"], \"cover\": [\"column A\", "
                        "\"column I\"], \"removes\": [{\"cell\": \"A5\", \"digit\": 5}]"),
              std::string::npos)
        << Line;
    EXPECT_EQ(Line.find("colours"), std::string::npos);

    TExplanation Colouring;
    Colouring.Technique = smSimpleColouring;
    TExplainStep Chain{smSimpleColouring, {3}, {0, 4, 40}, {}, {{44, 3}}};
    Chain.Colours = {0, 1, 0};
    Chain.Links = {{0, 1, 0}, {1, 2, 13}};
    Colouring.Steps.push_back(Chain);
    Colouring.Single = {smMissingNumber, -1, 44, 1, {}};
    Line.clear();
    AppendExplanationJson(Line, Puzzle, {8, 4}, 1, "smSimpleColouring", Colouring);
    EXPECT_NE(Line.find("\"units\": [], \"colours\": [0, 1, 0], \"links\": [[0, 1, \"row 1\"], "
                        "[1, 2, \"column E\"]], \"removes\": [{\"cell\": \"I5\", "
                        "\"digit\": 3}]"),
              std::string::npos)
        << Line;
    EXPECT_EQ(Line.find("cover"), std::string::npos);

    TExplanation Old = NakedPair();
    std::string Before;
    AppendExplanationJson(Before, Puzzle, {1, 2}, 7, "smYourReserved", Old);
    Old.Steps[0].Cover = {9};
    Old.Steps[0].Colours = {0, 1};
    Line.clear();
    AppendExplanationJson(Line, Puzzle, {1, 2}, 7, "smYourReserved", Old);
    EXPECT_EQ(Line, Before);
}

TEST(ExplainOutput, JsonStringsEscapeWhatTheyMustAndKeepUtf8) {
    EXPECT_EQ(Json("say \"E1\" \\ no"), "\"say \\\"E1\\\" \\\\ no\"");
    EXPECT_EQ(Json("a\nb\tc\rd\be\ff"), "\"a\\nb\\tc\\rd\\be\\ff\"");
    EXPECT_EQ(Json(std::string("\x01\x1f\x7f", 3)), "\"\\u0001\\u001f\x7f\"");
    EXPECT_EQ(Json(std::string("x\0y", 3)), "\"x\\u0000y\"");
    EXPECT_EQ(Json("G列の 1：ok \xF0\x9F\x98\x80"), "\"G列の 1：ok \xF0\x9F\x98\x80\"");
}

// A malformed byte would make the whole line unreadable to a JSON parser.
TEST(ExplainOutput, MalformedUtf8BecomesReplacementCharacters) {
    const std::string Replacement = "\xEF\xBF\xBD";
    for (const char* Bad : {"\xFF", "\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        std::string Expected = "\"";
        for (std::size_t I = 0; Bad[I] != 0; ++I) {
            Expected += Replacement;
        }
        EXPECT_EQ(Json(Bad), Expected + "\"") << Bad;
    }
    // A sequence cut short by the end of the text, then by an ASCII byte.
    EXPECT_EQ(Json("a\xE5\x88"), "\"a" + Replacement + Replacement + "\"");
    EXPECT_EQ(Json("\xE5\x88x"), "\"" + Replacement + Replacement + "x\"");
}

TEST(ExplainOutput, TextNumbersTheStepsAndMarksTheSingle) {
    TExplanation Explanation = NakedPair();
    Explanation.Steps.push_back(Explanation.Steps.front());
    Explanation.Text = {"first", "second\nhalf", "single"};
    std::string Text;
    AppendExplanationText(Text, Explanation);
    EXPECT_EQ(Text, "  1. first\n  2. second half\n  => single\n");
}

} // namespace
