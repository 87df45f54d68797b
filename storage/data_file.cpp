#include "storage/data_file.h"

#include "storage/ansi_text.h"
#include "storage/messages.h"
#include "storage/platform.h"

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

namespace {

bool SoundBackup(const std::string& FileName) {
    const std::string Backup = BackupName(FileName);
    TCompressStringList List;
    return FileExists(Backup) && List.LoadFromFile(Backup) == TLoadResult::Loaded;
}

} // namespace

TDataFile::TDataFile(std::string Name) : FileName(std::move(Name)) {
    if (!FileName.empty()) {
        FLock = std::make_unique<TFileLock>(FileName);
        if (FLock->Error() == TStorageError::Locked)
            FLockError = FLock->Error();
    }
    if (!FileExists(FileName))
        return;
    FLoadResult = LoadFromFile(FileName);
    if (FLoadResult == TLoadResult::Damaged) {
        FDamage.Damaged = true;
        FDamage.FileName = FileName;
        FDamage.Error = LastError();
        FDamage.Reason = ErrorText(LastError());
        FDamage.BackupAvailable = SoundBackup(FileName);
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
    WriteSection(Section, std::vector<std::string>(List));
}

void TDataFile::WriteSection(std::string_view Section, std::vector<std::string>&& List) {
    std::vector<std::string> NewLines = std::move(List);
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

std::error_code KeepDamagedCopy(const TDataFile& File, TDamageReport& Damage) {
    const std::string Copy = File.FileName + ".damaged";
    if (const std::error_code Error = WriteFileSafely(Copy, File.DamagedImage()))
        return Error;
    Damage.KeptAs = Copy;
    return {};
}

namespace {

// Writes the data file; the damaged file it replaces, or the good one it changes, is kept
// first so that one bad write never costs more than the last change.
std::error_code Save(TDataFile& File, TSaveReport& Result) {
    if (File.NoSave)
        return TStorageError::SavingOff;
    if (File.FileName.empty())
        return TStorageError::NoFileName;
    if (!DriveAllowsSaving(File.FileName))
        return TStorageError::DriveNotWritable;
    if (File.LockError())
        return File.LockError();
    // Overwriting what could not be read would lose it for good.
    if (File.LoadResult() == TLoadResult::Unreadable)
        return TStorageError::NotRead;
    for (const std::string& Name :
         {File.FileName, BackupName(File.FileName), File.FileName + ".damaged"})
        RemoveLeftoverTemporaries(Name);
    if (File.LoadResult() == TLoadResult::Damaged) {
        if (const std::error_code Error = KeepDamagedCopy(File, Result.Damage)) {
            Result.Reason =
                "壊れたファイルを保管できません (the damaged file could not be kept): " +
                ErrorText(Error);
            return Error;
        }
    }
    std::string Packed = File.Encoded();
    if (Packed.empty()) {
        ShowMessage("TCompressStringList.SaveToFile 2003.02.10");
        return TStorageError::CannotEncode;
    }
    if (File.LoadResult() == TLoadResult::Loaded && File.LoadedImage() != Packed) {
        // Without a backup the save goes on: the new file is still written crash-safe.
        WriteFileSafely(BackupName(File.FileName), File.LoadedImage());
    }
    const std::error_code Error = WriteFileSafely(File.FileName, Packed);
    if (!Error)
        RememberImage(std::move(Packed), std::move(File.Lines));
    return Error;
}

} // namespace

bool SaveAndFree(TDataFile*& DataFile, TSaveReport* Report) {
    TSaveReport Result;
    std::unique_ptr<TDataFile> Owned(DataFile);
    DataFile = nullptr;
    if (!Owned)
        return false;
    Result.Damage = Owned->Damage();
    Result.Error = Save(*Owned, Result);
    Result.Saved = !Result.Error;
    if (Result.Error == TStorageError::NotRead)
        Result.Reason = ErrorText(Result.Error) + ": " + ErrorText(Owned->LastError());
    else if (Result.Reason.empty())
        Result.Reason = ErrorText(Result.Error);
    const bool Saved = Result.Saved;
    if (Report)
        *Report = std::move(Result);
    return Saved;
}

} // namespace kumoji
