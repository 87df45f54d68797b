// Keeps a top-level window's outer size and place, frame included, as the design gives them.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <functional>

class QWidget;

namespace kumoji {

// A window manager's frame is known only after the window is shown and
// reparented; until then the frame counts as nothing. Whenever the frame
// arrives or changes, the client size is chosen again so the outer size stays
// the design's, and a placement still waiting for the frame is made again.
class TOuterFrame : public QObject {
public:
    // The client size for a given frame.
    using TClientSize = std::function<QSize(const QMargins& Frame)>;
    // The outer top-left for a given outer size.
    using TOuterPlace = std::function<QPoint(const QSize& Outer)>;
    // A fixed window keeps its client size; a resizable one is only resized to it, and
    // not while it is maximised, full screen or minimised.
    enum class TSizing { Fixed, Resizable };

    TOuterFrame(QWidget* Window, TClientSize ClientSize, TSizing Sizing = TSizing::Fixed);

    // Chooses the client size again now: what the size follows has changed.
    void Refresh() { Apply(true); }

    // Puts the frame's top-left where Place says, now and once more when the
    // frame of this showing arrives. Hiding the window drops a waiting placement.
    void PlaceOuter(TOuterPlace Place);

    // The frame's margins; those last seen while the window has none yet.
    QMargins Frame() const;
    QSize OuterSize() const;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Apply(bool Force);

    QWidget* FWindow;
    TClientSize FClientSize;
    TSizing FSizing;
    TOuterPlace FPending;
    QMargins FApplied;
};

} // namespace kumoji
