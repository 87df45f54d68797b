#pragma once

#include "engine/point.h"
#include "game/game_sound.h"
#include "storage/roster.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QColorDialog;
class QFrame;
class QLabel;
class QTimer;
class QToolBar;
class QToolButton;

namespace Ui {
class TForm1;
}

namespace kumoji {

class TForm2;
class TRouteImage;
class TSudoku;

// The data file of the roster, in the current working folder.
inline constexpr const char* DataFileName = "tozan01.ini";
inline constexpr const char* UserSection = "userdata";

// The game's main window: the route picture with the route map, the player's
// labels, the play buttons, the tool bar and the board, and the flow of a
// question from Play to the player dialog.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* Parent = nullptr);
    ~TForm1() override;

    // Components (owned through the layout or by the window).
    QLabel* imFuji = nullptr;
    TRouteImage* FRouteImage = nullptr;
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
    TForm2* Form2 = nullptr;

    TSudoku* FSudoku = nullptr;
    std::unique_ptr<TTabijiUsers> FUsers;
    int FUserIndex = -1;
    std::vector<int> FHuts;
    // Puzzle text and technique number; shared by every player of the run.
    std::vector<std::pair<std::string, int>> FQuestions;
    int FPosition = 0;
    TPoint FTargetCell;
    int FTargetNumber = 0;
    std::uint8_t FTechnique = 0;
    int FTimeLimit = 0;
    std::uint32_t FStartTick = 0;
    bool FPaused = false;

    // The current player's record; null when there is none.
    TTabijiUser* CurrentUser();
    // A question is asked and not yet judged.
    bool QuestionRunning() const { return FQuestionLive; }

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
    static int TimeLimit(int Technique, int Position);
    static QString FormatRemaining(int Milliseconds);

    void acOpenDlgExecute();
    void acHelpExecute();
    void acCloseExecute();
    void acPenExecute();
    void acEraserExecute();
    void acPenColorExecute();
    void acEraseMemoExecute();
    void tmEventTimer();
    void FormActivate();

    // The help page beside the executable, or where an install puts it.
    static QString HelpFileName();

signals:
    void GameSound(kumoji::TGameSound Kind);

protected:
    bool event(QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void FormCreate();
    void BuildToolBar();
    void BindButton(QToolButton* Button, QAction* Action, const char* Glyph);
    void LayMaruOver(int PieceIndex);
    void ReturnMaru();
    void AttachBoard();
    void DetachBoard();
    void PlayGameSound(TGameSound Kind) { emit GameSound(Kind); }
    void TellDamagedFile();

    std::unique_ptr<Ui::TForm1> FUi;
    bool FirstActivate = true;
    bool InSudokuChanged = false;
    std::uint32_t PauseTick = 0;
    bool FQuestionLive = false;
    bool FSaveFailureTold = false;

    friend class TForm2;

public:
    bool FirstDialogPlacement = true;
};

} // namespace kumoji
