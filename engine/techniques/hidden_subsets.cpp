// Hidden subsets (our reserved seat): n digits confined to the same n cells of a unit.
#include "engine/grid/digit_board.h"
#include "engine/grid/matrix.h"
#include "engine/lanes/group_counters.h"
#include "engine/lanes/lanes.h"
#include "engine/lanes/unit_lanes.h"
#include "engine/lanes/unit_sums.h"

#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kumoji {

namespace {

// A unit's nine masks kept for place lookups: positions 0..7 as sixteen-bit
// lanes, so that one digit's places among them come out of a sign-bit
// gather, and position 8 on its own.
struct TPlaceLanes {
#if defined(__SSE2__)
    __m128i Low;
#else
    int Low[8];
#endif
    int Last;

    explicit TPlaceLanes(const int (&Seen)[9]) : Last(Seen[8]) {
#if defined(__SSE2__)
        Low = _mm_setr_epi16(static_cast<short>(Seen[0]), static_cast<short>(Seen[1]),
                             static_cast<short>(Seen[2]), static_cast<short>(Seen[3]),
                             static_cast<short>(Seen[4]), static_cast<short>(Seen[5]),
                             static_cast<short>(Seen[6]), static_cast<short>(Seen[7]));
#else
        for (int P = 0; P < 8; ++P) {
            Low[P] = Seen[P];
        }
#endif
    }

