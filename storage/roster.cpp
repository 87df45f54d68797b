#include "storage/roster.h"

#include "storage/ansi_text.h"
#include "storage/comma_text.h"
#include "storage/date_text.h"
#include "storage/platform.h"
#include "storage/sjis.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace kumoji {

namespace {

// A decimal integer with an optional sign; false for anything else or out of range.
bool ReadInteger(std::string_view Text, std::int32_t& Value) {
    if (!Text.empty() && Text.front() == '+')
        Text.remove_prefix(1);
    if (Text.empty() || Text.front() == '+')
        return false;
    std::int32_t N = 0;
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), N);
    if (Error != std::errc() || End != Text.data() + Text.size())
        return false;
    Value = N;
    return true;
}

std::int32_t IntegerOr0(std::string_view Text) {
    std::int32_t N = 0;
    return ReadInteger(Text, N) ? N : 0;
}

} // namespace

std::string TTabijiUser::FormatRecord() const {
    return Name + "=" +
           CommaTextOf({std::to_string(Route), std::to_string(Position), Huts,
                        DateTimeText(LastPlayed), std::to_string(Extra)});
}

bool TTabijiUser::ParseRecord(std::string_view Line) {
    std::string Left;
    std::string Right;
    bool Ok = SplitAt(Line, "=", Left, Right);
    Name = Left;
    const std::vector<std::string> Values = ReadCommaText(Right);
    Ok = Ok && Values.size() >= 5;
    if (Ok) {
        Route = IntegerOr0(Values[0]);
        Position = IntegerOr0(Values[1]);
        Huts = Values[2];
        // An unreadable date must not cost the player: it becomes the zero date.
        ReadDateTime(Values[3], LastPlayed);
        Extra = IntegerOr0(Values[4]);
    }
    return Ok;
}

void TTabijiUser::Climb() {
    Position = std::min(55, Position + 1);
    LastPlayed = Now();
    FSteps.push_back(+1);
}

void TTabijiUser::Lose() {
    LastPlayed = Now();
    std::vector<int> HutList;
    GetHuts(&HutList);
    if (std::find(HutList.begin(), HutList.end(), Position) == HutList.end())
        Position = std::max(0, Position - 1);
    FSteps.push_back(-1);
}

void TTabijiUser::StartRoute(std::int32_t NewRoute) {
    Route = NewRoute;
    Position = 0;
    LastPlayed = Now();
    // Steps not yet saved belong to the route left behind; replayed on the
    // file's record they would lift the new climb off the trailhead.
    FSteps.clear();
}

void TTabijiUser::GetHuts(std::vector<int>* List) const {
    if (!List)
        return;
    List->clear();
    for (const std::string& Value : ReadCommaText(Huts)) {
        std::int32_t N = 0;
        if (ReadInteger(Value, N) && N >= 0)
            List->push_back(N);
    }
}

std::string NameProblem(std::string_view Name) {
    if (Name.empty())
        return "名前がありません (the name is empty)";
    if (Name.front() == '[')
        return "名前を「[」で始めることはできません (a name cannot begin with \"[\")";
    if (FindText(Name, "=") != std::string_view::npos)
        return "名前に「=」は使えません (a name cannot contain \"=\")";
    for (const char C : Name)
        if (C == '\r' || C == '\n' || C == '\0')
            return "名前に改行は使えません (a name cannot contain a line break)";
    // A dangling lead byte would take the "=" after the name as its second byte.
    if (EndsInsideCharacter(Name))
        return "名前の最後の文字が欠けています (the last character of the name is incomplete)";
    return {};
}

bool PlayerNameFromUtf8(std::string_view Utf8, std::string& Name, std::string& Problem) {
    Name.clear();
    TConvertError Error;
    std::string Converted;
    if (!Utf8ToCp932(Utf8, Converted, &Error)) {
        if (Error.ReadsBackChanged)
            Problem = "「" + Error.Character + "」は保存すると「" + Error.ReadsBackAs +
                      "」に変わってしまいます (\"" + Error.Character + "\" would be stored as \"" +
                      Error.ReadsBackAs + "\")";
        else
            Problem = "「" + Error.Character +
                      "」は保存できない文字です (this character cannot be stored)";
        return false;
    }
    Problem = NameProblem(Converted);
    if (!Problem.empty())
        return false;
    Name = std::move(Converted);
    return true;
}

