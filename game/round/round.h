// The climbing round: its states, the question clock, judging a placement and scoring it.
#pragma once

#include "engine/explain/explanation.h"
#include "engine/grid/matrix.h"
#include "engine/grid/point.h"
#include "game/round/clock.h"
#include "game/round/question_queue.h"
#include "game/round/review.h"
#include "game/round/sound_event.h"
#include "storage/answer_record.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kumoji {

class TTabijiUser;
class TTabijiUsers;

enum class TRoundState {
    NoPlayer, // nobody chosen: Play is disabled
    Ready,    // a player chosen, no question asked yet
    Asking,   // a question runs on the clock
    Paused,   // a question waits with the board hidden
    Outcome,  // a question was judged
};

// What the window's commands, board and question clock show in a state.
struct TActionStates {
    bool StartVisible = true;
    bool StartEnabled = false;
    bool PauseVisible = false;
    bool PauseEnabled = false;
    bool PauseOffersReplay = false;
    bool OpenDlgVisible = true;
    bool OpenDlgEnabled = true;
    bool BoardEnabled = false;
    bool BoardVisible = true;
    bool ClockRunning = false;
    // The question just judged can be explained.
    bool WhyEnabled = false;
    // Practice: questions of one technique that do not move the player.
    bool Practicing = false;
    // A practice question is asked and a further hint can be given.
    bool HintEnabled = false;
};

// One reading of the question clock.
struct TClockReading {
    int Remaining = 0; // milliseconds, below 1 when the time is up
    bool TimedOut = false;
    std::string Text; // for the timer panel
};

// The end of a question, for the window to show, play and save.
struct TOutcome {
    bool Solved = false;
    TGameSound Sound = gsLost;
    int Position = 0; // the player's position now
    int Mark = 0;     // the single route mark to redraw
    bool SaveNeeded = true;
};

struct TCloseDecision {
    bool CanClose = true;
    bool Forfeited = false; // the question was given up: save and play the loss
};

class TRound {
public:
    explicit TRound(const TClock& Clock);
    ~TRound();
    TRound(const TRound&) = delete;
    TRound& operator=(const TRound&) = delete;

    TRoundState State() const { return FState; }
    TActionStates Actions() const;

    // Makes player Index of Roster (out of range: nobody) the player of the coming questions.
    // True when the player's record changed (a new player gets the default huts) and must be
    // saved. Refused while a question is asked or paused.
    bool SelectPlayer(TTabijiUsers* Roster, int Index);
    // Looked up on every use: saving the roster may renew its records.
    TTabijiUser* Player() const;
    const std::vector<int>& Huts() const { return FHuts; }

    // The next question for the player, from the source of the player's route; nothing when
    // Play is not available. Sets the technique of the question.
    std::optional<TQuestion> TakeQuestion();
    // The question taken was found fit: its forced move is TargetNumber on TargetCell. Starts
    // the clock; answers the sound to play.
    TGameSound Begin(TPoint TargetCell, int TargetNumber);
    // As above, with the position as it is asked, so that the verdict can explain the move.
    TGameSound Begin(TPoint TargetCell, int TargetNumber, const TMatrix& Asked);

    // Reads the clock of the asked question; nothing when no question runs on it.
    std::optional<TClockReading> Tick() const;
    int Remaining() const;

    // Whether a placement is the forced move.
    bool Judge(int ToCol, int ToRow, int Digit) const;
    // Scores the asked question once: climb when Solved, else lose (a hut holds the player).
    std::optional<TOutcome> Finish(bool Solved);
    // As above, with how the question ended, for the record.
    std::optional<TOutcome> Finish(TAnswerOutcome How);
    // How a placement ends the asked question.
    TAnswerOutcome Verdict(int ToCol, int ToRow, int Digit) const;

    // Why the judged question's move was forced: from the verdict until the next question is
    // taken or another player chosen (a question asked or paused has none); null for a
    // question begun without its position.
    const TExplanation* Explanation() const { return FExplanation ? &*FExplanation : nullptr; }
    // The position the question was asked with; empty when it was begun without one.
    const TMatrix& Asked() const { return FAsked; }

    // Pauses or resumes the asked question; the paused span does not count. False when
    // nothing changed.
    bool SetPaused(bool Value);
    bool Paused() const { return FState == TRoundState::Paused; }

