// Painting a widget on whole device pixels, at any device pixel ratio.
#include "board/device_pixels.h"

#include <QPainter>
#include <QWidget>

namespace kumoji {

QSize PaintInDevicePixels(QPainter& Painter, const QWidget& Widget) {
    const qreal Ratio = Widget.devicePixelRatioF();
    const QPointF Origin = Painter.deviceTransform().map(QPointF(0, 0));
    const QPointF End = Origin + QPointF(Widget.width(), Widget.height()) * Ratio;
    // The shown area's edges are the nearest device pixels to the widget's.
    const QPoint First(qRound(Origin.x()), qRound(Origin.y()));
    const QPointF Shift = QPointF(First) - Origin;
    Painter.setWorldTransform(
        QTransform().scale(1 / Ratio, 1 / Ratio).translate(Shift.x(), Shift.y()));
    return {qRound(End.x()) - First.x(), qRound(End.y()) - First.y()};
}

} // namespace kumoji
