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
    smPuzzled,
    // Beyond subsets: fish, single-digit chains, wings and colouring.
    smXWing,
    smSkyscraper,
    sm2StringKite,
    smSwordfish,
    smXYWing,
    smXYZWing,
    smWWing,
    smSimpleColouring
};

inline constexpr int SolveMethodCount = 18;

extern const std::array<std::string_view, SolveMethodCount> SolveMethodNames;
extern const std::array<std::string_view, SolveMethodCount> SolveMethodCaptions;
extern const std::array<std::string_view, 6> LevelNames;

} // namespace kumoji
