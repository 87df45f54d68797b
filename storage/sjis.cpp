#include "storage/sjis.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <utility>

namespace kumoji {

namespace {

// Length of the character that starts at Text[Pos] in the given encoding, for error reports.
std::size_t CharLength(std::string_view Text, std::size_t Pos, bool Utf8) {
    const auto B = static_cast<unsigned char>(Text[Pos]);
    std::size_t N = 1;
    if (Utf8)
        N = B >= 0xF0 ? 4 : B >= 0xE0 ? 3 : B >= 0xC0 ? 2 : 1;
    else if ((B >= 0x81 && B <= 0x9F) || (B >= 0xE0 && B <= 0xFC))
        N = 2;
    return std::min(N, Text.size() - Pos);
}

bool Convert(const char* To, const char* From, std::string_view Input, std::string& Result,
             TConvertError* Error, bool FromUtf8) {
    Result.clear();
    iconv_t Cd = iconv_open(To, From);
    if (Cd == reinterpret_cast<iconv_t>(-1)) {
        if (Error)
            *Error = TConvertError{};
        return false;
    }
    std::string Out(Input.size() * 2 + 16, '\0');
    char* In = const_cast<char*>(Input.data());
    std::size_t InLeft = Input.size();
    char* OutPtr = Out.data();
    std::size_t OutLeft = Out.size();
    bool Ok = true;
    while (InLeft > 0) {
        if (iconv(Cd, &In, &InLeft, &OutPtr, &OutLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            const std::size_t Used = Out.size() - OutLeft;
            Out.resize(Out.size() * 2);
            OutPtr = Out.data() + Used;
            OutLeft = Out.size() - Used;
            continue;
        }
        Ok = false;
        if (Error) {
            const std::size_t Offset = Input.size() - InLeft;
            Error->Offset = Offset;
            Error->Character =
                std::string(Input.substr(Offset, CharLength(Input, Offset, FromUtf8)));
        }
        break;
    }
    if (Ok) {
        // Flush any shift state; CP932 has none, but the call is cheap and complete.
        iconv(Cd, nullptr, nullptr, &OutPtr, &OutLeft);
        Out.resize(Out.size() - OutLeft);
        Result = std::move(Out);
    }
    iconv_close(Cd);
    return Ok;
}

} // namespace

bool Utf8ToCp932(std::string_view Utf8, std::string& Result, TConvertError* Error) {
    if (!Convert("CP932", "UTF-8", Utf8, Result, Error, true))
        return false;
    std::string Back;
    if (Cp932ToUtf8(Result, Back) && Back == Utf8)
        return true;
    // Find the first character that does not survive the way there and back.
    for (std::size_t Pos = 0; Pos < Utf8.size();) {
        const std::string_view Character = Utf8.substr(Pos, CharLength(Utf8, Pos, true));
        std::string Coded;
        std::string Decoded;
        if (!Convert("CP932", "UTF-8", Character, Coded, nullptr, true) ||
            !Cp932ToUtf8(Coded, Decoded) || Decoded != Character) {
            if (Error)
                *Error = TConvertError{Pos, std::string(Character), true, Decoded};
            break;
        }
        Pos += Character.size();
    }
    Result.clear();
    return false;
}

bool Cp932ToUtf8(std::string_view Cp932, std::string& Result, TConvertError* Error) {
    return Convert("UTF-8", "CP932", Cp932, Result, Error, false);
}

} // namespace kumoji
