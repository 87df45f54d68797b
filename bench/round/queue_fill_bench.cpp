// Time to fill the 24-question queue of each generated route: the player waits for it.
#include "engine/grid/random.h"
#include "game/round/generated_queue.h"

#include <benchmark/benchmark.h>
#include <random>

namespace kumoji {
namespace {

void BM_FillRouteQueue(benchmark::State& State) {
    const int Route = static_cast<int>(State.range(0));
    std::mt19937 Seeds(7);
    SetRandomSource(
        [&Seeds](int N) { return static_cast<int>(Seeds() % static_cast<unsigned>(N)); });
    for (auto _ : State) {
        TGeneratedQueue Queue(Route);
        Queue.Fill();
        benchmark::DoNotOptimize(Queue.Entries().data());
    }
    SetRandomSource(nullptr);
}
BENCHMARK(BM_FillRouteQueue)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
} // namespace kumoji
