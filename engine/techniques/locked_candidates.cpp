// Locked candidates (my reserved seat): a digit confined to where a line crosses a box.
#include "engine/techniques/locked_candidates.h"

namespace kumoji {

namespace {

// Rows and columns play mirrored parts here. A line is a row or a column,
// K runs along it, and its segment S (K / 3) is where it crosses a box; the
// lines of one band (or stack) share their boxes.
struct TRows {
    static constexpr bool AreRows = true;
    static constexpr int Cell(int Line, int K) { return CellIndex(K, Line); }
};
struct TCols {
    static constexpr bool AreRows = false;
    static constexpr int Cell(int Line, int K) { return CellIndex(Line, K); }
};

// Clears Bits from one mask; true when one of them was set.
inline bool ClearBits(int& Mask, int Bits) {
    const bool Had = (Mask & Bits) != 0;
    Mask &= AllDigits ^ Bits;
    return Had;
}

// The same for one digit's bit, leaving a mask without it untouched.
inline bool ClearDigit(int& Mask, int Bit) {
    return (Mask & Bit) != 0 && ClearBits(Mask, Bit);
}

// The digits that segment S of line First + J confines within its line
// (with somewhere else in the box to clear) or within its box (with
// somewhere else in the line to clear).
inline int LockedInSegment(const int (&Seg)[9][3], int First, int J, int S) {
    const int Line = Seg[First + J][(S + 1) % 3] | Seg[First + J][(S + 2) % 3];
    const int Box = Seg[First + (J + 1) % 3][S] | Seg[First + (J + 2) % 3][S];
    return Seg[First + J][S] & (Line ^ Box) & AllDigits;
}

// One band of three lines, all digits at once: per segment, the digits that
// the line admits only there (pointing, cleared from the box's other lines)
// and those that the box admits only there (claiming, cleared from the rest
// of the line). Removals are live, so the segment unions are refreshed after
// each. A removal stays within its band.
template <typename TLines> bool LockedCandidatesInBand(std::array<int, 81>& Candidates, int First) {
    auto Segment = [&](int L, int S) {
        return Candidates[TLines::Cell(L, 3 * S)] | Candidates[TLines::Cell(L, 3 * S + 1)] |
               Candidates[TLines::Cell(L, 3 * S + 2)];
    };
    // Indexed by the line within the band; fixed bounds throughout, so that
    // every line and segment number folds.
    int Seg[3][3];
#pragma GCC unroll 3
    for (int J = 0; J < 3; ++J) {
#pragma GCC unroll 3
        for (int S = 0; S < 3; ++S) {
            Seg[J][S] = Segment(First + J, S);
        }
    }
    bool Changed = false;
#pragma GCC unroll 3
    for (int J = 0; J < 3; ++J) {
        const int L = First + J;
#pragma GCC unroll 3
        for (int S = 0; S < 3; ++S) {
            const int Line = Seg[J][(S + 1) % 3] | Seg[J][(S + 2) % 3];
            const int Box = Seg[(J + 1) % 3][S] | Seg[(J + 2) % 3][S];
            const int Pointing = Seg[J][S] & Line & ~Box & AllDigits;
            const int Claiming = Seg[J][S] & Box & ~Line & AllDigits;
            if (Pointing != 0) {
                for (int K = 0; K < 9; ++K) {
                    if (K / 3 != S) {
                        Changed |= ClearBits(Candidates[TLines::Cell(L, K)], Pointing);
                    }
                }
                Seg[J][(S + 1) % 3] = Segment(L, (S + 1) % 3);
                Seg[J][(S + 2) % 3] = Segment(L, (S + 2) % 3);
            }
            if (Claiming != 0) {
#pragma GCC unroll 3
                for (int Other = 0; Other < 3; ++Other) {
                    if (Other == J) {
                        continue;
                    }
                    for (int K = S * 3; K < S * 3 + 3; ++K) {
                        Changed |= ClearBits(Candidates[TLines::Cell(First + Other, K)], Claiming);
                    }
                    Seg[Other][S] = Segment(First + Other, S);
                }
            }
        }
    }
    return Changed;
}

// One digit along one orientation: pointing from each box (box row outer),
// then claiming from each line. Removals are live, so every segment is read
// when its turn comes; a segment is read as the union of its three masks.
template <typename TLines> bool LockedDigit(TMatrix& Grid, int Digit) {
    const int Bit = DigitBit(Digit);
    std::array<int, 81>& Candidates = Grid.Candidates;
    auto Admits = [&](int L, int S) {
        return ((Candidates[TLines::Cell(L, 3 * S)] | Candidates[TLines::Cell(L, 3 * S + 1)] |
                 Candidates[TLines::Cell(L, 3 * S + 2)]) &
                Bit) != 0;
    };
    bool Changed = false;
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            const int First = (TLines::AreRows ? BoxRow : BoxCol) * 3;
            const int S = TLines::AreRows ? BoxCol : BoxRow;
            const bool A0 = Admits(First, S);
            const bool A1 = Admits(First + 1, S);
            const bool A2 = Admits(First + 2, S);
            if (A0 + A1 + A2 != 1) {
                continue;
            }
            const int TheLine = A2 ? First + 2 : A1 ? First + 1 : First;
            for (int K = 0; K < 9; ++K) {
                if (K / 3 != S) {
                    Changed |= ClearDigit(Candidates[TLines::Cell(TheLine, K)], Bit);
                }
            }
        }
    }
    for (int L = 0; L < 9; ++L) {
        // A line that holds the digit is ruled out; otherwise its places must
        // be two or more, all in one segment.
        const bool A0 = Admits(L, 0);
        const bool A1 = Admits(L, 1);
        const bool A2 = Admits(L, 2);
        if (A0 + A1 + A2 != 1) {
            continue;
        }
        const int S = A2 ? 2 : A1 ? 1 : 0;
        int Places = 0;
        for (int K = 3 * S; K < 3 * S + 3; ++K) {
            Places += (Candidates[TLines::Cell(L, K)] & Bit) != 0;
        }
        bool Held = false;
        for (int K = 0; K < 9; ++K) {
            Held |= Grid.Values[TLines::Cell(L, K)] == Digit;
        }
        if (Held || Places < 2) {
            continue;
        }
        for (int Other = L / 3 * 3; Other < L / 3 * 3 + 3; ++Other) {
            for (int K = S * 3; Other != L && K < S * 3 + 3; ++K) {
                Changed |= ClearDigit(Candidates[TLines::Cell(Other, K)], Bit);
            }
        }
    }
    return Changed;
}

