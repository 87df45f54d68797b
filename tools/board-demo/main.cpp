#include "board/explain_panel.h"
#include "board/sudoku.h"
#include "engine/explain/explanation.h"
#include "engine/grid/puzzle_text.h"
#include "engine/grid/random.h"
#include "engine/question/technique_needs.h"
#include "game/tables.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>
#include <string>

namespace {

constexpr const char* Usage =
    R"(Usage: kumoji-board-demo [--seed N | --as-given] [--hints D] [--explain]
                         [--scale S] [--screenshot FILE] [PUZZLE]

Shows the board alone at the size the main window gives it (578 by 485),
with PUZZLE loaded and its givens fixed; the window can be resized, and the
board is drawn again at its new size. PUZZLE is 81 digits 0-9, row by
row from the top-left cell, 0 for an empty cell; without it the first
question of the missing-number table is shown. The puzzle is printed as
the board shows it.

  --seed N           seeds the random transform, so a picture can be made again
  --as-given         shows PUZZLE as written, without the random transform
  --hints D          shows the hints of digit D (1-9), or of all digits for 0
  --explain          shows PUZZLE as written with the explanation of its one
                     forced move drawn on the board and its text below it;
                     the text is also printed, one line each
  --scale S          starts the board at S times its size (0.25 to 4)
  --screenshot FILE  saves a PNG of the window to FILE and exits
)";

std::optional<int> ParseNumber(const char* Text, int Low, int High) {
    try {
        std::size_t Used = 0;
        const int Value = std::stoi(Text, &Used);
        if (Used == std::char_traits<char>::length(Text) && Value >= Low && Value <= High) {
            return Value;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

int Fail(const std::string& Message) {
    std::cerr << "kumoji-board-demo: " << Message << "\n\n" << Usage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<int> Seed;
    std::optional<int> Hints;
    bool AsGiven = false;
    bool Explain = false;
    double Scale = 1.0;
    std::string Screenshot;
    std::string Puzzle(kumoji::MissingNumberQuestions[0]);
    for (int I = 1; I < argc; ++I) {
        const std::string Arg = argv[I];
        const bool HasValue = I + 1 < argc;
        if (Arg == "--help" || Arg == "-h") {
            std::cout << Usage;
            return 0;
        } else if (Arg == "--seed" && HasValue) {
            Seed = ParseNumber(argv[++I], 0, 2147483647);
            if (!Seed) {
                return Fail("--seed needs a number from 0");
            }
        } else if (Arg == "--hints" && HasValue) {
            Hints = ParseNumber(argv[++I], 0, 9);
            if (!Hints) {
                return Fail("--hints needs a digit 0-9");
            }
        } else if (Arg == "--as-given") {
            AsGiven = true;
        } else if (Arg == "--explain") {
            AsGiven = true;
            Explain = true;
        } else if (Arg == "--scale" && HasValue) {
            char* End = nullptr;
            Scale = std::strtod(argv[++I], &End);
            if (*End != '\0' || !(Scale >= 0.25 && Scale <= 4)) {
                return Fail("--scale needs a number from 0.25 to 4");
            }
        } else if (Arg == "--screenshot" && HasValue) {
            Screenshot = argv[++I];
        } else if (!Arg.empty() && Arg[0] == '-') {
            return Fail("unknown option or missing value: " + Arg);
        } else if (kumoji::IsPuzzleText(Arg)) {
            Puzzle = Arg;
        } else {
            return Fail("not a puzzle text: " + Arg);
        }
    }

    QApplication App(argc, argv);
    std::mt19937 Generator(Seed.value_or(0));
    if (Seed) {
        kumoji::SetRandomSource([&Generator](int N) {
            return std::uniform_int_distribution<int>(0, N - 1)(Generator);
        });
    } else {
        kumoji::Randomize();
    }

    // With an explanation the window is the board above its text.
    QWidget Window;
    Window.setWindowTitle(QStringLiteral("Kumoji"));
    kumoji::TSudoku Board(Explain ? &Window : nullptr);
    QWidget& Shown = Explain ? Window : static_cast<QWidget&>(Board);
    if (!Explain) {
        Board.setWindowTitle(QStringLiteral("Kumoji"));
    }
    const QSize Size(qRound(kumoji::DesignBoardWidth * Scale),
                     qRound(kumoji::DesignBoardHeight * Scale));
    if (Explain) {
        Board.setFixedSize(Size);
    } else {
        Board.resize(Size);
    }
    Shown.show();
    // The demo shows a position, at once: its screenshot is taken before a deal would end.
    kumoji::TSudoku::SetPieceDelay(std::chrono::milliseconds(0));
    Board.Start();
    if (AsGiven) {
        Board.LoadPuzzleAsGiven(Puzzle);
    } else {
        Board.LoadPuzzle(Puzzle);
    }
    Board.Fix();
    if (Hints) {
        Board.ShowHints(*Hints);
    }
    std::cout << Puzzle << '\n';

    if (Explain) {
        kumoji::TPoint Cell;
        int Digit = 0;
        // The techniques beyond subsets find the moves the plain check cannot.
        if (!Board.FindQuestion(Cell, Digit, true) &&
            kumoji::FindQuestionBeyondSubsets(Board.Matrix(), Cell, Digit) == kumoji::smNone) {
            std::cerr << "kumoji-board-demo: the puzzle has no one forced move to explain\n";
            return 1;
        }
        const std::optional<kumoji::TExplanation> Explanation =
            kumoji::Explain(Board.Matrix(), Cell, Digit);
        if (!Explanation) {
            std::cerr << "kumoji-board-demo: no explanation for its forced move\n";
            return 1;
        }
        // As the game's board at a verdict: no keyboard cursor.
        Board.setEnabled(false);
        Board.ShowExplanation(*Explanation, Board.Matrix());
        for (const std::string& Line : Explanation->Text) {
            std::cout << Line << '\n';
        }
        // A dark strip under the board, as the game sets the text over its picture.
        auto* Strip = new QWidget(&Window);
        QPalette Dark = Strip->palette();
        Dark.setColor(QPalette::Window, QColor(38, 50, 56));
        Strip->setPalette(Dark);
        Strip->setAutoFillBackground(true);
        auto* Text = new kumoji::TExplainPanel(Strip);
        const auto Px = [&Board](double Design) { return Board.Geometry().Px(Design); };
        Text->SetScale(Board.Geometry().Scale);
        Text->SetArea(QRect(Px(8), Px(8), Board.width() - Px(16), Px(400)));
        Text->SetLines(Explanation->Text);
        Strip->setGeometry(0, Board.height(), Board.width(), Text->height() + Px(16));
        Strip->show();
        Window.setFixedSize(Board.width(), Board.height() + Strip->height());
    }

    if (!Screenshot.empty()) {
        QCoreApplication::processEvents();
        if (!Shown.grab().save(QString::fromStdString(Screenshot), "PNG")) {
            std::cerr << "kumoji-board-demo: cannot write " << Screenshot << '\n';
            return 1;
        }
        return 0;
    }
    return App.exec();
}
