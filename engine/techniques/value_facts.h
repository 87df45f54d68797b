// What a grid's values say, fixed while the reservation passes clear candidates.
#pragma once

#include "engine/grid/units.h"
#include "engine/lanes/unit_lanes.h"

#include <array>

namespace kumoji {

class TMatrix;

// The passes never change a value, so a cycle of them can work these out
// once and share them.
struct TValueFacts {
    explicit TValueFacts(const TMatrix& Grid);

    std::array<int, 81> ValueBits;             // each cell's digit as a bit, 0 when none
    std::array<int, UnitCount> Held;           // the digits each unit holds
    std::array<TShort8, LaneGroups> HeldLanes; // the same on the unit lanes
};

} // namespace kumoji
