// The explanation drawn over the board: tinted pattern, struck candidates and the single's marks.
#pragma once

#include "board/explain_marks.h"

#include <QColor>
#include <QWidget>

namespace kumoji {

class TSudoku;

// Translucent, so the digits beneath stay readable; apart from the hint
// colours, the cursor's orange and the answer's red circle.
inline QColor ExplainUnitTint() {
    return QColor(255, 196, 40, 64);
} // amber
inline QColor ExplainPatternTint() {
    return QColor(0, 150, 136, 84);
} // teal
inline QColor ExplainPatternLine() {
    return QColor(0, 121, 107);
}
inline QColor ExplainSingleColor() {
    return QColor(123, 31, 162);
} // violet
inline QColor ExplainStruckColor() {
    return QColor(211, 47, 47);
}
// The two colours of a colouring, apart from the teal and amber.
inline QColor ExplainColourTint(int Colour) {
    return Colour == 0 ? QColor(66, 133, 244, 96) : QColor(244, 121, 66, 104);
}
inline QColor ExplainLinkColor() {
    return QColor(21, 101, 192);
}
inline QColor ExplainCandidateColor() {
    return QColor(84, 84, 84);
}

// Lies above the pieces, so that the marks show on the givens too, and lets
// the mouse through. It reads the board's geometry whenever it paints.
class TExplainOverlay : public QWidget {
    Q_OBJECT

public:
    explicit TExplainOverlay(TSudoku& Board);

    void Show(TExplainMarks Marks);
    void Clear();
    const TExplainMarks& Marks() const { return FMarks; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QRect CellRect(int Cell) const;
    QRect UnitRect(int Unit) const;
    void DrawDigits(QPainter& Painter) const;
    void DrawShapes(QPainter& Painter) const;

    TSudoku& FBoard;
    TExplainMarks FMarks;
};

} // namespace kumoji
