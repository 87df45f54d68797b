// Practice in the round: one technique's questions that move nobody, with hints on demand.
#include "engine/explain/explained_question.h"
#include "engine/grid/random.h"
#include "game/round/generated_queue.h"
#include "game/round/round.h"

#include <algorithm>
#include <random>

namespace kumoji {

namespace {

// Fresh questions of one technique, each explainable in steps of the usual size.
class TPracticeQueue : public TQuestionSource {
public:
    explicit TPracticeQueue(int Technique) : FTechnique(static_cast<TSolveMethod>(Technique)) {}
    std::optional<TQuestion> Take(int) override {
        if (!FSeeded) {
            FEngine.seed(static_cast<std::uint32_t>(Random(1 << 30)));
            FSeeded = true;
        }
        const TRandomDraw Draw = [this](int N) {
            return static_cast<int>(FEngine() % static_cast<unsigned>(N));
        };
        std::string Text = GenerateExplainedQuestion(FTechnique, Draw).Text;
        if (Text.empty())
            return std::nullopt;
        return TQuestion{std::move(Text), FTechnique};
    }

private:
    TSolveMethod FTechnique;
    std::mt19937 FEngine;
    bool FSeeded = false;
};

} // namespace

bool TRound::StartPractice(int Technique) {
    const std::vector<int> Offered = PracticeTechniques();
    if (std::find(Offered.begin(), Offered.end(), Technique) == Offered.end() || !Player() ||
        FState == TRoundState::Asking || FState == TRoundState::Paused)
        return false;
    if (!Practicing()) {
        FClimb = {FState, FTechnique,  FTargetCell,  FTargetNumber, FTimeLimit,
                  FAsked, FAskedKnown, FExplanation, FQuestionText};
        FPracticeSource.reset();
    } else if (Technique != FPracticeTechnique) {
        FPracticeSource.reset();
    }
    FPracticeTechnique = Technique;
    FExplanation.reset();
    FState = TRoundState::Ready;
    return true;
}

bool TRound::StopPractice() {
    if (!Practicing() || FState == TRoundState::Asking || FState == TRoundState::Paused)
        return false;
    FPracticeTechnique = 0;
    FHintLevel = 0;
    FState = Player() ? FClimb.State : TRoundState::NoPlayer;
    FTechnique = FClimb.Technique;
    FTargetCell = FClimb.TargetCell;
    FTargetNumber = FClimb.TargetNumber;
    FTimeLimit = FClimb.TimeLimit;
    FAsked = FClimb.Asked;
    FAskedKnown = FClimb.AskedKnown;
    FExplanation = FClimb.Explanation;
    FQuestionText = FClimb.QuestionText;
    return true;
}

void TRound::SetPracticeSource(std::unique_ptr<TQuestionSource> Source) {
    FPracticeSource = std::move(Source);
}

TQuestionSource& TRound::PracticeSource() {
    if (!FPracticeSource)
        FPracticeSource = std::make_unique<TPracticeQueue>(FPracticeTechnique);
    return *FPracticeSource;
}

int TRound::Hint() {
    if (!Actions().HintEnabled)
        return 0;
    return ++FHintLevel;
}

std::optional<TExplanation> TRound::AskedExplanation() const {
    if (!FAskedKnown || (FState != TRoundState::Asking && FState != TRoundState::Paused))
        return std::nullopt;
    return Explain(FAsked, FTargetCell, FTargetNumber);
}

} // namespace kumoji
