#include "board/number_piece.h"
#include "board/sudoku.h"
#include "engine/random.h"
#include "engine/solve_method.h"
#include "game/player_dialog.h"
#include "game/tables.h"
#include "game_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <ostream>
#include <set>

namespace kumoji::test {

TEST(TimeLimit, ShrinksWithTheHeightReached) {
    const int Table[][4] = {{0, 181333, 362666, 725333},
                            {1, 181333, 362666, 725333},
                            {10, 18133, 36266, 72533},
                            {25, 7253, 14506, 29013},
                            {49, 3700, 7401, 14802}};
    for (const auto& Row : Table)
        for (int Technique = 1; Technique <= 3; ++Technique)
            EXPECT_EQ(TForm1::TimeLimit(Technique, Row[0]), Row[Technique])
                << Row[0] << " " << Technique;
}

TEST(FormatRemaining, ShowsHoursMinutesAndSeconds) {
    EXPECT_EQ(TForm1::FormatRemaining(0), "0");
    EXPECT_EQ(TForm1::FormatRemaining(-5), "0");
    EXPECT_EQ(TForm1::FormatRemaining(999), "0");
    EXPECT_EQ(TForm1::FormatRemaining(45999), "45");
    EXPECT_EQ(TForm1::FormatRemaining(181333), "3:01");
    EXPECT_EQ(TForm1::FormatRemaining(3600000), "1:00:00");
    EXPECT_EQ(TForm1::FormatRemaining(3725000), "1:02:05");
}

TEST_F(GameTest, TrailheadQueueTakesEachTechniqueInTurnAndIsShared) {
    StartWith({{"A", 0}, {"B", 5}});
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_EQ(Form->FTechnique, 1);
    ASSERT_EQ(Form->FQuestions.size(), 23u);
    std::vector<int> Techniques;
    std::set<std::string> Texts;
    for (const auto& [Text, Technique] : Form->FQuestions) {
        Techniques.push_back(Technique);
        Texts.insert(Text);
    }
    std::vector<int> Expected(3, 1);
    Expected.insert(Expected.end(), 10, 2);
    Expected.insert(Expected.end(), 10, 3);
    EXPECT_EQ(Techniques, Expected);
    for (const std::string_view Text : LeftPlaceQuestions)
        EXPECT_EQ(Texts.count(std::string(Text)), 1u);

    // Another player continues with the same queue; nothing is refilled.
    Form->tmKimete->stop();
    Form->FinishQuestion(true);
}

TEST_F(GameTest, QueueAboveTheTrailheadIsMixed) {
    StartWith({{"B", 5}});
    ASSERT_TRUE(WaitForQuestion());
    ASSERT_EQ(Form->FQuestions.size(), 23u);
    std::vector<int> Techniques{Form->FTechnique};
    for (const auto& Entry : Form->FQuestions)
        Techniques.push_back(Entry.second);
    EXPECT_EQ(std::count(Techniques.begin(), Techniques.end(), 1), 4);
    EXPECT_EQ(std::count(Techniques.begin(), Techniques.end(), 2), 10);
    EXPECT_FALSE(std::is_sorted(Techniques.begin(), Techniques.end()));
}

TEST_F(GameTest, RightAnswerCirclesClimbsSavesThenOpensTheDialog) {
    StartWith({{"P1", 12}});
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_EQ(Sounds.back(), gsQuestion);
    EXPECT_TRUE(Form->FSudoku->isEnabled());
    EXPECT_FALSE(Form->acStart->isVisible());
    EXPECT_TRUE(Form->acPause->isVisible());
    EXPECT_FALSE(Form->acOpenDlg->isEnabled());
    const TPoint Cell = Form->FTargetCell;
    bool Checked = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        const TNumberPiece* Piece = Form->FSudoku->PieceAt(Cell.X, Cell.Y);
        EXPECT_NE(Piece, nullptr);
        EXPECT_EQ(Form->imMaru->parentWidget(), Piece);
        EXPECT_TRUE(Form->imMaru->isVisible());
        EXPECT_EQ(Form->imMaru->size(), Piece->size());
        EXPECT_EQ(StoredPosition(0), 13);
        EXPECT_EQ(Form->FPosition, 13);
        EXPECT_EQ(Sounds.back(), gsStep);
        EXPECT_FALSE(Form->FSudoku->isEnabled());
        EXPECT_TRUE(Form->acStart->isEnabled());
        EXPECT_FALSE(Form->acPause->isVisible());
        EXPECT_EQ(Form->Form2->FHelpTopic,
                  QString::fromUtf8(SolveMethodNames[Form->FTechnique].data()));
        // Late events after the verdict change nothing.
        AdvanceClock(10000000);
        Form->tmKimeteTimer();
        Form->FinishQuestion(false);
        Form->SudokuChanged();
        EXPECT_EQ(StoredPosition(0), 13);
        Checked = true;
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->FTargetNumber, Cell.X, Cell.Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Checked; }));
    EXPECT_EQ(Form->lbKimetePosition->text(),
              QStringLiteral("現在 ６合３勺 (13)\n次は ６合４勺 (14)"));
    EXPECT_EQ(StoredPosition(0), 13);
    EXPECT_FALSE(Form->QuestionRunning());
}