    // Closing while a question runs gives it up, if the player confirms; the question is
    // paused while Confirm asks. In every other state the window simply closes.
    TCloseDecision FormCloseQuery(const std::function<bool()>& Confirm);

    // A small step of making the current player's next questions ahead of Play, for the
    // window to run while it is idle; true while there is more to do. Nothing to do without
    // a player or in practice.
    bool PrepareQuestions();

    // Route 0's queue unless a route has a source of its own (routes 1 to HighestRoute start
    // with their generated queues); null gives the route back to the shared queue.
    void SetQuestionSource(int Route, std::unique_ptr<TQuestionSource> Source);
    const TQuestionQueue& Questions() const { return FQuestions; }

    // Practice of one technique of PracticeTechniques: generated questions of it, the clock shown
    // but never ending them, no climbing and no loss, hints on demand. Refused while a question
    // runs or without a player.
    bool StartPractice(int Technique);
    // Back to the climb exactly as it was when practice began. Refused while a question runs.
    bool StopPractice();
    bool Practicing() const { return FPracticeTechnique > 0; }
    int PracticeTechnique() const { return FPracticeTechnique; }
    // Where practice questions come from; by default fresh explained questions.
    void SetPracticeSource(std::unique_ptr<TQuestionSource> Source);
    // The next hint of the asked practice question: 1 the technique's name, 2 where to look,
    // 3 the whole explanation; recorded with the answer, costing nothing. 0 when none is left
    // or none can be given.
    int Hint();
    int HintLevel() const { return FHintLevel; }
    // The explanation of the asked question, for the hints; null when it has none.
    std::optional<TExplanation> AskedExplanation() const;

    // Every answer of every player, saved with the roster (see Companions).
    TAnswerRecord& Record() { return FRecord; }
    const TAnswerRecord& Record() const { return FRecord; }
    // The sections saved in the roster's write.
    std::vector<TSectionCompanion*> Companions() { return {&FRecord, &FReview}; }
    // Reads the record and the review of the data file the roster was loaded from.
    void LoadRecord(const std::string& FileName) {
        FRecord.LoadFromFile(FileName);
        FReview.LoadFromFile(FileName);
    }
    // The questions lost on the generated routes, coming back.
    const TReview& Review() const { return FReview; }
    // The asked question came back from the review.
    bool FromReview() const { return FFromReview; }

    int Technique() const { return FTechnique; }
    TPoint TargetCell() const { return FTargetCell; }
    int TargetNumber() const { return FTargetNumber; }
    int TimeLimit() const { return FTimeLimit; }
    std::uint32_t StartTick() const { return FStartTick; }

private:
    TQuestionSource& SourceFor(int Route);
    TQuestionSource& PracticeSource();
    bool IsHut(int Position) const;

    const TClock& FClock;
    TRoundState FState = TRoundState::NoPlayer;
    TTabijiUsers* FRoster = nullptr;
    int FPlayerIndex = -1;
    std::vector<int> FHuts;
    TQuestionQueue FQuestions;
    std::map<int, std::unique_ptr<TQuestionSource>> FSources;
    std::uint8_t FTechnique = 0; // 0 until the first question of the run
    TPoint FTargetCell;
    int FTargetNumber = 0;
    int FTimeLimit = 0;
    std::uint32_t FStartTick = 0;
    std::uint32_t PauseTick = 0;
    TMatrix FAsked;
    bool FAskedKnown = false;
    std::optional<TExplanation> FExplanation;
    TAnswerRecord FRecord;
    TReview FReview;
    bool FFromReview = false;
    int FPracticeTechnique = 0;
    int FHintLevel = 0;
    std::unique_ptr<TQuestionSource> FPracticeSource;
    // The climb as practice found it, given back when practice ends.
    struct TClimbState {
        TRoundState State = TRoundState::Ready;
        std::uint8_t Technique = 0;
        TPoint TargetCell;
        int TargetNumber = 0;
        int TimeLimit = 0;
        TMatrix Asked;
        bool AskedKnown = false;
        std::optional<TExplanation> Explanation;
        std::string QuestionText;
    };
    TClimbState FClimb;
    std::string FQuestionText; // as the source gave it, before its symmetry
    int FPositionBefore = 0;

    void Keep(TAnswerOutcome How);
};

} // namespace kumoji
