// What a grid's values say, worked out once for a cycle of passes.
#include "engine/value_facts.h"

#include "engine/lanes.h"
#include "engine/matrix.h"
#include "engine/unit_sums.h"

#include <cstring>

namespace kumoji {

// Four cells at a time, since the passes of every trial need these.
TValueFacts::TValueFacts(const TMatrix& Grid) {
    TInt4 Open = {};
    for (int I = 0; I + 4 <= 81; I += 4) {
        const TInt4 Value = LoadLanes(&Grid.Values[I]);
        const TInt4 Bits = DigitBits4(Value);
        std::memcpy(&ValueBits[I], &Bits, sizeof Bits);
        Open -= Value == 0;
    }
    ValueBits[80] = ValueBit(Grid.Values[80]);
    OpenCells = Open[0] + Open[1] + Open[2] + Open[3] + (Grid.Values[80] == 0);
    Held = UnitUnions(ValueBits);
}

} // namespace kumoji
