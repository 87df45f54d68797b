// Candidate masks and the small bit helpers that read them.
#pragma once

#include <array>
#include <bit>

namespace kumoji {

// A candidate mask holds digit d in bit d - 1; a filled cell's mask is 0.
inline constexpr int AllDigits = 0x1FF;

// The bit of a digit, 0 for anything outside 1..9 so that a stray value can
// never shift out of range.
constexpr int DigitBit(int Digit) {
    return Digit >= 1 && Digit <= 9 ? 1 << (Digit - 1) : 0;
}

namespace detail {
// A table, since the target machines need not have a population-count instruction.
inline constexpr auto DigitCounts = [] {
    std::array<unsigned char, 512> Table{};
    for (int Mask = 0; Mask < 512; ++Mask) {
        Table[Mask] = static_cast<unsigned char>(std::popcount(static_cast<unsigned>(Mask)));
    }
    return Table;
}();
} // namespace detail

// The bit of a cell's value, 0 for an empty cell or a stray value.
constexpr int ValueBit(int Value) {
    return static_cast<unsigned>(Value) <= 9u ? (1 << Value) >> 1 : 0;
}

// Number of digits among bits 0..8.
constexpr int DigitCount(int Mask) {
    return detail::DigitCounts[Mask & AllDigits];
}

// The lowest digit of a mask, 0 when it holds none.
constexpr int LowestDigit(int Mask) {
    const unsigned Bits = static_cast<unsigned>(Mask & AllDigits);
    return Bits == 0 ? 0 : std::countr_zero(Bits) + 1;
}

// True when Mask is exactly one digit's bit.
constexpr bool IsSingleDigitMask(int Mask) {
    return Mask > 0 && Mask <= 256 && (Mask & (Mask - 1)) == 0;
}

} // namespace kumoji
