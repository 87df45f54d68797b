// The face and placement of text the board paints on its layers: labels, caption and hints.
#pragma once

#include <QFont>

class QPainter;
class QString;

namespace kumoji {

// 12 pixels at scale 1. On the design's own pixels (scale and device pixel ratio 1) it
// is drawn without smoothing, so a mark is exactly its colour, as on the canvas this
// board was designed for; on any other pixels smoothed, which keeps small text legible
// and large text round.
QFont CanvasFont(double Scale = 1.0, double Ratio = 1.0);

// Text with its top-left corner at (X, Y), as a canvas writes it.
void DrawTextAt(QPainter& Painter, int X, int Y, const QString& Text);

} // namespace kumoji
