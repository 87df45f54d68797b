// Every answer a player gave, kept in sections of the players' data file beside the roster.
#include "storage/answer_record.h"

#include "storage/ansi_text.h"
#include "storage/compress_string_list.h"
#include "storage/data_file.h"
#include "storage/platform.h"
#include "storage/record_fields.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <tuple>
#include <unistd.h>
#include <unordered_set>

namespace kumoji {

namespace {

constexpr const char* Outcomes[] = {"right", "cell", "digit", "timeout", "forfeit"};
constexpr std::chrono::sys_days ZeroDate = std::chrono::sys_days(std::chrono::year(1899) / 12 / 30);

// The player's name and the values after it; false for a line without "=".
bool SplitEntry(std::string_view Line, std::string& Player, std::string& Values) {
    return SplitAt(Line, "=", Player, Values) && !Player.empty();
}

// The entry's id as a number, for quick matching; 0 when the line has none.
std::uint64_t IdNumber(std::string_view Id) {
    std::uint64_t N = 0;
    const auto [End, Error] = std::from_chars(Id.data(), Id.data() + Id.size(), N, 16);
    return Error == std::errc() && End == Id.data() + Id.size() && Id.size() == 16 ? N : 0;
}

// The id of an entry line and the length of its player's name.
std::uint64_t IdOfLine(std::string_view Line, std::size_t& NameEnd) {
    NameEnd = FindText(Line, "=");
    if (NameEnd == std::string_view::npos || NameEnd == 0)
        return 0;
    const std::string_view Rest = Line.substr(NameEnd + 1);
    return IdNumber(Rest.substr(0, Rest.find(',')));
}

std::string NewId() {
    static std::mt19937_64 Engine;
    static pid_t SeededIn = 0;
    // A forked copy would otherwise draw the same ids as its parent.
    if (SeededIn != ::getpid()) {
        std::random_device Device;
        Engine.seed((static_cast<std::uint64_t>(Device()) << 32) ^ Device());
        SeededIn = ::getpid();
    }
    char Text[17];
    std::snprintf(Text, sizeof Text, "%016llx", static_cast<unsigned long long>(Engine()));
    return Text;
}

std::string MonthOf(double When) {
    return IsoDateTimeText(When).substr(0, 7);
}

} // namespace

std::string IsoDateTimeText(double When) {
    using namespace std::chrono;
    const auto Ms = static_cast<long long>(std::llround(When * 86400000.0));
    const sys_time<milliseconds> Time = ZeroDate + milliseconds(Ms);
    const sys_days Day = floor<days>(Time);
    const year_month_day Date(Day);
    const hh_mm_ss<seconds> Clock(floor<seconds>(Time - Day));
    char Text[32];
    std::snprintf(Text, sizeof Text, "%04d-%02u-%02uT%02d:%02d:%02d", static_cast<int>(Date.year()),
                  static_cast<unsigned>(Date.month()), static_cast<unsigned>(Date.day()),
                  static_cast<int>(Clock.hours().count()),
                  static_cast<int>(Clock.minutes().count()),
                  static_cast<int>(Clock.seconds().count()));
    return Text;
}

bool ReadIsoDateTime(std::string_view Text, double& When) {
    using namespace std::chrono;
    int Y = 0;
    unsigned Mo = 0;
    unsigned D = 0;
    int H = 0;
    int Mi = 0;
    int S = 0;
    if (Text.size() != 19 || Text[4] != '-' || Text[7] != '-' || Text[10] != 'T' ||
        Text[13] != ':' || Text[16] != ':')
        return false;
    if (!ReadNumber(Text.substr(0, 4), Y, 1, 9999) || !ReadNumber(Text.substr(5, 2), Mo, 1u, 12u) ||
        !ReadNumber(Text.substr(8, 2), D, 1u, 31u) || !ReadNumber(Text.substr(11, 2), H, 0, 23) ||
        !ReadNumber(Text.substr(14, 2), Mi, 0, 59) || !ReadNumber(Text.substr(17, 2), S, 0, 59))
        return false;
    const year_month_day Date{year(Y), month(Mo), day(D)};
    if (!Date.ok())
        return false;
    const auto Since = sys_days(Date) - ZeroDate;
    When = static_cast<double>(Since.count()) + (H * 3600 + Mi * 60 + S) / 86400.0;
    return true;
}

std::string FormatAnswer(const TAnswer& E) {
    std::string Line = E.Player;
    Line += '=';
    Line += E.Id;
    Line += ',';
    Line += IsoDateTimeText(E.When);
    Line += E.Practice ? ",practice," : ",climb,";
    Line += std::to_string(E.Route) + ',' + std::to_string(E.Position) + ',' +
            std::to_string(E.Technique) + ',' + E.Puzzle + ",r" + std::to_string(E.Row + 1) + 'c' +
            std::to_string(E.Col + 1) + 'd' + std::to_string(E.Digit) + ',' +
            std::to_string(E.LimitMs) + ',' + std::to_string(E.UsedMs) + ',' +
            Outcomes[static_cast<int>(E.Outcome)] + ',' + std::to_string(E.Hints);
    return Line;
}

std::optional<TAnswer> ParseAnswer(std::string_view Line) {
    TAnswer E;
    std::string Values;
    if (!SplitEntry(Line, E.Player, Values))
        return std::nullopt;
    const std::vector<std::string_view> V = SplitCommas(Values);
    if (V.size() != 12 || V[0].size() != 16 ||
        V[0].find_first_not_of("0123456789abcdef") != std::string_view::npos)
        return std::nullopt;
    E.Id = V[0];
    if (!ReadIsoDateTime(V[1], E.When) || (V[2] != "climb" && V[2] != "practice"))
        return std::nullopt;
    E.Practice = V[2] == "practice";
    if (!ReadNumber(V[3], E.Route, 0, 1000) || !ReadNumber(V[4], E.Position, 0, 55) ||
        !ReadNumber(V[5], E.Technique, 1, HighestTechnique) || !IsPuzzle(V[6]))
        return std::nullopt;
    E.Puzzle = V[6];
    const std::string_view Move = V[7];
    if (Move.size() != 6 || Move[0] != 'r' || Move[2] != 'c' || Move[4] != 'd' ||
        !ReadNumber(Move.substr(1, 1), E.Row, 1, 9) ||
        !ReadNumber(Move.substr(3, 1), E.Col, 1, 9) ||
        !ReadNumber(Move.substr(5, 1), E.Digit, 1, 9))
        return std::nullopt;
    --E.Row;
    --E.Col;
    constexpr int Day = 86400000;
    if (!ReadNumber(V[8], E.LimitMs, 0, Day) || !ReadNumber(V[9], E.UsedMs, 0, Day))
        return std::nullopt;
    const auto Outcome = std::find(std::begin(Outcomes), std::end(Outcomes), V[10]);
    if (Outcome == std::end(Outcomes) || !ReadNumber(V[11], E.Hints, 0, 3))
        return std::nullopt;
    E.Outcome = static_cast<TAnswerOutcome>(Outcome - std::begin(Outcomes));
    return E;
}

std::string FormatAnswerTotal(const TAnswerTotal& T) {
    return T.Player + '=' + T.Month + (T.Practice ? ",practice," : ",climb,") +
           std::to_string(T.Technique) + ',' + std::to_string(T.Asked) + ',' +
           std::to_string(T.Right) + ',' + std::to_string(T.RightMs) + ',' +
           std::to_string(T.BestMs);
}

std::optional<TAnswerTotal> ParseAnswerTotal(std::string_view Line) {
    TAnswerTotal T;
    std::string Values;
    if (!SplitEntry(Line, T.Player, Values))
        return std::nullopt;
    const std::vector<std::string_view> V = SplitCommas(Values);
    double Month = 0;
    if (V.size() != 7 || V[0].size() != 7 ||
        !ReadIsoDateTime(std::string(V[0]) + "-01T00:00:00", Month) ||
        (V[1] != "climb" && V[1] != "practice"))
        return std::nullopt;
    T.Month = V[0];
    T.Practice = V[1] == "practice";
    constexpr long long Most = 1LL << 53;
    if (!ReadNumber(V[2], T.Technique, 1, HighestTechnique) ||
        !ReadNumber(V[3], T.Asked, 0LL, Most) || !ReadNumber(V[4], T.Right, 0LL, T.Asked) ||
        !ReadNumber(V[5], T.RightMs, 0LL, Most) || !ReadNumber(V[6], T.BestMs, 0, 86400000))
        return std::nullopt;
    return T;
}

void TAnswerRecord::Add(TAnswer Entry) {
    if (IdNumber(Entry.Id) == 0)
        Entry.Id = NewId();
    FEntries.push_back(std::move(Entry));
}

void TAnswerRecord::RenamePlayer(const std::string& From, const std::string& To) {
    for (TAnswer& E : FEntries)
        if (E.Player == From)
            E.Player = To;
    for (TAnswerTotal& T : FTotals)
        if (T.Player == From)
            T.Player = To;
    FRenamings.push_back({From, To});
}

void TAnswerRecord::RemovePlayer(const std::string& Name) {
    const auto Saved = FEntries.begin() + static_cast<std::ptrdiff_t>(FSaved);
    FSaved -= static_cast<std::size_t>(
        std::count_if(FEntries.begin(), Saved, [&](const TAnswer& E) { return E.Player == Name; }));
    std::erase_if(FEntries, [&](const TAnswer& E) { return E.Player == Name; });
    std::erase_if(FTotals, [&](const TAnswerTotal& T) { return T.Player == Name; });
    FRenamings.push_back({Name, {}});
}

void TAnswerRecord::ApplyRenamings(std::string& Player, std::size_t From) const {
    for (std::size_t I = From; I < FRenamings.size() && !Player.empty(); ++I)
        if (Player == FRenamings[I].From)
            Player = FRenamings[I].To;
}

void TAnswerRecord::LoadFromFile(const std::string& FileName) {
    auto* File = new TDataFile(FileName);
    LoadFrom(*File);
    File->NoSave = true;
    SaveAndFree(File);
}

void TAnswerRecord::LoadFrom(const TDataFile& File) {
    FDamage = {};
    std::vector<std::string> Bad;
    std::vector<std::string> Lines;
    File.ReadSection(AnswerSection, Lines);
    std::vector<TAnswer> Mine(
        std::make_move_iterator(FEntries.begin() + static_cast<std::ptrdiff_t>(FSaved)),
        std::make_move_iterator(FEntries.end()));
    FEntries.clear();
    FEntries.reserve(Lines.size() + Mine.size());
    for (const std::string& Line : Lines) {
        if (std::optional<TAnswer> E = ParseAnswer(Line))
            FEntries.push_back(std::move(*E));
        else
            Bad.push_back(Line);
    }
    FSaved = FEntries.size();
    std::move(Mine.begin(), Mine.end(), std::back_inserter(FEntries));
    File.ReadSection(AnswerTotalSection, Lines);
    FTotals.clear();
    for (const std::string& Line : Lines) {
        if (std::optional<TAnswerTotal> T = ParseAnswerTotal(Line))
            FTotals.push_back(std::move(*T));
        else
            Bad.push_back(Line);
    }
    if (!Bad.empty())
        KeepAside(File.FileName, Bad);
}

void TAnswerRecord::KeepAside(const std::string& FileName, const std::vector<std::string>& Lines) {
    std::vector<std::string> New;
    for (const std::string& Line : Lines)
        if (FKeptAside.insert(Line).second)
            New.push_back(Line);
    if (New.empty())
        return;
    FDamage.Damaged = true;
    FDamage.BadLines += static_cast<int>(New.size());
    const std::string Aside = FileName + ".answers.damaged";
    std::string Bytes;
    if (FileExists(Aside) && ReadWholeFile(Aside, Bytes))
        Bytes.clear();
    Bytes += TextOfLines(New);
    FDamage.KeptAs = WriteFileSafely(Aside, Bytes) ? std::string() : Aside;
}

void TAnswerRecord::MergeInto(TDataFile& File) {
    std::vector<std::string> Lines;
    File.ReadSection(AnswerSection, Lines);
    std::unordered_map<std::uint64_t, std::size_t> Mine;
    Mine.reserve(FEntries.size());
    for (std::size_t I = 0; I < FEntries.size(); ++I)
        Mine.emplace(IdNumber(FEntries[I].Id), I);
    FStagedEntries.clear();
    FStagedEntries.reserve(Lines.size() + Pending());
    std::vector<std::string> Out;
    Out.reserve(Lines.size() + Pending());
    std::vector<std::string> Bad;
    std::unordered_set<std::uint64_t> Seen;
    Seen.reserve(Lines.size() + Pending());
    for (std::string& Line : Lines) {
        std::size_t NameEnd = 0;
        const std::uint64_t Id = IdOfLine(Line, NameEnd);
        const auto Known = Mine.find(Id);
        if (Id != 0 && Known != Mine.end() && FRenamings.empty() &&
            FEntries[Known->second].Player.size() == NameEnd) {
            // As this copy knows it: the line need not be read again.
            if (Seen.insert(Id).second) {
                FStagedEntries.push_back({Known->second, std::nullopt});
                Out.push_back(std::move(Line));
            }
            continue;
        }
        std::optional<TAnswer> E = ParseAnswer(Line);
        if (!E) {
            Bad.push_back(std::move(Line));
            continue;
        }
        ApplyRenamings(E->Player, 0);
        if (E->Player.empty() || !Seen.insert(IdNumber(E->Id)).second)
            continue;
        Out.push_back(FormatAnswer(*E));
        FStagedEntries.push_back({0, std::move(*E)});
    }
    for (std::size_t I = FSaved; I < FEntries.size(); ++I) {
        if (Seen.insert(IdNumber(FEntries[I].Id)).second) {
            Out.push_back(FormatAnswer(FEntries[I]));
            FStagedEntries.push_back({I, std::nullopt});
        }
    }

    std::vector<std::string> TotalLines;
    File.ReadSection(AnswerTotalSection, TotalLines);
    using TKey = std::tuple<std::string, std::string, bool, int>;
    std::map<TKey, TAnswerTotal> Totals;
    const auto Fold = [&Totals](const TAnswerTotal& T) {
        TAnswerTotal& Sum = Totals[{T.Player, T.Month, T.Practice, T.Technique}];
        if (Sum.Player.empty()) {
            Sum = T;
            return;
        }
        Sum.Asked += T.Asked;
        Sum.Right += T.Right;
        Sum.RightMs += T.RightMs;
        if (T.BestMs > 0 && (Sum.BestMs == 0 || T.BestMs < Sum.BestMs))
            Sum.BestMs = T.BestMs;
    };
    for (const std::string& Line : TotalLines) {
        std::optional<TAnswerTotal> T = ParseAnswerTotal(Line);
        if (!T) {
            Bad.push_back(Line);
            continue;
        }
        ApplyRenamings(T->Player, 0);
        if (!T->Player.empty())
            Fold(*T);
    }
    // The oldest entries beyond the newest KeepNewest live on as monthly totals.
    const std::size_t Folded =
        FStagedEntries.size() > KeepNewest ? FStagedEntries.size() - KeepNewest : 0;
    for (std::size_t I = 0; I < Folded; ++I) {
        const TStaged& S = FStagedEntries[I];
        const TAnswer& E = S.Theirs ? *S.Theirs : FEntries[S.Mine];
        TAnswerTotal T{E.Player,
                       MonthOf(E.When),
                       E.Practice,
                       E.Technique,
                       1,
                       E.Right() ? 1 : 0,
                       E.Right() ? E.UsedMs : 0,
                       E.Right() ? E.UsedMs : 0};
        Fold(T);
    }
    FStagedEntries.erase(FStagedEntries.begin(),
                         FStagedEntries.begin() + static_cast<std::ptrdiff_t>(Folded));
    Out.erase(Out.begin(), Out.begin() + static_cast<std::ptrdiff_t>(Folded));
    FStagedTotals.clear();
    TotalLines.clear();
    for (auto& [Key, T] : Totals) {
        TotalLines.push_back(FormatAnswerTotal(T));
        FStagedTotals.push_back(std::move(T));
    }
    FStagedRenamings = FRenamings.size();
    if (!Bad.empty())
        KeepAside(File.FileName, Bad);

    // A file that never held a record gains no empty sections.
    if (!TotalLines.empty() || File.IndexOf("[" + std::string(AnswerTotalSection) + "]") >= 0)
        File.WriteSection(AnswerTotalSection, std::move(TotalLines));
    if (!Out.empty() || File.IndexOf("[" + std::string(AnswerSection) + "]") >= 0)
        File.WriteSection(AnswerSection, std::move(Out));
}

void TAnswerRecord::Committed() {
    std::vector<TAnswer> Entries;
    Entries.reserve(FStagedEntries.size());
    for (TStaged& S : FStagedEntries)
        Entries.push_back(S.Theirs ? std::move(*S.Theirs) : std::move(FEntries[S.Mine]));
    FEntries = std::move(Entries);
    FSaved = FEntries.size();
    FTotals = std::move(FStagedTotals);
    FStagedEntries.clear();
    FStagedTotals.clear();
    FRenamings.erase(FRenamings.begin(),
                     FRenamings.begin() + static_cast<std::ptrdiff_t>(FStagedRenamings));
    FStagedRenamings = 0;
}

void TAnswerRecord::Abandoned() {
    FStagedEntries.clear();
    FStagedTotals.clear();
    FStagedRenamings = 0;
}

} // namespace kumoji
