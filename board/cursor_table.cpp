// The process-wide table of the memo cursors, filled by the main window, read by the board.
#include "board/cursor_table.h"

#include <QCoreApplication>
#include <map>

namespace kumoji {

namespace {

std::map<int, QCursor>& Table() {
    static std::map<int, QCursor> Cursors;
    return Cursors;
}

void ClearTable() {
    Table().clear();
}

} // namespace

void SetCursorShape(int Id, const QCursor& Cursor) {
    // Pixmap cursors must go while the application still exists.
    static const bool Registered = [] {
        qAddPostRoutine(ClearTable);
        return true;
    }();
    (void)Registered;
    Table()[Id] = Cursor;
}

QCursor CursorShape(int Id) {
    const auto Found = Table().find(Id);
    if (Found != Table().end()) {
        return Found->second;
    }
    return QCursor(Id == crPen ? Qt::CrossCursor : Qt::ArrowCursor);
}

} // namespace kumoji
