// The main window's one scale: how the design's 1024 by 768 fits the room the window has.
#include "game/window_scale.h"

#include <algorithm>
#include <cmath>

namespace kumoji {

namespace {

double WidthRatio(int Width) {
    return static_cast<double>(Width) / DesignWindowWidth;
}

double HeightRatio(int Height) {
    return static_cast<double>(Height) / DesignWindowHeight;
}

double Within(double Scale, TPixelSize Available) {
    return std::clamp(Scale, SmallestScale(Available), LargestScale(Available));
}

} // namespace

double WindowScale(TPixelSize Client, TFrameMargins Frame) {
    const double Scale = std::min(WidthRatio(Client.Width + Frame.Width()),
                                  HeightRatio(Client.Height + Frame.Height()));
    return std::max(Scale, 0.05);
}

TPixelSize DesignClient(double Scale, TFrameMargins Frame) {
    return {static_cast<int>(std::lround(DesignWindowWidth * Scale)) - Frame.Width(),
            static_cast<int>(std::lround(DesignWindowHeight * Scale)) - Frame.Height()};
}

double LargestScale(TPixelSize Available) {
    if (Available.Width <= 0 || Available.Height <= 0) {
        return 1.0;
    }
    return std::min(WidthRatio(Available.Width), HeightRatio(Available.Height));
}

double SmallestScale(TPixelSize Available) {
    return std::min(SmallestWindowScale, LargestScale(Available));
}

double StartScale(double Remembered, TPixelSize Available) {
    return Within(Remembered > 0 ? Remembered : 1.0, Available);
}

double ResizedScale(double Before, TPixelSize Client, TFrameMargins Frame, TPixelSize Available) {
    const double ByWidth = WidthRatio(Client.Width + Frame.Width());
    const double ByHeight = HeightRatio(Client.Height + Frame.Height());
    const double Led =
        std::abs(ByWidth - Before) >= std::abs(ByHeight - Before) ? ByWidth : ByHeight;
    return Within(Led, Available);
}

} // namespace kumoji
