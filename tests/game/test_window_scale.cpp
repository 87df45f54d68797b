// The window's one scale as a model: fitting the design into a client area, a screen and a resize.
#include "game/window_scale.h"

#include <gtest/gtest.h>

namespace kumoji::test {
namespace {

const TFrameMargins Openbox{1, 20, 1, 1};

TEST(WindowScaleTest, TheDesignsOuterSizeIsScaleOneWithOrWithoutAFrame) {
    EXPECT_EQ(WindowScale({1024, 768}, {}), 1.0);
    EXPECT_EQ(WindowScale({1022, 747}, Openbox), 1.0);
    EXPECT_EQ(DesignClient(1.0, Openbox), (TPixelSize{1022, 747}));
    EXPECT_EQ(DesignClient(2.0, {}), (TPixelSize{2048, 1536}));
    // A client of another shape is fitted by its shorter side: the picture stays 4:3.
    EXPECT_DOUBLE_EQ(WindowScale({1366, 717}, {0, 19, 0, 0}), 736.0 / 768);
    EXPECT_DOUBLE_EQ(WindowScale({2000, 768}, {}), 1.0);
    EXPECT_DOUBLE_EQ(WindowScale({512, 2000}, {}), 0.5);
}

TEST(WindowScaleTest, TheStartTakesTheDesignsSizeWhenTheScreenHoldsItElseTheLargestThatFits) {
    EXPECT_EQ(StartScale(0, {1280, 1024}), 1.0);
    EXPECT_EQ(StartScale(0, {1024, 768}), 1.0);
    // 1366 by 768 less a 32-pixel panel: the whole window, frame included, in 736.
    const double Laptop = StartScale(0, {1366, 736});
    EXPECT_DOUBLE_EQ(Laptop, 736.0 / 768);
    EXPECT_LE(DesignClient(Laptop, Openbox).Height + Openbox.Height(), 736);
    // The player's own size, within what the screen holds.
    EXPECT_DOUBLE_EQ(StartScale(1.2, {1280, 1024}), 1.2);
    EXPECT_DOUBLE_EQ(StartScale(2.0, {1280, 1024}), 1.25);
    EXPECT_DOUBLE_EQ(StartScale(0.2, {1280, 1024}), SmallestWindowScale);
    // A screen smaller than the smallest scale still gets a window it holds.
    EXPECT_DOUBLE_EQ(StartScale(0, {400, 300}), 300.0 / 768);
    EXPECT_DOUBLE_EQ(StartScale(0.8, {400, 300}), 300.0 / 768);
    // No screen known: the design's size.
    EXPECT_EQ(StartScale(0, {}), 1.0);
}

TEST(WindowScaleTest, AResizeIsLedByTheSideThePlayerMoved) {
    const TPixelSize Screen{1280, 1024};
    // One edge dragged: the other side follows, so the window can grow or shrink at all.
    EXPECT_DOUBLE_EQ(ResizedScale(1.0, {1150, 747}, Openbox, Screen), 1152.0 / 1024);
    EXPECT_DOUBLE_EQ(ResizedScale(1.0, {1022, 556}, Openbox, Screen), 577.0 / 768);
    // Both dragged: the one that moved further.
    EXPECT_DOUBLE_EQ(ResizedScale(1.0, {1100, 500}, {}, Screen), 500.0 / 768);
    // Never beyond the screen, nor below the smallest.
    EXPECT_DOUBLE_EQ(ResizedScale(1.0, {2000, 768}, {}, Screen), 1.25);
    EXPECT_DOUBLE_EQ(ResizedScale(1.0, {100, 768}, {}, Screen), SmallestWindowScale);
}

} // namespace
} // namespace kumoji::test
