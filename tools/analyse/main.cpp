#include "game/tables.h"
#include "tools/analyse/analyser.h"
#include "tools/analyse/generate.h"
#include "tools/analyse/parallel.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

constexpr const char* Usage =
    R"(Usage: kumoji-analyse [--solve [--deep]] [--json] [--tables] [--jobs N] [FILE...]
       kumoji-analyse --explain [--json] [--tables] [--jobs N] [FILE...]
       kumoji-analyse --generate N --technique T [--seed S] [--json]

Checks whether puzzle positions are fit to be asked as questions: a fit
position has exactly one forced move, found without guessing.

Reads puzzle texts, one per line, from each FILE in turn, or from standard
input when no FILE is named ("-" also names standard input). A puzzle text is
81 digits 0-9, row by row from the top-left cell, 0 for an empty cell. Blank
lines and lines that start with '#' are skipped. A line that is not a puzzle
text, or whose givens repeat a digit in a row, column or box, is reported on
standard error with its file and line number and skipped; the other lines are
still processed, and the exit status is then 1.

Cells are named as the board labels them: column letter A-I from the left,
row number 1-9 from the top (E1 is the fifth cell of the first row).

Modes:
  (default)      one line per puzzle: the text, then "ok CELL DIGIT TECHNIQUE"
                 when the position has exactly one forced move, else "unfit".
                 TECHNIQUE names what finds the move: smEmptyCell, smLeftPlace
                 or smMissingNumber when that single finds it on the position
                 as given (and no easier kind finds anything); smMyReserved,
                 smYourReserved or smOurReserved when the position has no
                 single and the move appears only after locked candidates,
                 then naked subsets, then hidden subsets; "none" otherwise.
  --solve        runs the answer step from the position until it is solved,
                 stuck or in contradiction, using singles and the reservation
                 techniques. Prints the puzzle text, one line per placement
                 "CELL=DIGIT TECHNIQUE" (the technique identifier, such as
                 smLeftPlace), then "solved", "stuck" or "contradiction"
                 followed by the final grid text.
  --solve --deep as --solve, adding the assumption and trial techniques when
                 the others find nothing (--deep alone implies --solve).
  --explain      as the default mode, and under the line of each fit position
                 the explanation of its forced move, one line a step, indented:
                   "  1. TEXT", "  2. TEXT", ... for the steps that remove
                 candidates (locked candidates, naked or hidden subsets and
                 the techniques beyond them, from the candidates the givens
                 leave), then "  => TEXT" for the
                 single that places the move. Techniques 1 to 3 take no steps.
                 A position the reservation passes leave without its move is
                 tried here with the techniques beyond subsets, smXWing to
                 smSimpleColouring, then smKeepOff and smGetOut: the first
                 whose own passes make the move the only single, and which
                 the move needs exactly (no single after the general locked
                 candidates, naked and hidden subsets of 2 to 4 cells and the
                 techniques before it), is named and explained.
                 A fit position the explainer cannot explain, or explains as
                 another move or technique, is reported on standard error,
                 and the exit status is then 1.
  --generate N   writes N fresh questions whose forced move needs technique T,
                 one puzzle text per line; reads no input. Each is the only
                 forced move of its position, also after every reservation
                 pass, and no given can be taken out without losing that.
  --technique T  1 to 8 or 10 to 17, or the identifier: smEmptyCell,
                 smLeftPlace, smMissingNumber, smMyReserved, smYourReserved,
                 smOurReserved, smKeepOff, smGetOut, smXWing, smSkyscraper,
                 sm2StringKite, smSwordfish, smXYWing, smXYZWing, smWWing,
                 smSimpleColouring.
  --seed S       seed of the generation (an unsigned integer); the same seed
                 writes the same questions. Without it, a random seed.

Options:
  --json         one JSON object per puzzle, one per line:
                 {"puzzle": TEXT, "fit": true, "cell": "E1", "digit": 5,
                 "technique": "smLeftPlace"} ("fit": false and no cell, digit
                 or technique for an unfit position), or with --generate:
                 {"puzzle": TEXT, "cell": "E1", "digit": 5,
                 "technique": "smLeftPlace"}, or
                 with --explain, for a fit position (an unfit one as above):
                 {"puzzle": TEXT, "cell": "B3", "digit": 7,
                 "technique": "smYourReserved", "steps": [{"technique":
                 "smYourReserved", "digits": [4, 8], "cells": ["C3", "E3"],
                 "units": ["row 3"], "removes": [{"cell": "G3", "digit": 4},
                 ...]}, ...], "single": {"kind": "smMissingNumber", "unit":
                 null, "cell": "B3", "digit": 7}, "text": [LINE, ...]}
                 where units are "row 1"-"row 9", "column A"-"column I" and
                 "box 1"-"box 9" (left to right, then top to bottom), and the
                 single's unit is null for smMissingNumber. Steps of a fish
                 add "cover" (its cover lines) after "units", and steps of
                 simple colouring "colours" (0 or 1 for each cell) and
                 "links" ([I, J, UNIT], I and J indexes into "cells"); or
                 with --solve:
                 {"puzzle": TEXT, "steps": [{"cell": "E1", "digit": 5,
                 "technique": "smLeftPlace"}, ...], "outcome": "solved",
                 "grid": FINAL_TEXT}
  --tables       analyses the game's own question tables first (then any FILE).
  --jobs N       analyses the puzzles on N threads (default: one per processor
                 core); the output is the same, in input order, for any N.
  --help         shows this text.

