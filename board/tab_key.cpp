// Whether the Tab key is held down, followed by an application-wide event filter.
#include "board/tab_key.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

namespace kumoji {

TTabKey::TTabKey(QObject* Parent) : QObject(Parent) {
}

TTabKey& TTabKey::Instance() {
    // Owned by the application, so it goes when the application does; a
    // later application gets a new one.
    static QPointer<TTabKey> Tracker;
    if (!Tracker) {
        Tracker = new TTabKey(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(Tracker);
    }
    return *Tracker;
}

bool TTabKey::eventFilter(QObject* Watched, QEvent* Event) {
    switch (Event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* Key = static_cast<QKeyEvent*>(Event);
        if (Key->key() == Qt::Key_Tab && !Key->isAutoRepeat()) {
            FDown = Event->type() == QEvent::KeyPress;
        }
        break;
    }
    case QEvent::ApplicationDeactivate:
        // The release may go to another program; do not keep Tab held.
        FDown = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(Watched, Event);
}

bool TabKeyDown() {
    return QCoreApplication::instance() && TTabKey::Instance().IsDown();
}

} // namespace kumoji
