// How long a question may take, and how the time left reads on the timer panel.
#pragma once

#include <array>
#include <string>

namespace kumoji {

// The techniques the routes ask, easiest first: each gets more time than the one before.
inline constexpr std::array<int, 16> TechniquesByDifficulty = {1,  2,  3,  4,  5,  6,  10, 11,
                                                               12, 13, 14, 15, 16, 17, 7,  8};

// Milliseconds allowed for a question of Technique asked at Position: the higher the player
// stands, the less time.
int TimeLimit(int Technique, int Position);

// "h:mm:ss", "m:ss" or plain seconds; "0" when no time is left.
std::string FormatRemaining(int Milliseconds);

} // namespace kumoji
