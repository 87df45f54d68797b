// One drawing layer of the board: a child widget that shows its own image.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QMouseEvent;

namespace kumoji {

// One drawing layer of the board: a child widget that shows its own image.
// A transparent layer starts and clears to fully transparent pixels, so what
// lies behind it shows wherever nothing was drawn.
class TLayerImage : public QWidget {
    Q_OBJECT

public:
    using TMouseEvent = std::function<void(QMouseEvent&)>;

    TLayerImage(QWidget* Parent, bool Transparent);

    bool Transparent() const { return FTransparent; }
    // Sizes the canvas to Size, keeping what was drawn where it still fits.
    void SetCanvasSize(QSize Size);
    QImage& Canvas() { return FCanvas; }
    const QImage& Canvas() const { return FCanvas; }
    // Clears Rect: transparent on a transparent layer, otherwise Fill.
    void ClearRect(const QRect& Rect, const QColor& Fill = Qt::white);
    void Clear() { ClearRect(FCanvas.rect()); }

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    bool FTransparent;
    QImage FCanvas;
};

} // namespace kumoji
