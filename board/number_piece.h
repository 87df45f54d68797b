// A number piece: the draggable panel showing one digit, in the tray or on a cell.
#pragma once

#include <QWidget>
#include <functional>

class QMouseEvent;

namespace kumoji {

class TSudoku;

// A draggable number piece: a small raised panel showing its digit, either in
// the tray at its home place or on a cell of the board.
class TNumberPiece : public QWidget {
    Q_OBJECT

public:
    using TMouseEvent = std::function<void(TNumberPiece&, QMouseEvent&)>;

    explicit TNumberPiece(TSudoku& Board);

    // Places the piece on (Col, Row), or home in the tray when Col < 0.
    void SetCell(int Col, int Row);
    void SetFixed(bool Value);
    // Back to where the last drag began.
    void RestoreDragStart();

    int Digit() const { return FDigit; }
    void SetDigit(int Digit);
    bool Raised() const { return FRaised; }
    void SetRaised(bool Value);
    bool OnGrid() const { return Col >= 0 && Col <= 8 && Row >= 0 && Row <= 8; }

    bool Fixed = false;
    int HomeLeft = 0;
    int HomeTop = 0;
    int DragLeft = 0;
    int DragTop = 0;
    int Col = -1;
    int Row = -1;
    int Index = 0;

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
    TSudoku& FBoard;
    int FDigit = 0;
    bool FRaised = true;
    QColor FFontColor;
};

// The hint of a piece that may be moved.
inline constexpr const char* FreePieceHint = "移動先のマス目にＤ＆Ｄ to cell";

} // namespace kumoji
