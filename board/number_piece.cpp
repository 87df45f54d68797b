// A number piece: the draggable panel showing one digit, in the tray or on a cell.
#include "board/number_piece.h"

#include "board/board_colors.h"
#include "board/sudoku.h"

#include <QMouseEvent>
#include <QPainter>

namespace kumoji {

TNumberPiece::TNumberPiece(TSudoku& Board)
    : QWidget(&Board), FBoard(Board), FFontColor(FreePieceColor()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TNumberPiece::SetCell(int NewCol, int NewRow) {
    Col = NewCol;
    Row = NewRow;
    if (NewCol < 0) {
        SetFixed(false);
        SetRaised(true);
        move(HomeLeft, HomeTop);
    } else {
        SetRaised(false);
        move(FBoard.GridLeft + NewCol * FBoard.CellWidth + 3,
             FBoard.GridTop + NewRow * FBoard.CellHeight + 3);
    }
}

void TNumberPiece::SetFixed(bool Value) {
    Fixed = Value;
    if (Value) {
        FFontColor = FixedPieceColor();
        setCursor(Qt::ArrowCursor);
        setToolTip(QString());
    } else {
        FFontColor = FreePieceColor();
        setCursor(Qt::PointingHandCursor);
        setToolTip(QString::fromUtf8(FreePieceHint));
    }
    update();
}

void TNumberPiece::RestoreDragStart() {
    move(DragLeft, DragTop);
    SetRaised(Col < 0);
}

void TNumberPiece::SetDigit(int Digit) {
    FDigit = Digit;
    update();
}

void TNumberPiece::SetRaised(bool Value) {
    if (FRaised != Value) {
        FRaised = Value;
        update();
    }
}

void TNumberPiece::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    const QRect Area = rect();
    Painter.fillRect(Area, FBoard.palette().color(QPalette::Window));
    if (FRaised) {
        Painter.setPen(palette().color(QPalette::Light));
        Painter.drawLine(Area.topLeft(), Area.topRight());
        Painter.drawLine(Area.topLeft(), Area.bottomLeft());
        Painter.setPen(palette().color(QPalette::Dark));
        Painter.drawLine(Area.bottomLeft(), Area.bottomRight());
        Painter.drawLine(Area.topRight(), Area.bottomRight());
    }
    Painter.setPen(FFontColor);
    Painter.setFont(font());
    Painter.drawText(Area, Qt::AlignCenter, QString::number(FDigit));
}

void TNumberPiece::mousePressEvent(QMouseEvent* Event) {
    if (OnMouseDown) {
        OnMouseDown(*this, *Event);
    }
}

void TNumberPiece::mouseDoubleClickEvent(QMouseEvent* Event) {
    // A double click never starts a drag; it still reaches the handler, which
    // tells it apart by the event's type.
    mousePressEvent(Event);
}

void TNumberPiece::mouseMoveEvent(QMouseEvent* Event) {
    if (OnMouseMove) {
        OnMouseMove(*this, *Event);
    }
}

void TNumberPiece::mouseReleaseEvent(QMouseEvent* Event) {
    if (OnMouseUp) {
        OnMouseUp(*this, *Event);
    }
}

} // namespace kumoji
