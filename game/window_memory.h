// What the game keeps of its window between runs: the player's scale and whether it was maximised.
#pragma once

namespace kumoji {

struct TWindowMemory {
    // The main window's scale in its normal state; 0 when none is kept.
    double Scale = 0.0;
    bool Maximized = false;
};

// Read from Qt's settings in the desktop's config folder (kumoji/kumoji.conf); a value
// that is missing or makes no sense counts as none.
TWindowMemory RecallWindow();
void RememberWindow(const TWindowMemory& Memory);

} // namespace kumoji
