// The game's main window: its components, and the design's handlers as adapters of the round.
#pragma once

#include "game/game_sound.h"
#include "game/round/clock.h"
#include "game/round/round.h"
#include "storage/roster.h"

#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QColorDialog;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace Ui {
class TForm1;
}

namespace kumoji {

class TExplainPanel;
class TForm2;
class TOuterFrame;
class TRecordWindow;
class TRouteImage;
class TSudoku;

// The data file of the roster, in the current working folder.
inline constexpr const char* DataFileName = "tozan01.ini";
inline constexpr const char* UserSection = "userdata";

// The route picture with the route map, the player's labels, the play buttons, the tool bar
// and the board. The rules of play are the round's; the handlers call it, then place and show.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* Parent = nullptr);
    ~TForm1() override;

    // Components (owned through the layout or by the window).
    QLabel* imFuji = nullptr;
    QLabel* imMaru = nullptr;
    QLabel* lbUser1 = nullptr;
    QLabel* lbUser2 = nullptr;
    QLabel* lbKimeteMode1 = nullptr;
    QLabel* lbKimeteMode2 = nullptr;
    QLabel* lbKimetePosition = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QLabel* pnSudoku = nullptr;
    QFrame* CoolBar1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QLabel* pnTimer = nullptr;
    QTimer* tmKimete = nullptr;
    QTimer* tmEvent = nullptr;
    // Once a resize by the player has come to rest, gives the window the design's shape
    // at the scale it asked for.
    QTimer* tmShape = nullptr;
    // Makes the current route's next questions ahead, one small step a turn of the event
    // loop, so that Play finds them made and no step holds the window long.
    QTimer* tmPrepare = nullptr;
    QColorDialog* ColorDialog1 = nullptr;
    QAction* acStart = nullptr;
    QAction* acPause = nullptr;
    QAction* acOpenDlg = nullptr;
    QAction* acClose = nullptr;
    QAction* acHelp = nullptr;
    QAction* acPenColor = nullptr;
    QAction* acPen = nullptr;
    QAction* acEraser = nullptr;
    QAction* acEraseMemo = nullptr;
    QAction* acWhy = nullptr;
    // The chosen player's answer record, on the tool bar and in the player dialog.
    QAction* acRecord = nullptr;
    // Practice of one technique, and its hints, on the tool bar.
    QAction* acPractice = nullptr;
    QAction* acHint = nullptr;
    QMenu* pmPractice = nullptr;
    QAction* miClimb = nullptr;
    // F11: full screen and back.
    QAction* acFullScreen = nullptr;
    // The explanation's text, over the picture's upper left, where the player
    // dialog leaves it in sight.
    TExplainPanel* pnExplanation = nullptr;
    TForm2* Form2 = nullptr;

    TSudoku& Sudoku() const { return *FSudoku; }
    TRouteImage& RouteImage() const { return *FRouteImage; }
    const TTabijiUsers& Users() const { return *FUsers; }
    int UserIndex() const { return FUserIndex; }
    // The position the labels and the route map show.
    int Position() const { return FPosition; }
    // The scale the window's content is drawn at, and the one of its normal state.
    double Scale() const { return FScale; }
    double NormalScale() const { return FNormalScale; }
    const TRound& Round() const { return FRound; }
    // Where a route's questions come from; route 0 uses the shared tables queue.
    void SetQuestionSource(int Route, std::unique_ptr<TQuestionSource> Source);

    // The resource path of the route picture shown.
    const QString& RoutePicture() const { return FRoutePicture; }

    // The current player's record; null when there is none.
    TTabijiUser* CurrentUser();
    // A question is asked, running or paused, and not yet judged.
    bool QuestionRunning() const;

    // Player and route display.
    void SelectUser(int Index);
    void ShowPosition(int Position);
    void DrawRoute(int Position);
    void SaveUsers();

    // The climbing round.
    void acStartExecute();
    void BeginQuestion();
    void tmKimeteTimer();
    void SudokuChanged();
    void FinishQuestion(bool Solved);
    void ShowAnswer();
    void SetPaused(bool Value);
    void acPauseExecute();
    // False when the window must stay open.
    bool FormCloseQuery();

