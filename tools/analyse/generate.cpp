// The tool's generation mode: fresh questions of one technique.
#include "tools/analyse/generate.h"

#include "engine/explain/explained_question.h"
#include "engine/grid/puzzle_text.h"

#include <random>
#include <string>

namespace kumoji {

std::optional<TSolveMethod> ParseTechnique(std::string_view Text) {
    for (int T = smEmptyCell; T < SolveMethodCount; ++T) {
        if (T == smPuzzled) {
            continue;
        }
        if (Text == SolveMethodNames[T] || Text == std::to_string(T)) {
            return static_cast<TSolveMethod>(T);
        }
    }
    return std::nullopt;
}

void WriteGenerated(int Count, TSolveMethod Technique, std::uint64_t Seed, bool Json,
                    std::FILE* Out) {
    std::mt19937_64 Engine(Seed);
    // Modulo of the 64-bit draw: the bias is far below anything a question
    // could show, and the sequence is the same with every standard library.
    const TRandomDraw Draw = [&Engine](int N) {
        return static_cast<int>(Engine() % static_cast<std::uint64_t>(N));
    };
    std::string Line;
    for (int K = 0; K < Count; ++K) {
        const TGeneratedQuestion Question = GenerateExplainedQuestion(Technique, Draw);
        if (Json) {
            Line = "{\"puzzle\": \"" + Question.Text + "\", \"cell\": \"" +
                   CellName(Question.Cell.X, Question.Cell.Y) +
                   "\", \"digit\": " + std::to_string(Question.Digit) + ", \"technique\": \"" +
                   std::string(SolveMethodNames[Question.Technique]) + "\"}\n";
        } else {
            Line = Question.Text + "\n";
        }
        std::fputs(Line.c_str(), Out);
    }
    std::fflush(Out);
}

} // namespace kumoji
