// The round's handlers on the main window: each asks the round, then places and shows.
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "game/main_window.h"
#include "game/platform/message_box.h"
#include "game/window_style.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace kumoji {

void TForm1::SetQuestionSource(int Route, std::unique_ptr<TQuestionSource> Source) {
    FRound.SetQuestionSource(Route, std::move(Source));
}

bool TForm1::QuestionRunning() const {
    return FRound.State() == TRoundState::Asking || FRound.State() == TRoundState::Paused;
}

void TForm1::ShowActions() {
    const TActionStates A = FRound.Actions();
    acStart->setVisible(A.StartVisible);
    acStart->setEnabled(A.StartEnabled);
    acPause->setVisible(A.PauseVisible);
    acPause->setEnabled(A.PauseEnabled);
    acOpenDlg->setVisible(A.OpenDlgVisible);
    acOpenDlg->setEnabled(A.OpenDlgEnabled);
    ShowWhy();
    ShowPractice();
}

void TForm1::ShowClockAndBoard() {
    const TActionStates A = FRound.Actions();
    // Started only when stopped: a restart would shift the ticks of a running clock.
    if (A.ClockRunning != tmKimete->isActive()) {
        if (A.ClockRunning)
            tmKimete->start();
        else
            tmKimete->stop();
    }
    FSudoku->setEnabled(A.BoardEnabled);
    FSudoku->setVisible(A.BoardVisible);
    const QString Caption =
        A.PauseOffersReplay ? QStringLiteral("再開 replay") : QStringLiteral("一時停止 pause");
    acPause->setText(Caption);
    acPause->setToolTip(WithShortcut(Caption, *acPause));
    acPause->setIcon(ActionImage(A.PauseOffersReplay ? 6 : 4));
}

void TForm1::ReturnMaru() {
    if (!imMaru)
        return;
    imMaru->hide();
    if (imMaru->parentWidget() != this)
        imMaru->setParent(this);
}

void TForm1::LayMaruOver(int PieceIndex) {
    TNumberPiece* Piece = FSudoku->Pieces(PieceIndex);
    if (!Piece)
        return;
    imMaru->setParent(Piece);
    imMaru->setGeometry(0, 0, Piece->width(), Piece->height());
    imMaru->show();
    imMaru->raise();
}

void TForm1::acStartExecute() {
    if (!acStart->isEnabled())
        return;
    if (FSudoku->Dealing()) {
        FStartAfterDeal = true;
        return;
    }
    std::optional<TQuestion> Question = FRound.TakeQuestion();
    if (!Question) {
        // Play was open: the route's or practice's maker came back empty-handed.
        ShowMessageBox(this, TwoParts(QStringLiteral("問題を作れませんでした"),
                                      QStringLiteral("No question could be made; please try "
                                                     "again or choose another technique.")));
        return;
    }
    // The one taken makes room for the next.
    tmPrepare->start();
    // The last question's explanation goes with it.
    ShowWhy();
    ReturnMaru();
    FSudoku->ClearHints();

    // Loading places pieces: that is not the player's move.
    DetachBoard();
    try {
        FSudoku->LoadPuzzle(Question->Text);
    } catch (...) {
        AttachBoard();
        throw;
    }
    AttachBoard();
    FSudoku->Fix();

    TPoint TargetCell;
    int TargetNumber = 0;
    if (FSudoku->FindQuestion(TargetCell, TargetNumber, true,
                              static_cast<TSolveMethod>(FRound.Technique()))) {
        FRound.Begin(TargetCell, TargetNumber, FSudoku->Matrix());
        BeginQuestion();
        return;
    }
    ShowMessageBox(this,
                   TwoParts(QStringLiteral("必然手がないか、複数あります。問題として不適切です"),
                            QStringLiteral("This puzzle has no unique solution that can be "
                                           "reached logically without guessing.")));
}

void TForm1::tmPrepareTimer() {
    if (!FRound.PrepareQuestions())
        tmPrepare->stop();
}

void TForm1::BeginQuestion() {
    PlayGameSound(gsQuestion);
    ShowClockAndBoard();
    ShowActions();
}

