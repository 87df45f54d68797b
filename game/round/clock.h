// The time source of a round, passed in so that tests step time without waiting.
#pragma once

#include <cstdint>

namespace kumoji {

class TClock {
public:
    virtual ~TClock() = default;
    // Milliseconds of a monotonic tick count; may wrap like any 32-bit count.
    virtual std::uint32_t Now() const = 0;
};

} // namespace kumoji
