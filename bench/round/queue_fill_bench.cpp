// Time to make a generated route's questions: a whole round of 24, and the one question that
// a step ahead or a Play with none waiting makes, which is the longest the window waits.
#include "engine/grid/random.h"
#include "game/round/generated_queue.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>
#include <vector>

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
        benchmark::DoNotOptimize(Queue.Entries().size());
    }
    SetRandomSource(nullptr);
}
BENCHMARK(BM_FillRouteQueue)->DenseRange(1, 6)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_OneQuestionOfARoute(benchmark::State& State) {
    const int Route = static_cast<int>(State.range(0));
    std::mt19937 Seeds(11);
    SetRandomSource(
        [&Seeds](int N) { return static_cast<int>(Seeds() % static_cast<unsigned>(N)); });
    TGeneratedQueue Queue(Route);
    for (auto _ : State)
        benchmark::DoNotOptimize(Queue.Take(0));
    SetRandomSource(nullptr);
}
BENCHMARK(BM_OneQuestionOfARoute)->DenseRange(1, 6)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The slowest of the route's questions, which bounds how long one step holds the window: the
// counters give the slowest and the 99th percentile in milliseconds.
void BM_SlowestQuestionOfARoute(benchmark::State& State) {
    const int Route = static_cast<int>(State.range(0));
    std::mt19937 Seeds(13);
    SetRandomSource(
        [&Seeds](int N) { return static_cast<int>(Seeds() % static_cast<unsigned>(N)); });
    TGeneratedQueue Queue(Route);
    std::vector<double> Times;
    for (auto _ : State) {
        const auto Start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(Queue.Take(0));
        Times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start)
                .count());
    }
    SetRandomSource(nullptr);
    std::sort(Times.begin(), Times.end());
    if (!Times.empty()) {
        State.counters["slowest_ms"] = Times.back();
        State.counters["p99_ms"] = Times[Times.size() * 99 / 100];
    }
}
BENCHMARK(BM_SlowestQuestionOfARoute)
    ->DenseRange(4, 6)
    ->Iterations(400)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kumoji
