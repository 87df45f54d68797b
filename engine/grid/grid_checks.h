// Guards against coordinates off the grid.
#pragma once

#include "engine/grid/units.h"

#include <cassert>

namespace kumoji {

// Guards for coordinates that no caller should pass: a debug build stops at
// the culprit, a release build treats the cell as absent.
inline bool LineInGrid(int Line) {
    const bool Inside = Line >= 0 && Line <= 8;
    assert(Inside && "row or column outside 0..8");
    return Inside;
}

inline bool CellInGrid(int Col, int Row) {
    const bool Inside = Col >= 0 && Col <= 8 && Row >= 0 && Row <= 8;
    assert(Inside && "cell outside the grid");
    return Inside;
}

inline bool BoxInGrid(int BoxCol, int BoxRow) {
    const bool Inside = BoxCol >= 0 && BoxCol <= 2 && BoxRow >= 0 && BoxRow <= 2;
    assert(Inside && "box outside 0..2");
    return Inside;
}

} // namespace kumoji
