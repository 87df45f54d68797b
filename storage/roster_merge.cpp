// Merging one copy's roster changes into the records another copy may have saved meanwhile.
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
    std::vector<TTabijiUser> FileUsers(FileLines.size());
    std::vector<std::string> FileNames;
    for (std::size_t I = 0; I < FileLines.size(); ++I) {
        FileUsers[I].ParseRecord(FileLines[I]);
        FileNames.push_back(FileUsers[I].Name);
    }
    std::vector<std::string> MyNames;
    for (const auto& User : FUsers)
        MyNames.push_back(User->Name);
    std::map<TKey, std::size_t> Mine;
    const std::vector<TKey> MyKeys = KeysOf(MyNames);
    for (std::size_t I = 0; I < MyKeys.size(); ++I)
        Mine.emplace(MyKeys[I], I);

    Merged.clear();
    for (const auto& User : FUsers)
        Merged.push_back(std::make_unique<TTabijiUser>(*User));
    std::vector<bool> Placed(FUsers.size(), false);
    std::vector<std::string> Lines;
    const std::vector<TKey> FileKeys = KeysOf(FileNames);
    for (std::size_t F = 0; F < FileLines.size(); ++F) {
        const auto Found = Mine.find(FileKeys[F]);
        if (Found == Mine.end()) {
            // Another copy's player: kept, and known here from now on.
            Lines.push_back(FileLines[F]);
            Merged.push_back(std::make_unique<TTabijiUser>(FileUsers[F]));
            continue;
        }
        const std::size_t M = Found->second;
        Placed[M] = true;
        const TTabijiUser& My = *FUsers[M];
        // What the file held when this copy last read it; a new player's defaults otherwise.
        TTabijiUser Base;
        if (My.FSynced)
            Base.ParseRecord(*My.FSynced);
        const TTabijiUser& Theirs = FileUsers[F];
        const bool DateChanged = DateTimeText(My.LastPlayed) != DateTimeText(Base.LastPlayed);
        const bool Changed = !My.FSteps.empty() || My.Route != Base.Route ||
                             My.Position != Base.Position || My.Huts != Base.Huts ||
                             My.Extra != Base.Extra || DateChanged;
        TTabijiUser& Result = *Merged[M];
        if (!Changed) {
            Result = Theirs;
            Lines.push_back(FileLines[F]);
            continue;
        }
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
        Lines.push_back(Result.FormatRecord());
    }
    for (std::size_t M = 0; M < FUsers.size(); ++M)
        if (!Placed[M])
            Lines.push_back(FUsers[M]->FormatRecord());
    return Lines;
}

} // namespace kumoji
