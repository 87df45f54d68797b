// The board's geometry at any size: the design's pixel measures times one scale, in whole pixels.
#include "board/board_scale.h"

#include <algorithm>
#include <cmath>

namespace kumoji {

int ScaledPixels(double Design, double Scale) {
    const int Pixels = static_cast<int>(std::lround(Design * Scale));
    return Design > 0 ? std::max(1, Pixels) : Pixels;
}

TDeviceSpan DeviceLine(double At, int DesignWidth, double Scale, double Ratio) {
    const int Width = std::max(1, static_cast<int>(std::lround(DesignWidth * Scale * Ratio)));
    const int Centre = static_cast<int>(std::lround(At * Ratio));
    return {Centre - Width / 2, Width};
}

TBoardGeometry BoardGeometry(int Width, int Height) {
    TBoardGeometry Geometry;
    Geometry.Scale = std::max(0.01, std::min(static_cast<double>(Width) / DesignBoardWidth,
                                             static_cast<double>(Height) / DesignBoardHeight));
    Geometry.CellWidth = std::max(1, (Width - Geometry.Px(4)) / 11);
    Geometry.CellHeight = std::max(1, (Height - Geometry.Px(24)) / 9);
    Geometry.GridTop = Geometry.Px(20);
    Geometry.GridLeft = 2 * Geometry.CellWidth;
    return Geometry;
}

} // namespace kumoji
