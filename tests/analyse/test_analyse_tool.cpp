#include "tests/analyse/run_tool.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

using kumoji::test::RunTool;
using kumoji::test::TRun;

const std::string EmptyCell =
    "000000400000000000000000200000000800000000600000000700000000500000000300000000900";
const std::string NoSingle = "5" + std::string(80, '0');

TEST(AnalyseTool, ReportsBadLinesByNumberAndGoesOn) {
    const TRun Result = RunTool("", "# a comment\n\n" + EmptyCell + "\r\n12345\n" + NoSingle +
                                        "\n" + "11" + std::string(79, '0') + "\n");
    EXPECT_EQ(Result.Status, 1);
    EXPECT_EQ(Result.Out, EmptyCell + " ok G2 1 smEmptyCell\n" + NoSingle + " unfit\n");
    EXPECT_NE(Result.Err.find("<stdin>:4:"), std::string::npos) << Result.Err;
    EXPECT_NE(Result.Err.find("<stdin>:6:"), std::string::npos) << Result.Err;
    EXPECT_EQ(Result.Err.find("<stdin>:5:"), std::string::npos) << Result.Err;
}

TEST(AnalyseTool, JsonObjectsOnePerLine) {
    const TRun Result = RunTool("--json", EmptyCell + "\n" + NoSingle + "\n");
    EXPECT_EQ(Result.Status, 0);
    EXPECT_EQ(Result.Out, "{\"puzzle\": \"" + EmptyCell +
                              "\", \"fit\": true, \"cell\": \"G2\", \"digit\": 1, "
                              "\"technique\": \"smEmptyCell\"}\n"
                              "{\"puzzle\": \"" +
                              NoSingle + "\", \"fit\": false}\n");
}

TEST(AnalyseTool, SolvePrintsStepsOutcomeAndGrid) {
    std::string Final = EmptyCell;
    Final[15] = '1';
    const TRun Text = RunTool("--solve", EmptyCell + "\n");
    EXPECT_EQ(Text.Status, 0);
    EXPECT_EQ(Text.Out, EmptyCell + "\nG2=1 smEmptyCell\nstuck " + Final + "\n");

    const TRun Json = RunTool("--solve --deep --json", EmptyCell + "\n");
    EXPECT_EQ(Json.Out, "{\"puzzle\": \"" + EmptyCell +
                            "\", \"steps\": [{\"cell\": \"G2\", \"digit\": 1, \"technique\": "
                            "\"smEmptyCell\"}], \"outcome\": \"stuck\", \"grid\": \"" +
                            Final + "\"}\n");
}

TEST(AnalyseTool, SolvesAPuzzleToTheEnd) {
    const std::string Puzzle =
        "060090801810006702207000063600810007108603009000007000000900000000108000703005000";
    const std::string Solution =
        "365792841814356792297481563652819437178643259439527186521934678946178325783265914";
    const TRun Result = RunTool("--solve --deep", Puzzle + "\n");
    EXPECT_EQ(Result.Status, 0);
    EXPECT_NE(Result.Out.find("smPuzzled"), std::string::npos);
    EXPECT_NE(Result.Out.find("\nsolved " + Solution + "\n"), std::string::npos);
    // Without the deep phase the same puzzle gets stuck.
    EXPECT_NE(RunTool("--solve", Puzzle + "\n").Out.find("\nstuck "), std::string::npos);
}

TEST(AnalyseTool, TablesAndCommandLine) {
    const TRun Tables = RunTool("--tables", "");
    EXPECT_EQ(Tables.Status, 0);
    // Every table question needs the technique its table is named after.
    int Lines = 0;
    std::string Section;
    std::istringstream Out(Tables.Out);
    for (std::string Line; std::getline(Out, Line);) {
        if (Line[0] == '#') {
            Section = Line.substr(Line.find('(') + 1, Line.find(')') - Line.find('(') - 1);
            continue;
        }
        ++Lines;
        EXPECT_EQ(Line.substr(Line.rfind(' ') + 1), Section) << Line;
    }
    EXPECT_EQ(Lines, 24);
    EXPECT_EQ(RunTool("--frobnicate", "").Status, 2);
    const TRun Help = RunTool("--help", "");
    EXPECT_EQ(Help.Status, 0);
    EXPECT_NE(Help.Out.find("--json"), std::string::npos);
    EXPECT_EQ(RunTool("/nonexistent/puzzles.txt", "").Status, 1);
}

