// Sparse positions laid out around one pattern of the techniques beyond subsets.
#include "engine/question/pattern_layout.h"

#include "engine/question/layout.h"

namespace kumoji {

bool LayOutPattern(TSolveMethod Technique, const TGridValues& Solution, const TRandomDraw& Random,
                   TGridValues& Givens, int& Target) {
    using namespace layout;
    TLayout Layout(Solution, Random);
    bool Laid = false;
    switch (Technique) {
    case smXWing:
        Laid = LayOutFish(Layout, 2, Target);
        break;
    case smSwordfish:
        Laid = LayOutFish(Layout, 3, Target);
        break;
    case smSkyscraper:
        Laid = LayOutSkyscraper(Layout, Target);
        break;
    case sm2StringKite:
        Laid = LayOutKite(Layout, Target);
        break;
    case smXYWing:
        Laid = LayOutXYWing(Layout, Target);
        break;
    case smXYZWing:
        Laid = LayOutXYZWing(Layout, Target);
        break;
    case smWWing:
        Laid = LayOutWWing(Layout, Target);
        break;
    case smSimpleColouring:
        Laid = LayOutColouring(Layout, Target);
        break;
    case smKeepOff:
        Laid = LayOutKeepOff(Layout, Target);
        break;
    case smGetOut:
        Laid = LayOutGetOut(Layout, Target);
        break;
    default:
        break;
    }
    return Laid && Layout.Settle(Givens, Target);
}

} // namespace kumoji