#pragma once

#include "storage/compress_string_list.h"
#include "storage/file_lock.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kumoji {

// A data file that existed but did not decode. Its bytes are kept beside it under
// FileName + ".damaged" before anything overwrites it.
struct TDamageReport {
    bool Damaged = false;
    std::string FileName;
    std::string KeptAs; // empty until the copy is written (or when it could not be)
    std::string Reason; // the check that failed (UTF-8)
    std::error_code Error;
    // The previous good file (BackupName), present and sound, that can replace this one.
    bool BackupAvailable = false;
};

// How SaveAndFree ended.
struct TSaveReport {
    bool Saved = false;
    std::error_code Error; // why nothing was written; empty when saved
    std::string Reason;    // its text (UTF-8)
    TDamageReport Damage;
};

// Where the file as it was before the last change is kept.
inline std::string BackupName(const std::string& FileName) {
    return FileName + ".bak";
}

// Sectioned text file ("[name]" headers, "key=value" lines) stored as a "BDC" file.
class TDataFile : public TCompressStringList {
public:
    std::string FileName;
    bool NoSave = false;

    // Takes the file's lock, then loads the file when it exists; a damaged file leaves the
    // data file empty. The lock is held until the data file is freed.
    explicit TDataFile(std::string FileName);

    void ReadSection(std::string_view Section, std::vector<std::string>& List) const;
    // Replaces the section by List; the section moves to the end of the file.
    void WriteSection(std::string_view Section, const std::vector<std::string>& List);
    // As above, taking the lines over instead of copying them (a large section saves faster).
    void WriteSection(std::string_view Section, std::vector<std::string>&& List);
    void EraseSection(std::string_view Section);
    std::string ReadValue(std::string_view Section, std::string_view Key,
                          std::string_view Default) const;
    // Index of the written line, or -1 when nothing was written.
    int WriteValue(std::string_view Section, std::string_view Key, std::string_view Value);

    TLoadResult LoadResult() const { return FLoadResult; }
    const TDamageReport& Damage() const { return FDamage; }
    // TStorageError::Locked when another copy kept the lock too long: the lines were read,
    // but SaveAndFree will not write.
    std::error_code LockError() const { return FLockError; }

private:
    TLoadResult FLoadResult = TLoadResult::Missing;
    TDamageReport FDamage;
    std::unique_ptr<TFileLock> FLock;
    std::error_code FLockError;
};

// Keeps the bytes of a damaged data file as FileName + ".damaged" (Damage.KeptAs says where).
std::error_code KeepDamagedCopy(const TDataFile& File, TDamageReport& Damage);

// A line that is not empty and starts with "[" begins a new section.
bool StartsSection(std::string_view Line);
// The name of a key line: the text before its first "=" (empty when there is none).
std::string KeyName(std::string_view Line);

// Saves the file when allowed (a name of the form letter, colon must be on a removable, fixed
// or remote drive), then frees the data file and sets the pointer to null. A file that could
// not be read is never overwritten; a damaged one is first kept as FileName + ".damaged"; a
// good one that is about to change is first kept as BackupName. Temporary files of earlier
// interrupted saves are removed. True exactly when the file was written.
bool SaveAndFree(TDataFile*& DataFile, TSaveReport* Report = nullptr);

} // namespace kumoji
