#include "engine/grid_checks.h"
#include "engine/matrix.h"

#include <array>
#include <bit>
#include <cstdint>

namespace kumoji {

namespace {

using TUnit = std::array<int, 9>;

// The 27 units in the order the subset passes visit them: rows (cells in
// column order), columns (cells in row order), then boxes with the box row
// outer and the box column inner, cells row by row within a box.
constexpr std::array<TUnit, 27> MakeRowMajorUnits() {
    std::array<TUnit, 27> Units{};
    for (int N = 0; N < 9; ++N) {
        for (int K = 0; K < 9; ++K) {
            Units[N][K] = CellIndex(K, N);
            Units[9 + N][K] = CellIndex(N, K);
            Units[18 + N][K] = CellIndex(N % 3 * 3 + K % 3, N / 3 * 3 + K / 3);
        }
    }
    return Units;
}

// The same units with the cells of a box in column-major order, the order in
// which the box scan lists them.
constexpr std::array<TUnit, 27> MakeScanUnits() {
    std::array<TUnit, 27> Units = MakeRowMajorUnits();
    for (int N = 0; N < 9; ++N) {
        for (int K = 0; K < 9; ++K) {
            Units[18 + N][K] = CellIndex(N % 3 * 3 + K / 3, N / 3 * 3 + K % 3);
        }
    }
    return Units;
}

constexpr std::array<TUnit, 27> RowMajorUnits = MakeRowMajorUnits();
constexpr std::array<TUnit, 27> ScanUnits = MakeScanUnits();

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

// The bit of a cell's value, 0 for an empty cell or a stray value.
inline int ValueBit(int Value) {
    return static_cast<unsigned>(Value) <= 9u ? (1 << Value) >> 1 : 0;
}

// Clears Bits from one mask; true when one of them was set.
inline bool ClearBits(int& Mask, int Bits) {
    const bool Had = (Mask & Bits) != 0;
    Mask &= AllDigits ^ Bits;
    return Had;
}

// Locked candidates of one digit along the rows: pointing from each box,
// then claiming from each row. Removals are live.
bool RowPass(TMatrix& Grid, int Digit, TD2IntegerList& Places) {
    const int Bit = DigitBit(Digit);
    bool Changed = false;
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            int RowsWith = 0;
            int TheRow = -1;
            for (int R = BoxRow * 3; R < BoxRow * 3 + 3; ++R) {
                int Count = 0;
                for (int C = BoxCol * 3; C < BoxCol * 3 + 3; ++C) {
                    Count += (Grid.Candidates[CellIndex(C, R)] & Bit) > 0;
                }
                if (Count > 0) {
                    ++RowsWith;
                    TheRow = R;
                }
            }
            if (RowsWith == 1) {
                for (int C = 0; C < 9; ++C) {
                    if (C / 3 != BoxCol && (Grid.Candidates[CellIndex(C, TheRow)] & Bit)) {
                        Changed |= ClearBits(Grid.Candidates[CellIndex(C, TheRow)], Bit);
                    }
                }
            }
        }
    }
    TPoint Cell;
    for (int K = 0; K < 9; ++K) {
        if (Grid.ScanRow(K, Digit, Places, Cell) || Places.GetCount() < 2) {
            continue;
        }
        const int Stack = Places[0].X / 3;
        bool OneStack = true;
        for (int I = 1; I < Places.GetCount(); ++I) {
            OneStack = OneStack && Places[I].X / 3 == Stack;
        }
        if (!OneStack) {
            continue;
        }
        for (int R = K / 3 * 3; R < K / 3 * 3 + 3; ++R) {
            for (int C = Stack * 3; R != K && C < Stack * 3 + 3; ++C) {
                if (Grid.Candidates[CellIndex(C, R)] & Bit) {
                    Changed |= ClearBits(Grid.Candidates[CellIndex(C, R)], Bit);
                }
            }
        }
    }
    return Changed;
}

