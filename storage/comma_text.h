#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kumoji {

// Values joined by commas; a value holding a byte 0..32, a double quote or a comma is quoted,
// inner quotes doubled.
std::string CommaTextOf(const std::vector<std::string>& Values);

// Reads comma text: blanks before a value and after a comma are skipped, a quoted value runs to
// its closing quote, a bare one ends at a byte 0..32 or a comma; a trailing comma adds nothing.
// A NUL byte ends the text.
std::vector<std::string> ReadCommaText(std::string_view Text);

} // namespace kumoji