TEST_F(GameTest, ReachingAHutPlaysTheLandmarkSound) {
    StartWith({{"P1", 10}});
    ASSERT_TRUE(WaitForQuestion());
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    DropDigit(Form->FTargetNumber, Form->FTargetCell.X, Form->FTargetCell.Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    EXPECT_EQ(StoredPosition(0), 11);
    EXPECT_EQ(Sounds.back(), gsLandmark);
    // After the question the map shows the new position's mark alone, red.
    const QImage& Map = Form->FRouteImage->Bitmap();
    int Red = 0;
    for (int Y = 0; Y < Map.height(); ++Y)
        for (int X = 0; X < Map.width(); ++X)
            Red += Map.pixelColor(X, Y) == QColor(255, 0, 0);
    EXPECT_GT(Red, 20);
    EXPECT_LT(Red, 1000);
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

TEST_P(WrongAnswer, IsTakenBackAnsweredAndCostsAPositionExceptAtAHutOrTheTrailhead) {
    const TWrongCase Case = GetParam();
    StartWith({{"P1", Case.Start}});
    ASSERT_TRUE(WaitForQuestion());
    // Questions of hidden singles leave other digits possible on the answer's cell.
    for (int Tries = 0; Tries < 24; ++Tries) {
        int D, C, R;
        if (FindWrongDrop(Case.OnTarget, D, C, R))
            break;
        Form->tmKimete->stop();
        Form->FQuestions.insert(Form->FQuestions.begin(),
                                {std::string(LeftPlaceQuestions[Tries % 10]), 2});
        Form->acStart->setVisible(true);
        Form->acStart->setEnabled(true);
        Form->acStartExecute();
        ASSERT_TRUE(Form->QuestionRunning());
    }
    int Digit = 0, Col = 0, Row = 0;
    std::string Grid;
    for (int I = 0; I < 81; ++I)
        Grid += char('0' + Form->FSudoku->Matrix().GetValue(I % 9, I / 9));
    ASSERT_TRUE(FindWrongDrop(Case.OnTarget, Digit, Col, Row))
        << Grid << " " << Form->FTargetCell.X << "," << Form->FTargetCell.Y << " "
        << Form->FTargetNumber << " " << int(Form->FTechnique);
    ASSERT_TRUE(FindWrongDrop(Case.OnTarget, Digit, Col, Row));
    const int Placed = Form->FSudoku->Count();
    const int Entries = Form->FSudoku->Histories().Count();
    bool Checked = false;
    Answers.Message().Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        // The wrong piece went back; the board made one forced move, circled.
        EXPECT_EQ(Form->FSudoku->Count(), Placed + 1);
        EXPECT_EQ(Form->FSudoku->Histories().Count(), Entries + 1);
        const THistory& Answer =
            Form->FSudoku->Histories().Items(Form->FSudoku->Histories().Floater());
        EXPECT_NE(Answer.Method, smNone);
        EXPECT_EQ(Form->imMaru->parentWidget(), Form->FSudoku->Pieces(Answer.PieceIndex));
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
    EXPECT_EQ(Form->FPosition, Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WrongAnswer,
                         ::testing::Values(TWrongCase{12, true, 11}, TWrongCase{12, false, 11},
                                           TWrongCase{11, true, 11}, TWrongCase{0, false, 0}),
                         [](const ::testing::TestParamInfo<TWrongCase>& Info) {
                             return "From" + std::to_string(Info.param.Start) +
                                    (Info.param.OnTarget ? "OnTheCell" : "Elsewhere");
                         });

TEST_F(GameTest, TimeOutLosesTheQuestionAndTheFirstTickShowsTheRemainingTime) {
    StartWith({{"P1", 10}}, 0, {{std::string(EmptyCellQuestions[0]), 1}});
    ASSERT_TRUE(WaitForQuestion());
    ASSERT_EQ(Form->FTechnique, 1);
    EXPECT_EQ(Form->FTimeLimit, 18133);
    AdvanceClock(300);
    WaitForTick();
    EXPECT_EQ(Form->pnTimer->text(), QStringLiteral("17"));
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
    WaitForTick();
    EXPECT_TRUE(Form->QuestionRunning());
    AdvanceClock(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Checked; }));
    EXPECT_EQ(Answers.Messages.size(), 0);
    EXPECT_EQ(Sounds.back(), gsLost);
}

TEST_F(GameTest, PauseHidesTheBoardAndKeepsTheRemainingTime) {
    StartWith({{"P1", 10}}, 0, {{std::string(EmptyCellQuestions[0]), 1}});
    ASSERT_TRUE(WaitForQuestion());
    AdvanceClock(1000);
    Form->acPause->trigger();
    EXPECT_TRUE(Form->FPaused);
    EXPECT_FALSE(Form->tmKimete->isActive());
    EXPECT_FALSE(Form->FSudoku->isVisible());
    EXPECT_EQ(Form->acPause->text(), QStringLiteral("再開 replay"));
    EXPECT_EQ(Form->SpeedButton2->text(), QStringLiteral("再開 replay"));
    AdvanceClock(60000);
    WaitForTick();
    Form->acPause->trigger();
    EXPECT_FALSE(Form->FPaused);
    EXPECT_TRUE(Form->FSudoku->isVisible());
    EXPECT_EQ(Form->acPause->text(), QStringLiteral("一時停止 pause"));
    WaitForTick();
    EXPECT_EQ(Form->pnTimer->text(), QStringLiteral("17"));

    // Closing while paused asks nothing and costs nothing.
    Form->acPause->trigger();
    EXPECT_TRUE(Form->close());
    QTest::qWait(50);
    EXPECT_EQ(Answers.Unexpected, 0);
    EXPECT_EQ(StoredPosition(0), 10);
}

namespace {

// Answers the confirmation box with Button after the clock moved on by Spent.
TModalAnswerer::TStep Confirm(GameTest* Test, std::vector<QString>& Texts,
                              QMessageBox::StandardButton Button, std::uint32_t& Tick,
                              std::uint32_t Spent) {
    (void)Test;
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

TEST_F(GameTest, ClosingDuringAQuestionAsksAndCancelGoesOn) {
    StartWith({{"P1", 10}}, 0, {{std::string(EmptyCellQuestions[1]), 1}});
    ASSERT_TRUE(WaitForQuestion());
    AdvanceClock(1000);
    std::vector<QString> Texts;
    Answers.Then(Confirm(this, Texts, QMessageBox::Cancel, Tick, 100000));
    EXPECT_FALSE(Form->close());
    ASSERT_EQ(Texts.size(), 1u);
    EXPECT_EQ(Texts[0], QStringLiteral("ゲームの最中ですが中断しますか？\n\n"
                                       "途中で止めると試合放棄として負けとなります"));
    EXPECT_TRUE(Form->QuestionRunning());
    EXPECT_TRUE(Form->tmKimete->isActive());
    EXPECT_FALSE(Form->FPaused);
    WaitForTick();
    EXPECT_EQ(Form->pnTimer->text(), QStringLiteral("17"));
    EXPECT_EQ(StoredPosition(0), 10);
}

TEST_F(GameTest, ClosingDuringAQuestionWithYesCostsAPositionAndSavesIt) {
    StartWith({{"P1", 10}});
    ASSERT_TRUE(WaitForQuestion());
    std::vector<QString> Texts;
    Answers.Then(Confirm(this, Texts, QMessageBox::Yes, Tick, 0));
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(Texts.size(), 1u);
    EXPECT_EQ(StoredPosition(0), 9);
    EXPECT_EQ(Sounds.back(), gsLost);
    EXPECT_FALSE(Form->QuestionRunning());
    EXPECT_FALSE(Form->tmKimete->isActive());
}

TEST_F(GameTest, AnUnfitPuzzleIsToldAndNotAsked) {
    StartWith({{"P1", 10}});
    ASSERT_TRUE(WaitForQuestion());
    Form->tmKimete->stop();
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    Form->FinishQuestion(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    // An empty grid has no forced move.
    QueueFirst(std::string(81, '0'), 2);
    Answers.Message();
    Form->acStart->trigger();
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_EQ(Answers.Messages[0],
              QStringLiteral("必然手がないか、複数あります。問題として不適切です\n\n"
                             "This puzzle has no unique solution that can be reached logically "
                             "without guessing."));
    EXPECT_FALSE(Form->QuestionRunning());
    EXPECT_FALSE(Form->FSudoku->isEnabled());
    EXPECT_TRUE(Form->acStart->isEnabled());
    const std::size_t Left = Form->FQuestions.size();
    Form->acStart->trigger();
    EXPECT_TRUE(Form->QuestionRunning());
    EXPECT_EQ(Form->FQuestions.size(), Left - 1);
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
    EXPECT_EQ(Opened[1].fragment(), QString::fromUtf8(SolveMethodNames[Form->FTechnique].data()));
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
    DropDigit(Form->FTargetNumber, Form->FTargetCell.X, Form->FTargetCell.Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    ASSERT_EQ(Opened.size(), 4u);
    EXPECT_EQ(Opened[3].fragment(), Played);
    // Between questions, outside the dialog: no anchor.
    Form->acHelp->trigger();
    ASSERT_EQ(Opened.size(), 5u);
    EXPECT_TRUE(Opened[4].toString().endsWith(QStringLiteral("#")));
}

} // namespace kumoji::test
