// Arriving at the summit: when it counts and what the player is told.
#pragma once

#include <string>

namespace kumoji {

// Positions beyond the summit (reachable by playing on after it) count as the summit.
bool AtSummit(int Position);

// The arrival message for a player of Route, UTF-8, its parts separated by a blank line.
std::string SummitMessage(int Route);

} // namespace kumoji
