#include "game/tables.h"
#include "tools/analyse/analyser.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* Usage =
    R"(Usage: kumoji-analyse [--solve [--deep]] [--json] [--tables] [FILE...]

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
  (default)      one line per puzzle: the text, then "ok CELL DIGIT" when the
                 position has exactly one forced move, else "unfit".
  --solve        runs the answer step from the position until it is solved,
                 stuck or in contradiction, using singles and the reservation
                 techniques. Prints the puzzle text, one line per placement
                 "CELL=DIGIT TECHNIQUE" (the technique identifier, such as
                 smLeftPlace), then "solved", "stuck" or "contradiction"
                 followed by the final grid text.
  --solve --deep as --solve, adding the assumption and trial techniques when
                 the others find nothing (--deep alone implies --solve).

Options:
  --json         one JSON object per puzzle, one per line:
                 {"puzzle": TEXT, "fit": true, "cell": "E1", "digit": 5}
                 ("fit": false and no cell or digit for an unfit position), or
                 with --solve:
                 {"puzzle": TEXT, "steps": [{"cell": "E1", "digit": 5,
                 "technique": "smLeftPlace"}, ...], "outcome": "solved",
                 "grid": FINAL_TEXT}
  --tables       analyses the game's own question tables first (then any FILE).
  --help         shows this text.

Exit status: 0 when every line was analysed, 1 when some input was rejected
or a file could not be read, 2 for a wrong command line.
)";

} // namespace

int main(int argc, char** argv) {
    using namespace kumoji;
    std::ios::sync_with_stdio(false);

    TAnalyseOptions Options;
    bool Tables = false;
    std::vector<std::string> Files;
    bool OptionsDone = false;
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
        } else if (Arg == "--json") {
            Options.Json = true;
        } else if (Arg == "--tables") {
            Tables = true;
        } else {
            std::fprintf(stderr,
                         "kumoji-analyse: unknown option %s\nTry 'kumoji-analyse --help'.\n",
                         argv[I]);
            return 2;
        }
    }

    TAnalyser Analyser(Options, stdout, stderr);
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
            Analyser.AnalyseStream(std::cin, "<stdin>");
            continue;
        }
        std::ifstream In(File, std::ios::binary);
        if (!In) {
            Analyser.Error(File + ": cannot open: " + std::strerror(errno));
            continue;
        }
        Analyser.AnalyseStream(In, File);
        if (In.bad()) {
            Analyser.Error(File + ": read error");
        }
    }
    Analyser.Flush();
    return Analyser.Failed() ? 1 : 0;
}
