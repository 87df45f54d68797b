#include "tools/analyse/analyser.h"

#include "engine/explain/explanation.h"
#include "engine/grid/puzzle_text.h"
#include "engine/question/answer_step.h"
#include "engine/question/question.h"
#include "engine/question/question_technique.h"
#include "engine/question/technique_needs.h"
#include "tools/analyse/explain_output.h"

#include <array>
#include <charconv>
#include <optional>
#include <utility>

namespace kumoji {

namespace {

constexpr std::size_t FlushSize = 1 << 16;

std::string_view Outcome(int Result) {
    switch (Result) {
    case StepSolved:
        return "solved";
    case StepContradiction:
        return "contradiction";
    default:
        return "stuck";
    }
}

void AppendInt(std::string& Buffer, int Value) {
    char Digits[16];
    auto [End, Ec] = std::to_chars(Digits, Digits + sizeof Digits, Value);
    (void)Ec;
    Buffer.append(Digits, End);
}

bool IsBlank(std::string_view Line) {
    return Line.find_first_not_of(" \t") == std::string_view::npos;
}

// Why a line is not a puzzle text, for the error message.
std::string Reason(std::string_view Line) {
    for (std::size_t I = 0; I < Line.size() && I < 81; ++I) {
        if (Line[I] < '0' || Line[I] > '9') {
            return "character " + std::to_string(I + 1) + " is not a digit 0-9";
        }
    }
    return "expected 81 digits 0-9, found " + std::to_string(Line.size()) + " characters";
}

// Two equal givens in one unit: the board refuses the later one, so the text
// does not describe the position that would be played.
std::string Clash(std::string_view Text) {
    std::array<int, 9> Rows{}, Cols{}, Boxes{};
    std::array<int, 27 * 10> First{};
    for (int Index = 0; Index < 81; ++Index) {
        const int Digit = Text[Index] - '0';
        if (Digit == 0) {
            continue;
        }
        const int Col = Index % 9, Row = Index / 9, Box = Row / 3 * 3 + Col / 3;
        const int Bit = 1 << Digit;
        for (auto [Seen, Unit] : {std::pair{&Rows[Row], Row}, std::pair{&Cols[Col], 9 + Col},
                                  std::pair{&Boxes[Box], 18 + Box}}) {
            if (*Seen & Bit) {
                const int Other = First[Unit * 10 + Digit];
                return std::string("givens clash: ") + Text[Index] + " at " +
                       CellName(Other % 9, Other / 9) + " and " + CellName(Col, Row);
            }
            *Seen |= Bit;
            First[Unit * 10 + Digit] = Index;
        }
    }
    return {};
}

} // namespace

std::string_view TechniqueName(TSolveMethod Technique) {
    return Technique == smNone ? std::string_view("none") : SolveMethodNames[Technique];
}

TAnalyser::TAnalyser(const TAnalyseOptions& Options, std::FILE* Out, std::FILE* Err)
    : Options(Options), Out(Out), Err(Err) {
    Buffer.reserve(FlushSize + 4096);
    Steps.reserve(81);
}

TAnalyser::~TAnalyser() {
    Flush();
}

void TAnalyser::Flush() {
    if (Out == nullptr) {
        return;
    }
    if (!Buffer.empty()) {
        std::fwrite(Buffer.data(), 1, Buffer.size(), Out);
        Buffer.clear();
    }
    std::fflush(Out);
}

void TAnalyser::Error(std::string_view Message) {
    HadError = true;
    if (Out == nullptr) {
        Errors.emplace_back(Buffer.size(), Message);
        return;
    }
    // Keep the results printed so far ahead of the message.
    Flush();
    std::fprintf(Err, "kumoji-analyse: %.*s\n", static_cast<int>(Message.size()), Message.data());
}

void TAnalyser::Comment(std::string_view Text) {
    if (!Options.Json) {
        Buffer.append("# ").append(Text).push_back('\n');
    }
}

bool TAnalyser::Check(std::string_view Line, std::string_view Source, int LineNumber) {
    std::string Problem;
    if (!IsPuzzleText(Line)) {
        Problem = "not a puzzle text: " + Reason(Line);
    } else {
        Problem = Clash(Line);
    }
    if (Problem.empty()) {
        return true;
    }
    std::string Message(Source);
    Message.append(":").append(std::to_string(LineNumber)).append(": ").append(Problem);
    Error(Message);
    return false;
}

void TAnalyser::AnalyseLine(std::string_view Line, std::string_view Source, int LineNumber) {
    if (!Line.empty() && Line.back() == '\r') {
        Line.remove_suffix(1);
    }
    if (IsBlank(Line) || Line.front() == '#') {
        return;
    }
    if (!Check(Line, Source, LineNumber)) {
        return;
    }
    SetPuzzle(Grid, Line);
    if (Options.Solve) {
        Solve(Line);
    } else {
        Question(Line, Source, LineNumber);
    }
    if (Out != nullptr && Buffer.size() >= FlushSize) {
        std::fwrite(Buffer.data(), 1, Buffer.size(), Out);
        Buffer.clear();
    }
}

TCaptured TAnalyser::TakeCaptured() {
    TCaptured Captured{std::move(Buffer), std::move(Errors)};
    Buffer.clear();
    Errors.clear();
    return Captured;
}

void TAnalyser::Emit(const TCaptured& Captured) {
    std::size_t Done = 0;
    for (const auto& [At, Message] : Captured.Errors) {
        Buffer.append(Captured.Text, Done, At - Done);
        Done = At;
        Error(Message);
    }
    Buffer.append(Captured.Text, Done);
    if (Out != nullptr && Buffer.size() >= FlushSize) {
        std::fwrite(Buffer.data(), 1, Buffer.size(), Out);
        Buffer.clear();
    }
}

void TAnalyser::AnalyseStream(std::istream& In, std::string_view Source) {
    std::string Line;
    int LineNumber = 0;
    while (std::getline(In, Line)) {
        AnalyseLine(Line, Source, ++LineNumber);
    }
}

void TAnalyser::Question(std::string_view Text, std::string_view Source, int LineNumber) {
    TPoint Cell;
    int Digit = 0;
    bool Fit = FindQuestion(Grid, Cell, Digit, true);
    TSolveMethod Method = Fit ? QuestionTechnique(Grid, Cell, Digit) : smNone;
    // A position the reservation passes leave without its move may be a
    // question of a technique beyond subsets, fit once that technique runs.
    // Only the explanation looks for one: the verdict modes keep the
    // verdicts they always gave.
    if (Method == smNone && Options.Explain) {
        TPoint Beyond;
        int BeyondDigit = 0;
        const TSolveMethod Needed = FindQuestionBeyondSubsets(Grid, Beyond, BeyondDigit);
        if (Needed != smNone) {
            Fit = true;
            Method = Needed;
            Cell = Beyond;
            Digit = BeyondDigit;
        }
    }
    const std::string_view Technique = Fit ? TechniqueName(Method) : std::string_view();
    std::optional<TExplanation> Found;
    std::string Where, Move;
    if (Fit && Options.Explain) {
        Where = std::string(Source) + ":" + std::to_string(LineNumber) + ": ";
        Move = CellName(Cell.X, Cell.Y) + "=" + std::to_string(Digit) + " (" +
               std::string(Technique) + ")";
        Found = Explain(Grid, Cell, Digit);
        // Printing the bare verdict instead would pass a fault in the
        // explainer off as a result.
        if (!Found) {
            Error(Where + "no explanation of the forced move " + Move);
            return;
        }
    }
    if (Found && Options.Json) {
        AppendExplanationJson(Buffer, Text, Cell, Digit, Technique, *Found);
    } else if (Options.Json) {
        Buffer.append("{\"puzzle\": \"").append(Text).append("\", \"fit\": ");
        if (Fit) {
            Buffer.append("true, \"cell\": \"").append(CellName(Cell.X, Cell.Y));
            Buffer.append("\", \"digit\": ");
            AppendInt(Buffer, Digit);
            Buffer.append(", \"technique\": \"").append(Technique).append("\"}\n");
        } else {
            Buffer.append("false}\n");
        }
    } else {
        Buffer.append(Text);
        if (Fit) {
            Buffer.append(" ok ").append(CellName(Cell.X, Cell.Y)).push_back(' ');
            AppendInt(Buffer, Digit);
            Buffer.append(" ").append(Technique).push_back('\n');
        } else {
            Buffer.append(" unfit\n");
        }
        if (Found) {
            AppendExplanationText(Buffer, *Found);
        }
    }
    if (Found && (Found->Technique != Method || Found->Single.Cell != CellIndex(Cell.X, Cell.Y) ||
                  Found->Single.Digit != Digit)) {
        Error(Where + "the explanation does not end in the forced move " + Move);
    }
}

void TAnalyser::Solve(std::string_view Text) {
    Steps.clear();
    const TPlaceMove Placement = GridPlacement(Grid);
    const TPlaceMove Record = [&](int Col, int Row, int Digit, TSolveMethod Technique) {
        if (!Placement(Col, Row, Digit, Technique)) {
            return false;
        }
        Steps.push_back({Col, Row, Digit, Technique});
        return true;
    };
    // Every placed move fills an empty cell, so 81 steps always reach an end.
    int Result = StepPlaced;
    for (int Count = 0; Count <= 81 && Result == StepPlaced; ++Count) {
        Result = SolveStep(Grid, Options.Deep, Record);
    }
    const std::string Final = PuzzleTextOf(Grid);

    if (Options.Json) {
        Buffer.append("{\"puzzle\": \"").append(Text).append("\", \"steps\": [");
        for (std::size_t I = 0; I < Steps.size(); ++I) {
            const TStep& Step = Steps[I];
            Buffer.append(I == 0 ? "{\"cell\": \"" : ", {\"cell\": \"");
            Buffer.append(CellName(Step.Col, Step.Row)).append("\", \"digit\": ");
            AppendInt(Buffer, Step.Digit);
            Buffer.append(", \"technique\": \"").append(SolveMethodNames[Step.Technique]);
            Buffer.append("\"}");
        }
        Buffer.append("], \"outcome\": \"").append(Outcome(Result));
        Buffer.append("\", \"grid\": \"").append(Final).append("\"}\n");
        return;
    }
    Buffer.append(Text).push_back('\n');
    for (const TStep& Step : Steps) {
        Buffer.append(CellName(Step.Col, Step.Row)).push_back('=');
        AppendInt(Buffer, Step.Digit);
        Buffer.append(" ").append(SolveMethodNames[Step.Technique]).push_back('\n');
    }
    Buffer.append(Outcome(Result)).append(" ").append(Final).push_back('\n');
}

} // namespace kumoji
