#pragma once

namespace kumoji {

// Enters the pen and eraser cursors into the board's cursor table.
void RegisterCursors();

} // namespace kumoji
