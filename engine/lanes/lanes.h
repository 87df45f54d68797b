// Four-lane integer vectors for the sweeps over the whole grid.
#pragma once

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

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

// Each lane's digit 1..9 as its candidate bit, 0 for an empty or stray
// value. The bit is 2^(d-1) built as a float's exponent, since these
// registers cannot shift each lane by its own count.
inline TInt4 DigitBits4(TInt4 Value) {
    const TInt4 Digit = Value & ((Value > 0) & (Value <= 9));
    // An empty or stray lane becomes 0.5, which truncates to 0.
    const TFloat4 Power = reinterpret_cast<TFloat4>((Digit + 126) << 23);
    return __builtin_convertvector(Power, TInt4);
}

// The lanes whose sign bit is set, as bits 0..3.
inline int LaneSigns(TInt4 Lanes) {
#if defined(__SSE2__)
    return _mm_movemask_ps(reinterpret_cast<__m128>(Lanes));
#else
    int Signs = 0;
    for (int K = 0; K < 4; ++K) {
        Signs |= (Lanes[K] < 0) << K;
    }
    return Signs;
#endif
}

// True when some mask has bits beyond the nine digits (0x1FF), four cells
// at a time: the passes read such grids the plain way.
inline bool HasStrayBits(const std::array<int, 81>& Masks) {
    TInt4 Any = TInt4{Masks[80], 0, 0, 0};
#pragma GCC unroll 20
    for (int I = 0; I < 80; I += 4) {
        Any |= LoadLanes(&Masks[I]);
    }
    return ((Any[0] | Any[1] | Any[2] | Any[3]) & ~0x1FF) != 0;
}

} // namespace kumoji
