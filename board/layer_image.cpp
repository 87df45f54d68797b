// One drawing layer of the board: a child widget that shows its own image.
#include "board/layer_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace kumoji {

TLayerImage::TLayerImage(QWidget* Parent, bool Transparent)
    : QWidget(Parent), FTransparent(Transparent) {
    if (!Transparent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    SetCanvasSize(Parent ? Parent->size() : QSize());
}

void TLayerImage::SetCanvasSize(QSize Size, qreal Ratio) {
    Size = Size.expandedTo(QSize(1, 1));
    const QSize Pixels(static_cast<int>(std::ceil(Size.width() * Ratio)),
                       static_cast<int>(std::ceil(Size.height() * Ratio)));
    if (Pixels == FCanvas.size() && Ratio == FCanvas.devicePixelRatio()) {
        return;
    }
    FCanvas = QImage(Pixels, QImage::Format_ARGB32_Premultiplied);
    FCanvas.setDevicePixelRatio(Ratio);
    FCanvas.fill(FTransparent ? QColor(Qt::transparent) : QColor(Qt::white));
    update();
}

void TLayerImage::ClearRect(const QRect& Rect, const QColor& Fill) {
    QPainter Painter(&FCanvas);
    Painter.setCompositionMode(QPainter::CompositionMode_Source);
    Painter.fillRect(Rect, FTransparent ? QColor(Qt::transparent) : Fill);
    update(Rect);
}

void TLayerImage::paintEvent(QPaintEvent* Event) {
    QPainter Painter(this);
    const QRectF Shown(Event->rect());
    const qreal Ratio = FCanvas.devicePixelRatio();
    Painter.drawImage(Shown, FCanvas, QRectF(Shown.topLeft() * Ratio, Shown.size() * Ratio));
}

void TLayerImage::mousePressEvent(QMouseEvent* Event) {
    if (OnMouseDown) {
        OnMouseDown(*Event);
    }
}

void TLayerImage::mouseDoubleClickEvent(QMouseEvent* Event) {
    mousePressEvent(Event);
}

void TLayerImage::mouseMoveEvent(QMouseEvent* Event) {
    if (OnMouseMove) {
        OnMouseMove(*Event);
    }
}

void TLayerImage::mouseReleaseEvent(QMouseEvent* Event) {
    if (OnMouseUp) {
        OnMouseUp(*Event);
    }
}

} // namespace kumoji
