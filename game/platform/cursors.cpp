#include "game/platform/cursors.h"

#include "board/cursor_table.h"
#include "resources/resource_names.h"

#include <QPixmap>

namespace kumoji {

void RegisterCursors() {
    SetCursorShape(crPen, QCursor(QPixmap(QString::fromLatin1(PenCursorPath)), PenHotX, PenHotY));
    SetCursorShape(crEraser,
                   QCursor(QPixmap(QString::fromLatin1(EraserCursorPath)), EraserHotX, EraserHotY));
}

} // namespace kumoji
