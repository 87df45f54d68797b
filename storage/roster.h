#pragma once

#include "storage/data_file.h"
#include "storage/section_companion.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kumoji {

// One player and the progress of the climb.
class TTabijiUser {
public:
    std::string Name; // CP932 bytes; the player's key in the roster
    std::int32_t Route = 0;
    std::int32_t Position = 0;
    std::string Huts;      // comma-separated hut positions
    double LastPlayed = 0; // days since 1899-12-30
    std::int32_t Extra = 0;

    // Name "=" Route, Position, Huts, LastPlayed, Extra as comma text.
    std::string FormatRecord() const;
    // False (only Name set) when the line has no "=" or fewer than five values.
    bool ParseRecord(std::string_view Line);

    void Climb();
    void Lose();
    // Moves the player to the trailhead of another route.
    void StartRoute(std::int32_t NewRoute);
    void GetHuts(std::vector<int>* List) const;

private:
    friend class TTabijiUsers;
    // Climbs (+1) and losses (-1) since the file last held this record: another copy of the
    // game may have moved the same player meanwhile, and each of these is replayed on its
    // record rather than overwriting it.
    std::vector<std::int8_t> FSteps;
    // The record line as the file last held it; none for a player this copy added.
    std::optional<std::string> FSynced;
};

// Why a name cannot be stored so that it reads back as the same player (empty when it can).
// The name is CP932 text: "=" would end the name early, a leading "[" would read as a section
// header, and line breaks or NUL bytes would split or cut the record.
std::string NameProblem(std::string_view Name);

// Converts a name typed in the user interface (UTF-8) to CP932 and checks it with NameProblem.
// False with Problem set (UTF-8, for the player) when it cannot be stored.
bool PlayerNameFromUtf8(std::string_view Utf8, std::string& Name, std::string& Problem);

class TTabijiUsers {
public:
    TTabijiUsers() = default;
    TTabijiUsers(const TTabijiUsers&) = delete;
    TTabijiUsers& operator=(const TTabijiUsers&) = delete;
    virtual ~TTabijiUsers() { ClearUsers(); }

    int GetCount() const { return static_cast<int>(FUsers.size()); }
    // Throws std::out_of_range for an index outside 0..GetCount() - 1.
    TTabijiUser& GetUser(int Index);
    const TTabijiUser& GetUser(int Index) const;
    // Index of the first player with exactly this name, or of a new player appended with it.
    int AddUser(std::string_view Name);
    void ClearUsers();

    bool SaveToList(std::vector<std::string>* List) const;
    bool LoadFromList(const std::vector<std::string>* List);

    // False, roster unchanged, when the file does not exist. Otherwise loads the section and
    // writes the data file back (a damaged file is first kept aside: see LastDamage; a file
    // that cannot be read is left alone: see LastLoad).
    bool LoadFromFile(const std::string& FileName, std::string_view Section);
    // Writes the section, keeping the other sections, under the file's lock. Other copies of
    // the game may have saved since this one read the file, so the section is read again and
    // only the players this roster changed are written into it: its new players are added,
    // climbs and losses are replayed on the file's record, changed fields replace the file's.
    // Players the file holds and this roster does not are kept and joined to the roster (at
    // the end, so indexes and references stay valid); unchanged players take the file's record.
    // True exactly when the file was written; LastSave says why not, and the changes stay
    // pending.
    // Companions merge their sections into the same write, before this section.
    bool SaveToFile(const std::string& FileName, std::string_view Section,
                    const std::vector<TSectionCompanion*>& Companions = {});
    // Loads the previous good file (BackupName) in place of a damaged one and writes it as the
    // data file. False, roster unchanged, when it does not load soundly or cannot be written.
    bool LoadFromBackup(const std::string& FileName, std::string_view Section);

    // The damaged data file the last LoadFromFile or SaveToFile met, and where it was kept.
    const TDamageReport& LastDamage() const { return FLastDamage; }
    // How the last LoadFromFile or SaveToFile wrote the data file.
    const TSaveReport& LastSave() const { return FLastSave; }
    // How the last LoadFromFile read it: Unreadable (with the reason) for a folder, a pipe or
    // a file this user may not read standing at its name.
    TLoadResult LastLoad() const { return FLastLoad; }
    std::error_code LastLoadError() const { return FLastLoadError; }

private:
    std::vector<std::unique_ptr<TTabijiUser>> FUsers;
    TDamageReport FLastDamage;
    TSaveReport FLastSave;
    TLoadResult FLastLoad = TLoadResult::Missing;
    std::error_code FLastLoadError;

    void Close(TDataFile*& DataFile);
    // The section lines for the file's current FileLines, and in Merged the roster as it will
    // be once they are written, each player marked as in step with the file.
    std::vector<std::string> Merge(const std::vector<std::string>& FileLines,
                                   std::vector<std::unique_ptr<TTabijiUser>>& Merged) const;
};

} // namespace kumoji
