#pragma once

#include "storage/delta_code.h"

#include <string>
#include <string_view>
#include <vector>

namespace kumoji {

enum class TLoadResult {
    Loaded,     // the file decoded; the lines were replaced
    Missing,    // no such file; the lines are unchanged
    Unreadable, // the file exists but could not be read; the lines are unchanged
    Damaged     // the file was read but does not decode; the lines are unchanged
};

// The text of a list: every line followed by CR LF.
std::string TextOfLines(const std::vector<std::string>& Lines);
// Splits a text into lines at CR LF, a lone CR or a lone LF; a NUL byte ends the text.
std::vector<std::string> LinesOfText(std::string_view Text);

// An ordered list of byte lines (CP932 text) that lives on disk as a "BDC" file.
class TCompressStringList {
public:
    std::vector<std::string> Lines;

    virtual ~TCompressStringList() = default;

    // Loads a "BDC" file. A missing file is reported through the message handler; an
    // unreadable or damaged file keeps the lines unchanged and is described by LastError.
    TLoadResult LoadFromFile(const std::string& FileName);
    // Writes the lines as a "BDC" file, crash-safe. 0 on success; 1 for an empty name or text
    // that cannot be coded; otherwise the errno of the failing file step.
    int SaveToFile(const std::string& FileName);

    std::string GetText() const { return TextOfLines(Lines); }
    void SetText(std::string_view Text) { Lines = LinesOfText(Text); }
    int GetCount() const { return static_cast<int>(Lines.size()); }
    // Index of the first line equal to Text without regard to letter case, or -1.
    int IndexOf(std::string_view Text) const;

    // What the last LoadFromFile met (UTF-8 text, empty after a good load).
    const std::string& LastError() const { return FLastError; }
    // The bytes of the last file that failed to decode, kept so it can be set aside.
    const std::string& DamagedImage() const { return FDamagedImage; }

private:
    std::string FLastError;
    std::string FDamagedImage;
};

} // namespace kumoji
