// The unit table every pass shares, and the single-place search on it.
#include "engine/single_place.h"
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

} // namespace
} // namespace kumoji
