// How long a question may take, and how the time left reads on the timer panel.
#pragma once

#include <string>

namespace kumoji {

// Milliseconds allowed for a question of Technique (1..3) asked at Position: the higher the
// player stands, the less time.
int TimeLimit(int Technique, int Position);

// "h:mm:ss", "m:ss" or plain seconds; "0" when no time is left.
std::string FormatRemaining(int Milliseconds);

} // namespace kumoji
