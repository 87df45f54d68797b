#include "board/number_piece.h"
#include "board/sudoku.h"
#include "engine/techniques/solve_method.h"
#include "game/player_dialog.h"
#include "game/tables.h"
#include "game_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <ostream>

namespace kumoji::test {

namespace {

int CountRed(const QImage& Map) {
    int Red = 0;
    for (int Y = 0; Y < Map.height(); ++Y)
        for (int X = 0; X < Map.width(); ++X)
            Red += Map.pixelColor(X, Y) == QColor(255, 0, 0);
    return Red;
}

} // namespace

TEST_F(GameTest, RightAnswerCirclesClimbsSavesThenOpensTheDialog) {
    StartWith({{"P1", 10}});
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_EQ(Sounds.back(), gsQuestion);
    EXPECT_TRUE(Form->Sudoku().isEnabled());
    EXPECT_TRUE(Form->tmKimete->isActive());
    EXPECT_FALSE(Form->acStart->isVisible());
    EXPECT_TRUE(Form->acPause->isVisible());
    EXPECT_FALSE(Form->acOpenDlg->isEnabled());
    EXPECT_EQ(Form->Round().Questions().Entries().size(), 23u);
    const TPoint Cell = Form->Round().TargetCell();
    bool Checked = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        const TNumberPiece* Piece = Form->Sudoku().PieceAt(Cell.X, Cell.Y);
        EXPECT_NE(Piece, nullptr);
        EXPECT_EQ(Form->imMaru->parentWidget(), Piece);
        EXPECT_TRUE(Form->imMaru->isVisible());
        EXPECT_EQ(Form->imMaru->size(), Piece->size());
        EXPECT_EQ(StoredPosition(0), 11);
        EXPECT_EQ(Form->Position(), 11);
        EXPECT_EQ(Sounds.back(), gsLandmark);
        EXPECT_FALSE(Form->Sudoku().isEnabled());
        EXPECT_FALSE(Form->tmKimete->isActive());
        EXPECT_TRUE(Form->acStart->isEnabled());
        EXPECT_FALSE(Form->acPause->isVisible());
        EXPECT_EQ(Form->Form2->FHelpTopic,
                  QString::fromUtf8(SolveMethodNames[Form->Round().Technique()].data()));
        // The map shows the new position's mark alone, red.
        const int Red = CountRed(Form->RouteImage().Bitmap());
        EXPECT_GT(Red, 20);
        EXPECT_LT(Red, 1000);
        // Late events after the verdict change nothing.
        AdvanceClock(10000000);
        Form->tmKimeteTimer();
        Form->FinishQuestion(false);
        Form->SudokuChanged();
        EXPECT_EQ(StoredPosition(0), 11);
        Checked = true;
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Cell.X, Cell.Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Checked; }));
    EXPECT_EQ(Form->lbKimetePosition->text(),
              QStringLiteral("現在 雲海荘 (11)\n次は ６合２勺 (12)"));
    EXPECT_EQ(StoredPosition(0), 11);
    EXPECT_FALSE(Form->QuestionRunning());
}

namespace {

struct TWrongCase {
    int Start;
    bool OnTarget;
    int Expected;
};

void PrintTo(const TWrongCase& Case, std::ostream* Out) {
    *Out << "from " << Case.Start << (Case.OnTarget ? " on the cell" : " elsewhere");
}

} // namespace

class WrongAnswer : public GameTest, public ::testing::WithParamInterface<TWrongCase> {};

