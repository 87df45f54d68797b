// Technique identifiers, their names and captions, and the level names.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kumoji {

// Technique ids; the ordinal is stored with every move and names the help anchor.
enum TSolveMethod : std::uint8_t {
    smNone,
    smEmptyCell,
    smLeftPlace,
    smMissingNumber,
    smMyReserved,
    smYourReserved,
    smOurReserved,
    smKeepOff,
    smGetOut,
    smPuzzled
};

extern const std::array<std::string_view, 10> SolveMethodNames;
extern const std::array<std::string_view, 10> SolveMethodCaptions;
extern const std::array<std::string_view, 6> LevelNames;

} // namespace kumoji
