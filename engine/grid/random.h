// The process-wide random source, replaceable for tests.
#pragma once

#include <functional>

namespace kumoji {

// Uniform integer 0..n-1 from the one process-wide generator; 0 when n < 1.
int Random(int n);

// Seeds the process-wide generator from the clock (the game does this once at start).
void Randomize();

// Replaces the generator, so tests can script the sequence of draws; an empty
// function restores the default generator.
void SetRandomSource(std::function<int(int)> Source);

} // namespace kumoji
