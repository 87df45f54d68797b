// The board's geometry at any size: the design's pixel measures times one scale, in whole pixels.
#pragma once

namespace kumoji {

// The size the main window gives the board at scale 1; every measure of the design is
// taken at that size.
inline constexpr int DesignBoardWidth = 578;
inline constexpr int DesignBoardHeight = 485;

// Design pixels at Scale, to the nearest whole pixel; never below 1 for a positive measure.
int ScaledPixels(double Design, double Scale);

// A line on whole device pixels: the first pixel it covers and how many.
struct TDeviceSpan {
    int Start = 0;
    int Width = 1;

    bool operator==(const TDeviceSpan&) const = default;
};

// The design's line DesignWidth pixels wide at logical coordinate At, on the device
// pixels of Scale and device pixel ratio Ratio. Every line of one design width comes
// out equally wide wherever it lies, and a wide line straddles its coordinate as a
// wide pen does (the extra pixel before it).
TDeviceSpan DeviceLine(double At, int DesignWidth, double Scale, double Ratio);

// Whole-pixel measures of the board at one size, in the board's own (logical) pixels.
struct TBoardGeometry {
    double Scale = 1.0;
    int CellWidth = 1;
    int CellHeight = 1;
    int GridLeft = 2;
    int GridTop = 0;

    int Px(double Design) const { return ScaledPixels(Design, Scale); }
    // A piece's gap from its cell's top-left corner, and its size.
    int PieceInset() const { return Px(3); }
    int PieceWidth() const { return CellWidth - PieceInset(); }
    int PieceHeight() const { return CellHeight - PieceInset(); }
    // The tray place of piece K (0..8) of Digit: the digit's pile, fanned to the right.
    int TrayLeft(int K) const { return Px(4 * K); }
    int TrayTop(int Digit) const { return (Digit - 1) * CellHeight + Px(22); }
    // The offset of Digit's small slot inside a cell: three by three, 1 2 3 on top.
    int SlotX(int Digit) const { return Px(4 + (Digit - 1) % 3 * 16); }
    int SlotY(int Digit) const { return Px(4 + (Digit - 1) / 3 * 16); }
    // The pixel size of the labels', caption's and hints' face.
    int TextPixels() const { return Px(12); }
    double PieceFontPoints() const { return 22 * Scale; }
};

// The geometry of a board Width by Height: its scale is the smaller of its two ratios to the
// design size, and the cells fill it as at the design size (a cell at least one pixel).
TBoardGeometry BoardGeometry(int Width, int Height);

} // namespace kumoji
