// Four-lane integer vectors for the sweeps over the whole grid.
#pragma once

#include <cstring>

namespace kumoji {

// Four cells at a time in the 16-byte vector registers every target has.
using TInt4 = int __attribute__((vector_size(16)));
using TFloat4 = float __attribute__((vector_size(16)));

// Four consecutive ints from any address.
inline TInt4 LoadLanes(const int* From) {
    TInt4 Lanes;
    std::memcpy(&Lanes, From, sizeof Lanes);
    return Lanes;
}

} // namespace kumoji
