// The tool's explanation mode run as a program: its lines, its errors and its command line.
#include "tests/analyse/run_tool.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kumoji::test::RunTool;
using kumoji::test::TRun;

const std::string EmptyCell =
    "000000400000000000000000200000000800000000600000000700000000500000000300000000900";
const std::string NoSingle = "5" + std::string(80, '0');
const std::string Clash = "11" + std::string(79, '0');

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> Result;
    std::istringstream In(Text);
    for (std::string Line; std::getline(In, Line);) {
        Result.push_back(Line);
    }
    return Result;
}

// Fresh questions of every technique, PerTechnique each, the same every run.
std::string Questions(int PerTechnique) {
    std::string All;
    for (int Technique = 1; Technique <= 6; ++Technique) {
        All += RunTool("--generate " + std::to_string(PerTechnique) + " --technique " +
                           std::to_string(Technique) + " --seed " + std::to_string(70 + Technique),
                       "")
                   .Out;
    }
    return All;
}

int Count(const std::string& Text, const std::string& Part) {
    int Found = 0;
    for (auto At = Text.find(Part); At != std::string::npos; At = Text.find(Part, At + 1)) {
        ++Found;
    }
    return Found;
}

TEST(AnalyseExplain, JsonStartsWithTheDefaultModesVerdict) {
    const std::string Input = Questions(3) + NoSingle + "\n";
    const TRun Verdicts = RunTool("--json --tables -", Input);
    const TRun Explained = RunTool("--explain --json --tables -", Input);
    EXPECT_EQ(Explained.Status, 0) << Explained.Err;
    const std::vector<std::string> Plain = Lines(Verdicts.Out), Objects = Lines(Explained.Out);
    ASSERT_EQ(Objects.size(), Plain.size());
    ASSERT_EQ(Plain.size(), 24u + 18u + 1u);
    for (std::size_t I = 0; I < Plain.size(); ++I) {
        const std::string& Verdict = Plain[I];
        const std::string& Line = Objects[I];
        const auto Fit = Verdict.find("\"fit\": true, ");
        if (Fit == std::string::npos) {
            // An unfit position is written as the default mode writes it.
            EXPECT_EQ(Line, Verdict);
            continue;
        }
        std::string Head = Verdict;
        Head.erase(Fit, 13).pop_back();
        EXPECT_EQ(Line.rfind(Head + ", \"steps\": [", 0), 0u) << Line;
        EXPECT_TRUE(Line.ends_with("\"]}")) << Line;
        EXPECT_NE(Line.find("}, \"text\": [\""), std::string::npos) << Line;
        // The single's unit is a name or null, and null only for a missing number.
        const bool Missing = Line.find("\"single\": {\"kind\": \"smMissingNumber\", \"unit\": "
                                       "null, \"cell\": \"") != std::string::npos;
        const bool Named = Line.find("\", \"unit\": \"") != std::string::npos;
        EXPECT_NE(Missing, Named) << Line;
    }
    EXPECT_EQ(Objects[0].rfind("{\"puzzle\": \"" + EmptyCell +
                                   "\", \"cell\": \"G2\", \"digit\": 1, \"technique\": "
                                   "\"smEmptyCell\", \"steps\": [], \"single\": {\"kind\": "
                                   "\"smEmptyCell\", \"unit\": \"column G\", \"cell\": \"G2\", "
                                   "\"digit\": 1}, \"text\": [\"",
                               0),
              0u)
        << Objects[0];
}

// The text mode is the default output with each fit position's steps and
// single indented under its line, as many steps as the JSON object holds.
TEST(AnalyseExplain, TextIsTheDefaultOutputWithIndentedExplanations) {
    const std::string Input = Questions(3) + NoSingle + "\n";
    const TRun Verdicts = RunTool("--tables -", Input);
    const TRun Text = RunTool("--explain --tables -", Input);
    const std::vector<std::string> Json = Lines(RunTool("--explain --json --tables -", Input).Out);
    EXPECT_EQ(Text.Status, 0) << Text.Err;
    std::string Unindented;
    std::size_t Fit = 0;
    std::vector<std::string> Explanation;
    const auto EndOf = [&](const std::string& Verdict) {
        if (Verdict.find(" ok ") == std::string::npos) {
            EXPECT_TRUE(Explanation.empty()) << Verdict;
            return;
        }
        ASSERT_LT(Fit, Json.size());
        const int Steps = Count(Json[Fit++], "{\"technique\": ");
        ASSERT_EQ(Explanation.size(), static_cast<std::size_t>(Steps) + 1) << Verdict;
        for (int Step = 0; Step < Steps; ++Step) {
            EXPECT_EQ(Explanation[Step].rfind("  " + std::to_string(Step + 1) + ". ", 0), 0u);
        }
        EXPECT_EQ(Explanation.back().rfind("  => ", 0), 0u) << Explanation.back();
    };
    std::string Verdict;
    for (const std::string& Line : Lines(Text.Out)) {
        if (Line.starts_with("  ")) {
            Explanation.push_back(Line);
            continue;
        }
        if (!Verdict.empty()) {
            EndOf(Verdict);
        }
        Unindented += Line + "\n";
        Verdict = Line.starts_with("#") ? std::string() : Line;
        Explanation.clear();
    }
    EndOf(Verdict);
    EXPECT_EQ(Unindented, Verdicts.Out);
    EXPECT_EQ(Fit, Json.size() - 1);
}

