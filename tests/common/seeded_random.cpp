// Random draws for tests: from a fixed seed, so that every run draws the same numbers.
#include "seeded_random.h"

#include "engine/grid/random.h"

#include <memory>
#include <random>

namespace kumoji::test {

void UseSeededRandom(unsigned Seed) {
    auto Generator = std::make_shared<std::mt19937>(Seed);
    SetRandomSource(
        [Generator](int N) { return std::uniform_int_distribution<int>(0, N - 1)(*Generator); });
}

} // namespace kumoji::test
