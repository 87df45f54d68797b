#pragma once

#include <string>
#include <string_view>

namespace kumoji {

// Text in this layer is CP932 bytes: a lead byte and the byte after it form one character,
// and that second byte may look like an ASCII letter or bracket.
bool IsLeadByte(unsigned char Byte);

// True when the last byte of Text is a lead byte without its second byte: such a text swallows
// the first byte that is appended to it.
bool EndsInsideCharacter(std::string_view Text);

// Letter-case-blind comparison of CP932 text: ASCII letters and the full-width Latin, Greek
// and Cyrillic letters fold; double-byte characters are never split.
int CompareText(std::string_view A, std::string_view B);
inline bool SameText(std::string_view A, std::string_view B) {
    return CompareText(A, B) == 0;
}

// Position of the first Delimiter that starts on a character boundary, or npos.
std::size_t FindText(std::string_view Text, std::string_view Delimiter);

// Left := text before the first Delimiter, Right := text after it; false (Left := Text,
// Right := empty) when there is none.
bool SplitAt(std::string_view Text, std::string_view Delimiter, std::string& Left,
             std::string& Right);

} // namespace kumoji
