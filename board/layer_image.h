// One drawing layer of the board: a child widget that shows its own image.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QMouseEvent;

namespace kumoji {

// One drawing layer of the board: a child widget that shows its own image.
// A transparent layer starts and clears to fully transparent pixels, so what
// lies behind it shows wherever nothing was drawn. The image has the screen's
// device pixels, so what is drawn on it is as sharp as the screen allows.
class TLayerImage : public QWidget {
    Q_OBJECT

public:
    using TMouseEvent = std::function<void(QMouseEvent&)>;

    TLayerImage(QWidget* Parent, bool Transparent);

    bool Transparent() const { return FTransparent; }
    // A cleared canvas of Size logical pixels at device pixel ratio Ratio; the
    // canvas is kept as it is when both are unchanged.
    void SetCanvasSize(QSize Size, qreal Ratio = 1.0);
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
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    bool FTransparent;
    QImage FCanvas;
};

} // namespace kumoji
