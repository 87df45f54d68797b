#include "game/route_image.h"

#include <QPainter>

namespace kumoji {

TRouteImage::TRouteImage(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TRouteImage::SetBitmapSize(int Width, int Height) {
    FBitmap = QImage(Width, Height, QImage::Format_RGB32);
    FBitmap.fill(Qt::black);
}

QColor TRouteImage::TransparentColor() const {
    if (FBitmap.isNull())
        return {};
    return FBitmap.pixelColor(0, FBitmap.height() - 1);
}

void TRouteImage::paintEvent(QPaintEvent*) {
    if (FBitmap.isNull())
        return;
    QImage Shown = FBitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb Key = FBitmap.pixel(0, FBitmap.height() - 1) | 0xFF000000u;
    for (int Y = 0; Y < Shown.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Shown.scanLine(Y));
        for (int X = 0; X < Shown.width(); ++X)
            if ((Line[X] | 0xFF000000u) == Key)
                Line[X] = 0;
    }
    QPainter Painter(this);
    Painter.drawImage(0, 0, Shown);
}

} // namespace kumoji
