// Dragging pieces from the tray or a cell and dropping them on the grid.
#include "board/number_piece.h"
#include "board/sudoku.h"

#include <QMouseEvent>
#include <algorithm>

namespace kumoji {

namespace {

// Exactly this one button, no modifier key and not the second press of a
// double click.
bool ExactlyButton(const QMouseEvent& Event, Qt::MouseButton Button) {
    return Event.buttons() == Button && Event.modifiers() == Qt::NoModifier &&
           Event.type() != QEvent::MouseButtonDblClick;
}

} // namespace

void TSudoku::CancelDrag() {
    if (!Dragging) {
        return;
    }
    Dragging = false;
    if (TNumberPiece* Piece = Pieces(FDragIndex)) {
        PutBack(*Piece);
    }
    FDragIndex = -1;
}

void TSudoku::PieceMouseDown(TNumberPiece& Piece, QMouseEvent& Event) {
    if (Dragging) {
        return;
    }
    if (ExactlyButton(Event, Qt::LeftButton)) {
        if (Piece.Fixed) {
            return;
        }
        FDragOffset = Event.position().toPoint();
        Piece.DragLeft = Piece.x();
        Piece.DragTop = Piece.y();
        Piece.raise();
        Dragging = true;
        FDragIndex = Piece.Index;
    } else if (ExactlyButton(Event, Qt::RightButton)) {
        ShowHints(Piece.Digit());
    }
}

void TSudoku::PieceMouseMove(TNumberPiece& Piece, QMouseEvent& Event) {
    if (Dragging && ExactlyButton(Event, Qt::LeftButton)) {
        const QPoint At = Event.position().toPoint();
        const int Left =
            std::min(width() - Piece.width(), std::max(0, Piece.x() + At.x() - FDragOffset.x()));
        const int Top =
            std::min(height() - Piece.height(), std::max(0, Piece.y() + At.y() - FDragOffset.y()));
        Piece.move(Left, Top);
        Piece.SetRaised(true);
        // Col and Row stay, so that a refused drop can put the piece back.
        if (Piece.OnGrid()) {
            FGrid.SetValue(Piece.Col, Piece.Row, 0);
        }
    } else {
        // A drag given up with another button or key goes back where it began,
        // rather than leave the piece lying between cells.
        CancelDrag();
    }
}

void TSudoku::PieceMouseUp(TNumberPiece& Piece, QMouseEvent& Event) {
    if (!Dragging) {
        return;
    }
    Dragging = false;
    FDragIndex = -1;
    // A player back on the mouse has no use for the frame until the next key; it goes before
    // the drop is judged, which may open a message over the board.
    FKeyCursorInUse = false;
    UpdateKeyCursor();
    const QPoint At = Piece.mapTo(this, Event.position().toPoint());
    const int Col = std::min(8, (At.x() - GridLeft) / CellWidth);
    const int Row = std::min(8, (At.y() - GridTop) / CellHeight);
    if (GridLeft <= At.x() && At.x() <= width() && GridTop <= At.y() && At.y() <= height()) {
        PutPiece(Piece.Index, Col, Row, true);
    } else {
        RemovePiece(Piece.Index, true);
    }
}

} // namespace kumoji