    void acOpenDlgExecute();
    void acHelpExecute();
    void acCloseExecute();
    void acPenExecute();
    void acEraserExecute();
    void acPenColorExecute();
    void acEraseMemoExecute();
    // Why the judged question's move was forced, on the board and in the text panel.
    void acWhyExecute();
    void ShowExplanation();
    void ClearExplanation();
    void tmEventTimer();
    void tmShapeTimer();
    void tmPrepareTimer();
    void acFullScreenExecute();
    void FormActivate();
    void acRecordExecute();
    // Opens the record window of player UserIndex; null when there is no such player.
    TRecordWindow* ShowRecord(int UserIndex);
    // Practice: the technique menu at At; a technique chosen there is practised at once, or,
    // from the player dialog, once it closes.
    void acPracticeExecute();
    void ShowPracticeMenu(const QPoint& At);
    void PracticeChosen(int Technique);
    bool StartPractice(int Technique);
    void StopPractice();
    void acHintExecute();
    void SetPracticeSource(std::unique_ptr<TQuestionSource> Source);

    // A message for the player once the window is up, before any other; empty for none.
    void TellAtStart(const QString& Text) { FStartNotice = Text; }

    // The help page beside the executable, or where an install puts it.
    static QString HelpFileName();

signals:
    void GameSound(kumoji::TGameSound Kind);

protected:
    bool event(QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    // The window's tick count as the round's clock.
    class TTickClock : public TClock {
    public:
        std::uint32_t Now() const override;
    };

    void FormCreate();
    void BuildToolBar();
    void BuildRecordAction();
    void BuildPracticeActions();
    // Name, route and position of the current player, or what practice puts there.
    void ShowPlayerLabels();
    void ShowPractice();
    void BindButton(QToolButton* Button, QAction* Action, const char* Glyph);
    void LayOutComponents();
    void PlaceComponents();
    // The frame the window has now; none while it is full screen.
    QMargins Frame() const;
    // Where the design's picture lies in the client area at the window's scale: all of
    // it when the window has the design's shape, else centred on the black.
    QRect ContentArea() const;
    void ScaleFonts();
    void ScaleToolBar();
    void AskFirstPlayer();
    void LayMaruOver(int PieceIndex);
    void ReturnMaru();
    void AttachBoard();
    void DetachBoard();
    // Commands, board and question clock as the round's state has them.
    void ShowActions();
    void ShowClockAndBoard();
    void ShowOutcome(const TOutcome& Outcome);
    // The why command as the round has it; an explanation goes with it.
    void ShowWhy();
    void PlayGameSound(TGameSound Kind) { emit GameSound(Kind); }
    // The picture of the route Route is played on, under the route map.
    void ShowRoutePicture(int Route);

    std::unique_ptr<Ui::TForm1> FUi;
    TOuterFrame* FOuterFrame = nullptr;
    TTickClock FClock;
    TRound FRound{FClock};
    TSudoku* FSudoku = nullptr;
    TRouteImage* FRouteImage = nullptr;
    std::unique_ptr<TTabijiUsers> FUsers;
    int FUserIndex = -1;
    int FPosition = 0;
    double FScale = 1.0;
    double FNormalScale = 1.0;
    // The scale the fonts and the tool bar were last set for: the design's at creation.
    double FScaledFor = 1.0;
    // The tool bar's buttons at their design size.
    std::vector<std::pair<QWidget*, QSize>> FToolSizes;
    QWidget* FToolEndGap = nullptr;
    bool FirstActivate = true;
    bool FirstDialogPlacement = true;
    bool InSudokuChanged = false;
    bool FSaveFailureTold = false;
    bool FStartAfterDeal = false;
    // The board as practice found it.
    TMatrix FClimbBoard;
    QString FClimbClock;
    QString FStartNotice;
    QString FRoutePicture;

    friend class TForm2;
};

} // namespace kumoji
