// A grid cell as a point.
#pragma once

namespace kumoji {

// A grid cell: X is the column, Y the row; (-1, -1) is off the grid.
struct TPoint {
    int X = -1;
    int Y = -1;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

} // namespace kumoji
