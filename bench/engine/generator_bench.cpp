// Questions generated per second for each technique.
#include "engine/question/generator.h"

#include <benchmark/benchmark.h>
#include <random>

namespace kumoji {
namespace {

void BM_GenerateQuestion(benchmark::State& State) {
    const auto Technique = static_cast<TSolveMethod>(State.range(0));
    std::mt19937 Engine(42);
    const TRandomDraw Draw = [&Engine](int N) {
        return static_cast<int>(Engine() % static_cast<unsigned>(N));
    };
    State.SetLabel(std::string(SolveMethodNames[Technique]));
    for (auto _ : State) {
        benchmark::DoNotOptimize(GenerateQuestion(Technique, Draw));
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_GenerateQuestion)->DenseRange(1, 6)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace kumoji
