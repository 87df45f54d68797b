// Every answer a player gave, kept in sections of the players' data file beside the roster.
//
// Section "answers", one line per asked question, oldest first:
//   Player=Id,When,Mode,Route,Position,Technique,Puzzle,Move,LimitMs,UsedMs,Outcome,Hints
//     Player     the roster's name (CP932), ended by the first "="
//     Id         16 lower-case hexadecimal digits, unique to the entry
//     When       local date and time the question was judged, YYYY-MM-DDTHH:MM:SS
//     Mode       "climb" or "practice"
//     Route      route number; Position the player's position before the question
//     Technique  1..HighestTechnique
//     Puzzle     81 digits as the question was shown (after its symmetry), 0 an empty cell
//     Move       the forced move: "r" row "c" column "d" digit, rows and columns 1..9 (r2c5d7)
//     LimitMs    the question's time limit; UsedMs the time used, paused time excluded
//     Outcome    right, cell (wrong cell), digit (wrong digit), timeout, forfeit
//     Hints      the highest hint level asked for, 0..3
// Section "answertotals", one line per player, month, mode and technique, for the entries
// folded out of "answers" when the file holds more than KeepNewest of them:
//   Player=Month,Mode,Technique,Asked,Right,RightMs,BestMs
//     Month YYYY-MM; RightMs the sum of the right answers' times; BestMs the fastest right
//     answer (0 when none was right)
// No value holds a comma, a blank or a quote, so the values are plain comma text.
#pragma once

#include "storage/section_companion.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kumoji {

inline constexpr const char* AnswerSection = "answers";
inline constexpr const char* AnswerTotalSection = "answertotals";
// The highest technique number a question can be asked with.
inline constexpr int HighestTechnique = 17;

enum class TAnswerOutcome { Right, WrongCell, WrongDigit, TimeOut, Forfeit };

struct TAnswer {
    std::string Player;
    std::string Id;  // given by TAnswerRecord::Add when empty
    double When = 0; // days since 1899-12-30, local time
    bool Practice = false;
    int Route = 0;
    int Position = 0;
    int Technique = 0;
    std::string Puzzle;
    int Row = 0; // 0..8
    int Col = 0; // 0..8
    int Digit = 0;
    int LimitMs = 0;
    int UsedMs = 0;
    TAnswerOutcome Outcome = TAnswerOutcome::Right;
    int Hints = 0;

    bool Right() const { return Outcome == TAnswerOutcome::Right; }
    friend bool operator==(const TAnswer&, const TAnswer&) = default;
};

struct TAnswerTotal {
    std::string Player;
    std::string Month; // YYYY-MM
    bool Practice = false;
    int Technique = 0;
    long long Asked = 0;
    long long Right = 0;
    long long RightMs = 0;
    int BestMs = 0;
    friend bool operator==(const TAnswerTotal&, const TAnswerTotal&) = default;
};

std::string FormatAnswer(const TAnswer& Entry);
// Nothing for a line that is not an entry.
std::optional<TAnswer> ParseAnswer(std::string_view Line);
std::string FormatAnswerTotal(const TAnswerTotal& Total);
std::optional<TAnswerTotal> ParseAnswerTotal(std::string_view Line);
// "YYYY-MM-DDTHH:MM:SS" of a date as days since 1899-12-30, and back.
std::string IsoDateTimeText(double When);
bool ReadIsoDateTime(std::string_view Text, double& When);

// Lines of the record's sections that did not read; they are kept aside, never written back.
struct TRecordDamage {
    bool Damaged = false;
    int BadLines = 0;
    std::string KeptAs; // the file the lines were appended to; empty when that failed
};

class TAnswerRecord : public TSectionCompanion {
public:
    static constexpr std::size_t KeepNewest = 20000;

    // A new entry of this copy, written by the next save; gives it an Id when it has none.
    void Add(TAnswer Entry);
    // The entries kept, this copy's pending ones included, in the order the file holds them.
    const std::vector<TAnswer>& Entries() const { return FEntries; }
    const std::vector<TAnswerTotal>& Totals() const { return FTotals; }
    std::size_t Pending() const { return FEntries.size() - FSaved; }

    // The entries of a player follow a renamed or removed player, in this copy and, at the
    // next save, in the file.
    void RenamePlayer(const std::string& From, const std::string& To);
    void RemovePlayer(const std::string& Name);

    // Reads the sections of FileName without writing it; unreadable lines are kept aside.
    void LoadFromFile(const std::string& FileName);
    void LoadFrom(const TDataFile& File);
    const TRecordDamage& LastDamage() const { return FDamage; }

    void MergeInto(TDataFile& File) override;
    void Committed() override;
    void Abandoned() override;

private:
    struct TRenaming {
        std::string From;
        std::string To; // empty: removed
    };

    std::vector<TAnswer> FEntries;
    std::vector<TAnswerTotal> FTotals;
    // The entries before this index are in the file; those after it are this copy's new ones.
    std::size_t FSaved = 0;
    std::vector<TRenaming> FRenamings;
    TRecordDamage FDamage;
    std::set<std::string> FKeptAside; // lines already appended to the aside file
    // The entries the last merge wrote, taken on when the write is committed: an index into
    // FEntries, or an entry another copy wrote.
    struct TStaged {
        std::size_t Mine = 0;
        std::optional<TAnswer> Theirs;
    };
    std::vector<TStaged> FStagedEntries;
    std::vector<TAnswerTotal> FStagedTotals;
    std::size_t FStagedRenamings = 0;

    void KeepAside(const std::string& FileName, const std::vector<std::string>& Lines);
    void ApplyRenamings(std::string& Player, std::size_t From) const;
};

} // namespace kumoji
