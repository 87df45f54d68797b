// The cost of explaining a question, and of the routes' questions that must also be explainable.
#include "engine/explain/explained_question.h"
#include "engine/grid/puzzle_text.h"

#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace kumoji {
namespace {

TRandomDraw SeededDraw(std::mt19937& Engine) {
    return [&Engine](int N) { return static_cast<int>(Engine() % static_cast<unsigned>(N)); };
}

// One explanation a question, over the same 20 generated questions of the technique.
void BM_Explain(benchmark::State& State) {
    const auto Technique = static_cast<TSolveMethod>(State.range(0));
    std::mt19937 Engine(42);
    const TRandomDraw Draw = SeededDraw(Engine);
    struct TAsked {
        TMatrix Grid;
        TPoint Cell;
        int Digit;
    };
    std::vector<TAsked> Questions;
    for (int K = 0; K < 20; ++K) {
        const TGeneratedQuestion Q = GenerateExplainedQuestion(Technique, Draw);
        TAsked Asked{TMatrix(), Q.Cell, Q.Digit};
        SetPuzzle(Asked.Grid, Q.Text);
        Questions.push_back(Asked);
    }
    State.SetLabel(std::string(SolveMethodNames[Technique]));
    std::size_t Next = 0;
    for (auto _ : State) {
        const TAsked& Q = Questions[Next++ % Questions.size()];
        benchmark::DoNotOptimize(Explain(Q.Grid, Q.Cell, Q.Digit));
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_Explain)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

void BM_GenerateExplainedQuestion(benchmark::State& State) {
    const auto Technique = static_cast<TSolveMethod>(State.range(0));
    std::mt19937 Engine(42);
    const TRandomDraw Draw = SeededDraw(Engine);
    State.SetLabel(std::string(SolveMethodNames[Technique]));
    for (auto _ : State) {
        benchmark::DoNotOptimize(GenerateExplainedQuestion(Technique, Draw));
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_GenerateExplainedQuestion)
    ->DenseRange(1, 6)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

} // namespace
} // namespace kumoji
