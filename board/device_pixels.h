// Painting a widget on whole device pixels, at any device pixel ratio.
#pragma once

#include <QSize>

class QPainter;
class QWidget;

namespace kumoji {

// Turns Painter, open on Widget, to whole device pixels from the widget's first device
// pixel, and answers the widget's size in them. At a fractional ratio a widget may begin
// between two device pixels; its painting is moved onto the pixel where its shown area
// begins, so that bands drawn from its edges keep their width.
QSize PaintInDevicePixels(QPainter& Painter, const QWidget& Widget);

} // namespace kumoji
