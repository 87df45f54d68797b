// Keyboard play: a cursor cell moved by the arrows, digits placed on it as if dropped there.
#include "board/key_cursor.h"
#include "board/number_piece.h"
#include "board/sudoku.h"

#include <QKeyEvent>
#include <algorithm>

namespace kumoji {

namespace {

// The digit a key stands for, 0 for none. Keys that send a digit count as it
// (the keypad, the digit row without Shift); the digit row also counts by its
// place on the keyboard, since Shift turns it into whatever symbols the layout
// has there (X11 and Wayland number that row's keys 10 to 18).
int KeyDigit(const QKeyEvent& Event) {
    if (Event.key() >= Qt::Key_1 && Event.key() <= Qt::Key_9) {
        return Event.key() - Qt::Key_0;
    }
    const quint32 Scan = Event.nativeScanCode();
    if (Scan >= 10 && Scan <= 18) {
        return static_cast<int>(Scan) - 9;
    }
    return 0;
}

} // namespace

void TSudoku::SetKeyCursor(int Col, int Row) {
    FKeyCursor = QPoint(std::clamp(Col, 0, 8), std::clamp(Row, 0, 8));
    UpdateKeyCursor();
}

void TSudoku::UpdateKeyCursor() {
    const bool Shown = FKeyCursorInUse && isEnabled() && !FPieces.empty();
    // Placed even while hidden, so that it comes back on its cell at the board's size.
    if (!FPieces.empty()) {
        FKeyCursorFrame->FrameCell(QRect(GridLeft + FKeyCursor.x() * CellWidth,
                                         GridTop + FKeyCursor.y() * CellHeight, CellWidth,
                                         CellHeight));
    }
    FKeyCursorFrame->setVisible(Shown);
}

void TSudoku::showEvent(QShowEvent* Event) {
    // Back from a pause, the board takes the keys again.
    if (isEnabled()) {
        setFocus(Qt::OtherFocusReason);
    }
    QWidget::showEvent(Event);
}

bool TSudoku::event(QEvent* Event) {
    // Tab is held to gather hints (the Tab tracker follows it); it must not
    // carry the keys away from the grid.
    if (Event->type() == QEvent::KeyPress && isEnabled()) {
        const int Key = static_cast<QKeyEvent*>(Event)->key();
        if (Key == Qt::Key_Tab || Key == Qt::Key_Backtab) {
            Event->accept();
            return true;
        }
    }
    return QWidget::event(Event);
}

void TSudoku::keyPressEvent(QKeyEvent* Event) {
    const Qt::KeyboardModifiers Modifiers = Event->modifiers() & ~Qt::KeypadModifier;
    // A hidden board (a paused question) may still hold the focus: it takes no keys.
    if (FPieces.empty() || !isVisible() || (Modifiers & ~Qt::ShiftModifier)) {
        QWidget::keyPressEvent(Event);
        return;
    }
    const int Digit = KeyDigit(*Event);
    const int Key = Event->key();
    // The frame is for those who play by keys: it comes with the first key that acts on it.
    if (Digit != 0 || Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up ||
        Key == Qt::Key_Down || Key == Qt::Key_Delete || Key == Qt::Key_Backspace) {
        FKeyCursorInUse = true;
        UpdateKeyCursor();
    }
    switch (Key) {
    case Qt::Key_Left:
        SetKeyCursor(FKeyCursor.x() - 1, FKeyCursor.y());
        break;
    case Qt::Key_Right:
        SetKeyCursor(FKeyCursor.x() + 1, FKeyCursor.y());
        break;
    case Qt::Key_Up:
        SetKeyCursor(FKeyCursor.x(), FKeyCursor.y() - 1);
        break;
    case Qt::Key_Down:
        SetKeyCursor(FKeyCursor.x(), FKeyCursor.y() + 1);
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (!Event->isAutoRepeat()) {
            TakeBackFromKeyboard();
        }
        break;
    default:
        if (Digit == 0) {
            QWidget::keyPressEvent(Event);
            return;
        }
        if (Modifiers & Qt::ShiftModifier) {
            ShowHints(Digit);
        } else if (!Event->isAutoRepeat()) {
            PlaceFromKeyboard(Digit);
        }
        break;
    }
    Event->accept();
}

void TSudoku::PlaceFromKeyboard(int Digit) {
    CancelDrag();
    TNumberPiece* Piece = FindFreePiece(Digit);
    if (!Piece) {
        // All nine are on the grid already.
        Beep();
        return;
    }
    PutPiece(Piece->Index, FKeyCursor.x(), FKeyCursor.y(), true);
    UpdateKeyCursor();
}

void TSudoku::TakeBackFromKeyboard() {
    CancelDrag();
    TNumberPiece* Piece = PieceAt(FKeyCursor.x(), FKeyCursor.y());
    if (!Piece || Piece->Fixed) {
        Beep();
        return;
    }
    RemovePiece(Piece->Index, true);
}

} // namespace kumoji
