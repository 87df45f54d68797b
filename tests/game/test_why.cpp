// The why command in play: a lost question explained at once, a won one on request, and what takes
// it away.
#include "board/explain_marks.h"
#include "board/explain_overlay.h"
#include "board/explain_panel.h"
#include "board/sudoku.h"
#include "engine/grid/puzzle_text.h"
#include "game/player_dialog.h"
#include "game/tables.h"
#include "game_fixture.h"

#include <QAction>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <ostream>

namespace kumoji::test {
namespace {

class WhyTest : public GameTest {
protected:
    const TExplainOverlay& Overlay() const { return *Form->Sudoku().ExplainOverlay(); }
    bool Shown() const { return Overlay().isVisible() && Form->pnExplanation->isVisible(); }
    bool Hidden() const {
        return !Overlay().isVisible() && Overlay().Marks().Empty() &&
               !Form->pnExplanation->isVisible();
    }
    // The board and the panel show the round's explanation of the move asked.
    void ExpectTheRoundsExplanation() const {
        const TExplanation* Explanation = Form->Round().Explanation();
        ASSERT_NE(Explanation, nullptr);
        const TPoint Target = Form->Round().TargetCell();
        EXPECT_EQ(Overlay().Marks(), ExplainMarks(*Explanation, Form->Round().Asked()));
        EXPECT_EQ(Overlay().Marks().Target, Target.X + 9 * Target.Y);
        EXPECT_EQ(Overlay().Marks().TargetDigit, Form->Round().TargetNumber());
        EXPECT_EQ(Form->Round().Asked().GetValue(Target.X, Target.Y), 0) << "asked, not answered";
        EXPECT_EQ(Form->pnExplanation->Lines(), Explanation->Text);
    }
    // A shortcut answers only in the active window, which a loaded machine may
    // not have made the dialog yet when the answerer sees it.
    void PressInDialog(Qt::Key Key) {
        Form->Form2->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Form2));
        QTest::keyClick(Form->Form2->windowHandle(), Key);
    }
};

enum class TLoss { WrongDigit, WrongCell, TimeOut };

void PrintTo(TLoss Loss, std::ostream* Out) {
    *Out << (Loss == TLoss::WrongDigit  ? "wrong digit"
             : Loss == TLoss::WrongCell ? "wrong cell"
                                        : "time out");
}

class LostQuestion : public WhyTest, public ::testing::WithParamInterface<TLoss> {};

TEST_P(LostQuestion, ShowsItsExplanationWithTheAnswerBeforeTheSoundAndTheDialog) {
    // A hidden single: other digits fit the answer's cell too.
    StartWith({{"P1", 12}}, 0, {{std::string(LeftPlaceQuestions[0]), 2}});
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_FALSE(Form->acWhy->isEnabled());
    EXPECT_TRUE(Hidden());
    bool ShownAtTheSound = false;
    QObject::connect(Form.get(), &TForm1::GameSound, Form.get(), [&](TGameSound Kind) {
        if (Kind == gsLost)
            ShownAtTheSound = Shown();
    });
    // The wrong drop's message comes first, as before.
    if (GetParam() != TLoss::TimeOut)
        Answers.Message();
    bool Checked = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        EXPECT_TRUE(Shown());
        ExpectTheRoundsExplanation();
        EXPECT_TRUE(Form->acWhy->isEnabled());
        EXPECT_TRUE(Form->Form2->sbWhy->isEnabled());
        // The target's frame, drawn over the answer's piece and its circle.
        TSudoku& Board = Form->Sudoku();
        const TPoint Target = Form->Round().TargetCell();
        const QColor Frame = Board.grab().toImage().pixelColor(
            Board.GridLeft + Target.X * Board.CellWidth + 2,
            Board.GridTop + Target.Y * Board.CellHeight + Board.CellHeight / 2);
        EXPECT_EQ(Frame, ExplainSingleColor());
        // In the picture's free upper left, clear of the dialog.
        EXPECT_TRUE(QRect(8, 8, 428, 232).contains(Form->pnExplanation->geometry()));
        Checked = true;
        Form->Form2->reject();
        return true;
    });
    int Digit = 0, Col = 0, Row = 0;
    switch (GetParam()) {
    case TLoss::WrongDigit:
    case TLoss::WrongCell:
        ASSERT_TRUE(FindWrongDrop(GetParam() == TLoss::WrongDigit, Digit, Col, Row));
        DropDigit(Digit, Col, Row);
        break;
    case TLoss::TimeOut:
        AdvanceClock(static_cast<std::uint32_t>(Form->Round().TimeLimit()));
        ClockTick();
        break;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return Checked; }));
    EXPECT_EQ(Answers.Messages.size(), GetParam() == TLoss::TimeOut ? 0 : 1);
    EXPECT_TRUE(ShownAtTheSound);
    // Closing the dialog keeps it in sight until the next question.
    EXPECT_TRUE(Shown());
}

