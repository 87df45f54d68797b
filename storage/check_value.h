// The check value a "BDC" file written here carries in its reserved header bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kumoji {

// Offsets 12..15 hold the CRC-32 of the plain text (little-endian) and offsets 23..31 the
// marker. Readers of the format never look at these bytes, so marked files stay readable
// everywhere, and files without the marker are taken as they are.
inline constexpr std::size_t CheckOffset = 12;
inline constexpr std::size_t MarkerOffset = 23;
inline constexpr std::string_view CheckMarker = "KumojiCRC";

// CRC-32 as zlib and PNG compute it (reflected polynomial 0xEDB88320).
std::uint32_t Crc32(std::string_view Bytes);

enum class TCheck { Unmarked, Good, Failed };

// Writes the marker and the check of Plain into the header of Packed (at least 32 bytes).
void StampCheck(std::string& Packed, std::string_view Plain);
// Whether Packed carries the marker and, if so, whether Plain (its decoded text) matches.
TCheck VerifyCheck(std::string_view Packed, std::string_view Plain);

} // namespace kumoji
