// The question queue of the first route: the three puzzle tables, refilled when empty.
#pragma once

#include "game/round/question_source.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kumoji {

// Shared by every player of the route: a new player continues where the last one left off.
class TQuestionQueue : public TQuestionSource {
public:
    // Fills the queue when it has run empty, then takes its first entry.
    std::optional<TQuestion> Take(int Position) override;

    // At the trailhead each table is shuffled on its own, so the climb starts with the easiest
    // technique; above it the whole queue is mixed.
    void Fill(int Position);
    // Appends one table in table order, or shuffled, each text with its technique number.
    void AddQuestions(std::span<const std::string_view> Table, int Technique, bool Shuffle);

    // Puzzle text and technique number, taken from the front.
    const std::vector<std::pair<std::string, int>>& Entries() const { return FQuestions; }

private:
    std::vector<std::pair<std::string, int>> FQuestions;
};

} // namespace kumoji
