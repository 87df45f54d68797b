#pragma once

#include "storage/data_file.h"

#include <cstdint>
#include <memory>
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
    void GetHuts(std::vector<int>* List) const;
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
    // writes the data file back (a damaged file is first kept aside: see LastDamage).
    bool LoadFromFile(const std::string& FileName, std::string_view Section);
    // Replaces the section in the data file, keeping the other sections. True exactly when
    // the file was written; LastSave says why not.
    bool SaveToFile(const std::string& FileName, std::string_view Section);

    // The damaged data file the last LoadFromFile or SaveToFile met, and where it was kept.
    const TDamageReport& LastDamage() const { return FLastDamage; }
    // How the last LoadFromFile or SaveToFile wrote the data file.
    const TSaveReport& LastSave() const { return FLastSave; }

private:
    std::vector<std::unique_ptr<TTabijiUser>> FUsers;
    TDamageReport FLastDamage;
    TSaveReport FLastSave;

    void Close(TDataFile*& DataFile);
};

} // namespace kumoji