// The same along the columns.
bool ColPass(TMatrix& Grid, int Digit, TD2IntegerList& Places) {
    const int Bit = DigitBit(Digit);
    bool Changed = false;
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            int ColsWith = 0;
            int TheCol = -1;
            for (int C = BoxCol * 3; C < BoxCol * 3 + 3; ++C) {
                int Count = 0;
                for (int R = BoxRow * 3; R < BoxRow * 3 + 3; ++R) {
                    Count += (Grid.Candidates[CellIndex(C, R)] & Bit) > 0;
                }
                if (Count > 0) {
                    ++ColsWith;
                    TheCol = C;
                }
            }
            if (ColsWith == 1) {
                for (int R = 0; R < 9; ++R) {
                    if (R / 3 != BoxRow && (Grid.Candidates[CellIndex(TheCol, R)] & Bit)) {
                        Changed |= ClearBits(Grid.Candidates[CellIndex(TheCol, R)], Bit);
                    }
                }
            }
        }
    }
    TPoint Cell;
    for (int K = 0; K < 9; ++K) {
        if (Grid.ScanCol(K, Digit, Places, Cell) || Places.GetCount() < 2) {
            continue;
        }
        const int Band = Places[0].Y / 3;
        bool OneBand = true;
        for (int I = 1; I < Places.GetCount(); ++I) {
            OneBand = OneBand && Places[I].Y / 3 == Band;
        }
        if (!OneBand) {
            continue;
        }
        for (int C = K / 3 * 3; C < K / 3 * 3 + 3; ++C) {
            for (int R = Band * 3; C != K && R < Band * 3 + 3; ++R) {
                if (Grid.Candidates[CellIndex(C, R)] & Bit) {
                    Changed |= ClearBits(Grid.Candidates[CellIndex(C, R)], Bit);
                }
            }
        }
    }
    return Changed;
}

} // namespace

bool TMatrix::ApplyMyReserved() {
    bool Changed = false;
    // Seg[line][s]: the union of the three cells of a row (or column) in
    // stack (or band) s, kept up to date after every removal so that later
    // segments see it.
    int Seg[9][3];
    auto RowSegment = [this](int R, int S) {
        return Candidates[CellIndex(3 * S, R)] | Candidates[CellIndex(3 * S + 1, R)] |
               Candidates[CellIndex(3 * S + 2, R)];
    };
    auto ColSegment = [this](int C, int S) {
        return Candidates[CellIndex(C, 3 * S)] | Candidates[CellIndex(C, 3 * S + 1)] |
               Candidates[CellIndex(C, 3 * S + 2)];
    };
    for (int R = 0; R < 9; ++R) {
        for (int S = 0; S < 3; ++S) {
            Seg[R][S] = RowSegment(R, S);
        }
    }
    for (int R = 0; R < 9; ++R) {
        const int Top = R / 3 * 3;
        for (int S = 0; S < 3; ++S) {
            const int Line = Seg[R][(S + 1) % 3] | Seg[R][(S + 2) % 3];
            int Box = 0;
            for (int BR = Top; BR < Top + 3; ++BR) {
                if (BR != R) {
                    Box |= Seg[BR][S];
                }
            }
            const int Pointing = Seg[R][S] & Line & ~Box & AllDigits;
            const int Claiming = Seg[R][S] & Box & ~Line & AllDigits;
            if (Pointing != 0) {
                for (int C = 0; C < 9; ++C) {
                    if (C / 3 != S) {
                        Changed |= ClearBits(Candidates[CellIndex(C, R)], Pointing);
                    }
                }
                Seg[R][(S + 1) % 3] = RowSegment(R, (S + 1) % 3);
                Seg[R][(S + 2) % 3] = RowSegment(R, (S + 2) % 3);
            }
            if (Claiming != 0) {
                for (int BR = Top; BR < Top + 3; ++BR) {
                    if (BR == R) {
                        continue;
                    }
                    for (int C = S * 3; C < S * 3 + 3; ++C) {
                        Changed |= ClearBits(Candidates[CellIndex(C, BR)], Claiming);
                    }
                    Seg[BR][S] = RowSegment(BR, S);
                }
            }
        }
    }
    for (int C = 0; C < 9; ++C) {
        for (int S = 0; S < 3; ++S) {
            Seg[C][S] = ColSegment(C, S);
        }
    }
    for (int C = 0; C < 9; ++C) {
        const int Left = C / 3 * 3;
        for (int S = 0; S < 3; ++S) {
            const int Line = Seg[C][(S + 1) % 3] | Seg[C][(S + 2) % 3];
            int Box = 0;
            for (int BC = Left; BC < Left + 3; ++BC) {
                if (BC != C) {
                    Box |= Seg[BC][S];
                }
            }
            const int Pointing = Seg[C][S] & Line & ~Box & AllDigits;
            const int Claiming = Seg[C][S] & Box & ~Line & AllDigits;
            if (Pointing != 0) {
                for (int R = 0; R < 9; ++R) {
                    if (R / 3 != S) {
                        Changed |= ClearBits(Candidates[CellIndex(C, R)], Pointing);
                    }
                }
                Seg[C][(S + 1) % 3] = ColSegment(C, (S + 1) % 3);
                Seg[C][(S + 2) % 3] = ColSegment(C, (S + 2) % 3);
            }
            if (Claiming != 0) {
                for (int BC = Left; BC < Left + 3; ++BC) {
                    if (BC == C) {
                        continue;
                    }
                    for (int R = S * 3; R < S * 3 + 3; ++R) {
                        Changed |= ClearBits(Candidates[CellIndex(BC, R)], Claiming);
                    }
                    Seg[BC][S] = ColSegment(BC, S);
                }
            }
        }
    }
    return Changed;
}

