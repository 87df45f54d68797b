// A number piece: the draggable panel showing one digit, in the tray or on a cell.
#include "board/number_piece.h"

#include "board/board_colors.h"
#include "board/board_scale.h"
#include "board/device_pixels.h"
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
        const int Inset = FBoard.Geometry().PieceInset();
        move(FBoard.GridLeft + NewCol * FBoard.CellWidth + Inset,
             FBoard.GridTop + NewRow * FBoard.CellHeight + Inset);
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
        // The bevel on whole device pixels, the design's one pixel at the board's scale.
        const int Line = ScaledPixels(1, FBoard.Geometry().Scale * devicePixelRatioF());
        Painter.save();
        const QSize Size = PaintInDevicePixels(Painter, *this);
        const int Wide = Size.width();
        const int High = Size.height();
        const QColor Light = palette().color(QPalette::Light);
        const QColor Dark = palette().color(QPalette::Dark);
        Painter.fillRect(0, 0, Wide, Line, Light);
        Painter.fillRect(0, 0, Line, High, Light);
        Painter.fillRect(0, High - Line, Wide, Line, Dark);
        Painter.fillRect(Wide - Line, 0, Line, High, Dark);
        Painter.restore();
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
