// Hidden subsets (our reserved seat): n digits confined to the same n cells of a unit.
#include "engine/matrix.h"

#include <array>
#include <bit>

namespace kumoji {

namespace {

// Per digit, how many of nine masks hold it, as four bit planes: bit d - 1 of
// Plane[b] is bit b of digit d's count. A tree of carry-save adders sums the
// nine masks for all digits at once.
struct TDigitCounts {
    int Plane[4] = {};

    explicit TDigitCounts(const int (&Masks)[9]) {
        // Three masks into a sum bit and a carry bit of the next weight.
        auto Add3 = [](int A, int B, int C, int& Sum, int& Carry) {
            const int Half = A ^ B;
            Sum = Half ^ C;
            Carry = (A & B) | (Half & C);
        };
        int Ones[3];
        int Twos[3];
        for (int K = 0; K < 3; ++K) {
            Add3(Masks[3 * K], Masks[3 * K + 1], Masks[3 * K + 2], Ones[K], Twos[K]);
        }
        int TwosFromOnes;
        int TwosSum;
        int Fours;
        Add3(Ones[0], Ones[1], Ones[2], Plane[0], TwosFromOnes);
        Add3(Twos[0], Twos[1], Twos[2], TwosSum, Fours);
        Plane[1] = TwosFromOnes ^ TwosSum;
        const int MoreFours = TwosFromOnes & TwosSum;
        Plane[2] = Fours ^ MoreFours;
        Plane[3] = Fours & MoreFours;
    }

    // The digits of each count 0..9: the two low bits pick one of four sets,
    // the two high ones one of three (a count is at most nine).
    std::array<int, 10> ByCount() const {
        const int Low[4] = {~Plane[0] & ~Plane[1], Plane[0] & ~Plane[1], ~Plane[0] & Plane[1],
                            Plane[0] & Plane[1]};
        const int UpTo7 = ~Plane[3] & AllDigits;
        const int Below4 = UpTo7 & ~Plane[2];
        const int From4 = UpTo7 & Plane[2];
        const int From8 = Plane[3] & ~Plane[2] & AllDigits;
        return {Low[0] & Below4, Low[1] & Below4, Low[2] & Below4, Low[3] & Below4, Low[0] & From4,
                Low[1] & From4,  Low[2] & From4,  Low[3] & From4,  Low[0] & From8,  Low[1] & From8};
    }
};

// The positions of Seen that hold Digit.
inline int PlacesOf(const int (&Seen)[9], int Digit) {
    int Places = 0;
#pragma GCC unroll 9
    for (int P = 0; P < 9; ++P) {
        Places |= (Seen[P] >> (Digit - 1) & 1) << P;
    }
    return Places;
}

// Drops the N - 1 highest digits of a set: a digit can lead a group of N
// digits with N places only if at least N - 1 digits above it share its count.
inline int DropHighest(int Digits, int N) {
    for (int K = 1; K < N && Digits != 0; ++K) {
        Digits &= ~(1 << (31 - std::countl_zero(static_cast<unsigned>(Digits))));
    }
    return Digits;
}

// One unit. Digits are taken in ascending order; the group of digit D is the
// digits from D up with exactly D's places, and it counts when it has as many
// digits as places. Those digits share D's count and are held by every cell
// of D's places, which finds the group without listing anyone else's places.
template <bool IsBox>
bool HiddenSubsets(const TUnitCells& Unit, const std::array<int, 81>& ValueBits,
                   const std::array<int, 81>& Snapshot, std::array<int, 81>& Candidates) {
    // Each cell's mask as the scans see it: a scan for d stops at a cell
    // holding d, before looking at its mask; a box is scanned column by column.
    int Seen[9];
    int Stopped = 0;
#pragma GCC unroll 9
    for (int K = 0; K < 9; ++K) {
        const int P = IsBox ? BoxScanPosition(K) : K;
        const int I = Unit[P];
        Stopped |= ValueBits[I];
        Seen[P] = Snapshot[I] & AllDigits & ~Stopped;
    }
    const TDigitCounts Counts(Seen);
    int Leaders = 0;
    std::array<int, 10> CountOf{};
    const std::array<int, 10> ByCount = Counts.ByCount();
#pragma GCC unroll 9
    for (int N = 1; N <= 9; ++N) {
        const int Digits = ByCount[N];
        if (DigitCount(Digits) < N) {
            continue;
        }
        const int Lead = DropHighest(Digits, N);
        Leaders |= Lead;
        for (int Rest = Lead; Rest != 0; Rest &= Rest - 1) {
            CountOf[std::countr_zero(static_cast<unsigned>(Rest)) + 1] = N;
        }
    }
    bool Changed = false;
    for (; Leaders != 0; Leaders &= Leaders - 1) {
        const int D = std::countr_zero(static_cast<unsigned>(Leaders)) + 1;
        const int N = CountOf[D];
        const int Where = PlacesOf(Seen, D);
        int Digits = ByCount[N] & ~(DigitBit(D) - 1);
        for (int Rest = Where; Rest != 0; Rest &= Rest - 1) {
            Digits &= Seen[std::countr_zero(static_cast<unsigned>(Rest))];
        }
        if (DigitCount(Digits) != N) {
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
    std::array<int, 81> ValueBits;
    for (int I = 0; I < 81; ++I) {
        ValueBits[I] = ValueBit(Values[I]);
    }
    bool Changed = false;
    for (int U = 0; U < 18; ++U) {
        Changed |= HiddenSubsets<false>(UnitCells[U], ValueBits, Snapshot, Candidates);
    }
    for (int U = 18; U < UnitCount; ++U) {
        Changed |= HiddenSubsets<true>(UnitCells[U], ValueBits, Snapshot, Candidates);
    }
    return Changed;
}

} // namespace kumoji
