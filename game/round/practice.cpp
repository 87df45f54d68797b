// Practice in the round: one technique's questions that move nobody, with hints on demand.
#include "game/round/generated_queue.h"
#include "game/round/round.h"

#include <algorithm>

namespace kumoji {

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
        FPracticeSource = std::make_unique<TGeneratedQueue>(std::vector<int>{FPracticeTechnique},
                                                            TQuestionMaker{});
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
