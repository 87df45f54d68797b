#pragma once

namespace kumoji {

// The faces the windows ask for by name.
inline constexpr const char* GothicFace = "ＭＳ Ｐゴシック";
inline constexpr const char* BrushFace = "江戸勘亭流Ｐ";

// Maps the two faces to fonts this system has, so Japanese text always
// renders: a proportional Gothic, and a brush-style face for the route name.
void InstallFontSubstitutes();

} // namespace kumoji
