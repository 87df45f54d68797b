// The route map: a row of marks up the mountain, painted on an overlay of the route picture.
#include "game/route_image.h"

#include "game/tables.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace kumoji {

TRouteImage::TRouteImage(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TRouteImage::SetBitmapSize(int Width, int Height) {
    const qreal Ratio = devicePixelRatioF();
    const QSize Pixels(qRound(Width * Ratio), qRound(Height * Ratio));
    if (Pixels == FBitmap.size() && Ratio == FBitmap.devicePixelRatio())
        return;
    FBitmap = QImage(Pixels, QImage::Format_RGB32);
    FBitmap.setDevicePixelRatio(Ratio);
    FBitmap.fill(Qt::black);
    if (FDrawn) {
        const TDrawn Last = *FDrawn;
        DrawRoute(Last.Position, Last.Reached, Last.Huts);
    }
}

QColor TRouteImage::TransparentColor() const {
    if (FBitmap.isNull())
        return {};
    return FBitmap.pixelColor(0, FBitmap.height() - 1);
}

void TRouteImage::DrawRoute(int Position, int Reached, const std::vector<int>& Huts) {
    if (FBitmap.isNull())
        return;
    FDrawn = TDrawn{Position, Reached, Huts};
    // The marks span the slope of the picture at its design width of 750 pixels. They are
    // laid on the bitmap's own pixels, which are the screen's: outlines are the design's
    // widths at the picture's scale.
    const float Step = static_cast<float>(FBitmap.width()) / 750 * 552 / 51;
    const int Unit = static_cast<int>(Step * 2);
    const double Scale = FBitmap.width() / 738.0;
    const auto Line = [Scale](int Design) {
        return std::max(1, static_cast<int>(std::lround(Design * Scale)));
    };
    float X = 10.0f;
    const QColor Red(255, 0, 0);
    const QColor White(255, 255, 255);
    FBitmap.fill(QColor(0, 0, 255));
    const qreal Ratio = FBitmap.devicePixelRatio();
    FBitmap.setDevicePixelRatio(1.0);
    QPainter Painter(&FBitmap);
    for (int I = 0; I <= 50; ++I, X += Step) {
        if (Position != -1 && I != Position)
            continue;
        const int Y = static_cast<int>(RouteHeights[static_cast<std::size_t>(I)] *
                                       (static_cast<float>(FBitmap.height()) / 493));
        const bool End = I == 0 || I == 50;
        const bool Hut = std::find(Huts.begin(), Huts.end(), I) != Huts.end();
        int Height = Unit;
        int Top = Y;
        int PenWidth = 1;
        QColor Pen = White;
        if (End) {
            Height = 3 * Unit;
            Top = Y - Unit;
            PenWidth = 2;
            Pen = Red;
        } else if (Hut) {
            Height = 3 * Unit;
            Top = Y - Unit;
        }
        QColor Fill;
        if (I <= Reached) {
            Fill = Red;
            PenWidth = 1;
            if (I > 0)
                Pen = White;
        } else {
            Fill = End ? White : Hut ? QColor(0, 64, 0) : QColor(0, 128, 0);
        }
        // The rectangle covers Left .. Right - 1 and Top .. Bottom - 1.
        const int Left = static_cast<int>(X);
        const int Right = Left + static_cast<int>(Step);
        Painter.setPen(QPen(Pen, Line(PenWidth), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        Painter.setBrush(Fill);
        Painter.drawRoundedRect(QRect(Left, Top, Right - Left - 1, Height - 1), Line(1), Line(1),
                                Qt::AbsoluteSize);
    }
    Painter.end();
    FBitmap.setDevicePixelRatio(Ratio);
    update();
}

void TRouteImage::paintEvent(QPaintEvent* Event) {
    if (FBitmap.isNull())
        return;
    // Only the part to be painted is keyed: the board's pieces, which lie under the
    // map's right part, repaint small pieces of it many times.
    const qreal Ratio = FBitmap.devicePixelRatio();
    const QRect Area = Event->rect();
    const QRect Pixels =
        QRect(QPoint(qFloor(Area.left() * Ratio), qFloor(Area.top() * Ratio)),
              QPoint(qCeil((Area.right() + 1) * Ratio) - 1, qCeil((Area.bottom() + 1) * Ratio) - 1))
            .intersected(FBitmap.rect());
    QImage Shown = FBitmap.copy(Pixels).convertToFormat(QImage::Format_ARGB32);
    const QRgb Key = FBitmap.pixel(0, FBitmap.height() - 1) | 0xFF000000u;
    for (int Y = 0; Y < Shown.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Shown.scanLine(Y));
        for (int X = 0; X < Shown.width(); ++X)
            if ((Line[X] | 0xFF000000u) == Key)
                Line[X] = 0;
    }
    Shown.setDevicePixelRatio(Ratio);
    QPainter Painter(this);
    Painter.drawImage(QPointF(Pixels.topLeft()) / Ratio, Shown);
}

} // namespace kumoji
