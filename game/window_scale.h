// The main window's one scale: how the design's 1024 by 768 fits the room the window has.
#pragma once

namespace kumoji {

// The window's outer size in the design, frame included.
inline constexpr int DesignWindowWidth = 1024;
inline constexpr int DesignWindowHeight = 768;
// The player cannot make the window smaller than this, unless the screen holds no more.
inline constexpr double SmallestWindowScale = 0.5;

struct TPixelSize {
    int Width = 0;
    int Height = 0;

    bool operator==(const TPixelSize&) const = default;
};

// The window manager's frame: left, top, right and bottom, in pixels.
struct TFrameMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Left + Right; }
    int Height() const { return Top + Bottom; }
};

// The scale at which the design, framed by Frame, fits a client area of Client: the
// smaller of the two sides' ratios, so the picture keeps the design's 4:3.
double WindowScale(TPixelSize Client, TFrameMargins Frame);

// The client area of the design at Scale inside Frame: the outer size times the scale,
// less the frame. At scale 1 the outer size is the design's 1024 by 768.
TPixelSize DesignClient(double Scale, TFrameMargins Frame);

// The largest scale at which the design's outer size fits Available (1 when the room
// is not known).
double LargestScale(TPixelSize Available);

// The smallest scale the player may choose on a screen of Available.
double SmallestScale(TPixelSize Available);

// The scale to start at: the one the player left, or the design's own size when there
// is none (0); kept within what Available holds and above the smallest.
double StartScale(double Remembered, TPixelSize Available);

// The scale a player's resize of the window from Before's shape to Client asks for: the
// side that moved further leads, so that dragging one edge grows or shrinks the whole
// picture; kept within what Available holds and above the smallest.
double ResizedScale(double Before, TPixelSize Client, TFrameMargins Frame, TPixelSize Available);

} // namespace kumoji
