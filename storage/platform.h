#pragma once

#include "storage/storage_error.h"

#include <functional>
#include <string>
#include <string_view>

namespace kumoji {

// Something stands at that name (a folder, a pipe or a file we may not read count too), so
// that nothing is taken for missing and then overwritten.
bool FileExists(const std::string& FileName);

// Reads the whole file. Anything but a regular file is refused without waiting: opening a
// named pipe for reading would block until a writer comes.
std::error_code ReadWholeFile(const std::string& FileName, std::string& Bytes);

// Writes Bytes as the new content of FileName so that an interruption at any moment leaves
// either the old file or the new one: a temporary file in the same folder is written and
// flushed, then renamed over the old one, and the folder is flushed. Missing folders are made,
// outermost first; an existing file keeps its permission bits.
std::error_code WriteFileSafely(const std::string& FileName, std::string_view Bytes);

// As WriteFileSafely, for a file that must not exist yet: the file appears whole or not at all,
// and EEXIST is returned, nothing changed, when something already has the name.
std::error_code CreateFileSafely(const std::string& FileName, std::string_view Bytes);

// Flushes the folder's entries, so that a rename or removal in it survives a power cut.
void SyncFolder(const std::string& Folder);

// The temporary files WriteFileSafely and CreateFileSafely make are named FileName + TemporaryInfix
// + 6 letters or digits.
inline constexpr const char* TemporaryInfix = ".saving-";
// Removes the temporary files of FileName that an interrupted save left behind. Only call it
// while no other save of that file can be running (under its lock).
void RemoveLeftoverTemporaries(const std::string& FileName);

// Creates every missing folder of Folder, outermost first, with Mode (less the umask).
std::error_code MakeFolders(const std::string& Folder, unsigned Mode);

// The folder part of a name: the text before its last "/" (empty when there is none).
std::string FolderOf(const std::string& FileName);

// Drive types as the saving rule knows them.
enum TDriveType {
    dtUnknown = 0,
    dtNoRootDir = 1,
    dtRemovable = 2,
    dtFixed = 3,
    dtRemote = 4,
    dtCdRom = 5,
    dtRamDisk = 6
};

using TDriveTypeQuery = std::function<int(const std::string& Root)>;

// Replaces the drive-type query (tests play a CD-ROM with it); an empty function restores the
// default, which answers dtNoRootDir: this platform has no drive roots like "c:\".
void SetDriveTypeQuery(TDriveTypeQuery Query);
int GetDriveType(const std::string& Root);

} // namespace kumoji
