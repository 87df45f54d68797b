// Arriving at the summit: when it counts and what the player is told.
#pragma once

#include "game/tables.h"

#include <string>
#include <tuple>

namespace kumoji {

// Positions beyond the summit (reachable by playing on after it) count as the summit.
bool AtSummit(int Position);

// The last route; its summit has no next route.
inline constexpr int HighestRoute = static_cast<int>(std::tuple_size_v<decltype(Routes)>) - 1;

// The route the game plays for a player's route number: one past the last (an edited data
// file) plays the last, one below the first the first.
int PlayedRoute(int Route);

// Whether the summit of Route offers the climb of the next route.
bool HasNextRoute(int Route);

// The question that offers it, UTF-8, its parts separated by a blank line.
std::string NextRouteQuestion();

// The arrival message for a player of Route, UTF-8, its parts separated by a blank line.
std::string SummitMessage(int Route);

} // namespace kumoji
