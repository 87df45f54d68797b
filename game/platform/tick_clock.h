#pragma once

#include <cstdint>
#include <functional>

namespace kumoji {

using TTickSource = std::function<std::uint32_t()>;

// Milliseconds of a monotonic clock; wraps like any 32-bit tick count.
std::uint32_t GetTickCount();

// Replaces the clock, so tests can step time without waiting; an empty
// function restores the monotonic clock.
void SetTickSource(TTickSource Source);

} // namespace kumoji
