#pragma once

// Paths of everything the program carries in its Qt resources, plus the files that sit
// beside the executable. Plain C++ so that code without Qt can name them too.

#include <array>

namespace kumoji {

inline constexpr const char* RoutePicturePath = ":/pictures/AKAFUJI.jpg";
// The picture under the route map of each route; the first four share the first's. All have
// the first's size and the route marks on their left slope.
inline constexpr std::array<const char*, 7> RoutePicturePaths = {RoutePicturePath,
                                                                 RoutePicturePath,
                                                                 RoutePicturePath,
                                                                 RoutePicturePath,
                                                                 ":/pictures/BENIFUJI.jpg",
                                                                 ":/pictures/YUFUJI.jpg",
                                                                 ":/pictures/TSUKIYOFUJI.jpg"};
inline constexpr int RoutePictureWidth = 750;
inline constexpr int RoutePictureHeight = 493;
inline constexpr const char* DialogPicturePath = ":/pictures/BISYUFUJIMI.jpg";
inline constexpr int DialogPictureWidth = 375;
inline constexpr int DialogPictureHeight = 252;

inline constexpr const char* LandmarkSound1Path = ":/sounds/Trumpet001.wav";
inline constexpr const char* LandmarkSound2Path = ":/sounds/fanfare001.wav";
inline constexpr const char* StepSoundPath = ":/sounds/Trumpet0003.wav";
inline constexpr const char* LostSoundPath = ":/sounds/Applause0001.wav";
inline constexpr const char* QuestionSoundPath = ":/sounds/chimes.wav";

// Cursors are 32x32 with alpha; the hotspot is the pencil's point and the middle of
// the eraser's working edge.
inline constexpr const char* PenCursorPath = ":/cursors/PEN02.png";
inline constexpr int PenHotX = 1;
inline constexpr int PenHotY = 30;
inline constexpr const char* EraserCursorPath = ":/cursors/ERASER01.png";
inline constexpr int EraserHotX = 5;
inline constexpr int EraserHotY = 24;

// 16x16 action images by image number: 0 pen colour, 1 eraser, 2 pen, 3 erase memo,
// 4 pause, 5 close, 6 resume, 7 play, 8 select player, 9 spare, 10 help, 11 why.
inline constexpr std::array<const char*, 15> ActionImagePaths = {
    ":/images/actions/00.png", ":/images/actions/01.png", ":/images/actions/02.png",
    ":/images/actions/03.png", ":/images/actions/04.png", ":/images/actions/05.png",
    ":/images/actions/06.png", ":/images/actions/07.png", ":/images/actions/08.png",
    ":/images/actions/09.png", ":/images/actions/10.png", ":/images/actions/11.png",
    ":/images/actions/12.png", ":/images/actions/13.png", ":/images/actions/14.png"};

inline constexpr const char* MaruImagePath = ":/images/maru.png";
inline constexpr const char* SelectGlyphPath = ":/images/glyphs/select.png";
inline constexpr const char* PlayGlyphPath = ":/images/glyphs/play.png";
inline constexpr const char* PauseGlyphPath = ":/images/glyphs/pause.png";
inline constexpr const char* OkGlyphPath = ":/images/glyphs/ok.png";
inline constexpr const char* ChangeUserGlyphPath = ":/images/glyphs/change_user.png";
inline constexpr const char* HelpGlyphPath = ":/images/glyphs/help.png";
inline constexpr const char* ToolBarImagePath = ":/images/toolbar.png";
inline constexpr const char* WindowIconPath = ":/images/icon.png";

// The help page is a file beside the executable, not a resource.
inline constexpr const char* HelpPageName = "Tozan01.html";

} // namespace kumoji
