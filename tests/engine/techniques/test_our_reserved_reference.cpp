// The hidden-subset pass works on position masks instead of scanning into
// lists. This checks it against the scan-by-scan reading on many grids,
// including ones whose masks contradict their values.
#include "engine/grid/matrix.h"
#include "engine/lanes/group_counters.h"
#include "grid_helpers.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace kumoji {
namespace {

bool ReferenceOurReserved(TMatrix& Grid) {
    const TMatrix Snapshot = Grid;
    bool Changed = false;
    TD2IntegerList Places[10];
    auto Unit = [&](const std::function<void(int, TD2IntegerList&)>& Scan) {
        for (int D = 1; D <= 9; ++D) {
            Scan(D, Places[D]);
        }
        for (int D = 1; D <= 9; ++D) {
            int Digits = DigitBit(D);
            for (int E = D + 1; E <= 9; ++E) {
                if (SameIntegers(Places[E], Places[D])) {
                    Digits |= DigitBit(E);
                }
            }
            if (Places[D].GetCount() != DigitCount(Digits)) {
                continue;
            }
            for (int I = 0; I < Places[D].GetCount(); ++I) {
                TPoint Cell;
                Places[D].Get(I, Cell);
                const int Index = CellIndex(Cell.X, Cell.Y);
                Grid.Candidates[Index] = Snapshot.Candidates[Index] & Digits;
                Changed = Changed || Grid.Candidates[Index] != Snapshot.Candidates[Index];
            }
        }
    };
    TPoint Holder;
    for (int R = 0; R < 9; ++R) {
        Unit([&](int D, TD2IntegerList& L) { Snapshot.ScanRow(R, D, L, Holder); });
    }
    for (int C = 0; C < 9; ++C) {
        Unit([&](int D, TD2IntegerList& L) { Snapshot.ScanCol(C, D, L, Holder); });
    }
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            Unit([&](int D, TD2IntegerList& L) { Snapshot.ScanBox(BoxCol, BoxRow, D, L, Holder); });
        }
    }
    return Changed;
}

void ExpectSameAsReference(const TMatrix& Grid, const std::string& What) {
    TMatrix Fast = Grid;
    TMatrix Slow = Grid;
    const bool FastChanged = Fast.ApplyOurReserved();
    const bool SlowChanged = ReferenceOurReserved(Slow);
    EXPECT_EQ(FastChanged, SlowChanged) << What;
    EXPECT_EQ(Fast.Candidates, Slow.Candidates) << What;
}

// A write starts from the masks at the start of the pass, so a later unit
// whose whole set of cells is one group puts back what an earlier unit's
// single took away, and the pass still reports the change. The counters
// skip such a group only where no earlier write reached.
TEST(OurReservedReference, WholeGroupPutsBackAnEarlierSingle) {
    TMatrix Grid; // no values: every cell admits every digit
    for (int Col = 1; Col < 9; ++Col) {
        Grid.RemoveCandidate(Col, 0, 5); // 5 has one place in row 0: A1
    }
    ExpectSameAsReference(Grid, "single in row 0, column A one group");
    TMatrix Fast = Grid;
    EXPECT_TRUE(Fast.ApplyOurReserved());
    EXPECT_EQ(Fast.GetCandidates(0, 0), AllDigits);
    // Without the column group the single stays.
    Grid.RemoveCandidate(0, 8, 1);
    Grid.RemoveCandidate(0, 7, 2);
    ExpectSameAsReference(Grid, "single in row 0, column A mixed");
    Fast = Grid;
    EXPECT_TRUE(Fast.ApplyOurReserved());
    EXPECT_EQ(Fast.GetCandidates(0, 0), DigitBit(5));
    // Column A admits 1 and 2 twice each, in three cells: no group at all, so
    // it puts back nothing of row 2, whose single 1 narrows A3.
    TMatrix Spread;
    for (int Row = 3; Row < 9; ++Row) {
        Spread.Candidates[CellIndex(0, Row)] = 0;
    }
    Spread.Candidates[CellIndex(0, 0)] = DigitBit(1);
    Spread.Candidates[CellIndex(0, 1)] = DigitBit(2);
    Spread.Candidates[CellIndex(0, 2)] = DigitBit(1) | DigitBit(2);
    for (int Col = 1; Col < 9; ++Col) {
        Spread.RemoveCandidate(Col, 2, 1);
    }
    ExpectSameAsReference(Spread, "column A even but not one group");
    EXPECT_TRUE(Spread.ApplyOurReserved());
    EXPECT_EQ(Spread.GetCandidates(0, 2), DigitBit(1));
    // Column A as a single 1 in A2 and one group of the other eight digits:
    // no write of its own changes a mask, but it still puts A1 back.
    TMatrix Split;
    for (int Col = 1; Col < 9; ++Col) {
        Split.RemoveCandidate(Col, 0, 5);
    }
    Split.Candidates[CellIndex(0, 1)] = DigitBit(1);
    for (int Row = 0; Row < 9; ++Row) {
        if (Row != 1) {
            Split.RemoveCandidate(0, Row, 1);
        }
    }
    ExpectSameAsReference(Split, "single in row 0, column A a single and one group");
    EXPECT_TRUE(Split.ApplyOurReserved());
    EXPECT_EQ(Split.GetCandidates(0, 0), AllDigits & ~DigitBit(1));
    // A bit beyond the nine digits: the whole groups' writes cut it, with
    // no earlier write in the unit.
    TMatrix Strayed;
    Strayed.Candidates[CellIndex(4, 4)] |= 1 << 12;
    ExpectSameAsReference(Strayed, "stray bit under whole groups");
    EXPECT_TRUE(Strayed.ApplyOurReserved());
    EXPECT_EQ(Strayed.GetCandidates(4, 4), AllDigits);
}