TEST_P(WrongAnswer, IsTakenBackAnsweredAndCostsAPositionExceptAtAHut) {
    const TWrongCase Case = GetParam();
    // A hidden single leaves other digits possible on the answer's cell.
    StartWith({{"P1", Case.Start}}, 0, {{std::string(LeftPlaceQuestions[0]), 2}});
    ASSERT_TRUE(WaitForQuestion());
    int Digit = 0, Col = 0, Row = 0;
    ASSERT_TRUE(FindWrongDrop(Case.OnTarget, Digit, Col, Row));
    const int Placed = Form->Sudoku().Count();
    const int Entries = Form->Sudoku().Histories().Count();
    bool Checked = false;
    Answers.Message().Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        // The wrong piece went back; the board made one forced move, circled.
        EXPECT_EQ(Form->Sudoku().Count(), Placed + 1);
        EXPECT_EQ(Form->Sudoku().Histories().Count(), Entries + 1);
        const THistory& Answer =
            Form->Sudoku().Histories().Items(Form->Sudoku().Histories().Floater());
        EXPECT_NE(Answer.Method, smNone);
        EXPECT_EQ(Form->imMaru->parentWidget(), Form->Sudoku().Pieces(Answer.PieceIndex));
        EXPECT_TRUE(Form->imMaru->isVisible());
        EXPECT_EQ(StoredPosition(0), Case.Expected);
        EXPECT_EQ(Sounds.back(), gsLost);
        Checked = true;
        Form->Form2->reject();
        return true;
    });
    DropDigit(Digit, Col, Row);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Checked; }));
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_EQ(Answers.Messages[0],
              QStringLiteral("必然の一手を探してください\n\nSet a number in the specified cell!"));
    EXPECT_EQ(Form->Position(), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WrongAnswer,
                         ::testing::Values(TWrongCase{12, false, 11}, TWrongCase{11, true, 11}),
                         [](const ::testing::TestParamInfo<TWrongCase>& Info) {
                             return "From" + std::to_string(Info.param.Start) +
                                    (Info.param.OnTarget ? "OnTheCell" : "Elsewhere");
                         });

TEST_F(GameTest, TimeOutLosesTheQuestionAndTheFirstTickShowsTheRemainingTime) {
    StartWith({{"P1", 10}}, 0, {{std::string(EmptyCellQuestions[0]), 1}});
    ASSERT_TRUE(WaitForQuestion());
    ASSERT_EQ(Form->Round().Technique(), 1);
    EXPECT_EQ(Form->Round().TimeLimit(), 18133);
    EXPECT_EQ(Form->tmKimete->interval(), 300);
    // The one real wait: the timer itself drives the panel.
    AdvanceClock(300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->pnTimer->text() == QStringLiteral("17"); }));
    bool Checked = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        EXPECT_EQ(Form->pnTimer->text(), QStringLiteral("0"));
        EXPECT_EQ(StoredPosition(0), 9);
        EXPECT_TRUE(Form->imMaru->isVisible());
        Checked = true;
        Form->Form2->reject();
        return true;
    });
    AdvanceClock(18133 - 300 - 1);
    ClockTick();
    EXPECT_TRUE(Form->QuestionRunning());
    AdvanceClock(1);
    ClockTick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Checked; }));
    EXPECT_EQ(Answers.Messages.size(), 0);
    EXPECT_EQ(Sounds.back(), gsLost);
}

TEST_F(GameTest, PauseHidesTheBoardAndKeepsTheRemainingTime) {
    StartWith({{"P1", 10}}, 0, {{std::string(EmptyCellQuestions[0]), 1}});
    ASSERT_TRUE(WaitForQuestion());
    AdvanceClock(1000);
    Form->acPause->trigger();
    EXPECT_TRUE(Form->Round().Paused());
    EXPECT_FALSE(Form->tmKimete->isActive());
    EXPECT_FALSE(Form->Sudoku().isVisible());
    EXPECT_EQ(Form->acPause->text(), QStringLiteral("再開 replay"));
    EXPECT_EQ(Form->SpeedButton2->text(), QStringLiteral("再開 replay"));
    AdvanceClock(60000);
    Form->acPause->trigger();
    EXPECT_FALSE(Form->Round().Paused());
    EXPECT_TRUE(Form->Sudoku().isVisible());
    EXPECT_EQ(Form->acPause->text(), QStringLiteral("一時停止 pause"));
    ClockTick();
    EXPECT_EQ(Form->pnTimer->text(), QStringLiteral("17"));

    // Closing while paused asks nothing and costs nothing.
    Form->acPause->trigger();
    EXPECT_TRUE(Form->close());
    QCoreApplication::processEvents();
    EXPECT_EQ(Answers.Unexpected, 0);
    EXPECT_EQ(StoredPosition(0), 10);
}

namespace {

// Answers the confirmation box with Button after the clock moved on by Spent.
TModalAnswerer::TStep Confirm(std::vector<QString>& Texts, QMessageBox::StandardButton Button,
                              std::uint32_t& Tick, std::uint32_t Spent) {
    return [&Texts, Button, &Tick, Spent](QWidget* W) {
        auto* Box = qobject_cast<QMessageBox*>(W);
        if (!Box)
            return false;
        Texts.push_back(Box->text());
        EXPECT_EQ(Box->icon(), QMessageBox::Question);
        EXPECT_NE(Box->button(QMessageBox::Yes), nullptr);
        Tick += Spent;
        Box->button(Button)->click();
        return true;
    };
}

} // namespace

