// Random draws for tests: from a fixed seed, so that every run draws the same numbers.
#pragma once

namespace kumoji::test {

// The process-wide generator draws from a generator seeded with Seed from now
// on; the game's own seeding from the clock at start-up no longer reaches it.
void UseSeededRandom(unsigned Seed = 20261208);

} // namespace kumoji::test
