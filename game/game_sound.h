// The round's sound events, made known to Qt so that they travel by signal.
#pragma once

#include "game/round/sound_event.h"

#include <QMetaType>

Q_DECLARE_METATYPE(kumoji::TGameSound)
