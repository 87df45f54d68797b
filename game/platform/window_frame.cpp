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
    return Now.isNull() ? FApplied : Now;
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
    if (Now != FApplied || Force) {
        FApplied = Now;
        if (FSizing == TSizing::Fixed) {
            FWindow->setFixedSize(FClientSize(Now));
        } else if (!(FWindow->windowState() &
                     (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) {
            FWindow->resize(FClientSize(Now));
        }
    }
    // Without a window manager no frame ever comes; the first place stands.
    if (FPending && !Now.isNull()) {
        FWindow->move(FPending(OuterSize()));
        FPending = nullptr;
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
