// The question queue of a generated route: fresh questions of the route's techniques.
#pragma once

#include "game/round/question_source.h"

#include <random>
#include <vector>

namespace kumoji {

// The techniques route Route trains: 2 and 3 on route 1, 4 and 5 on route 2, 6 on
// route 3 and above; none on route 0, which asks the game's tables.
std::vector<int> RouteTechniques(int Route);

// Shared by every player of one route, like the first route's queue.
class TGeneratedQueue : public TQuestionSource {
public:
    static constexpr int Size = 24;

    explicit TGeneratedQueue(int Route);

    // Fills the queue when it has run empty, then takes its first entry.
    std::optional<TQuestion> Take(int Position) override;
    // Size new questions, the route's techniques in equal shares, in mixed order.
    void Fill();

    const std::vector<TQuestion>& Entries() const { return FQuestions; }

private:
    std::vector<int> FTechniques;
    std::vector<TQuestion> FQuestions;
    // Seeded from the process-wide generator at the first fill, so that a
    // route nobody climbs draws nothing from it.
    std::mt19937 FEngine;
    bool FSeeded = false;
};

} // namespace kumoji