// For one orientation, the digits that some segment confines within its line
// (with somewhere else in the box to clear) or within its box (with somewhere
// else in the line to clear), band by band. On an unchanged grid the
// one-digit pass clears something exactly when such a segment exists: the
// first one it reaches acts, whatever came before it. Held digits and lines
// with a single place are not ruled out here, which only makes the set larger.
template <typename TLines>
std::array<int, 3> LockedDigitsByBand(const std::array<int, 81>& Candidates) {
    int Seg[9][3];
    for (int L = 0; L < 9; ++L) {
        for (int S = 0; S < 3; ++S) {
            Seg[L][S] = Candidates[TLines::Cell(L, 3 * S)] |
                        Candidates[TLines::Cell(L, 3 * S + 1)] |
                        Candidates[TLines::Cell(L, 3 * S + 2)];
        }
    }
    std::array<int, 3> Digits{};
#pragma GCC unroll 3
    for (int First = 0; First < 9; First += 3) {
#pragma GCC unroll 3
        for (int J = 0; J < 3; ++J) {
#pragma GCC unroll 3
            for (int S = 0; S < 3; ++S) {
                Digits[First / 3] |= LockedInSegment(Seg, First, J, S);
            }
        }
    }
    return Digits;
}

// Most passes clear nothing, and most bands of those that do clear nothing:
// the live pass of a band changes nothing unless one of its segments locks a
// digit at the start, since no removal reaches into another band.
template <typename TLines> bool LockedCandidatesIfAny(std::array<int, 81>& Candidates) {
    const std::array<int, 3> Locked = LockedDigitsByBand<TLines>(Candidates);
    bool Changed = false;
    for (int Band = 0; Band < 3; ++Band) {
        if (Locked[Band] != 0) {
            Changed |= LockedCandidatesInBand<TLines>(Candidates, 3 * Band);
        }
    }
    return Changed;
}

} // namespace

int LockedCandidateDigits(const TMatrix& Grid) {
    int Digits = 0;
    for (const std::array<int, 3>& Bands :
         {LockedDigitsByBand<TRows>(Grid.Candidates), LockedDigitsByBand<TCols>(Grid.Candidates)}) {
        Digits |= Bands[0] | Bands[1] | Bands[2];
    }
    return Digits;
}

bool TMatrix::ApplyMyReserved() {
    const bool Rows = LockedCandidatesIfAny<TRows>(Candidates);
    const bool Cols = LockedCandidatesIfAny<TCols>(Candidates);
    return Rows || Cols;
}

bool TMatrix::FindMyReservedMove(int Digit, int& Col, int& Row, int& Found, TMatrix* Work) const {
    TMatrix Copy;
    if (Work == nullptr) {
        Copy = *this;
        Work = &Copy;
    }
    bool Changed = LockedDigit<TRows>(*Work, Digit);
    while (LockedDigit<TCols>(*Work, Digit)) {
        Changed = true;
        if (!LockedDigit<TRows>(*Work, Digit)) {
            break;
        }
    }
    if (!Changed) {
        return false;
    }
    if (Work->FindEmptyCell(Col, Row, Found)) {
        return true;
    }
    if (Work->FindLeftPlace(Digit, Col, Row)) {
        Found = Digit;
        return true;
    }
    return Work->FindMissingNumber(Found, Col, Row);
}

} // namespace kumoji
