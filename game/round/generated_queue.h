// The question queue of a generated route: fresh questions of the route's techniques.
#pragma once

#include "engine/question/generator.h"
#include "game/round/question_source.h"

#include <deque>
#include <functional>
#include <random>
#include <vector>

namespace kumoji {

// The techniques route Route trains: 2 and 3 on route 1, 4 and 5 on route 2, 6 on route 3,
// the fish and single-digit patterns 10 to 13 on route 4, the wings 14 to 16 on route 5, and
// colouring with the assumption techniques (17, 7, 8) on route 6 and above; none on route 0,
// which asks the game's tables.
std::vector<int> RouteTechniques(int Route);

// The techniques practice offers: those of route 0's tables, then each route's, each once.
std::vector<int> PracticeTechniques();

// Makes one question of a technique from a sequence of draws; an empty text when it cannot.
using TQuestionMaker = std::function<std::string(int Technique, const TRandomDraw& Draw)>;

// Shared by every player of one route, like the first route's queue. The questions of a round
// of Size come in a mixed order fixed when the round begins; they are made one at a time,
// either when asked for or ahead of that in small steps (Prepare), so that no single call
// waits for a whole round. What is made depends only on the queue's seed, not on when.
class TGeneratedQueue : public TQuestionSource {
public:
    static constexpr int Size = 24;
    // Questions Prepare keeps made and waiting.
    static constexpr int Ahead = 3;

    // By default the questions are those of GenerateExplainedQuestion.
    explicit TGeneratedQueue(int Route, TQuestionMaker Maker = {});
    // Questions of these techniques alone, as practice asks them.
    TGeneratedQueue(std::vector<int> Techniques, TQuestionMaker Maker);

    // The next question; made now when none is waiting.
    std::optional<TQuestion> Take(int Position) override;
    // The first call only draws the seed; each later one makes at most one question, until
    // Ahead are waiting. True while there is more to do.
    bool Prepare() override;
    // Makes the rest of the current round at once.
    void Fill();

    // The questions made and waiting, the next first.
    const std::deque<TQuestion>& Entries() const { return FQuestions; }
    // The techniques of the round still to be made, the next first.
    const std::vector<int>& Plan() const { return FPlan; }

private:
    void Seed();
    // Makes the next question of the plan, beginning a new round when the plan is used up;
    // false when it could not be made.
    bool MakeNext();

    std::vector<int> FTechniques;
    TQuestionMaker FMaker;
    std::vector<int> FPlan;
    std::deque<TQuestion> FQuestions;
    // Seeded from the process-wide generator at the first use, so that a route nobody
    // climbs draws nothing from it.
    std::mt19937 FEngine;
    bool FSeeded = false;
    // Questions in a row that could not be made.
    int FFailures = 0;
};

} // namespace kumoji