TEST(AnalyseTool, GeneratesQuestionsItAlsoJudgesFit) {
    const TRun Text = RunTool("--generate 3 --technique smYourReserved --seed 11", "");
    EXPECT_EQ(Text.Status, 0);
    EXPECT_EQ(RunTool("--generate 3 --technique 5 --seed 11", "").Out, Text.Out);
    std::istringstream Lines(Text.Out);
    int Count = 0;
    for (std::string Line; std::getline(Lines, Line); ++Count) {
        const TRun Judged = RunTool("", Line + "\n");
        EXPECT_NE(Judged.Out.find(" ok "), std::string::npos) << Judged.Out;
        EXPECT_NE(Judged.Out.find(" smYourReserved\n"), std::string::npos) << Judged.Out;
    }
    EXPECT_EQ(Count, 3);

    const TRun Json = RunTool("--generate 1 --technique 2 --seed 11 --json", "");
    EXPECT_EQ(Json.Out.rfind("{\"puzzle\": \"", 0), 0u) << Json.Out;
    EXPECT_NE(Json.Out.find("\"technique\": \"smLeftPlace\"}\n"), std::string::npos) << Json.Out;

    for (const char* Wrong : {"--generate 3", "--technique 3", "--generate 1 --technique 9",
                              "--generate 1 --technique 18", "--generate 1 --technique smPuzzled",
                              "--generate -1 --technique 1", "--generate 1 --technique 1 x.txt",
                              "--generate 1 --technique 1 --seed ten"}) {
        EXPECT_EQ(RunTool(Wrong, "").Status, 2) << Wrong;
    }
}

// Threads share out the lines but not the order: results, and error messages
// between them, come out as one thread writes them, with their line numbers.
TEST(AnalyseTool, ThreadsKeepInputOrderAndLineNumbers) {
    const std::string Puzzle =
        "060090801810006702207000063600810007108603009000007000000900000000108000703005000";
    std::string Input;
    for (int Line = 1; Line <= 150; ++Line) {
        if (Line == 37) {
            Input += "12345\n";
        } else if (Line == 101) {
            Input += "11" + std::string(79, '0') + "\n";
        } else {
            // Each line a different position: the puzzle with a cell emptied.
            std::string Text = Puzzle;
            Text[Line % 81] = '0';
            Input += Text + "\n";
        }
    }
    const TRun One = RunTool("--jobs 1 --solve --deep", Input, true);
    const TRun Four = RunTool("--jobs=4 --solve --deep", Input, true);
    EXPECT_EQ(One.Status, 1);
    EXPECT_EQ(Four.Status, 1);
    EXPECT_EQ(One.Out, Four.Out);
    const auto First = One.Out.find("<stdin>:37: ");
    const auto Second = One.Out.find("<stdin>:101: ");
    ASSERT_NE(First, std::string::npos) << One.Out;
    ASSERT_NE(Second, std::string::npos) << One.Out;
    // 36 puzzles of one outcome line each come before the first error.
    int Outcomes = 0;
    std::istringstream Out(One.Out.substr(0, First));
    for (std::string Line; std::getline(Out, Line);) {
        Outcomes += Line.starts_with("solved ") || Line.starts_with("stuck ");
    }
    EXPECT_EQ(Outcomes, 36);
    EXPECT_EQ(RunTool("--jobs 0", "").Status, 2);
    EXPECT_EQ(RunTool("--jobs x", "").Status, 2);
}

} // namespace
