// The one-time move of a data file and its backup, in steps that a restart can finish.
#include "storage/data_move.h"

#include "storage/data_file.h"
#include "storage/file_lock.h"
#include "storage/platform.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kumoji {

namespace {

enum class TPlaced { Nothing, Placed, Other };

bool SameFile(const std::string& A, const std::string& B) {
    struct stat SA {};
    struct stat SB {};
    return ::stat(A.c_str(), &SA) == 0 && ::stat(B.c_str(), &SB) == 0 && SA.st_dev == SB.st_dev &&
           SA.st_ino == SB.st_ino;
}

// Puts a whole copy of From at To unless To exists. Placed when To now holds From's bytes,
// Other when it holds something else (or is From itself), Nothing when there is no From.
std::error_code Place(const std::string& From, const std::string& To, TPlaced& Result) {
    Result = TPlaced::Nothing;
    if (!FileExists(From))
        return {};
    std::string Bytes;
    if (const std::error_code Error = ReadWholeFile(From, Bytes))
        return Error;
    if (FileExists(To)) {
        std::string There;
        if (const std::error_code Error = ReadWholeFile(To, There))
            return Error;
        Result = There == Bytes && !SameFile(From, To) ? TPlaced::Placed : TPlaced::Other;
        return {};
    }
    if (const std::error_code Error = CreateFileSafely(To, Bytes))
        return Error;
    Result = TPlaced::Placed;
    return {};
}

std::error_code Remove(const std::string& FileName) {
    if (::unlink(FileName.c_str()) != 0 && errno != ENOENT)
        return {errno, std::generic_category()};
    return {};
}

} // namespace

TDataMove MoveDataFile(const std::string& OldFile, const std::string& NewFile) {
    TDataMove Result;
    if (const std::error_code Error = MakeFolders(FolderOf(NewFile), 0700)) {
        Result.Error = Error;
        return Result;
    }
    Result.UseNew = true;
    if (!FileExists(OldFile) || SameFile(OldFile, NewFile))
        return Result;

    // The old file's lock keeps out a copy of the game playing on it, the new one's a copy
    // already on the new folder, and a second move.
    const TFileLock OldLock(OldFile);
    const TFileLock NewLock(NewFile);
    for (const TFileLock* Lock : {&OldLock, &NewLock}) {
        if (!Lock->Held()) {
            Result.UseNew = false;
            Result.Error = Lock->Error();
            return Result;
        }
    }
    // What a cut left half-written beside the new names.
    const std::string OldBackup = BackupName(OldFile);
    const std::string NewBackup = BackupName(NewFile);
    RemoveLeftoverTemporaries(NewFile);
    RemoveLeftoverTemporaries(NewBackup);
    if (!FileExists(OldFile))
        return Result; // moved by another copy while this one waited

    const bool Begun = FileExists(NewFile);
    if (Begun) {
        std::string Old;
        std::string New;
        Result.Error = ReadWholeFile(OldFile, Old);
        if (!Result.Error)
            Result.Error = ReadWholeFile(NewFile, New);
        // Another data file is there already: it stays the one to use, and the old one is not
        // this move's to take.
        if (Result.Error || Old != New)
            return Result;
    }
    TPlaced Backup = TPlaced::Nothing;
    TPlaced Data = TPlaced::Nothing;
    Result.Error = Place(OldBackup, NewBackup, Backup);
    if (!Result.Error)
        Result.Error = Place(OldFile, NewFile, Data);
    if (Result.Error || Data != TPlaced::Placed) {
        Result.UseNew = Begun;
        return Result;
    }

    // The new files are whole and on disk: the old ones go, the data file last, so that a cut
    // before its removal leaves this work to the next start.
    if (Backup == TPlaced::Other)
        Result.Left.push_back(OldBackup);
    if (Backup == TPlaced::Placed) {
        if (const std::error_code Error = Remove(OldBackup)) {
            Result.Error = Error;
            Result.Left.push_back(OldBackup);
        } else {
            Result.Moved.push_back(OldBackup);
        }
    }
    Remove(TFileLock::LockName(OldFile));
    if (const std::error_code Error = Remove(OldFile)) {
        Result.Error = Error;
        Result.Left.push_back(OldFile);
    } else {
        Result.Moved.insert(Result.Moved.begin(), OldFile);
    }
    SyncFolder(FolderOf(OldFile));
    return Result;
}

} // namespace kumoji