TEST_F(GameTest, ClosingDuringAQuestionAsksCancelGoesOnYesCostsAPosition) {
    StartWith({{"P1", 10}}, 0, {{std::string(EmptyCellQuestions[1]), 1}});
    ASSERT_TRUE(WaitForQuestion());
    AdvanceClock(1000);
    std::vector<QString> Texts;
    Answers.Then(Confirm(Texts, QMessageBox::Cancel, Tick, 100000));
    EXPECT_FALSE(Form->close());
    ASSERT_EQ(Texts.size(), 1u);
    EXPECT_EQ(Texts[0], QStringLiteral("ゲームの最中ですが中断しますか？\n\n"
                                       "途中で止めると試合放棄として負けとなります"));
    EXPECT_TRUE(Form->QuestionRunning());
    EXPECT_TRUE(Form->tmKimete->isActive());
    EXPECT_TRUE(Form->Sudoku().isVisible());
    EXPECT_FALSE(Form->Round().Paused());
    ClockTick();
    EXPECT_EQ(Form->pnTimer->text(), QStringLiteral("17"));
    EXPECT_EQ(StoredPosition(0), 10);

    Answers.Then(Confirm(Texts, QMessageBox::Yes, Tick, 0));
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(Texts.size(), 2u);
    EXPECT_EQ(StoredPosition(0), 9);
    EXPECT_EQ(Sounds.back(), gsLost);
    EXPECT_FALSE(Form->QuestionRunning());
    EXPECT_FALSE(Form->tmKimete->isActive());
}

TEST_F(GameTest, AnUnfitPuzzleIsToldAndNotAsked) {
    StartWith({{"P1", 10}});
    ASSERT_TRUE(WaitForQuestion());
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    Form->FinishQuestion(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    // An empty grid has no forced move.
    QueueFirst({{std::string(81, '0'), 2}, {std::string(EmptyCellQuestions[2]), 1}});
    Answers.Message();
    Form->acStart->trigger();
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_EQ(Answers.Messages[0],
              QStringLiteral("必然手がないか、複数あります。問題として不適切です\n\n"
                             "This puzzle has no unique solution that can be reached logically "
                             "without guessing."));
    EXPECT_FALSE(Form->QuestionRunning());
    EXPECT_FALSE(Form->Sudoku().isEnabled());
    EXPECT_TRUE(Form->acStart->isEnabled());
    Form->acStart->trigger();
    EXPECT_TRUE(Form->QuestionRunning());
    EXPECT_EQ(Form->Round().Technique(), 1);
}

TEST_F(GameTest, HelpPassesTheTechniqueOfTheQuestionOrABareAnchor) {
    WriteRoster({{"P1", 10}});
    Answers.Then([this](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->acHelp->trigger();
        Form->Form2->UserMenuClick(0);
        Form->Form2->sbOkClick();
        return true;
    });
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_TRUE(Opened[0].toString().endsWith(QStringLiteral("/Tozan01.html#")))
        << Opened[0].toString().toStdString();
    EXPECT_EQ(Opened[0].toLocalFile(), TForm1::HelpFileName());

    Form->acHelp->trigger();
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_EQ(Opened[1].fragment(),
              QString::fromUtf8(SolveMethodNames[Form->Round().Technique()].data()));
    Form->acPause->trigger();
    Form->acHelp->trigger();
    ASSERT_EQ(Opened.size(), 3u);
    EXPECT_EQ(Opened[2].fragment(), Opened[1].fragment());
    Form->acPause->trigger();

    // With the dialog active after the question, its anchor: the question's technique.
    const QString Played = Opened[1].fragment();
    Answers.Then([this](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->SpeedButton1->click();
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    ASSERT_EQ(Opened.size(), 4u);
    EXPECT_EQ(Opened[3].fragment(), Played);
    // Between questions, outside the dialog: no anchor.
    Form->acHelp->trigger();
    ASSERT_EQ(Opened.size(), 5u);
    EXPECT_TRUE(Opened[4].toString().endsWith(QStringLiteral("#")));
}

} // namespace kumoji::test
