// Qt's side of the window's scale: the room a window has on its screen, and its frame.
#include "game/window_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kumoji {

QRect AvailableArea(const QWidget& Window) {
    const QScreen* Screen = Window.screen() ? Window.screen() : QGuiApplication::primaryScreen();
    return Screen ? Screen->availableGeometry() : QRect();
}

TPixelSize Room(const QWidget& Window) {
    const QRect Area = AvailableArea(Window);
    return {Area.width(), Area.height()};
}

TFrameMargins Margins(const QMargins& Frame) {
    return {Frame.left(), Frame.top(), Frame.right(), Frame.bottom()};
}

} // namespace kumoji
