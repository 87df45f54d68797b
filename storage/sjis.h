#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kumoji {

// Where a conversion stopped: the byte offset in the input and the offending character (as
// it appeared in the input; for invalid input the bytes that could not be read).
struct TConvertError {
    std::size_t Offset = 0;
    std::string Character;
    // The character has a CP932 code, but that code reads back as another character ("〜"
    // comes back as "～", "¥" as "\"): storing it would silently change the text.
    bool ReadsBackChanged = false;
    std::string ReadsBackAs; // what it would become (UTF-8)
};

// UTF-8 to CP932 (the byte text the data file stores). False, with Result empty, when the
// input is not UTF-8, holds a character that CP932 cannot hold, or holds one that would read
// back as a different character; nothing is replaced.
bool Utf8ToCp932(std::string_view Utf8, std::string& Result, TConvertError* Error = nullptr);

// CP932 to UTF-8. False, with Result empty, for bytes that are not CP932.
bool Cp932ToUtf8(std::string_view Cp932, std::string& Result, TConvertError* Error = nullptr);

} // namespace kumoji
