#pragma once

#include "storage/compress_string_list.h"

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
};

// How SaveAndFree ended.
struct TSaveReport {
    bool Saved = false;
    int Error = 0;      // SaveToFile's result, or errno of keeping the damaged copy
    std::string Reason; // why nothing was written (UTF-8), empty when saved
    TDamageReport Damage;
};

// Sectioned text file ("[name]" headers, "key=value" lines) stored as a "BDC" file.
class TDataFile : public TCompressStringList {
public:
    std::string FileName;
    bool NoSave = false;

    // Loads the file when it exists; a damaged file leaves the data file empty.
    explicit TDataFile(std::string FileName);

    void ReadSection(std::string_view Section, std::vector<std::string>& List) const;
    // Replaces the section by List; the section moves to the end of the file.
    void WriteSection(std::string_view Section, const std::vector<std::string>& List);
    void EraseSection(std::string_view Section);
    std::string ReadValue(std::string_view Section, std::string_view Key,
                          std::string_view Default) const;
    // Index of the written line, or -1 when nothing was written.
    int WriteValue(std::string_view Section, std::string_view Key, std::string_view Value);

    TLoadResult LoadResult() const { return FLoadResult; }
    const TDamageReport& Damage() const { return FDamage; }

private:
    TLoadResult FLoadResult = TLoadResult::Missing;
    TDamageReport FDamage;

    friend bool SaveAndFree(TDataFile*& DataFile, TSaveReport* Report);
};

// A line that is not empty and starts with "[" begins a new section.
bool StartsSection(std::string_view Line);
// The name of a key line: the text before its first "=" (empty when there is none).
std::string KeyName(std::string_view Line);

// Saves the file when allowed (a name of the form letter, colon must be on a removable, fixed
// or remote drive), then frees the data file and sets the pointer to null. A file that could
// not be read is never overwritten; a damaged one is first kept as FileName + ".damaged".
// True exactly when the file was written.
bool SaveAndFree(TDataFile*& DataFile, TSaveReport* Report = nullptr);

} // namespace kumoji
