// How the storage layer reports failures: std::error_code, system errors in the generic category.
#pragma once

#include <string>
#include <system_error>

namespace kumoji {

// The storage layer's own failures; every other failure is the errno of the failing call.
enum class TStorageError {
    CannotEncode = 1,  // the text is too long for the file's size fields
    NoFileName,        // an empty file name
    NotRegularFile,    // a folder, pipe or device stands where the data file should be
    FormatWrong,       // not a "BDC" file, or a header no writer produces
    RecordedSizeWrong, // the size in the header is not the size of the file
    ReadOutSizeWrong,  // the codes do not give the recorded number of bytes
    CheckFailed,       // the file carries our check value and the text does not match it
    OutOfMemory,
    NotRead,          // the file could not be read earlier and is not overwritten
    Locked,           // another copy of the game held the file too long
    DriveNotWritable, // a drive letter of a CD-ROM, RAM disk or unknown drive
    SavingOff         // NoSave was set
};

const std::error_category& StorageCategory();

std::error_code make_error_code(TStorageError Error);

// Text for the player (UTF-8): the storage layer's own texts, or the system's for errno values.
std::string ErrorText(std::error_code Error);

} // namespace kumoji

template <> struct std::is_error_code_enum<kumoji::TStorageError> : std::true_type {};
