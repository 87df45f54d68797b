// The window at any size: its one scale, the design's shape, full screen, and the size kept.
#include "board/board_scale.h"
#include "game/main_window.h"
#include "game/platform/fonts.h"
#include "game/platform/window_frame.h"
#include "game/window_fit.h"
#include "game/window_memory.h"
#include "game/window_style.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace kumoji {

void TForm1::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    // A frame that arrives after the first activation shrinks the client area; the
    // player's resizes change the scale.
    const bool Normal =
        !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
    const TFrameMargins Margin = Margins(Frame());
    if (Normal && size() != ToSize(DesignClient(FNormalScale, Margin))) {
        // Already the design's shape: that is the player's scale; else it is made so.
        const double Fitted = WindowScale({width(), height()}, Margin);
        if (size() == ToSize(DesignClient(Fitted, Margin))) {
            FNormalScale = Fitted;
            RememberWindow({FNormalScale, false});
        } else {
            tmShape->start();
        }
    }
    if (!FirstActivate)
        PlaceComponents();
}

void TForm1::changeEvent(QEvent* Event) {
    QWidget::changeEvent(Event);
    // Full screen is for now; maximised is kept for the next start.
    if (Event->type() == QEvent::WindowStateChange && !FirstActivate)
        RememberWindow({FNormalScale, isMaximized()});
}

// A resize by the player, at rest: the window takes the design's shape at the scale
// the side the player moved asks for, and that scale is kept for the next start.
void TForm1::tmShapeTimer() {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const TFrameMargins Margin = Margins(Frame());
    const TPixelSize Client{width(), height()};
    if (Client == DesignClient(FNormalScale, Margin))
        return;
    FNormalScale = ResizedScale(FNormalScale, Client, Margin, Room(*this));
    RememberWindow({FNormalScale, false});
    resize(ToSize(DesignClient(FNormalScale, Margin)));
}

void TForm1::acFullScreenExecute() {
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

QMargins TForm1::Frame() const {
    return isFullScreen() ? QMargins() : FOuterFrame->Frame();
}

QRect TForm1::ContentArea() const {
    const TPixelSize Design = DesignClient(FScale, Margins(Frame()));
    const QSize Size = ToSize(Design).boundedTo(size());
    return {(width() - Size.width()) / 2, (height() - Size.height()) / 2, Size.width(),
            Size.height()};
}

void TForm1::ScaleFonts() {
    const auto Px = [this](double Design) { return ScaledPixels(Design, FScale); };
    setFont(FaceFont(GothicFace, Px(12)));
    lbKimeteMode1->setFont(FaceFont(BrushFace, Px(32), true));
    lbKimeteMode2->setFont(lbKimeteMode1->font());
    lbKimetePosition->setFont(FaceFont(GothicFace, Px(19)));
    pnTimer->setFont(FaceFont(GothicFace, Px(32)));
}

} // namespace kumoji
