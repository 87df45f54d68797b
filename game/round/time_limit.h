// How long a question may take, and how the time left reads on the timer panel.
#pragma once

#include "engine/techniques/solve_method.h"

#include <array>
#include <string>

namespace kumoji {

// The techniques the routes ask, easiest first: each gets more time than the one before.
inline constexpr std::array<int, 16> TechniquesByDifficulty = {
    smEmptyCell, smLeftPlace,       smMissingNumber, smMyReserved, smYourReserved, smOurReserved,
    smXWing,     smSkyscraper,      sm2StringKite,   smSwordfish,  smXYWing,       smXYZWing,
    smWWing,     smSimpleColouring, smKeepOff,       smGetOut};

// Milliseconds allowed for a question of Technique asked at Position: the higher the player
// stands, the less time.
int TimeLimit(int Technique, int Position);

// "h:mm:ss", "m:ss" or plain seconds; "0" when no time is left.
std::string FormatRemaining(int Milliseconds);

} // namespace kumoji
