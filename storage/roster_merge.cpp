// Merging one copy's roster changes into the records another copy may have saved meanwhile.
#include "storage/ansi_text.h"
#include "storage/date_text.h"
#include "storage/roster.h"

#include <algorithm>
#include <map>
#include <utility>

namespace kumoji {

namespace {

// A player is matched by name and by how many players of that name come before it, so that
// duplicate names from an edited file keep pairing up one to one.
using TKey = std::pair<std::string, int>;

std::vector<TKey> KeysOf(const std::vector<std::string>& Names) {
    std::map<std::string, int> Seen;
    std::vector<TKey> Keys;
    Keys.reserve(Names.size());
    for (const std::string& Name : Names)
        Keys.emplace_back(Name, Seen[Name]++);
    return Keys;
}

bool OnHut(const TTabijiUser& User) {
    std::vector<int> Huts;
    User.GetHuts(&Huts);
    return std::find(Huts.begin(), Huts.end(), User.Position) != Huts.end();
}

} // namespace

std::vector<std::string>
TTabijiUsers::Merge(const std::vector<std::string>& FileLines,
                    std::vector<std::unique_ptr<TTabijiUser>>& Merged) const {
    std::vector<std::string> FileNames;
    FileNames.reserve(FileLines.size());
    for (const std::string& Line : FileLines) {
        std::string Name;
        std::string Rest;
        SplitAt(Line, "=", Name, Rest);
        FileNames.push_back(std::move(Name));
    }
    std::vector<std::string> MyNames;
    std::vector<std::string> MyLines;
    for (const auto& User : FUsers) {
        MyNames.push_back(User->Name);
        MyLines.push_back(User->FormatRecord());
    }
    std::map<TKey, std::size_t> Mine;
    const std::vector<TKey> MyKeys = KeysOf(MyNames);
    for (std::size_t I = 0; I < MyKeys.size(); ++I)
        Mine.emplace(MyKeys[I], I);

    Merged.clear();
    Merged.reserve(FUsers.size());
    for (const auto& User : FUsers)
        Merged.push_back(std::make_unique<TTabijiUser>(*User));
    std::vector<bool> Placed(FUsers.size(), false);
    std::vector<std::string> Lines;
    Lines.reserve(FileLines.size() + FUsers.size());
    const std::vector<TKey> FileKeys = KeysOf(FileNames);
    for (std::size_t F = 0; F < FileLines.size(); ++F) {
        const auto Found = Mine.find(FileKeys[F]);
        TTabijiUser Theirs;
        if (Found == Mine.end()) {
            // Another copy's player: kept, and known here from now on.
            Theirs.ParseRecord(FileLines[F]);
            Theirs.FSynced = FileLines[F];
            Lines.push_back(FileLines[F]);
            Merged.push_back(std::make_unique<TTabijiUser>(std::move(Theirs)));
            continue;
        }
        const std::size_t M = Found->second;
        Placed[M] = true;
        const TTabijiUser& My = *FUsers[M];
        TTabijiUser& Result = *Merged[M];
        if (My.FSteps.empty() && My.FSynced && MyLines[M] == *My.FSynced) {
            // Unchanged here: the file's record stands, whoever wrote it.
            if (FileLines[F] != *My.FSynced) {
                Result.ParseRecord(FileLines[F]);
                Result.FSynced = FileLines[F];
            }
            Lines.push_back(FileLines[F]);
            continue;
        }
        Theirs.ParseRecord(FileLines[F]);
        // What the file held when this copy last read it; a new player's defaults otherwise.
        TTabijiUser Base;
        if (My.FSynced)
            Base.ParseRecord(*My.FSynced);
        const bool DateChanged = DateTimeText(My.LastPlayed) != DateTimeText(Base.LastPlayed);
        Result.Route = My.Route != Base.Route ? My.Route : Theirs.Route;
        Result.Huts = My.Huts != Base.Huts ? My.Huts : Theirs.Huts;
        Result.Extra = My.Extra != Base.Extra ? My.Extra : Theirs.Extra;
        Result.LastPlayed =
            DateChanged ? std::max(My.LastPlayed, Theirs.LastPlayed) : Theirs.LastPlayed;
        if (My.FSteps.empty()) {
            Result.Position = My.Position != Base.Position ? My.Position : Theirs.Position;
        } else {
            // Every question answered here counts on top of those answered elsewhere.
            Result.Position = Theirs.Position;
            for (const std::int8_t Step : My.FSteps) {
                if (Step > 0)
                    Result.Position = std::min(55, Result.Position + 1);
                else if (!OnHut(Result))
                    Result.Position = std::max(0, Result.Position - 1);
            }
        }
        Result.FSteps.clear();
        Result.FSynced = Result.FormatRecord();
        Lines.push_back(*Result.FSynced);
    }
    for (std::size_t M = 0; M < FUsers.size(); ++M) {
        if (!Placed[M]) {
            Merged[M]->FSteps.clear();
            Merged[M]->FSynced = MyLines[M];
            Lines.push_back(std::move(MyLines[M]));
        }
    }
    return Lines;
}

} // namespace kumoji
