#include "storage/data_file.h"

#include "storage/ansi_text.h"
#include "storage/platform.h"

#include <cstring>
#include <memory>
#include <utility>

namespace kumoji {

bool StartsSection(std::string_view Line) {
    return !Line.empty() && Line.front() == '[';
}

std::string KeyName(std::string_view Line) {
    std::string Name;
    std::string Value;
    if (!SplitAt(Line, "=", Name, Value))
        return {};
    return Name;
}

namespace {

std::string Header(std::string_view Section) {
    std::string Text = "[";
    Text += Section;
    Text += "]";
    return Text;
}

std::string KeyLine(std::string_view Key, std::string_view Value) {
    std::string Line(Key);
    Line += "=";
    Line += Value;
    return Line;
}

} // namespace

TDataFile::TDataFile(std::string Name) : FileName(std::move(Name)) {
    if (!FileExists(FileName))
        return;
    FLoadResult = LoadFromFile(FileName);
    if (FLoadResult == TLoadResult::Damaged) {
        FDamage.Damaged = true;
        FDamage.FileName = FileName;
        FDamage.Reason = LastError();
    }
}

void TDataFile::EraseSection(std::string_view Section) {
    const int Start = IndexOf(Header(Section));
    if (Start < 0)
        return;
    std::size_t I = static_cast<std::size_t>(Start) + 1;
    while (I < Lines.size() && !StartsSection(Lines[I]))
        ++I;
    Lines.erase(Lines.begin() + Start, Lines.begin() + static_cast<std::ptrdiff_t>(I));
}

void TDataFile::ReadSection(std::string_view Section, std::vector<std::string>& List) const {
    List.clear();
    const int Start = IndexOf(Header(Section));
    if (Start < 0)
        return;
    for (std::size_t I = static_cast<std::size_t>(Start) + 1; I < Lines.size(); ++I) {
        if (Lines[I].empty())
            continue;
        if (StartsSection(Lines[I]))
            break;
        List.push_back(Lines[I]);
    }
}

void TDataFile::WriteSection(std::string_view Section, const std::vector<std::string>& List) {
    // List may be a copy of this very section; take it before erasing.
    std::vector<std::string> NewLines = List;
    EraseSection(Section);
    Lines.push_back(Header(Section));
    Lines.insert(Lines.end(), std::make_move_iterator(NewLines.begin()),
                 std::make_move_iterator(NewLines.end()));
}

std::string TDataFile::ReadValue(std::string_view Section, std::string_view Key,
                                 std::string_view Default) const {
    std::vector<std::string> List;
    ReadSection(Section, List);
    for (const std::string& Line : List) {
        std::string Name;
        std::string Value;
        if (SplitAt(Line, "=", Name, Value) && SameText(Name, Key))
            return Value;
    }
    return std::string(Default);
}

int TDataFile::WriteValue(std::string_view Section, std::string_view Key, std::string_view Value) {
    // Every line without "=" has the empty name: an empty key would replace or delete
    // arbitrary lines, section headers among them.
    if (Key.empty())
        return -1;
    const std::string Line = KeyLine(Key, Value);
    if (!Value.empty()) {
        std::vector<std::string> List;
        ReadSection(Section, List);
        for (const std::string& Existing : List)
            if (SameText(Existing, Line))
                return -1;
    }
    const int Start = IndexOf(Header(Section));
    if (Start < 0) {
        if (Value.empty())
            return -1;
        Lines.push_back(Header(Section));
        Lines.push_back(Line);
        return GetCount() - 1;
    }
    for (std::size_t I = static_cast<std::size_t>(Start) + 1;; ++I) {
        const auto Here = Lines.begin() + static_cast<std::ptrdiff_t>(I);
        if (I >= Lines.size()) {
            if (Value.empty())
                return -1;
            Lines.push_back(Line);
            return static_cast<int>(I);
        }
        if (KeyName(Lines[I]) == Key) {
            if (Value.empty()) {
                Lines.erase(Here);
                return -1;
            }
            *Here = Line;
            return static_cast<int>(I);
        }
        if (!Value.empty() && StartsSection(Lines[I])) {
            Lines.insert(Here, Line);
            return static_cast<int>(I);
        }
    }
}

namespace {

bool DriveAllowsSaving(const std::string& FileName) {
    if (FileName.size() < 2 || FileName[1] != ':')
        return true;
    char Letter = FileName[0];
    if (Letter >= 'A' && Letter <= 'Z')
        Letter = static_cast<char>(Letter - 'A' + 'a');
    if (Letter < 'a' || Letter > 'z')
        return true;
    const int Type = GetDriveType(std::string(1, Letter) + ":\\");
    return Type == dtRemovable || Type == dtFixed || Type == dtRemote;
}

} // namespace

bool SaveAndFree(TDataFile*& DataFile, TSaveReport* Report) {
    TSaveReport Result;
    std::unique_ptr<TDataFile> Owned(DataFile);
    DataFile = nullptr;
    if (!Owned)
        return false;
    Result.Damage = Owned->FDamage;
    if (Owned->NoSave) {
        Result.Reason = "保存しない設定です (saving is turned off)";
    } else if (Owned->FileName.empty()) {
        Result.Error = 1;
        Result.Reason = "ファイル名がありません (no file name)";
    } else if (!DriveAllowsSaving(Owned->FileName)) {
        Result.Reason = "このドライブには保存できません (this drive cannot be written)";
    } else if (Owned->FLoadResult == TLoadResult::Unreadable) {
        // Overwriting what could not be read would lose it for good.
        Result.Reason = "読み込めなかったファイルは上書きしません (" + Owned->LastError() + ")";
    } else {
        bool Kept = true;
        if (Owned->FLoadResult == TLoadResult::Damaged) {
            const std::string Copy = Owned->FileName + ".damaged";
            if (const int Error = WriteFileSafely(Copy, Owned->DamagedImage())) {
                Kept = false;
                Result.Error = Error;
                Result.Reason = "壊れたファイルを保管できません (the damaged file could not be "
                                "kept): " +
                                std::string(std::strerror(Error));
            } else {
                Result.Damage.KeptAs = Copy;
            }
        }
        if (Kept) {
            Result.Error = Owned->SaveToFile(Owned->FileName);
            Result.Saved = Result.Error == 0;
            if (!Result.Saved)
                Result.Reason = Result.Error == 1 ? std::string("データを符号化できません")
                                                  : std::string(std::strerror(Result.Error));
        }
    }
    const bool Saved = Result.Saved;
    if (Report)
        *Report = std::move(Result);
    return Saved;
}

} // namespace kumoji
