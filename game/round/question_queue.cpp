// The question queue of the first route: the three puzzle tables, refilled when empty.
#include "game/round/question_queue.h"

#include "engine/lists/intlist.h"
#include "game/tables.h"

namespace kumoji {

std::optional<TQuestion> TQuestionQueue::Take(int Position) {
    if (FQuestions.empty())
        Fill(Position);
    if (FQuestions.empty())
        return std::nullopt;
    TQuestion Question{std::move(FQuestions.front().first), FQuestions.front().second};
    FQuestions.erase(FQuestions.begin());
    return Question;
}

void TQuestionQueue::Fill(int Position) {
    const bool Trailhead = Position <= 0;
    AddQuestions(EmptyCellQuestions, 1, Trailhead);
    AddQuestions(LeftPlaceQuestions, 2, Trailhead);
    AddQuestions(MissingNumberQuestions, 3, Trailhead);
    if (!Trailhead)
        ShuffleStrings(&FQuestions, 1);
}

void TQuestionQueue::AddQuestions(std::span<const std::string_view> Table, int Technique,
                                  bool Shuffle) {
    std::vector<std::pair<std::string, int>> List;
    for (const std::string_view Text : Table)
        List.emplace_back(std::string(Text), Technique);
    if (Shuffle)
        ShuffleStrings(&List, 1);
    FQuestions.insert(FQuestions.end(), std::make_move_iterator(List.begin()),
                      std::make_move_iterator(List.end()));
}

} // namespace kumoji
