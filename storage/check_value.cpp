// CRC-32 of the plain text, stamped into and verified against a file header.
#include "storage/check_value.h"

#include <array>

namespace kumoji {

namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> Table{};
    for (std::uint32_t I = 0; I < 256; ++I) {
        std::uint32_t C = I;
        for (int K = 0; K < 8; ++K)
            C = (C & 1) ? 0xEDB88320u ^ (C >> 1) : C >> 1;
        Table[I] = C;
    }
    return Table;
}

constexpr std::array<std::uint32_t, 256> Table = MakeTable();

bool HasMarker(std::string_view Packed) {
    return Packed.size() >= 32 && Packed.substr(MarkerOffset, CheckMarker.size()) == CheckMarker;
}

} // namespace

std::uint32_t Crc32(std::string_view Bytes) {
    std::uint32_t C = 0xFFFFFFFFu;
    for (const char B : Bytes)
        C = Table[(C ^ static_cast<unsigned char>(B)) & 0xFF] ^ (C >> 8);
    return C ^ 0xFFFFFFFFu;
}

void StampCheck(std::string& Packed, std::string_view Plain) {
    if (Packed.size() < 32)
        return;
    const std::uint32_t Crc = Crc32(Plain);
    for (int I = 0; I < 4; ++I)
        Packed[CheckOffset + I] = static_cast<char>((Crc >> (8 * I)) & 0xFF);
    Packed.replace(MarkerOffset, CheckMarker.size(), CheckMarker);
}

TCheck VerifyCheck(std::string_view Packed, std::string_view Plain) {
    if (!HasMarker(Packed))
        return TCheck::Unmarked;
    std::uint32_t Stored = 0;
    for (int I = 0; I < 4; ++I)
        Stored |= std::uint32_t(static_cast<unsigned char>(Packed[CheckOffset + I])) << (8 * I);
    return Stored == Crc32(Plain) ? TCheck::Good : TCheck::Failed;
}

} // namespace kumoji