bool TMatrix::FindMyReservedMove(int Digit, int& Col, int& Row, int& Found, TMatrix* Work) const {
    TMatrix Copy;
    if (Work == nullptr) {
        Copy = *this;
        Work = &Copy;
    }
    TD2IntegerList Places;
    bool Changed = RowPass(*Work, Digit, Places);
    while (ColPass(*Work, Digit, Places)) {
        Changed = true;
        if (!RowPass(*Work, Digit, Places)) {
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

bool TMatrix::ApplyYourReserved() {
    // Every test reads the state at the start of the call; removals go live.
    // Values never change here, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    bool Changed = false;
    for (const TUnit& Unit : RowMajorUnits) {
        int Masks[9];
        bool Open[9];
        int Empty = 0;
        for (int P = 0; P < 9; ++P) {
            Masks[P] = Snapshot[Unit[P]];
            Open[P] = Values[Unit[P]] == 0;
            Empty += Open[P];
        }
        // A subset needs at least two cells and one more empty cell to clear.
        if (Empty <= 2) {
            continue;
        }
        int Remaining = Empty;
        for (int P = 0; P < 9; ++P) {
            const int Mask = Masks[P];
            const int N = DigitCount(Mask);
            if (N <= 1) {
                continue;
            }
            if (N <= Remaining && N < Empty) {
                int Group = 1;
                for (int Q = P + 1; Q < 9; ++Q) {
                    Group += Masks[Q] == Mask;
                }
                if (Group == N) {
                    for (int Q = 0; Q < 9; ++Q) {
                        const bool Other = Q != P && Open[Q] && (Q < P || Masks[Q] != Mask);
                        int& Current = Candidates[Unit[Q]];
                        if (Other && Current != 0) {
                            const int Old = Current;
                            Current = Old & ~Mask;
                            Changed |= Current != Old;
                        }
                    }
                }
            }
            --Remaining;
        }
    }
    return Changed;
}

bool TMatrix::ApplyOurReserved() {
    // Places come from the state at the start of the call, and every write
    // starts from that state, so a later write to a cell replaces an earlier one.
    // The pass never changes a value, so only the masks need a copy.
    const std::array<int, 81> Snapshot = Candidates;
    bool Changed = false;
    for (const TUnit& Unit : ScanUnits) {
        // Places[d] as the unit's scan lists it, as a set of positions in scan
        // order. Each cell's mask as the scans see it: a scan for d stops at a cell
        // holding d, before looking at its mask.
        int Seen[9];
        int Stopped = 0;
        int Any = 0;
        for (int P = 0; P < 9; ++P) {
            const int I = Unit[P];
            Stopped |= ValueBit(Values[I]);
            Seen[P] = Snapshot[I] & AllDigits & ~Stopped;
            Any |= Seen[P];
        }
        if (Any == 0) {
            continue;
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
    }
    return Changed;
}

bool TMatrix::ApplyReservations() {
    bool Any = false;
    for (int Cycle = 1; Cycle <= 11; ++Cycle) {
        // All three passes run in every cycle.
        const bool My = ApplyMyReserved();
        const bool Your = ApplyYourReserved();
        const bool Our = ApplyOurReserved();
        const bool Changed = My || Your || Our;
        Any = Any || Changed;
        int Digit;
        int Col;
        int Row;
        if (FindMissingNumber(Digit, Col, Row) || !Changed) {
            break;
        }
    }
    return Any;
}

} // namespace kumoji
