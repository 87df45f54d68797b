// Questions a player lost, asked again later until answered right twice in a row.
//
// Kept in the data file's section "review", one line per question in review:
//   Player=Mode,Route,Technique,Due,Streak,Puzzle
//     Mode "climb" or "practice"; Route the route it was lost on (practice: 0)
//     Due     questions of that route (or of that technique in practice) still to come
//             before it is asked again
//     Streak  right answers in a row since it was last lost (0 or 1)
//     Puzzle  the 81 digits as the question's source gave them, before any symmetry, so
//             that it comes back with a fresh one
// Lines that do not read are left out; the review only schedules, it records nothing.
#pragma once

#include "game/round/question_source.h"
#include "storage/section_companion.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kumoji {

inline constexpr const char* ReviewSection = "review";

struct TReviewItem {
    std::string Player;
    bool Practice = false;
    int Route = 0;
    int Technique = 0;
    int Due = 0;
    int Streak = 0;
    std::string Puzzle;
    friend bool operator==(const TReviewItem&, const TReviewItem&) = default;
};

std::string FormatReviewItem(const TReviewItem& Item);
std::optional<TReviewItem> ParseReviewItem(std::string_view Line);

class TReview : public TSectionCompanion {
public:
    // A lost question comes back this many questions later, and after one right answer again
    // this many later; the second right answer in a row ends its review.
    static constexpr int FirstReturn = 3;
    static constexpr int SecondReturn = 10;

    // One question of this context is about to be asked: every question in review counts it.
    // The question now due, if any, is the one to ask (the earliest lost when several are).
    std::optional<TQuestion> Next(const std::string& Player, bool Practice, int Route,
                                  int Technique);
    // The verdict of a question of this context (from the review or not).
    void Answered(const std::string& Player, bool Practice, int Route, const TQuestion& Question,
                  bool Right);

    const std::vector<TReviewItem>& Items() const { return FItems; }

    void LoadFromFile(const std::string& FileName);
    void MergeInto(TDataFile& File) override;
    void Committed() override;
    void Abandoned() override { FStaged.clear(); }

private:
    std::vector<TReviewItem> FItems;
    std::vector<TReviewItem> FStaged;
    // Players whose review this copy changed since the last save: their lines replace the
    // file's; every other player's lines are the file's.
    std::set<std::string> FChanged;

    static bool Matches(const TReviewItem& Item, const std::string& Player, bool Practice,
                        int Route, int Technique);
};

} // namespace kumoji
