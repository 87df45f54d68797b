// The keyboard cursor's frame: a thick outline around the cell the keys act on.
#include "board/key_cursor.h"

#include "board/board_colors.h"

#include <QPainter>

namespace kumoji {

TKeyCursor::TKeyCursor(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TKeyCursor::FrameCell(const QRect& Rect) {
    setGeometry(Rect.adjusted(-1, -1, 2, 2));
    raise();
}

void TKeyCursor::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    const QRect Outer = rect();
    const int W = Outer.width();
    const int H = Outer.height();
    for (const QRect& Band : {QRect(0, 0, W, Thickness), QRect(0, H - Thickness, W, Thickness),
                              QRect(0, 0, Thickness, H), QRect(W - Thickness, 0, Thickness, H)}) {
        Painter.fillRect(Band, KeyCursorColor());
    }
    // A dark hairline inside the coloured band keeps it apart from the
    // piece's face, the grid lines and the hint marks alike.
    Painter.setPen(Qt::black);
    Painter.drawRect(Outer.adjusted(Thickness, Thickness, -Thickness - 1, -Thickness - 1));
}

} // namespace kumoji
