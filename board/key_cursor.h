// The keyboard cursor's frame: a thick outline around the cell the keys act on.
#pragma once

#include <QWidget>

namespace kumoji {

// Lies above the pieces so that a piece on the cell cannot hide it, and lets
// the mouse through to whatever is beneath.
class TKeyCursor : public QWidget {
    Q_OBJECT

public:
    explicit TKeyCursor(QWidget* Parent);

    // Width of the outline, in design pixels.
    static constexpr int Thickness = 3;

    // Frames the cell at Rect, the outline straddling the cell's edges.
    void FrameCell(const QRect& Rect);
    // The board's scale, which the outline's measures follow.
    void SetScale(double Value);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    double FScale = 1.0;
};

} // namespace kumoji
