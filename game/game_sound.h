#pragma once

#include <QMetaType>

namespace kumoji {

// The game's sound events; the rules ask for them by signal, the sound
// engine decides what plays.
enum TGameSound { gsLandmark, gsStep, gsLost, gsQuestion };

} // namespace kumoji

Q_DECLARE_METATYPE(kumoji::TGameSound)
