// The process-wide table of the memo cursors, filled by the main window, read by the board.
#pragma once

#include <QCursor>

namespace kumoji {

// Ids of the board's memo cursors in the process-wide cursor table.
inline constexpr int crPen = 11;
inline constexpr int crEraser = 12;

// The main window registers its cursors here at start-up; the board reads
// them by id whenever it switches its pen mode.
void SetCursorShape(int Id, const QCursor& Cursor);
// An id never registered gives Qt's cross cursor for crPen and the arrow
// for every other id.
QCursor CursorShape(int Id);

} // namespace kumoji
