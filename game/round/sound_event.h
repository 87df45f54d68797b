// The sound events of the game, as the rules name them; what plays is decided elsewhere.
#pragma once

namespace kumoji {

enum TGameSound { gsLandmark, gsStep, gsLost, gsQuestion };

} // namespace kumoji
