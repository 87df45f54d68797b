// The climbing round: its states, the question clock, judging a placement and scoring it.
#include "game/round/round.h"

#include "game/round/generated_queue.h"
#include "game/round/summit.h"
#include "game/round/time_limit.h"
#include "game/tables.h"
#include "storage/date_text.h"
#include "storage/roster.h"

#include <algorithm>
#include <limits>

namespace kumoji {

TRound::TRound(const TClock& Clock) : FClock(Clock) {
    for (int Route = 1; Route <= HighestRoute; ++Route)
        FSources[Route] = std::make_unique<TGeneratedQueue>(Route);
}

TRound::~TRound() = default;

TActionStates TRound::Actions() const {
    TActionStates A;
    switch (FState) {
    case TRoundState::NoPlayer:
        break;
    case TRoundState::Ready:
        // Practice does not climb, so the summit does not end it.
        A.StartEnabled = Player() && (Practicing() || !AtSummit(Player()->Position));
        break;
    case TRoundState::Asking:
    case TRoundState::Paused:
        A.StartVisible = false;
        A.PauseVisible = true;
        A.PauseEnabled = true;
        A.PauseOffersReplay = FState == TRoundState::Paused;
        A.OpenDlgVisible = false;
        A.OpenDlgEnabled = false;
        A.BoardEnabled = true;
        A.BoardVisible = FState == TRoundState::Asking;
        A.ClockRunning = FState == TRoundState::Asking;
        break;
    case TRoundState::Outcome:
        // Play stays open whatever the position; choosing the player again narrows it.
        A.StartEnabled = true;
        break;
    }
    A.WhyEnabled = FExplanation.has_value();
    A.Practicing = Practicing();
    A.HintEnabled = Practicing() && FState == TRoundState::Asking && FHintLevel < 3;
    return A;
}

TTabijiUser* TRound::Player() const {
    if (!FRoster || FPlayerIndex < 0 || FPlayerIndex >= FRoster->GetCount())
        return nullptr;
    return &FRoster->GetUser(FPlayerIndex);
}

bool TRound::SelectPlayer(TTabijiUsers* Roster, int Index) {
    if (FState == TRoundState::Asking || FState == TRoundState::Paused)
        return false;
    // Another player's next question is not the one explained.
    if (Roster != FRoster || Index != FPlayerIndex)
        FExplanation.reset();
    FRoster = Roster;
    FPlayerIndex = Index;
    TTabijiUser* User = Player();
    if (!User) {
        FState = TRoundState::NoPlayer;
        return false;
    }
    FState = TRoundState::Ready;
    if (!User->Huts.empty()) {
        User->GetHuts(&FHuts);
        return false;
    }
    FHuts.assign(DefaultHuts.begin(), DefaultHuts.end());
    std::string Huts;
    for (const int Hut : DefaultHuts)
        Huts += (Huts.empty() ? "" : ",") + std::to_string(Hut);
    User->Huts = Huts;
    return true;
}

std::optional<TQuestion> TRound::TakeQuestion() {
    const TTabijiUser* User = Player();
    if (!User || !Actions().StartEnabled)
        return std::nullopt;
    // Route 0 asks its tables in their order; the generated routes bring lost questions back.
    std::optional<TQuestion> Question;
    if (Practicing())
        Question = FReview.Next(User->Name, true, 0, FPracticeTechnique);
    else if (User->Route >= 1)
        Question = FReview.Next(User->Name, false, User->Route, 0);
    FFromReview = Question.has_value();
    if (!Question)
        Question = Practicing() ? PracticeSource().Take(User->Position)
                                : SourceFor(User->Route).Take(User->Position);
    if (Question) {
        FTechnique = static_cast<std::uint8_t>(Question->Technique);
        FExplanation.reset();
        FQuestionText = Question->Text;
    }
    return Question;
}

TGameSound TRound::Begin(TPoint TargetCell, int TargetNumber) {
    FHintLevel = 0;
    FAsked.Reset();
    FAskedKnown = false;
    FExplanation.reset();
    FTargetCell = TargetCell;
    FTargetNumber = TargetNumber;
    FPositionBefore = Player() ? Player()->Position : 0;
    FTimeLimit = kumoji::TimeLimit(FTechnique, FPositionBefore);
    FStartTick = FClock.Now();
    FState = TRoundState::Asking;
    return gsQuestion;
}

TGameSound TRound::Begin(TPoint TargetCell, int TargetNumber, const TMatrix& Asked) {
    const TGameSound Sound = Begin(TargetCell, TargetNumber);
    FAsked = Asked;
    FAskedKnown = true;
    return Sound;
}

int TRound::Remaining() const {
    // The signed difference stays right across a wrap of the tick count.
    const auto Elapsed = static_cast<std::int32_t>(FClock.Now() - FStartTick);
    const long long Left = static_cast<long long>(FTimeLimit) - Elapsed;
    return static_cast<int>(std::clamp<long long>(Left, -1, std::numeric_limits<int>::max()));
}

std::optional<TClockReading> TRound::Tick() const {
    if (FState != TRoundState::Asking)
        return std::nullopt;
    TClockReading Reading;
    Reading.Remaining = Remaining();
    // In practice the clock is shown but never ends the question.
    Reading.TimedOut = Reading.Remaining < 1 && !Practicing();
    Reading.Text = Reading.Remaining < 1 ? "0" : FormatRemaining(Reading.Remaining);
    return Reading;
}

bool TRound::Judge(int ToCol, int ToRow, int Digit) const {
    return ToCol == FTargetCell.X && ToRow == FTargetCell.Y && Digit == FTargetNumber;
}

TAnswerOutcome TRound::Verdict(int ToCol, int ToRow, int Digit) const {
    if (ToCol != FTargetCell.X || ToRow != FTargetCell.Y)
        return TAnswerOutcome::WrongCell;
    return Digit == FTargetNumber ? TAnswerOutcome::Right : TAnswerOutcome::WrongDigit;
}

std::optional<TOutcome> TRound::Finish(bool Solved) {
    if (Solved)
        return Finish(TAnswerOutcome::Right);
    // A loss the round cannot tell apart otherwise: the clock ran out.
    return Finish(TAnswerOutcome::TimeOut);
}

void TRound::Keep(TAnswerOutcome How) {
    const TTabijiUser* User = Player();
    if (!User)
        return;
    TAnswer E;
    E.Player = User->Name;
    E.When = kumoji::Now();
    E.Route = User->Route;
    E.Position = FPositionBefore;
    E.Technique = std::clamp<int>(FTechnique, 1, HighestTechnique);
    if (FAskedKnown) {
        for (int Row = 0; Row < 9; ++Row)
            for (int Col = 0; Col < 9; ++Col)
                E.Puzzle += static_cast<char>('0' + std::clamp(FAsked.GetValue(Col, Row), 0, 9));
    } else {
        E.Puzzle = FQuestionText;
    }
    if (E.Puzzle.size() != 81)
        E.Puzzle.assign(81, '0');
    E.Row = std::clamp(FTargetCell.Y, 0, 8);
    E.Col = std::clamp(FTargetCell.X, 0, 8);
    E.Digit = std::clamp(FTargetNumber, 1, 9);
    constexpr int Day = 86400000;
    E.LimitMs = std::clamp(FTimeLimit, 0, Day);
    const std::uint32_t End = FState == TRoundState::Paused ? PauseTick : FClock.Now();
    E.UsedMs = std::clamp(static_cast<int>(static_cast<std::int32_t>(End - FStartTick)), 0, Day);
    E.Outcome = How;
    E.Practice = Practicing();
    E.Hints = FHintLevel;
    FRecord.Add(std::move(E));
    if (Practicing() || User->Route >= 1)
        FReview.Answered(User->Name, Practicing(), Practicing() ? 0 : User->Route,
                         {FQuestionText, FTechnique}, How == TAnswerOutcome::Right);
}

std::optional<TOutcome> TRound::Finish(TAnswerOutcome How) {
    // Judged once: a late tick, drop or close after the verdict changes nothing.
    if (FState != TRoundState::Asking)
        return std::nullopt;
    const bool Solved = How == TAnswerOutcome::Right;
    Keep(How);
    FState = TRoundState::Outcome;
    if (FAskedKnown)
        FExplanation = Explain(FAsked, FTargetCell, FTargetNumber);
    TTabijiUser* User = Player();
    TOutcome Outcome;
    Outcome.Solved = Solved;
    if (Practicing()) {
        // No climb and no loss: only the record changes.
        Outcome.Position = User ? User->Position : 0;
        Outcome.Sound = Solved ? gsStep : gsLost;
        Outcome.Mark = -1;
        return Outcome;
    }
    if (Solved) {
        if (User)
            User->Climb();
        Outcome.Position = User ? User->Position : 0;
        Outcome.Sound = Outcome.Position == 50 || IsHut(Outcome.Position) ? gsLandmark : gsStep;
        Outcome.Mark = Outcome.Position;
    } else {
        if (User)
            User->Lose();
        Outcome.Position = User ? User->Position : 0;
        Outcome.Sound = gsLost;
        // The mark just left behind, now drawn as ahead of the player.
        Outcome.Mark = Outcome.Position + 1;
    }
    return Outcome;
}

bool TRound::SetPaused(bool Value) {
    if (Value && FState == TRoundState::Asking) {
        FState = TRoundState::Paused;
        PauseTick = FClock.Now();
        return true;
    }
    if (!Value && FState == TRoundState::Paused) {
        FState = TRoundState::Asking;
        FStartTick += FClock.Now() - PauseTick;
        return true;
    }
    return false;
}

TCloseDecision TRound::FormCloseQuery(const std::function<bool()>& Confirm) {
    if (FState != TRoundState::Asking)
        return {};
    SetPaused(true);
    TCloseDecision Decision;
    Decision.CanClose = Confirm();
    if (Decision.CanClose) {
        Keep(TAnswerOutcome::Forfeit);
        if (TTabijiUser* User = Player(); User && !Practicing())
            User->Lose();
        FState = TRoundState::Outcome;
        Decision.Forfeited = true;
    } else {
        SetPaused(false);
    }
    return Decision;
}

bool TRound::PrepareQuestions() {
    const TTabijiUser* User = Player();
    if (!User || Practicing())
        return false;
    return SourceFor(User->Route).Prepare();
}

void TRound::SetQuestionSource(int Route, std::unique_ptr<TQuestionSource> Source) {
    if (Source)
        FSources[Route] = std::move(Source);
    else
        FSources.erase(Route);
}

TQuestionSource& TRound::SourceFor(int Route) {
    // A route number above the last, from an edited data file, climbs the last route.
    const auto Found = FSources.find(std::min(Route, HighestRoute));
    if (Found != FSources.end())
        return *Found->second;
    return FQuestions;
}

bool TRound::IsHut(int Position) const {
    return std::find(FHuts.begin(), FHuts.end(), Position) != FHuts.end();
}

} // namespace kumoji
