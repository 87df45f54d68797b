#include "storage/ansi_text.h"

#include <utility>

namespace kumoji {

bool IsLeadByte(unsigned char Byte) {
    return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC);
}

bool EndsInsideCharacter(std::string_view Text) {
    std::size_t Pos = 0;
    while (Pos < Text.size()) {
        if (IsLeadByte(static_cast<unsigned char>(Text[Pos])) && Pos + 1 == Text.size())
            return true;
        Pos += IsLeadByte(static_cast<unsigned char>(Text[Pos])) ? 2 : 1;
    }
    return false;
}

namespace {

// One character of CP932 text, folded to upper case, as a number that orders like the bytes.
unsigned FoldedChar(std::string_view Text, std::size_t& Pos) {
    const auto First = static_cast<unsigned char>(Text[Pos++]);
    if (!IsLeadByte(First) || Pos >= Text.size()) {
        if (First >= 'a' && First <= 'z')
            return First - 32;
        return First;
    }
    const auto Second = static_cast<unsigned char>(Text[Pos++]);
    unsigned Code = (static_cast<unsigned>(First) << 8) | Second;
    if (Code >= 0x8281 && Code <= 0x829A) // full-width a..z
        Code -= 0x21;
    else if (Code >= 0x83BF && Code <= 0x83D6) // Greek small letters
        Code -= 0x20;
    else if (Code >= 0x8470 && Code <= 0x8491 && Code != 0x847F) // Cyrillic small letters
        Code -= Code > 0x847F ? 0x31 : 0x30;
    // Keep double-byte characters after every single byte, as their lead byte does.
    return 0x100 + Code;
}

} // namespace

int CompareText(std::string_view A, std::string_view B) {
    std::size_t I = 0;
    std::size_t J = 0;
    while (I < A.size() && J < B.size()) {
        const unsigned X = FoldedChar(A, I);
        const unsigned Y = FoldedChar(B, J);
        if (X != Y)
            return X < Y ? -1 : 1;
    }
    if (I < A.size())
        return 1;
    if (J < B.size())
        return -1;
    return 0;
}

std::size_t FindText(std::string_view Text, std::string_view Delimiter) {
    if (Delimiter.empty())
        return std::string_view::npos;
    std::size_t Pos = 0;
    while (Pos + Delimiter.size() <= Text.size()) {
        if (Text.compare(Pos, Delimiter.size(), Delimiter) == 0)
            return Pos;
        Pos += IsLeadByte(static_cast<unsigned char>(Text[Pos])) ? 2 : 1;
    }
    return std::string_view::npos;
}

bool SplitAt(std::string_view Text, std::string_view Delimiter, std::string& Left,
             std::string& Right) {
    const std::size_t Pos = FindText(Text, Delimiter);
    if (Pos == std::string_view::npos) {
        std::string Whole(Text);
        Left = std::move(Whole);
        Right.clear();
        return false;
    }
    // Build both parts first: Text may view Left or Right.
    std::string Before(Text.substr(0, Pos));
    std::string After(Text.substr(Pos + Delimiter.size()));
    Left = std::move(Before);
    Right = std::move(After);
    return true;
}

} // namespace kumoji
