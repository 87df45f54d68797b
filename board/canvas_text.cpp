// The face and placement of text the board paints on its layers: labels, caption and hints.
#include "board/canvas_text.h"

#include "board/board_scale.h"

#include <QPainter>
#include <QString>

namespace kumoji {

QFont CanvasFont(double Scale, double Ratio) {
    QFont Font;
    Font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    Font.setPixelSize(ScaledPixels(12, Scale));
    if (Scale * Ratio == 1.0) {
        Font.setStyleStrategy(QFont::NoAntialias);
    }
    return Font;
}

void DrawTextAt(QPainter& Painter, int X, int Y, const QString& Text) {
    Painter.drawText(QRect(X, Y, 1000, 1000), Qt::AlignLeft | Qt::AlignTop, Text);
}

} // namespace kumoji
