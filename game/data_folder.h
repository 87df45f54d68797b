// Where a start from the desktop's menu keeps the data file, and the move of one left at home.
#pragma once

#include <QString>

namespace kumoji {

// $XDG_DATA_HOME/kumoji, by default ~/.local/share/kumoji.
QString DesktopDataFolder();

// The command line's option for the desktop's entry: without it the game keeps its data in
// the folder it is started in.
inline constexpr const char* DesktopDataOption = "desktop-data";

// Makes the desktop's data folder the current folder, where the data file is kept, moving a
// data file (and its backup) that a start from the home folder left there on the first such
// start. Returns what the player is to be told once the window is up: the move, or why it
// could not be made, the home folder then staying the current one so that no progress is
// hidden; empty when there is nothing to tell.
QString UseDesktopDataFolder();

} // namespace kumoji
