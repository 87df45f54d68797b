// Hidden subsets (our reserved seat): n digits confined to the same n cells of a unit.
#include "engine/matrix.h"

#include <bit>
#include <cstdint>

namespace kumoji {

namespace {

// Bit k of a nibble spread to bit 0 of 16-bit lane k.
constexpr std::array<std::uint64_t, 16> NibbleLanes = [] {
    std::array<std::uint64_t, 16> Table{};
    for (int Nibble = 0; Nibble < 16; ++Nibble) {
        for (int K = 0; K < 4; ++K) {
            if (Nibble & (1 << K)) {
                Table[Nibble] |= std::uint64_t{1} << (16 * K);
            }
        }
    }
    return Table;
}();

// One unit of the pass; IsBox picks the box scan's column-by-column walk.
template <bool IsBox>
bool HiddenSubsets(const TUnitCells& Unit, const std::array<int, 81>& Values,
                   const std::array<int, 81>& Snapshot, std::array<int, 81>& Candidates) {
    bool Changed = false;
    // Places[d] as the unit's scan lists it, as a set of positions. Each
    // cell's mask as the scans see it: a scan for d stops at a cell holding
    // d, before looking at its mask; a box is scanned column by column.
    int Seen[9];
    int Stopped = 0;
    int Any = 0;
    for (int K = 0; K < 9; ++K) {
        const int P = IsBox ? BoxScanPosition(K) : K;
        const int I = Unit[P];
        Stopped |= ValueBit(Values[I]);
        Seen[P] = Snapshot[I] & AllDigits & ~Stopped;
        Any |= Seen[P];
    }
    if (Any == 0) {
        return false;
    }
    // Places[d]: the positions that admit d, a transposition of Seen done
    // four digits at a time in 16-bit lanes.
    std::uint64_t Low = 0;
    std::uint64_t High = 0;
    int Nine = 0;
    for (int P = 0; P < 9; ++P) {
        Low |= NibbleLanes[Seen[P] & 15] << P;
        High |= NibbleLanes[(Seen[P] >> 4) & 15] << P;
        Nine |= ((Seen[P] >> 8) & 1) << P;
    }
    std::array<int, 10> Places{};
    for (int K = 0; K < 4; ++K) {
        Places[1 + K] = static_cast<int>((Low >> (16 * K)) & 0x1FF);
        Places[5 + K] = static_cast<int>((High >> (16 * K)) & 0x1FF);
    }
    Places[9] = Nine;
    for (int D = 1; D <= 9; ++D) {
        const int Where = Places[D];
        // A group holds at most the digits from D up, and never no place.
        const int Count = DigitCount(Where);
        if (Count == 0 || Count > 10 - D) {
            continue;
        }
        // The digits from D up with the same places; fixed compares rather
        // than a loop whose length and outcome jump about.
        int Same = 0;
#pragma GCC unroll 9
        for (int E = 1; E <= 9; ++E) {
            Same |= (Places[E] == Where) << (E - 1);
        }
        const int Digits = Same & ~(DigitBit(D) - 1);
        if (Count != DigitCount(Digits)) {
            continue;
        }
        for (int Rest = Where; Rest != 0; Rest &= Rest - 1) {
            const int I = Unit[std::countr_zero(static_cast<unsigned>(Rest))];
            Candidates[I] = Snapshot[I] & Digits;
            Changed |= Candidates[I] != Snapshot[I];
        }
    }
    return Changed;
}

} // namespace

bool TMatrix::ApplyOurReserved() {
    // Places come from the state at the start of the call, and every write
    // starts from that state, so a later write to a cell replaces an earlier one.
    // The pass never changes a value, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    bool Changed = false;
    for (int U = 0; U < 18; ++U) {
        Changed |= HiddenSubsets<false>(UnitCells[U], Values, Snapshot, Candidates);
    }
    for (int U = 18; U < UnitCount; ++U) {
        Changed |= HiddenSubsets<true>(UnitCells[U], Values, Snapshot, Candidates);
    }
    return Changed;
}

} // namespace kumoji
