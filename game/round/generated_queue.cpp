// The question queue of a generated route: fresh questions of the route's techniques.
#include "game/round/generated_queue.h"

#include "engine/explain/explained_question.h"
#include "engine/grid/random.h"
#include "game/round/summit.h"

#include <algorithm>
#include <utility>

namespace kumoji {

std::vector<int> RouteTechniques(int Route) {
    if (Route <= 0)
        return {};
    switch (Route) {
    case 1:
        return {smLeftPlace, smMissingNumber};
    case 2:
        return {smMyReserved, smYourReserved};
    case 3:
        return {smOurReserved};
    case 4:
        return {smXWing, smSkyscraper, sm2StringKite, smSwordfish};
    case 5:
        return {smXYWing, smXYZWing, smWWing};
    default:
        return {smSimpleColouring, smKeepOff, smGetOut};
    }
}

std::vector<int> PracticeTechniques() {
    std::vector<int> Techniques{smEmptyCell, smLeftPlace, smMissingNumber};
    for (int Route = 1; Route <= HighestRoute; ++Route)
        for (const int Technique : RouteTechniques(Route))
            if (std::find(Techniques.begin(), Techniques.end(), Technique) == Techniques.end())
                Techniques.push_back(Technique);
    return Techniques;
}

namespace {

std::string ExplainedQuestionText(int Technique, const TRandomDraw& Draw) {
    return GenerateExplainedQuestion(static_cast<TSolveMethod>(Technique), Draw).Text;
}

} // namespace

TGeneratedQueue::TGeneratedQueue(int Route, TQuestionMaker Maker)
    : TGeneratedQueue(RouteTechniques(Route), std::move(Maker)) {
}

TGeneratedQueue::TGeneratedQueue(std::vector<int> Techniques, TQuestionMaker Maker)
    : FTechniques(std::move(Techniques)),
      FMaker(Maker ? std::move(Maker) : TQuestionMaker(ExplainedQuestionText)) {
}

void TGeneratedQueue::Seed() {
    if (FSeeded)
        return;
    FEngine.seed(static_cast<std::mt19937::result_type>(Random(0x7FFFFFFF)));
    FSeeded = true;
}

bool TGeneratedQueue::MakeNext() {
    Seed();
    const TRandomDraw Draw = [this](int N) {
        return static_cast<int>(FEngine() % static_cast<unsigned>(N));
    };
    if (FPlan.empty()) {
        // The techniques in equal shares, in mixed order.
        for (int K = 0; K < Size; ++K)
            FPlan.push_back(FTechniques[static_cast<std::size_t>(K) % FTechniques.size()]);
        for (int K = Size - 1; K > 0; --K)
            std::swap(FPlan[static_cast<std::size_t>(K)],
                      FPlan[static_cast<std::size_t>(Draw(K + 1))]);
    }
    const int Technique = FPlan.front();
    FPlan.erase(FPlan.begin());
    std::string Text = FMaker(Technique, Draw);
    if (Text.empty()) {
        ++FFailures;
        return false;
    }
    FFailures = 0;
    FQuestions.push_back({std::move(Text), Technique});
    return true;
}

std::optional<TQuestion> TGeneratedQueue::Take(int) {
    if (FTechniques.empty())
        return std::nullopt;
    // A technique the generator cannot make gives up its place; a whole round of them, and
    // there is nothing to ask.
    for (int Tries = 0; FQuestions.empty() && Tries < Size; ++Tries)
        MakeNext();
    if (FQuestions.empty())
        return std::nullopt;
    TQuestion Question = std::move(FQuestions.front());
    FQuestions.pop_front();
    return Question;
}

bool TGeneratedQueue::Prepare() {
    if (FTechniques.empty())
        return false;
    if (!FSeeded) {
        Seed();
        return true;
    }
    // A generator that makes nothing for a whole round is not asked on and on.
    if (static_cast<int>(FQuestions.size()) >= Ahead || FFailures >= Size)
        return false;
    MakeNext();
    return static_cast<int>(FQuestions.size()) < Ahead && FFailures < Size;
}

void TGeneratedQueue::Fill() {
    if (FTechniques.empty())
        return;
    if (FPlan.empty())
        MakeNext();
    while (!FPlan.empty())
        MakeNext();
}

} // namespace kumoji
