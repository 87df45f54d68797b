// Keeps a top-level window's outer size and place, frame included, as the design gives them.
#include "game/platform/window_frame.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace kumoji {

TOuterFrame::TOuterFrame(QWidget* Window, TClientSize ClientSize, TSizing Sizing)
    : QObject(Window), FWindow(Window), FClientSize(std::move(ClientSize)), FSizing(Sizing) {
    FWindow->installEventFilter(this);
    Apply(true);
}

QMargins TOuterFrame::Frame() const {
    const QWindow* Handle = FWindow->windowHandle();
    const QMargins Now = Handle ? Handle->frameMargins() : QMargins();
    // A dialog gets a new native window at each showing, unframed until the manager
    // frames it again, often without a move to tell: the last frame seen stands for it.
    // So it does while the manager builds the new frame, which can be measured then as
    // smaller than the window (negative margins).
    const bool Framed =
        !Now.isNull() && Now.left() >= 0 && Now.top() >= 0 && Now.right() >= 0 && Now.bottom() >= 0;
    return Framed ? Now : FApplied;
}

QSize TOuterFrame::OuterSize() const {
    return FWindow->size().grownBy(Frame());
}

void TOuterFrame::PlaceOuter(TOuterPlace Place) {
    FPending = std::move(Place);
    // move() places a top-level window by its frame.
    FWindow->move(FPending(OuterSize()));
}

void TOuterFrame::Apply(bool Force) {
    const QMargins Now = Frame();
    const QSize Client = FClientSize(Now);
    // Without a window manager no frame ever comes; the first place stands. The place is
    // made before the size, so that the size hints the size sends carry the new place: a
    // manager that read the old one from them put the window back there.
    if (FPending && !Now.isNull()) {
        const TOuterPlace Place = std::exchange(FPending, nullptr);
        FWindow->move(Place(Client.grownBy(Now)));
    }
    if (Now != FApplied || Force) {
        FApplied = Now;
        if (FSizing == TSizing::Fixed) {
            FWindow->setFixedSize(Client);
        } else if (!(FWindow->windowState() &
                     (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) {
            FWindow->resize(Client);
        }
    }
}

bool TOuterFrame::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == FWindow) {
        switch (Event->type()) {
        case QEvent::Move:
        case QEvent::Show:
            Apply(false);
            break;
        case QEvent::Hide:
            FPending = nullptr;
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(Watched, Event);
}

} // namespace kumoji
