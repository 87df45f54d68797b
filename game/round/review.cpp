// Questions a player lost, asked again later until answered right twice in a row.
#include "game/round/review.h"

#include "storage/ansi_text.h"
#include "storage/answer_record.h"
#include "storage/data_file.h"
#include "storage/record_fields.h"

#include <algorithm>

namespace kumoji {

std::string FormatReviewItem(const TReviewItem& Item) {
    return Item.Player + '=' + (Item.Practice ? "practice," : "climb,") +
           std::to_string(Item.Route) + ',' + std::to_string(Item.Technique) + ',' +
           std::to_string(Item.Due) + ',' + std::to_string(Item.Streak) + ',' + Item.Puzzle;
}

std::optional<TReviewItem> ParseReviewItem(std::string_view Line) {
    TReviewItem Item;
    std::string Values;
    if (!SplitAt(Line, "=", Item.Player, Values) || Item.Player.empty())
        return std::nullopt;
    const std::vector<std::string_view> V = SplitCommas(Values);
    if (V.size() != 6 || (V[0] != "climb" && V[0] != "practice"))
        return std::nullopt;
    Item.Practice = V[0] == "practice";
    if (!ReadNumber(V[1], Item.Route, 0, 1000) ||
        !ReadNumber(V[2], Item.Technique, 1, HighestTechnique) ||
        !ReadNumber(V[3], Item.Due, 0, TReview::SecondReturn) ||
        !ReadNumber(V[4], Item.Streak, 0, 1) || !IsPuzzle(V[5]))
        return std::nullopt;
    Item.Puzzle = V[5];
    return Item;
}

bool TReview::Matches(const TReviewItem& Item, const std::string& Player, bool Practice, int Route,
                      int Technique) {
    // A route's review follows the route; practice's follows the technique practised.
    return Item.Player == Player && Item.Practice == Practice &&
           (Practice ? Item.Technique == Technique : Item.Route == Route);
}

std::optional<TQuestion> TReview::Next(const std::string& Player, bool Practice, int Route,
                                       int Technique) {
    std::optional<TQuestion> Due;
    for (TReviewItem& Item : FItems) {
        if (!Matches(Item, Player, Practice, Route, Technique))
            continue;
        FChanged.insert(Player);
        Item.Due = std::max(0, Item.Due - 1);
        if (Item.Due == 0 && !Due)
            Due = TQuestion{Item.Puzzle, Item.Technique};
    }
    return Due;
}

void TReview::Answered(const std::string& Player, bool Practice, int Route,
                       const TQuestion& Question, bool Right) {
    const auto Found = std::find_if(FItems.begin(), FItems.end(), [&](const TReviewItem& Item) {
        return Matches(Item, Player, Practice, Route, Question.Technique) &&
               Item.Puzzle == Question.Text;
    });
    if (Found == FItems.end() && Right)
        return;
    FChanged.insert(Player);
    if (Found == FItems.end()) {
        FItems.push_back({Player, Practice, Practice ? 0 : Route, Question.Technique, FirstReturn,
                          0, Question.Text});
        return;
    }
    if (!Right) {
        Found->Due = FirstReturn;
        Found->Streak = 0;
    } else if (Found->Streak == 0) {
        Found->Due = SecondReturn;
        Found->Streak = 1;
    } else {
        FItems.erase(Found);
    }
}

void TReview::LoadFromFile(const std::string& FileName) {
    auto* File = new TDataFile(FileName);
    std::vector<std::string> Lines;
    File->ReadSection(ReviewSection, Lines);
    File->NoSave = true;
    SaveAndFree(File);
    // Changes of this copy not yet saved stay; the file gives every other player's.
    std::erase_if(FItems, [this](const TReviewItem& Item) { return !FChanged.count(Item.Player); });
    for (const std::string& Line : Lines)
        if (std::optional<TReviewItem> Item = ParseReviewItem(Line);
            Item && !FChanged.count(Item->Player))
            FItems.push_back(std::move(*Item));
}

void TReview::MergeInto(TDataFile& File) {
    std::vector<std::string> Lines;
    File.ReadSection(ReviewSection, Lines);
    FStaged.clear();
    for (const std::string& Line : Lines)
        if (std::optional<TReviewItem> Item = ParseReviewItem(Line);
            Item && !FChanged.count(Item->Player))
            FStaged.push_back(std::move(*Item));
    for (const TReviewItem& Item : FItems)
        if (FChanged.count(Item.Player))
            FStaged.push_back(Item);
    Lines.clear();
    for (const TReviewItem& Item : FStaged)
        Lines.push_back(FormatReviewItem(Item));
    if (!Lines.empty() || File.IndexOf("[" + std::string(ReviewSection) + "]") >= 0)
        File.WriteSection(ReviewSection, Lines);
}

void TReview::Committed() {
    FItems = std::move(FStaged);
    FStaged.clear();
    FChanged.clear();
}

} // namespace kumoji