TEST(AnalyseExplain, BadLinesAreReportedAndTheOthersExplained) {
    const std::string Input = "# a comment\n\n" + EmptyCell + "\r\n12345\n" + NoSingle + "\n" +
                              Clash + "\n" + EmptyCell + "\n";
    for (const char* Mode : {"--explain", "--explain --json"}) {
        const TRun Result = RunTool(Mode, Input);
        EXPECT_EQ(Result.Status, 1) << Mode;
        EXPECT_NE(Result.Err.find("<stdin>:4: not a puzzle text"), std::string::npos) << Result.Err;
        EXPECT_NE(Result.Err.find("<stdin>:6: givens clash"), std::string::npos) << Result.Err;
        EXPECT_EQ(Count(Result.Err, "\n"), 2) << Result.Err;
        EXPECT_EQ(Count(Result.Out, EmptyCell), 2) << Result.Out;
        EXPECT_EQ(Count(Result.Out, NoSingle), 1) << Result.Out;
    }
    EXPECT_EQ(RunTool("--explain", NoSingle + "\n").Out, NoSingle + " unfit\n");
    EXPECT_EQ(RunTool("--explain /nonexistent/puzzles.txt", "").Status, 1);
}

TEST(AnalyseExplain, ThreadsGiveTheSameOutput) {
    std::string Input = Questions(6);
    // After the first 18 questions, of 82 bytes a line.
    Input.insert(18 * 82, "12345\n" + NoSingle + "\n");
    for (const std::string Mode : {"--explain", "--explain --json"}) {
        const TRun One = RunTool(Mode + " --jobs 1", Input, true);
        const TRun Three = RunTool(Mode + " --jobs=3", Input, true);
        EXPECT_EQ(One.Status, 1);
        EXPECT_EQ(Three.Status, 1);
        EXPECT_EQ(One.Out, Three.Out);
        EXPECT_NE(One.Out.find("<stdin>:" + std::to_string(6 * 3 + 1) + ": "), std::string::npos)
            << One.Out;
    }
}

TEST(AnalyseExplain, CommandLine) {
    for (const char* Wrong : {"--explain --solve", "--deep --explain", "--explain --generate 1",
                              "--generate 1 --technique 1 --explain"}) {
        const TRun Result = RunTool(Wrong, EmptyCell + "\n");
        EXPECT_EQ(Result.Status, 2) << Wrong;
        EXPECT_EQ(Result.Out, "") << Wrong;
    }
    const std::string Help = RunTool("--help", "").Out;
    EXPECT_NE(Help.find("--explain [--json]"), std::string::npos);
    EXPECT_NE(Help.find("\"  => TEXT\""), std::string::npos);
}

// The techniques beyond subsets through the whole tool: generated by number
// or identifier, left unfit by the verdict modes, explained with the lists of their
// kind, the lines the same on any number of threads.
TEST(AnalyseExplain, TechniquesBeyondSubsets) {
    struct TKind {
        const char* Name;
        const char* Number;
        const char* Extra;
    };
    for (const TKind& Kind : {TKind{"smXWing", "10", "\"cover\": [\""},
                              TKind{"smSimpleColouring", "17", "\"links\": [["},
                              TKind{"smGetOut", "8", "\"units\": [\""}}) {
        const TRun ByName =
            RunTool(std::string("--generate 3 --seed 5 --technique ") + Kind.Name, "");
        const TRun ByNumber =
            RunTool(std::string("--generate 3 --seed 5 --technique ") + Kind.Number, "");
        ASSERT_EQ(ByName.Status, 0) << ByName.Err;
        EXPECT_EQ(ByName.Out, ByNumber.Out);
        // The verdict modes judge by the reservation passes, as they always have.
        const TRun Judged = RunTool("", ByName.Out);
        EXPECT_EQ(Count(Judged.Out, std::string(" ") + Kind.Name), 0) << Judged.Out;
        EXPECT_EQ(Count(RunTool("--json", ByName.Out).Out, "\"fit\": false"), 3);
        const TRun Json = RunTool("--explain --json --jobs 1", ByName.Out);
        EXPECT_EQ(Json.Status, 0) << Json.Err;
        EXPECT_EQ(Count(Json.Out, std::string("{\"technique\": \"") + Kind.Name + "\""), 3)
            << Json.Out;
        EXPECT_GE(Count(Json.Out, Kind.Extra), 3) << Json.Out;
        EXPECT_EQ(RunTool("--explain --json --jobs 3", ByName.Out).Out, Json.Out);
        // Only the kinds that carry them have the extra lists.
        if (std::string(Kind.Name) == "smGetOut") {
            EXPECT_EQ(Count(Json.Out, "\"cover\""), 0);
            EXPECT_EQ(Count(Json.Out, "\"colours\""), 0);
        }
    }
}

} // namespace
