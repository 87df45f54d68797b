// The process-wide random source, replaceable for tests.
#include "engine/grid/random.h"

#include <chrono>
#include <random>
#include <utility>

namespace kumoji {

namespace {

std::mt19937& Generator() {
    static std::mt19937 Engine;
    return Engine;
}

std::function<int(int)>& Source() {
    static std::function<int(int)> Scripted;
    return Scripted;
}

} // namespace

int Random(int n) {
    if (n < 1) {
        return 0;
    }
    if (const auto& Scripted = Source()) {
        // A script that strays out of range must not send callers past their arrays.
        const int Value = Scripted(n) % n;
        return Value < 0 ? Value + n : Value;
    }
    return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

void Randomize() {
    const auto Ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::mt19937::result_type>(Ticks ^ (Ticks >> 32)));
}

void SetRandomSource(std::function<int(int)> NewSource) {
    Source() = std::move(NewSource);
}

} // namespace kumoji
