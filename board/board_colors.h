// The board's colours, given as the design's 0x00BBGGRR values.
#pragma once

#include <QColor>
#include <cstdint>

namespace kumoji {

// The board's colours are given as 0x00BBGGRR values (255 is red); this turns
// one into a QColor.
inline QColor ColorFromBgr(std::uint32_t Value) {
    return QColor(static_cast<int>(Value & 0xFF), static_cast<int>((Value >> 8) & 0xFF),
                  static_cast<int>((Value >> 16) & 0xFF));
}

inline QColor CaptionColor() {
    return ColorFromBgr(0x800000);
} // navy
inline QColor CandidateColor() {
    return ColorFromBgr(0xFF0000);
} // blue
inline QColor ForcedColor() {
    return ColorFromBgr(255);
} // red
inline QColor TwoPlacesColor() {
    return ColorFromBgr(128);
} // maroon
inline QColor ThreePlacesColor() {
    return ColorFromBgr(0x8000);
} // green
inline QColor GridLineColor() {
    return ColorFromBgr(0x808080);
} // grey
inline QColor FreePieceColor() {
    return ColorFromBgr(0xFF0000);
} // blue
inline QColor FixedPieceColor() {
    return ColorFromBgr(0);
} // black
// Orange: no piece, grid line, hint mark or default pen has it.
inline QColor KeyCursorColor() {
    return ColorFromBgr(0x0080FF);
}
inline QColor DefaultPenColor() {
    return ColorFromBgr(255);
} // red

} // namespace kumoji
