// The question queue of a generated route: fresh questions of the route's techniques.
#include "game/round/generated_queue.h"

#include "engine/explain/explained_question.h"
#include "engine/grid/random.h"

#include <utility>

namespace kumoji {

std::vector<int> RouteTechniques(int Route) {
    if (Route <= 0)
        return {};
    if (Route == 1)
        return {smLeftPlace, smMissingNumber};
    if (Route == 2)
        return {smMyReserved, smYourReserved};
    return {smOurReserved};
}

TGeneratedQueue::TGeneratedQueue(int Route) : FTechniques(RouteTechniques(Route)) {
}

std::optional<TQuestion> TGeneratedQueue::Take(int) {
    if (FQuestions.empty())
        Fill();
    if (FQuestions.empty())
        return std::nullopt;
    TQuestion Question = std::move(FQuestions.front());
    FQuestions.erase(FQuestions.begin());
    return Question;
}

void TGeneratedQueue::Fill() {
    if (FTechniques.empty())
        return;
    if (!FSeeded) {
        FEngine.seed(static_cast<std::mt19937::result_type>(Random(0x7FFFFFFF)));
        FSeeded = true;
    }
    const TRandomDraw Draw = [this](int N) {
        return static_cast<int>(FEngine() % static_cast<unsigned>(N));
    };
    std::vector<int> Plan;
    for (int K = 0; K < Size; ++K)
        Plan.push_back(FTechniques[static_cast<std::size_t>(K) % FTechniques.size()]);
    for (int K = Size - 1; K > 0; --K)
        std::swap(Plan[static_cast<std::size_t>(K)], Plan[static_cast<std::size_t>(Draw(K + 1))]);
    for (const int Technique : Plan) {
        const TGeneratedQuestion Question =
            GenerateExplainedQuestion(static_cast<TSolveMethod>(Technique), Draw);
        FQuestions.push_back({Question.Text, Technique});
    }
}

} // namespace kumoji
