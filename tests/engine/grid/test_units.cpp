// The unit table every pass shares, and the single-place search on it.
#include "engine/lanes/unit_lanes.h"
#include "engine/techniques/single_place.h"
#include "grid_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace kumoji {
namespace {

// Each unit holds the cells its scan visits, and each cell knows its three
// units and its position in them; a slip here misleads every pass at once.
TEST(Units, TableAgreesWithTheScansAndTheCells) {
    TMatrix Grid;
    TD2IntegerList Places;
    TPoint Cell;
    for (int N = 0; N < 9; ++N) {
        auto Cells = [&](int Unit) {
            std::set<int> Set;
            for (const int I : UnitCells[Unit]) {
                Set.insert(I);
            }
            return Set;
        };
        auto Scanned = [&] {
            std::set<int> Set;
            for (int K = 0; K < Places.GetCount(); ++K) {
                Set.insert(CellIndex(Places[K].X, Places[K].Y));
            }
            return Set;
        };
        Grid.ScanRow(N, 1, Places, Cell);
        EXPECT_EQ(Cells(RowUnit(N)), Scanned());
        Grid.ScanCol(N, 1, Places, Cell);
        EXPECT_EQ(Cells(ColUnit(N)), Scanned());
        Grid.ScanBox(N % 3, N / 3, 1, Places, Cell);
        EXPECT_EQ(Cells(BoxUnit(N % 3, N / 3)), Scanned());
        // The box scan's column-by-column walk, position by position.
        for (int K = 0; K < 9; ++K) {
            EXPECT_EQ(UnitCells[BoxUnit(N % 3, N / 3)][BoxScanPosition(K)],
                      CellIndex(Places[K].X, Places[K].Y));
        }
    }
    for (int I = 0; I < 81; ++I) {
        const TCellUnits& Units = CellUnits[I];
        EXPECT_EQ(UnitCells[Units.Row][Units.RowPosition], I);
        EXPECT_EQ(UnitCells[Units.Col][Units.ColPosition], I);
        EXPECT_EQ(UnitCells[Units.Box][Units.BoxPosition], I);
    }
    for (const TUnitOrder& Order : {UnitOrder::RowsColsBoxes, UnitOrder::RowsColsBoxesByColumn,
                                    UnitOrder::ColsRowsBoxes, UnitOrder::BoxesRowsCols}) {
        TUnitOrder Sorted = Order;
        std::sort(Sorted.begin(), Sorted.end());
        EXPECT_EQ(Sorted, UnitOrder::RowsColsBoxes);
    }
    EXPECT_EQ(UnitOrder::RowsColsBoxesByColumn[19], BoxUnit(0, 1));
}

TEST(Units, SinglePlaceTellsNoneOneAndMany) {
    // Row 0 holds 5; column 8 holds 2..9 and leaves 1 its last cell.
    TMatrix Grid = test::Rows({"5.......2", "........3", "........4", "........5", "........6",
                               "........7", "........8", "........9", "........."});
    EXPECT_EQ(SinglePlace(Grid, RowUnit(0), 5), NoSinglePlace);
    EXPECT_EQ(SinglePlace(Grid, ColUnit(8), 1), CellIndex(8, 8));
    EXPECT_EQ(SinglePlace(Grid, RowUnit(4), 1), NoSinglePlace);
    Grid.RemoveCandidate(8, 8, 1);
    EXPECT_EQ(SinglePlace(Grid, ColUnit(8), 1), NoPlace);
    EXPECT_TRUE(Grid.DigitBlocked(1));
    // A stray candidate beside the held digit does not make a place.
    Grid.Candidates[CellIndex(1, 0)] |= DigitBit(5);
    EXPECT_EQ(SinglePlace(Grid, RowUnit(0), 5), NoSinglePlace);
}

TEST(Units, LanesHoldEveryUnitsCellsByPosition) {
    // Distinct words show which cell went where; bits above Keep are cut.
    std::array<int, 81> Words;
    for (int I = 0; I < 81; ++I) {
        Words[I] = (I + 1) | 0x4000;
    }
    const TUnitLanes Units = SpreadOverUnits(Words, 0xFF);
    std::uint32_t Seen = 0;
    for (int G = 0; G < LaneGroups; ++G) {
        for (int L = 0; L < 8; ++L) {
            const int U = LaneUnit[G][L];
            for (int P = 0; P < 9; ++P) {
                EXPECT_EQ(Units.Cells[G][P][L], U < 0 ? 0 : UnitCells[U][P] + 1)
                    << "group " << G << " lane " << L << " position " << P;
            }
            if (U >= 0) {
                EXPECT_EQ(Seen >> U & 1, 0u);
                Seen |= std::uint32_t{1} << U;
                EXPECT_EQ(UnitsOfLanes(G, 1 << L), std::uint32_t{1} << U);
            }
        }
    }
    EXPECT_EQ(Seen, (std::uint32_t{1} << UnitCount) - 1);
    EXPECT_EQ(LaneBits(TShort8{0, 3, 0, 0, 0, 0, -1, 0}), 0b01000010);
    const TShort8 Counts = LaneBitCounts(TShort8{0, 1, 0x1FF, 0x155, 0x100, 0x7FFF, 3, 0x1FE});
    EXPECT_EQ(LaneBits(Counts == TShort8{0, 1, 9, 5, 1, 15, 2, 8}), 0xFF);
}

} // namespace
} // namespace kumoji