// Rows with all nine digits where one cell admits at most one of them, so
// that eight digits may share the other eight cells. The filter reads such
// rows eight at a time.
TEST(OurReservedReference, GroupsOfEightBesideANarrowCell) {
    TMatrix Grid;
    Grid.Candidates[CellIndex(0, 0)] = DigitBit(9);
    Grid.Candidates[CellIndex(4, 1)] = 0;
    ExpectSameAsReference(Grid, "rows with a cell of one candidate and a closed one");
}

TEST(OurReservedReference, AgreesOnPuzzlesAtEveryStage) {
    for (const auto& Item : test::LoadSolvedPuzzles()) {
        TMatrix Grid = test::Position(Item.Puzzle);
        for (int Stage = 0; Stage < 6; ++Stage) {
            ExpectSameAsReference(Grid, Item.Puzzle + " stage " + std::to_string(Stage));
            Grid.ApplyMyReserved();
            Grid.ApplyYourReserved();
            int Col;
            int Row;
            int Digit;
            if (Grid.FindSingle(Col, Row, Digit)) {
                Grid.SetValue(Col, Row, Digit);
            }
        }
    }
}

TEST(OurReservedReference, AgreesOnArbitraryMasksAndValues) {
    std::mt19937 Random(20261208);
    for (int Round = 0; Round < 1500; ++Round) {
        TMatrix Grid;
        const int Density = static_cast<int>(Random() % 60);
        for (int I = 0; I < 81; ++I) {
            Grid.Values[I] =
                static_cast<int>(Random() % 100) < Density ? static_cast<int>(Random() % 9) + 1 : 0;
            // Mostly wide masks, so that equal place lists are common.
            int Mask = AllDigits;
            for (int K = static_cast<int>(Random() % 4); K > 0; --K) {
                Mask &= ~DigitBit(static_cast<int>(Random() % 9) + 1);
            }
            Grid.Candidates[I] = Random() % 8 == 0 ? static_cast<int>(Random() % 512) : Mask;
        }
        if (Round % 4 == 3) {
            // A bit beyond the nine digits: every whole group's write then cuts it.
            Grid.Candidates[Random() % 81] |= 1 << (9 + Random() % 20);
        }
        ExpectSameAsReference(Grid, "round " + std::to_string(Round));
        if (HasFailure()) {
            break;
        }
    }
}

// The pass's filter reads per-digit counts and group sizes off eight units
// at once; a size it wrongly sets only costs a search, so the pass checks
// above cannot see it.
TEST(OurReservedReference, LaneCountsMatchPlainCounts) {
    std::mt19937 Random(7);
    for (int Round = 0; Round < 300; ++Round) {
        std::array<TShort8, 9> Cells{};
        for (TShort8& Position : Cells) {
            for (int L = 0; L < 8; ++L) {
                // Lane L drops up to L digits, so that every group size comes up.
                int Mask = Random() % 5 == 0 ? 0 : AllDigits;
                for (int K = static_cast<int>(Random() % (L + 1)); K > 0; --K) {
                    Mask &= ~DigitBit(static_cast<int>(Random() % 9) + 1);
                }
                Position[L] = static_cast<short>(Mask);
            }
        }
        const std::array<TShort8, 10> ByCount = CountDigits(Cells.data()).ByCount();
        const TShort8 Sizes = GroupSizeLanes(ByCount);
        for (int L = 0; L < 8; ++L) {
            std::array<int, 10> Plain{};
            for (int D = 1; D <= 9; ++D) {
                int Count = 0;
                for (const TShort8& Position : Cells) {
                    Count += (Position[L] & DigitBit(D)) != 0;
                }
                Plain[Count] |= DigitBit(D);
            }
            int PlainSizes = 0;
            for (int N = 1; N <= 9; ++N) {
                EXPECT_EQ(ByCount[N][L], Plain[N]) << "round " << Round << " lane " << L;
                PlainSizes |= DigitCount(Plain[N]) >= N ? 1 << N : 0;
            }
            EXPECT_EQ(Sizes[L], PlainSizes) << "round " << Round << " lane " << L;
        }
        if (HasFailure()) {
            break;
        }
    }
}

} // namespace
} // namespace kumoji
