#include "board/cursor_table.h"

#include <map>

namespace kumoji {

namespace {

std::map<int, QCursor>& Table() {
    static std::map<int, QCursor> Cursors;
    return Cursors;
}

} // namespace

void SetCursorShape(int Id, const QCursor& Cursor) {
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