INSTANTIATE_TEST_SUITE_P(Ways, LostQuestion,
                         ::testing::Values(TLoss::WrongDigit, TLoss::WrongCell, TLoss::TimeOut),
                         [](const ::testing::TestParamInfo<TLoss>& Info) {
                             switch (Info.param) {
                             case TLoss::WrongDigit:
                                 return std::string("WrongDigit");
                             case TLoss::WrongCell:
                                 return std::string("WrongCell");
                             case TLoss::TimeOut:
                                 break;
                             }
                             return std::string("TimeOut");
                         });

TEST_F(WhyTest, AfterARightAnswerWhyIsAskedForAndTheNextQuestionTakesItAway) {
    StartWith({{"P1", 10}});
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_FALSE(Form->acWhy->isEnabled());
    // While asked the key does nothing.
    QTest::keyClick(Form->windowHandle(), Qt::Key_W);
    EXPECT_TRUE(Hidden());
    Form->acPause->trigger();
    EXPECT_FALSE(Form->acWhy->isEnabled());
    Form->acPause->trigger();

    Answers.Then([this](QWidget* W) {
        if (W != Form->Form2)
            return false;
        // A right answer is not explained unasked.
        EXPECT_TRUE(Hidden());
        EXPECT_TRUE(Form->acWhy->isEnabled());
        EXPECT_TRUE(Form->Form2->sbWhy->isEnabled());
        EXPECT_EQ(Form->Form2->sbWhy->toolTip(), QStringLiteral("なぜ why (W)"));
        // Below the full bar, clear of the name.
        const QRect Button = Form->Form2->sbWhy->geometry();
        for (const QWidget* Other : {static_cast<QWidget*>(Form->Form2->Panel1),
                                     static_cast<QWidget*>(Form->Form2->lbSelect),
                                     static_cast<QWidget*>(Form->Form2->lbSelect2)})
            EXPECT_FALSE(Button.intersects(Other->geometry())) << Other->objectName().toStdString();
        EXPECT_TRUE(Form->Form2->rect().contains(Button));
        Form->Form2->sbWhy->click();
        EXPECT_TRUE(Shown());
        ExpectTheRoundsExplanation();
        Form->ClearExplanation();
        PressInDialog(Qt::Key_W);
        EXPECT_TRUE(Shown());
        Form->Form2->sbOkClick();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && Form->QuestionRunning(); }));
    EXPECT_TRUE(Hidden());
    EXPECT_FALSE(Form->acWhy->isEnabled());
    EXPECT_FALSE(Form->Form2->sbWhy->isEnabled());
}

TEST_F(WhyTest, AnotherPlayerTakesTheExplanationAway) {
    StartWith({{"P1", 12}, {"P2", 20}}, 0, {{std::string(EmptyCellQuestions[0]), 1}});
    ASSERT_TRUE(WaitForQuestion());
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    Form->FinishQuestion(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    ASSERT_TRUE(Shown());
    // The same player chosen again keeps it; another does not.
    Form->SelectUser(0);
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(Form->acWhy->isEnabled());
    Form->SelectUser(1);
    EXPECT_TRUE(Hidden());
    EXPECT_FALSE(Form->acWhy->isEnabled());
    Form->acWhy->trigger();
    EXPECT_TRUE(Hidden());
}

} // namespace
} // namespace kumoji::test