TTabijiUser& TTabijiUsers::GetUser(int Index) {
    if (Index < 0 || Index >= GetCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
    return *FUsers[static_cast<std::size_t>(Index)];
}

const TTabijiUser& TTabijiUsers::GetUser(int Index) const {
    return const_cast<TTabijiUsers*>(this)->GetUser(Index);
}

int TTabijiUsers::AddUser(std::string_view Name) {
    for (std::size_t I = 0; I < FUsers.size(); ++I)
        if (FUsers[I]->Name == Name)
            return static_cast<int>(I);
    auto User = std::make_unique<TTabijiUser>();
    User->Name = std::string(Name);
    User->LastPlayed = Now();
    FUsers.push_back(std::move(User));
    return GetCount() - 1;
}

void TTabijiUsers::ClearUsers() {
    while (!FUsers.empty())
        FUsers.pop_back();
}

bool TTabijiUsers::SaveToList(std::vector<std::string>* List) const {
    if (!List)
        return false;
    List->clear();
    List->reserve(FUsers.size());
    for (const auto& User : FUsers)
        List->push_back(User->FormatRecord());
    return true;
}

bool TTabijiUsers::LoadFromList(const std::vector<std::string>* List) {
    if (!List)
        return false;
    ClearUsers();
    FUsers.reserve(List->size());
    for (const std::string& Line : *List) {
        auto User = std::make_unique<TTabijiUser>();
        User->ParseRecord(Line);
        FUsers.push_back(std::move(User));
    }
    return true;
}

void TTabijiUsers::Close(TDataFile*& DataFile) {
    FLastDamage = DataFile ? DataFile->Damage() : TDamageReport{};
    SaveAndFree(DataFile, &FLastSave);
    FLastDamage = FLastSave.Damage;
}

bool TTabijiUsers::LoadFromFile(const std::string& FileName, std::string_view Section) {
    FLastDamage = {};
    FLastSave = {};
    FLastLoad = TLoadResult::Missing;
    FLastLoadError = {};
    if (!FileExists(FileName))
        return false;
    auto* DataFile = new TDataFile(FileName);
    FLastLoad = DataFile->LoadResult();
    FLastLoadError = DataFile->LastError();
    try {
        std::vector<std::string> List;
        DataFile->ReadSection(Section, List);
        LoadFromList(&List);
        // Each record as the file holds it, so the next save can tell what changed here.
        for (std::size_t I = 0; I < List.size(); ++I)
            FUsers[I]->FSynced = List[I];
    } catch (...) {
        Close(DataFile);
        throw;
    }
    if (FLastLoad == TLoadResult::Damaged) {
        // Kept aside now, but not yet replaced: the player may still choose the backup, and
        // the backup is only renewed from a file that loaded soundly.
        TDamageReport Damage = DataFile->Damage();
        const std::error_code Error = KeepDamagedCopy(*DataFile, Damage);
        DataFile->NoSave = true;
        Close(DataFile);
        FLastDamage = Damage;
        FLastSave.Damage = Damage;
        FLastSave.Error = Error;
        FLastSave.Reason =
            Error ? "壊れたファイルを保管できません (the damaged file could not be kept): " +
                        ErrorText(Error)
                  : std::string();
        return true;
    }
    Close(DataFile);
    return true;
}

bool TTabijiUsers::SaveToFile(const std::string& FileName, std::string_view Section,
                              const std::vector<TSectionCompanion*>& Companions) {
    FLastDamage = {};
    FLastSave = {};
    auto* DataFile = new TDataFile(FileName);
    std::vector<std::unique_ptr<TTabijiUser>> Merged;
    const auto Abandon = [&Companions] {
        for (TSectionCompanion* Companion : Companions)
            Companion->Abandoned();
    };
    try {
        // Merged before the roster's section, which so stays the file's last as it was.
        for (TSectionCompanion* Companion : Companions)
            Companion->MergeInto(*DataFile);
        std::vector<std::string> FileLines;
        DataFile->ReadSection(Section, FileLines);
        DataFile->WriteSection(Section, Merge(FileLines, Merged));
    } catch (...) {
        // The section may be half written: keep the file as it is on disk.
        DataFile->NoSave = true;
        Close(DataFile);
        Abandon();
        throw;
    }
    Close(DataFile);
    if (!FLastSave.Saved) {
        Abandon();
        return false;
    }
    for (TSectionCompanion* Companion : Companions)
        Companion->Committed();
    // Into the same objects, so that references callers hold stay valid.
    for (std::size_t I = 0; I < FUsers.size(); ++I)
        *FUsers[I] = std::move(*Merged[I]);
    for (std::size_t I = FUsers.size(); I < Merged.size(); ++I)
        FUsers.push_back(std::move(Merged[I]));
    return true;
}

bool TTabijiUsers::LoadFromBackup(const std::string& FileName, std::string_view Section) {
    FLastDamage = {};
    FLastSave = {};
    const std::string Backup = BackupName(FileName);
    auto* DataFile = new TDataFile(FileName);
    TCompressStringList Previous;
    if (!FileExists(Backup) || Previous.LoadFromFile(Backup) != TLoadResult::Loaded) {
        DataFile->NoSave = true;
        Close(DataFile);
        return false;
    }
    // The damaged file stays what LoadResult says, so it is kept aside before the replace.
    DataFile->Lines = Previous.Lines;
    std::vector<std::string> List;
    DataFile->ReadSection(Section, List);
    Close(DataFile);
    if (!FLastSave.Saved)
        return false;
    LoadFromList(&List);
    for (std::size_t I = 0; I < List.size(); ++I)
        FUsers[I]->FSynced = List[I];
    return true;
}

} // namespace kumoji
