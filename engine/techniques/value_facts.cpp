// What a grid's values say, worked out once for a cycle of passes.
#include "engine/techniques/value_facts.h"

#include "engine/grid/matrix.h"
#include "engine/lanes/lanes.h"
#include "engine/lanes/unit_sums.h"

#include <cstring>

namespace kumoji {

// Four cells at a time, since the passes of every trial need these.
TValueFacts::TValueFacts(const TMatrix& Grid) {
    for (int I = 0; I + 4 <= 81; I += 4) {
        const TInt4 Value = LoadLanes(&Grid.Values[I]);
        const TInt4 Bits = DigitBits4(Value);
        std::memcpy(&ValueBits[I], &Bits, sizeof Bits);
    }
    ValueBits[80] = ValueBit(Grid.Values[80]);
    Held = UnitUnions(ValueBits);
    HeldLanes = OnLanes(Held);
}

} // namespace kumoji
