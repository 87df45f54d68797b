// Qt's side of the window's scale: the room a window has on its screen, and its frame.
#pragma once

#include "game/window_scale.h"

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace kumoji {

// The free area of the screen Window is on (or of the main screen), less its panels.
QRect AvailableArea(const QWidget& Window);
TPixelSize Room(const QWidget& Window);

TFrameMargins Margins(const QMargins& Frame);
inline QSize ToSize(TPixelSize Size) {
    return {Size.Width, Size.Height};
}

} // namespace kumoji