Exit status: 0 when every line was analysed, 1 when some input was rejected
or a file could not be read, 2 for a wrong command line.
)";

// A thread count from the command line: a whole number from 1 to 1024.
bool ParseJobs(std::string_view Text, int& Jobs) {
    int Value = 0;
    const auto [End, Ec] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (Ec != std::errc() || End != Text.data() + Text.size() || Value < 1 || Value > 1024) {
        return false;
    }
    Jobs = Value;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    using namespace kumoji;
    std::ios::sync_with_stdio(false);

    TAnalyseOptions Options;
    bool Tables = false;
    std::optional<int> Generate;
    std::optional<TSolveMethod> Technique;
    std::optional<std::uint64_t> Seed;
    const auto Wrong = [](const std::string& Message) {
        std::fprintf(stderr, "kumoji-analyse: %s\nTry 'kumoji-analyse --help'.\n", Message.c_str());
        return 2;
    };
    std::vector<std::string> Files;
    bool OptionsDone = false;
    int Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (int I = 1; I < argc; ++I) {
        const std::string_view Arg = argv[I];
        if (OptionsDone || Arg == "-" || Arg.empty() || Arg[0] != '-') {
            Files.emplace_back(Arg);
        } else if (Arg == "--") {
            OptionsDone = true;
        } else if (Arg == "--help" || Arg == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else if (Arg == "--solve") {
            Options.Solve = true;
        } else if (Arg == "--deep") {
            Options.Solve = true;
            Options.Deep = true;
        } else if (Arg == "--explain") {
            Options.Explain = true;
        } else if (Arg == "--json") {
            Options.Json = true;
        } else if (Arg == "--tables") {
            Tables = true;
        } else if (Arg == "--generate" || Arg == "--technique" || Arg == "--seed") {
            if (I + 1 >= argc) {
                return Wrong(std::string(Arg) + " needs a value");
            }
            const std::string Value = argv[++I];
            std::size_t End = 0;
            try {
                if (Arg == "--technique") {
                    Technique = ParseTechnique(Value);
                    End = Technique ? Value.size() : 0;
                } else if (Arg == "--generate" && Value.find('-') == std::string::npos) {
                    Generate = std::stoi(Value, &End);
                } else if (Value.find('-') == std::string::npos) {
                    Seed = std::stoull(Value, &End);
                }
            } catch (const std::exception&) {
                End = 0;
            }
            if (Value.empty() || End != Value.size()) {
                return Wrong("bad value for " + std::string(Arg) + ": " + Value);
            }
        } else if (Arg == "--jobs" || Arg.starts_with("--jobs=")) {
            const bool Joined = Arg != "--jobs";
            const std::string_view Value =
                Joined ? Arg.substr(7) : (I + 1 < argc ? std::string_view(argv[++I]) : "");
            if (!ParseJobs(Value, Jobs)) {
                return Wrong("--jobs needs a number from 1 to 1024");
            }
        } else {
            std::fprintf(stderr,
                         "kumoji-analyse: unknown option %s\nTry 'kumoji-analyse --help'.\n",
                         argv[I]);
            return 2;
        }
    }

    if (Options.Explain && Options.Solve) {
        return Wrong("--explain and --solve do not go together");
    }
    if (Generate || Technique || Seed) {
        if (!Generate || !Technique) {
            return Wrong("--generate and --technique go together");
        }
        if (Options.Explain) {
            return Wrong("--generate explains nothing; pipe its output into --explain");
        }
        if (Tables || Options.Solve || !Files.empty()) {
            return Wrong("--generate reads no input and solves nothing");
        }
        WriteGenerated(*Generate, *Technique, Seed ? *Seed : std::random_device{}(), Options.Json,
                       stdout);
        return 0;
    }

    TAnalyser Analyser(Options, stdout, stderr);
    auto AnalyseStream = [&](std::istream& In, std::string_view Source) {
        if (Jobs > 1) {
            AnalyseStreamOnThreads(Analyser, Options, In, Source, Jobs);
        } else {
            Analyser.AnalyseStream(In, Source);
        }
    };
    if (Tables) {
        auto Run = [&](std::string_view Name, std::string_view Technique, const auto& Table) {
            Analyser.Comment(std::string(Name) + " (" + std::string(Technique) + ")");
            int Number = 0;
            for (std::string_view Text : Table) {
                Analyser.AnalyseLine(Text, Name, ++Number);
            }
        };
        Run("EmptyCellQuestions", "smEmptyCell", EmptyCellQuestions);
        Run("LeftPlaceQuestions", "smLeftPlace", LeftPlaceQuestions);
        Run("MissingNumberQuestions", "smMissingNumber", MissingNumberQuestions);
    }
    if (Files.empty() && !Tables) {
        Files.emplace_back("-");
    }
    for (const std::string& File : Files) {
        if (File == "-") {
            AnalyseStream(std::cin, "<stdin>");
            continue;
        }
        std::ifstream In(File, std::ios::binary);
        if (!In) {
            Analyser.Error(File + ": cannot open: " + std::strerror(errno));
            continue;
        }
        AnalyseStream(In, File);
        if (In.bad()) {
            Analyser.Error(File + ": read error");
        }
    }
    Analyser.Flush();
    return Analyser.Failed() ? 1 : 0;
}
