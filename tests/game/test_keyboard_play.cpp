#include "board/key_cursor.h"
#include "board/sudoku.h"
#include "engine/techniques/solve_method.h"
#include "game/player_dialog.h"
#include "game/tables.h"
#include "game_fixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QWindow>

namespace kumoji::test {
namespace {

class KeyboardPlay : public GameTest {
protected:
    void Press(Qt::Key Key) { QTest::keyClick(Form->windowHandle(), Key); }
    void PressInDialog(Qt::Key Key) { QTest::keyClick(Form->Form2->windowHandle(), Key); }
    static Qt::Key DigitKey(int Digit) { return static_cast<Qt::Key>(Qt::Key_0 + Digit); }
    // From A1, where every question puts the cursor, unframed until a key is used.
    void MoveCursorTo(int Col, int Row) {
        ASSERT_EQ(Form->Sudoku().KeyCursor(), QPoint(0, 0));
        EXPECT_FALSE(Form->Sudoku().KeyCursorFrame()->isVisible());
        for (int I = 0; I < Col; ++I)
            Press(Qt::Key_Right);
        for (int I = 0; I < Row; ++I)
            Press(Qt::Key_Down);
        ASSERT_EQ(Form->Sudoku().KeyCursor(), QPoint(Col, Row));
        EXPECT_EQ(Form->Sudoku().KeyCursorFrame()->isVisible(), Col + Row > 0);
    }
};

TEST_F(KeyboardPlay, OneQuestionWonAndOneLostByKeysAlone) {
    WriteRoster({{"P1", 12}});
    Answers.Then([this](QWidget* W) {
        if (W != Form->Form2)
            return false;
        QueueFirst(
            {{std::string(LeftPlaceQuestions[0]), 2}, {std::string(LeftPlaceQuestions[1]), 2}});
        // No player chosen yet: Return cannot start.
        PressInDialog(Qt::Key_Return);
        EXPECT_TRUE(Form->Form2->isVisible());
        PressInDialog(Qt::Key_F1);
        Form->Form2->UserMenuClick(0);
        PressInDialog(Qt::Key_Return);
        return true;
    });
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_TRUE(Opened[0].toString().endsWith(QStringLiteral("#")));

    // Won: the forced digit on its cell.
    bool Won = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        EXPECT_EQ(StoredPosition(0), 13);
        Won = true;
        PressInDialog(Qt::Key_Return);
        return true;
    });
    const TPoint Cell = Form->Round().TargetCell();
    MoveCursorTo(Cell.X, Cell.Y);
    Press(DigitKey(Form->Round().TargetNumber()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Won; }));
    ASSERT_TRUE(WaitForQuestion());

    // Lost: a digit the rules allow, on another cell, judged like a drop.
    int Digit = 0, Col = 0, Row = 0;
    ASSERT_TRUE(FindWrongDrop(false, Digit, Col, Row));
    bool Lost = false;
    Answers.Message().Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        EXPECT_EQ(StoredPosition(0), 12);
        Lost = true;
        PressInDialog(Qt::Key_Escape);
        return true;
    });
    MoveCursorTo(Col, Row);
    Press(DigitKey(Digit));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Lost; }));
    EXPECT_EQ(Answers.Messages.size(), 1);
    EXPECT_EQ(StoredPosition(0), 12);
    EXPECT_EQ(Form->Position(), 12);
    // Esc closed the dialog: no question follows.
    EXPECT_FALSE(Form->tmEvent->isActive());
    EXPECT_FALSE(Form->QuestionRunning());
}

TEST_F(KeyboardPlay, SpacePausesF1HelpsAndPausedKeysReachNoBoard) {
    StartWith({{"P1", 10}}, 0, {{std::string(EmptyCellQuestions[0]), 1}});
    ASSERT_TRUE(WaitForQuestion());
    // Shortcuts act in the active window; here no window manager gives the
    // main window back its activation when the dialog closes. (Waiting for
    // the window to count as active is not enough: the hidden dialog, being
    // its transient, would count.)
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == Form.get(); }));
    EXPECT_EQ(Form->acHelp->toolTip(), QStringLiteral("案内 help (F1)"));
    EXPECT_EQ(Form->acPause->toolTip(), QStringLiteral("一時停止 pause (Space)"));
    EXPECT_EQ(Form->SpeedButton2->toolTip(), Form->acPause->toolTip());
    EXPECT_TRUE(Form->Sudoku().hasFocus());

    Press(Qt::Key_Space);
    ASSERT_TRUE(Form->Round().Paused());
    EXPECT_EQ(Form->acPause->toolTip(), QStringLiteral("再開 replay (Space)"));
    const int Placed = Form->Sudoku().Count();
    const TPoint Cell = Form->Round().TargetCell();
    for (int Step = 0; Step < Cell.X; ++Step)
        Press(Qt::Key_Right);
    for (int Digit = 1; Digit <= 9; ++Digit)
        Press(DigitKey(Digit));
    EXPECT_EQ(Form->Sudoku().Count(), Placed);
    EXPECT_EQ(Form->Sudoku().KeyCursor(), QPoint(0, 0));
    Press(Qt::Key_F1);
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0].fragment(),
              QString::fromUtf8(SolveMethodNames[Form->Round().Technique()].data()));

    Press(Qt::Key_Space);
    EXPECT_FALSE(Form->Round().Paused());
    EXPECT_TRUE(Form->Sudoku().hasFocus());
    Press(Qt::Key_Right);
    EXPECT_EQ(Form->Sudoku().KeyCursor(), QPoint(1, 0));
}

} // namespace
} // namespace kumoji::test