    // The positions that hold Digit.
    int Of(int Digit) const {
#if defined(__SSE2__)
        // The digit's bit moved to each lane's sign, then one bit per lane.
        const __m128i Signs = _mm_sll_epi16(Low, _mm_cvtsi32_si128(16 - Digit));
        int Places = _mm_movemask_epi8(_mm_packs_epi16(Signs, _mm_setzero_si128()));
#else
        int Places = 0;
        for (int P = 0; P < 8; ++P) {
            Places |= (Low[P] >> (Digit - 1) & 1) << P;
        }
#endif
        return Places | (Last >> (Digit - 1) & 1) << 8;
    }
};

// Drops the N - 1 highest digits of a set: a digit can lead a group of N
// digits with N places only if at least N - 1 digits above it share its count.
inline int DropHighest(int Digits, int N) {
    for (int K = 1; K < N && Digits != 0; ++K) {
        Digits &= ~(1 << (31 - std::countl_zero(static_cast<unsigned>(Digits))));
    }
    return Digits;
}

// A unit's masks as its scans see them, with the digits of each count and
// the group sizes it may hold (see GroupSizeLanes).
struct TUnitView {
    int Seen[9];
    std::array<int, 10> ByCount;
    int Sizes;
};

// From the unit's own scans: a scan for d stops at a cell holding d, before
// looking at its mask; a box is scanned column by column.
template <bool IsBox>
TUnitView ScannedView(const TUnitCells& Unit, const std::array<int, 81>& ValueBits,
                      const std::array<int, 81>& Snapshot) {
    TUnitView View;
    int Stopped = 0;
#pragma GCC unroll 9
    for (int K = 0; K < 9; ++K) {
        const int P = IsBox ? BoxScanPosition(K) : K;
        const int I = Unit[P];
        Stopped |= ValueBits[I];
        View.Seen[P] = Snapshot[I] & AllDigits & ~Stopped;
    }
    View.ByCount = CountDigits(View.Seen).ByCount();
    View.Sizes = 0;
    for (int N = 1; N <= 9; ++N) {
        View.Sizes |= (DigitCount(View.ByCount[N]) >= N) << N;
    }
    return View;
}

// One unit. Digits are taken in ascending order; the group of digit D is the
// digits from D up with exactly D's places, and it counts when it has as many
// digits as places. Those digits share D's count and are held by every cell
// of D's places, which finds the group without listing anyone else's places.
bool HiddenSubsets(const TUnitCells& Unit, const TUnitView& View,
                   const std::array<int, 81>& Snapshot, std::array<int, 81>& Candidates) {
    int Leaders = 0;
    std::array<int, 10> CountOf{};
    for (int Sizes = View.Sizes; Sizes != 0; Sizes &= Sizes - 1) {
        const int N = std::countr_zero(static_cast<unsigned>(Sizes));
        const int Lead = DropHighest(View.ByCount[N], N);
        Leaders |= Lead;
        for (int Rest = Lead; Rest != 0; Rest &= Rest - 1) {
            CountOf[std::countr_zero(static_cast<unsigned>(Rest)) + 1] = N;
        }
    }
    if (Leaders == 0) {
        return false;
    }
    const TPlaceLanes Places(View.Seen);
    bool Changed = false;
    for (; Leaders != 0; Leaders &= Leaders - 1) {
        const int D = std::countr_zero(static_cast<unsigned>(Leaders)) + 1;
        const int N = CountOf[D];
        const int Where = Places.Of(D);
        // The digits of D's count from D up that share its places exactly:
        // with N places each, those held by all of D's places.
        int Digits = View.ByCount[N] & ~(DigitBit(D) - 1);
        for (int Rest = Where; Rest != 0; Rest &= Rest - 1) {
            Digits &= View.Seen[std::countr_zero(static_cast<unsigned>(Rest))];
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

// A unit whose only groups are single digits in single cells: each such
// cell keeps the highest digit that has no other place (a lower one sharing
// the cell makes a group of two digits in one cell, which counts for nothing).
bool WriteSingleGroups(const TUnitCells& Unit, int Singles, const std::array<int, 81>& Snapshot,
                       std::array<int, 81>& Candidates) {
    bool Changed = false;
    for (const int I : Unit) {
        const int Here = Snapshot[I] & Singles;
        if (Here != 0) {
            Candidates[I] =
                Snapshot[I] & (1 << (31 - std::countl_zero(static_cast<unsigned>(Here))));
            Changed |= Candidates[I] != Snapshot[I];
        }
    }
    return Changed;
}

// An even unit (each of its d digits in d cells) is one whole group when it
// has d open cells. With more it holds no group at all: a group of N digits
// needs N digits of count N, so it would be all d digits in d places, and
// every open cell admits one of them.
bool IsWholeGroup(const TUnitCells& Unit, const std::array<int, 81>& Snapshot) {
    int Digits = 0;
    int Open = 0;
    for (const int I : Unit) {
        Digits |= Snapshot[I];
        Open += (Snapshot[I] & AllDigits) != 0;
    }
    return Open == DigitCount(Digits);
}

// The whole group's write: each open cell keeps its digits among the unit's.
bool WriteWholeGroup(const TUnitCells& Unit, const std::array<int, 81>& Snapshot,
                     std::array<int, 81>& Candidates) {
    int Digits = 0;
    for (const int I : Unit) {
        Digits |= Snapshot[I];
    }
    Digits &= AllDigits;
    bool Changed = false;
    for (const int I : Unit) {
        if ((Snapshot[I] & AllDigits) != 0) {
            Candidates[I] = Snapshot[I] & Digits;
            Changed |= Candidates[I] != Snapshot[I];
        }
    }
    return Changed;
}

// Without stray bits that write is a copy of the unit's masks at the start:
// it undoes earlier writes and changes nothing of its own.
void PutBack(const TUnitCells& Unit, const std::array<int, 81>& Snapshot,
             std::array<int, 81>& Candidates) {
    for (const int I : Unit) {
        Candidates[I] = Snapshot[I];
    }
}

// Eight units' counts kept in memory, where a flagged lane is read back.
struct TGroupCounts {
    std::array<TShort8, 10> ByCount;
    TShort8 Admitted;
    TShort8 Sizes; // see GroupSizeLanes
};

// Whether each cell's digits all have as many places as the cell has
// digits. Then a group of N digits in N places finds no other digit there,
// so the unit's writes only give masks back as they were at the start.
bool WritesOnlyPutBack(const TUnitLanes& Units, const TGroupCounts& Counts, int Group, int Lane) {
    for (int P = 0; P < 9; ++P) {
        const int Mask = Units.Cells[Group][P][Lane];
        if ((Mask & ~Counts.ByCount[DigitCount(Mask)][Lane]) != 0) {
            return false;
        }
    }
    return true;
}

// A group of eight leaves the ninth cell at most the ninth digit, so where
// no cell has at most one candidate size eight is ruled out. Only lanes with
// all nine digits are tried (the even test takes the usual units with eight
// of count eight), and only two or more at once: for one the fit test is cheaper.
void DropSizeEight(const std::array<TShort8, 9>& Cells, TGroupCounts& Counts) {
    const int Lanes = LaneBits(Counts.Sizes & (Counts.Admitted == AllDigits) & (1 << 8));
    if ((Lanes & (Lanes - 1)) != 0) {
        Counts.Sizes &= ~(~LanesWithNarrowCell(Cells) & (1 << 8));
    }
}

// A unit flagged by its lane, classified from it: even (each of its d
// digits in d cells), single digits only (Singles), or to be searched only
// if a group may fit.
bool ClassifyUnit(const TUnitLanes& Units, const TGroupCounts& Counts, int Group, int Lane,
                  bool& Even, int& Singles) {
    const int Admitted = Counts.Admitted[Lane];
    const int Digits = DigitCount(Admitted);
    const int Sizes = Counts.Sizes[Lane];
    if (Counts.ByCount[Digits][Lane] == Admitted) {
        Even = true;
        return true;
    }
    if (Sizes == 1 << 1) {
        Singles = Counts.ByCount[1][Lane];
        return true;
    }
    return MayFitGroup(CellsUpToCount(Units, Group, Lane), Sizes, Digits);
}

// A unit's view from its lane, for a unit where no scan stops short: the
// masks are then the cells' own.
TUnitView LaneView(const TUnitLanes& Units, const TGroupCounts& Counts, int Group, int Lane) {
    TUnitView View;
    for (int P = 0; P < 9; ++P) {
        View.Seen[P] = Units.Cells[Group][P][Lane];
    }
    for (int N = 0; N <= 9; ++N) {
        View.ByCount[N] = Counts.ByCount[N][Lane];
    }
    View.Sizes = Counts.Sizes[Lane];
    return View;
}

// Each unit's lane group and lane, the other way round from LaneUnit.
constexpr std::array<std::array<signed char, 2>, UnitCount> UnitLane = [] {
    std::array<std::array<signed char, 2>, UnitCount> Table{};
    for (int G = 0; G < LaneGroups; ++G) {
        for (int L = 0; L < 8; ++L) {
            if (LaneUnit[G][L] >= 0) {
                Table[LaneUnit[G][L]] = {static_cast<signed char>(G), static_cast<signed char>(L)};
            }
        }
    }
    return Table;
}();

// What the filter finds, kept for the writes and searches. Where a cell
// admits a digit its unit holds, a scan stops short of it and the counts are
// not the scans' own, so such a unit is searched.
struct TSearchPlan {
    std::uint32_t Search = 0;  // the units that may hold a group
    std::uint32_t Even = 0;    // among them, the even ones
    std::uint32_t Stopped = 0; // and those where a scan stops short of a cell
    // The even ones and the others whose writes only put masks back: they
    // change nothing unless an earlier write reached them or masks have stray bits.
    std::uint32_t PutBackOnly = 0;
    // The digits of those whose only groups are single digits.
    std::array<int, UnitCount> Singles{};
    bool Stray = false; // some mask has bits beyond the nine digits
    // The lanes and their counts, for the views of the units searched where
    // no scan stops short: few are, as most wait for a write that never comes.
    TUnitLanes Units;
    std::array<TGroupCounts, LaneGroups> Counts;

    // Masks, when given, are the snapshot's own on the lanes, without stray bits.
    TSearchPlan(const TValueFacts& Facts, const std::array<int, 81>& Snapshot,
                const TUnitLanes* Masks)
        : Units(Masks != nullptr ? *Masks : SpreadOverUnits(Snapshot)) {
        if (Masks == nullptr) {
            Stray = HasStrayBits(Snapshot);
        }
        for (int G = 0; G < LaneGroups; ++G) {
            const TDigitCounts<TShort8> Digits = CountDigits(Units.Cells[G].data());
            TGroupCounts& Group = Counts[G];
            Group.ByCount = Digits.ByCount();
            Group.Admitted = Digits.Admitted();
            Group.Sizes = GroupSizeLanes(Group.ByCount);
            DropSizeEight(Units.Cells[G], Group);
            const int StoppedLanes = LaneBits(Group.Admitted & Facts.HeldLanes[G]);
            Stopped |= UnitsOfLanes(G, StoppedLanes);
            for (int Rest = LaneBits(Group.Sizes) & ~StoppedLanes; Rest != 0; Rest &= Rest - 1) {
                const int L = std::countr_zero(static_cast<unsigned>(Rest));
                const int U = LaneUnit[G][L];
                bool IsEven = false;
                if (!ClassifyUnit(Units, Group, G, L, IsEven, Singles[U])) {
                    continue;
                }
                Search |= std::uint32_t{1} << U;
                Even |= std::uint32_t{IsEven} << U;
                PutBackOnly |= std::uint32_t{IsEven || (Singles[U] == 0 &&
                                                        WritesOnlyPutBack(Units, Group, G, L))}
                               << U;
            }
        }
        Search |= Stopped;
    }

    // The view of a unit where no scan stops short.
    TUnitView View(int U) const {
        const int G = UnitLane[U][0];
        return LaneView(Units, Counts[G], G, UnitLane[U][1]);
    }
};

} // namespace

bool TMatrix::ApplyOurReserved() {
    return ApplyOurReserved(TValueFacts(*this));
}

bool TMatrix::ApplyOurReserved(const TValueFacts& Facts) {
    return ApplyOurReserved(Facts, nullptr);
}

bool TMatrix::ApplyOurReserved(const TValueFacts& Facts, const TUnitLanes* Masks) {
    // Places come from the state at the start of the call, and every write
    // starts from that state, so a later write to a cell replaces an earlier one.
    // The pass never changes a value, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    // Counts over the unit lanes show the few units that may hold a group.
    const TSearchPlan Plan(Facts, Snapshot, Masks);
    // The units of the cells that differ from the start: a write that
    // changes no mask leaves none behind (it may only put masks back).
    TCellSet Written;
    bool Changed = false;
    // Units that can only put masks back wait for the first write.
    std::uint32_t Pending = Plan.Stray ? Plan.Search : Plan.Search & ~Plan.PutBackOnly;
    for (; Pending != 0; Pending &= Pending - 1) {
        const int U = std::countr_zero(Pending);
        if ((Plan.PutBackOnly >> U & 1) != 0 && !Plan.Stray && (Written & UnitSets[U]).Empty()) {
            continue;
        }
        bool UnitChanged;
        if ((Plan.Even >> U & 1) != 0) {
            // An even unit's one possible group is the whole unit. Its write
            // gives every mask back as it was at the start (less any stray
            // bits).
            if (!IsWholeGroup(UnitCells[U], Snapshot)) {
                continue;
            }
            if (!Plan.Stray) {
                PutBack(UnitCells[U], Snapshot, Candidates);
                continue;
            }
            UnitChanged = WriteWholeGroup(UnitCells[U], Snapshot, Candidates);
        } else if (Plan.Singles[U] != 0) {
            UnitChanged = WriteSingleGroups(UnitCells[U], Plan.Singles[U], Snapshot, Candidates);
        } else {
            const TUnitView View = (Plan.Stopped >> U & 1) == 0 ? Plan.View(U)
                                   : U < 18
                                       ? ScannedView<false>(UnitCells[U], Facts.ValueBits, Snapshot)
                                       : ScannedView<true>(UnitCells[U], Facts.ValueBits, Snapshot);
            UnitChanged = HiddenSubsets(UnitCells[U], View, Snapshot, Candidates);
        }
        if (UnitChanged) {
            Changed = true;
            Written = Written | UnitSets[U];
            Pending |= Plan.PutBackOnly & ~((std::uint32_t{2} << U) - 1);
        }
    }
    return Changed;
}

} // namespace kumoji
