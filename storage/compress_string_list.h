#pragma once

#include "storage/check_value.h"
#include "storage/delta_code.h"
#include "storage/storage_error.h"

#include <string>
#include <string_view>
#include <vector>

namespace kumoji {

enum class TLoadResult {
    Loaded,     // the file decoded; the lines were replaced
    Missing,    // no such file; the lines are unchanged
    Unreadable, // the file exists but could not be read; the lines are unchanged
    Damaged     // the file does not decode or fails its check; the lines are unchanged
};

// The text of a list: every line followed by CR LF.
std::string TextOfLines(const std::vector<std::string>& Lines);
// Splits a text into lines at CR LF, a lone CR or a lone LF; a NUL byte ends the text.
std::vector<std::string> LinesOfText(std::string_view Text);

// The file now holds Packed, coded from Lines: the next load of these very bytes takes the
// lines back without decoding them.
void RememberImage(std::string Packed, std::vector<std::string> Lines);

// An ordered list of byte lines (CP932 text) that lives on disk as a "BDC" file.
class TCompressStringList {
public:
    std::vector<std::string> Lines;

    virtual ~TCompressStringList() = default;

    // Loads a "BDC" file. A missing file is reported through the message handler; an
    // unreadable or damaged file keeps the lines unchanged and is described by LastError.
    TLoadResult LoadFromFile(const std::string& FileName);
    // Loads from the bytes of a "BDC" file; Loaded or Damaged.
    TLoadResult LoadFromImage(std::string Packed);
    // Writes the lines as a "BDC" file with its check value, crash-safe. Empty on success,
    // TStorageError::NoFileName or CannotEncode, or the errno of the failing file step.
    std::error_code SaveToFile(const std::string& FileName);
    // The file image SaveToFile writes for the current lines (empty when they cannot be coded).
    std::string Encoded() const;

    std::string GetText() const { return TextOfLines(Lines); }
    void SetText(std::string_view Text) { Lines = LinesOfText(Text); }
    int GetCount() const { return static_cast<int>(Lines.size()); }
    // Index of the first line equal to Text without regard to letter case, or -1.
    int IndexOf(std::string_view Text) const;

    // What the last load met (empty after a good load); ErrorText gives its text.
    std::error_code LastError() const { return FLastError; }
    // Whether the last good load carried the check value.
    TCheck LastCheck() const { return FLastCheck; }
    // The bytes of the last file that failed to decode, kept so it can be set aside.
    const std::string& DamagedImage() const { return FDamagedImage; }
    // The bytes of the last file that loaded, kept so it can become the backup.
    const std::string& LoadedImage() const { return FLoadedImage; }

private:
    std::error_code FLastError;
    TCheck FLastCheck = TCheck::Unmarked;
    std::string FDamagedImage;
    std::string FLoadedImage;
};

} // namespace kumoji
