#pragma once

// The game's content: the climb, its huts and route names, and the question
// tables. Plain constants without Qt so that tools and tests can read them.

#include <array>
#include <string_view>

namespace kumoji {

// Index 0 is the trailhead, 50 the summit; a player's position indexes this.
extern const std::array<std::string_view, 51> Positions;
// Safe positions: a lost question does not move a player down from these.
extern const std::array<int, 8> DefaultHuts;
// Top edge of each position's mark on the route picture at its design
// height of 493 pixels.
extern const std::array<int, 51> RouteHeights;
// Route 0 asks the question tables below; the others ask generated questions.
extern const std::array<std::string_view, 7> Routes;

// Question positions, one table per technique they exercise
// (smEmptyCell, smLeftPlace, smMissingNumber).
extern const std::array<std::string_view, 4> EmptyCellQuestions;
extern const std::array<std::string_view, 10> LeftPlaceQuestions;
extern const std::array<std::string_view, 10> MissingNumberQuestions;

} // namespace kumoji
