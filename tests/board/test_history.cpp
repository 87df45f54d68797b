#include "board/history.h"
#include "engine/lists/intlist.h"

#include <gtest/gtest.h>

namespace kumoji {
namespace {

TPoint Tray() {
    return {-1, -1};
}

TEST(Histories, AddDropsTheRedoTailAndIgnoresStandingStill) {
    THistories History;
    int Changes = 0;
    History.OnChange = [&](THistories&) { ++Changes; };
    EXPECT_EQ(History.Count(), 0);
    EXPECT_EQ(History.Floater(), -1);

    History.Add(44, Tray(), 0, {4, 4});
    History.Add(0, Tray(), 2, {0, 0});
    History.Add(80, {0, 0}, 0, {8, 8});
    EXPECT_EQ(History.Count(), 3);
    EXPECT_EQ(History.Floater(), 2);
    EXPECT_EQ(Changes, 3);

    const THistory& First = History.Items(0);
    EXPECT_EQ(First.Digit, 5);
    EXPECT_EQ(First.PieceIndex, 44);
    EXPECT_EQ(First.FromCol, -1);
    EXPECT_EQ(First.FromRow, -1);
    EXPECT_EQ(First.ToCol, 4);
    EXPECT_EQ(First.ToRow, 4);
    EXPECT_EQ(History.Items(1).Method, 2);
    EXPECT_EQ(History.Items(2).Digit, 9);

    History.Add(3, {2, 2}, 0, {2, 2});
    EXPECT_EQ(History.Count(), 3);
    EXPECT_EQ(Changes, 3);

    History.SetFloater(0);
    History.SetFloater(0);
    EXPECT_EQ(Changes, 4);
    History.Add(9, Tray(), 0, {1, 1});
    EXPECT_EQ(History.Count(), 2);
    EXPECT_EQ(History.Floater(), 1);
    EXPECT_EQ(History.Items(1).PieceIndex, 9);

    // With nothing applied, a new move replaces the whole list.
    History.SetFloater(-1);
    History.Add(10, Tray(), 0, {3, 3});
    EXPECT_EQ(History.Count(), 1);
    EXPECT_EQ(History.Floater(), 0);
}

TEST(Histories, DeleteFromKeepsTheFloaterInsideTheList) {
    THistories History;
    for (int I = 0; I < 3; ++I) {
        History.Add(I, Tray(), 0, {I, 0});
    }
    int Changes = 0;
    History.OnChange = [&](THistories&) { ++Changes; };
    History.DeleteFrom(1);
    EXPECT_EQ(History.Count(), 1);
    EXPECT_EQ(History.Floater(), 0);
    EXPECT_EQ(Changes, 1);

    // Deleting only the redo tail leaves the position alone.
    History.Add(5, Tray(), 0, {5, 5});
    History.SetFloater(0);
    Changes = 0;
    History.DeleteFrom(1);
    EXPECT_EQ(History.Count(), 1);
    EXPECT_EQ(Changes, 0);

    History.DeleteFrom(-5);
    EXPECT_EQ(History.Count(), 0);
    EXPECT_EQ(History.Floater(), -1);
    History.Clear();
    EXPECT_EQ(Changes, 1);
}

TEST(Histories, ItemsOutsideTheListRaise) {
    THistories History;
    EXPECT_THROW(History.Items(0), EListError);
    History.Add(1, Tray(), 0, {0, 0});
    EXPECT_THROW(History.Items(-1), EListError);
    EXPECT_THROW(History.Items(1), EListError);
    EXPECT_NO_THROW(History.Items(0));
}

} // namespace
} // namespace kumoji