void TForm1::tmKimeteTimer() {
    const std::optional<TClockReading> Reading = FRound.Tick();
    if (!Reading) {
        tmKimete->stop();
        return;
    }
    pnTimer->setText(QString::fromStdString(Reading->Text));
    if (Reading->TimedOut)
        FinishQuestion(false);
}

void TForm1::SudokuChanged() {
    if (InSudokuChanged || FRound.State() != TRoundState::Asking)
        return;
    InSudokuChanged = true;
    struct TClear {
        bool& Flag;
        ~TClear() { Flag = false; }
    } Clear{InSudokuChanged};

    ReturnMaru();
    const THistories& History = FSudoku->Histories();
    if (History.Count() > 0) {
        const THistory& Newest = History.Items(History.Count() - 1);
        if (FRound.Judge(Newest.ToCol, Newest.ToRow, Newest.Digit)) {
            FinishQuestion(true);
            return;
        }
    }
    // Judged before the box opens: a tick while it shows cannot end the question again.
    std::optional<TOutcome> Outcome;
    if (History.Count() > 0) {
        const THistory& Newest = History.Items(History.Count() - 1);
        Outcome = FRound.Finish(FRound.Verdict(Newest.ToCol, Newest.ToRow, Newest.Digit));
    } else {
        Outcome = FRound.Finish(TAnswerOutcome::WrongCell);
    }
    tmKimete->stop();
    QApplication::beep();
    ShowMessageBox(this, TwoParts(QStringLiteral("必然の一手を探してください"),
                                  QStringLiteral("Set a number in the specified cell!")));
    FSudoku->Undo();
    if (Outcome)
        ShowOutcome(*Outcome);
}

void TForm1::FinishQuestion(bool Solved) {
    if (const std::optional<TOutcome> Outcome = FRound.Finish(Solved))
        ShowOutcome(*Outcome);
}

void TForm1::ShowOutcome(const TOutcome& Outcome) {
    ShowClockAndBoard();
    if (Outcome.Solved) {
        const THistories& History = FSudoku->Histories();
        if (History.Count() > 0)
            LayMaruOver(History.Items(History.Count() - 1).PieceIndex);
        // Practice teaches: every answer is explained.
        if (FRound.Practicing())
            ShowExplanation();
        // The circle and the board are painted before the sound.
        QCoreApplication::processEvents();
    } else {
        ShowAnswer();
        QCoreApplication::processEvents();
    }
    PlayGameSound(Outcome.Sound);
    if (CurrentUser())
        ShowPosition(Outcome.Position);
    DrawRoute(Outcome.Mark);
    if (Outcome.SaveNeeded)
        SaveUsers();
    QCoreApplication::processEvents();
    ShowActions();
    acOpenDlg->trigger();
}

void TForm1::ShowAnswer() {
    DetachBoard();
    try {
        const int Result = FSudoku->SolveStep(false);
        const THistories& History = FSudoku->Histories();
        // Circle only a move the step made, never a piece taken back to the tray.
        if (Result == 0 && History.Floater() >= 0)
            LayMaruOver(History.Items(History.Floater()).PieceIndex);
        ShowExplanation();
    } catch (...) {
        AttachBoard();
        throw;
    }
    AttachBoard();
}

void TForm1::SetPaused(bool Value) {
    FRound.SetPaused(Value);
    ShowClockAndBoard();
    ShowWhy();
}

void TForm1::acPauseExecute() {
    if (!QuestionRunning())
        return;
    SetPaused(!FRound.Paused());
}

bool TForm1::FormCloseQuery() {
    if (FRound.State() != TRoundState::Asking)
        return true;
    const TCloseDecision Decision = FRound.FormCloseQuery([this] {
        // Paused while the player decides: the board hides and the time stops.
        ShowClockAndBoard();
        return AskYesCancel(this,
                            TwoParts(QStringLiteral("ゲームの最中ですが中断しますか？"),
                                     QStringLiteral("途中で止めると試合放棄として負けとなります")));
    });
    if (Decision.Forfeited) {
        SaveUsers();
        PlayGameSound(gsLost);
    }
    ShowClockAndBoard();
    return Decision.CanClose;
}

} // namespace kumoji
