// One drawing layer of the board: a child widget that shows its own image.
#include "board/layer_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace kumoji {

TLayerImage::TLayerImage(QWidget* Parent, bool Transparent)
    : QWidget(Parent), FTransparent(Transparent) {
    if (!Transparent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    SetCanvasSize(Parent ? Parent->size() : QSize());
}

void TLayerImage::SetCanvasSize(QSize Size) {
    Size = Size.expandedTo(QSize(1, 1));
    if (Size == FCanvas.size()) {
        return;
    }
    QImage Canvas(Size, QImage::Format_ARGB32_Premultiplied);
    Canvas.fill(FTransparent ? QColor(Qt::transparent) : QColor(Qt::white));
    if (!FCanvas.isNull()) {
        QPainter Painter(&Canvas);
        Painter.setCompositionMode(QPainter::CompositionMode_Source);
        Painter.drawImage(0, 0, FCanvas);
    }
    FCanvas = Canvas;
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
    Painter.drawImage(Event->rect().topLeft(), FCanvas, Event->rect());
}

void TLayerImage::resizeEvent(QResizeEvent* Event) {
    // The canvas only grows, as a drawn picture is never cut by a resize.
    SetCanvasSize(FCanvas.size().expandedTo(size()));
    QWidget::resizeEvent(Event);
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
