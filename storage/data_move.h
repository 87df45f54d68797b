// Moving the data file and its backup to another folder once, so that a cut at any moment
// loses nothing.
#pragma once

#include <string>
#include <system_error>
#include <vector>

namespace kumoji {

// How MoveDataFile ended.
struct TDataMove {
    // The data file to use from now on is the new one: it was moved, finished moving, was
    // already there, or there was nothing to move. False only when the move stopped before
    // the new file took over; the old file is then whole and still the one to use.
    bool UseNew = false;
    // Old names whose files now live under the new names (a move that an earlier run began
    // and this one finished counts).
    std::vector<std::string> Moved;
    // Old files left where they are: a different file already has the new name, or the
    // old one could not be removed.
    std::vector<std::string> Left;
    std::error_code Error;
};

// Moves OldFile and its backup (BackupName) to NewFile and its backup, under the locks of
// both, making NewFile's folder (mode 0700) when it is missing. A file at a new name is never
// overwritten: when NewFile exists and is not a copy of OldFile, nothing moves. Each file is
// copied beside its new name, flushed, then renamed to it, the backup first, so that the data
// file's rename is the moment the move takes effect; only then are the old files removed. Run
// again after a cut at any point, it finishes or repeats the move.
TDataMove MoveDataFile(const std::string& OldFile, const std::string& NewFile);

} // namespace kumoji
