// The keyboard cursor's frame: a thick outline around the cell the keys act on.
#include "board/key_cursor.h"

#include "board/board_colors.h"
#include "board/board_scale.h"
#include "board/device_pixels.h"

#include <QPainter>

namespace kumoji {

TKeyCursor::TKeyCursor(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TKeyCursor::FrameCell(const QRect& Rect) {
    const int Before = ScaledPixels(1, FScale);
    const int After = ScaledPixels(2, FScale);
    setGeometry(Rect.adjusted(-Before, -Before, After, After));
    raise();
}

void TKeyCursor::SetScale(double Value) {
    FScale = Value;
    update();
}

void TKeyCursor::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    // Drawn on whole device pixels, so the bands are equally wide on every side.
    const qreal Ratio = devicePixelRatioF();
    const QSize Size = PaintInDevicePixels(Painter, *this);
    const int W = Size.width();
    const int H = Size.height();
    const int Band = ScaledPixels(Thickness, FScale * Ratio);
    const int Hair = ScaledPixels(1, FScale * Ratio);
    for (const QRect& Side : {QRect(0, 0, W, Band), QRect(0, H - Band, W, Band),
                              QRect(0, 0, Band, H), QRect(W - Band, 0, Band, H)}) {
        Painter.fillRect(Side, KeyCursorColor());
    }
    // A dark hairline inside the coloured band keeps it apart from the
    // piece's face, the grid lines and the hint marks alike.
    const QRect Inside(Band, Band, W - 2 * Band, H - 2 * Band);
    for (const QRect& Side :
         {QRect(Inside.left(), Inside.top(), Inside.width(), Hair),
          QRect(Inside.left(), Inside.bottom() + 1 - Hair, Inside.width(), Hair),
          QRect(Inside.left(), Inside.top(), Hair, Inside.height()),
          QRect(Inside.right() + 1 - Hair, Inside.top(), Hair, Inside.height())}) {
        Painter.fillRect(Side, Qt::black);
    }
}

} // namespace kumoji
