// Questions generated per second for each technique.
#include "engine/explain/explained_question.h"
#include "engine/question/generator.h"

#include <benchmark/benchmark.h>
#include <random>

namespace kumoji {
namespace {

template <TGeneratedQuestion (*Generate)(TSolveMethod, const TRandomDraw&)>
void GenerateAtRate(benchmark::State& State) {
    const auto Technique = static_cast<TSolveMethod>(State.range(0));
    std::mt19937 Engine(42);
    const TRandomDraw Draw = [&Engine](int N) {
        return static_cast<int>(Engine() % static_cast<unsigned>(N));
    };
    State.SetLabel(std::string(SolveMethodNames[Technique]));
    for (auto _ : State) {
        benchmark::DoNotOptimize(Generate(Technique, Draw));
    }
    State.SetItemsProcessed(State.iterations());
}

TGeneratedQuestion Plain(TSolveMethod Technique, const TRandomDraw& Random) {
    return GenerateQuestion(Technique, Random);
}

void BM_GenerateQuestion(benchmark::State& State) {
    GenerateAtRate<Plain>(State);
}
BENCHMARK(BM_GenerateQuestion)
    ->DenseRange(1, 8)
    ->DenseRange(10, 17)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// What the routes ask beyond subsets: generated and explained, since a
// route's queue takes only questions the player can be shown.
void BM_GenerateExplainedQuestion(benchmark::State& State) {
    GenerateAtRate<GenerateExplainedQuestion>(State);
}
BENCHMARK(BM_GenerateExplainedQuestion)
    ->DenseRange(7, 8)
    ->DenseRange(10, 17)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

} // namespace
} // namespace kumoji
