// Practice in the window: chosen from the dialog or the bar, hints drawn level by level, every
// answer explained, nothing climbed or lost, and the climb found as it was.
#include "board/explain_marks.h"
#include "board/explain_overlay.h"
#include "board/explain_panel.h"
#include "board/sudoku.h"
#include "engine/explain/explained_question.h"
#include "game/player_dialog.h"
#include "game/round/time_limit.h"
#include "game/tables.h"
#include "game_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <random>

namespace kumoji::test {
namespace {

// Seeded questions of one technique, as practice asks them.
class TSeededPractice : public TQuestionSource {
public:
    explicit TSeededPractice(TSolveMethod Technique) : FTechnique(Technique) {}
    std::optional<TQuestion> Take(int) override {
        const TRandomDraw Draw = [this](int N) {
            return static_cast<int>(FEngine() % static_cast<unsigned>(N));
        };
        return TQuestion{GenerateExplainedQuestion(FTechnique, Draw).Text, FTechnique};
    }

private:
    TSolveMethod FTechnique;
    std::mt19937 FEngine{11};
};

class PracticeWindowTest : public GameTest {
protected:
    const TExplainOverlay& Overlay() const { return *Form->Sudoku().ExplainOverlay(); }
    QString RouteLabel() const { return Form->lbKimeteMode1->property("PlainText").toString(); }

    // A right climb answer, then practice of Technique chosen in the dialog.
    void ClimbOnceThenPractise(TSolveMethod Technique) {
        StartWith({{"P1", 12}, {"P2", 20}}, 0, {{std::string(EmptyCellQuestions[0]), 1}});
        ASSERT_TRUE(WaitForQuestion());
        Form->SetPracticeSource(std::make_unique<TSeededPractice>(Technique));
        Answers.Then([this, Technique](QWidget* W) {
            if (W != Form->Form2)
                return false;
            EXPECT_TRUE(Form->Form2->sbPractice->isVisibleTo(Form->Form2));
            Form->PracticeChosen(Technique);
            return true;
        });
        DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
                  Form->Round().TargetCell().Y);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && Form->QuestionRunning(); }));
        ASSERT_TRUE(Form->Round().Practicing());
        ASSERT_EQ(StoredPosition(0), 13);
    }
};

TEST_F(PracticeWindowTest, HintsGoFromTheNameToWhereToLookToTheWholeExplanation) {
    ClimbOnceThenPractise(smYourReserved);
    EXPECT_EQ(Form->Round().Technique(), smYourReserved);
    EXPECT_TRUE(RouteLabel().startsWith(QStringLiteral("練習")));
    EXPECT_TRUE(Form->acPractice->isChecked());
    EXPECT_FALSE(Form->acPractice->isEnabled()) << "not while a question runs";
    ASSERT_TRUE(Form->acHint->isEnabled());
    EXPECT_TRUE(Overlay().Marks().Empty());

    const std::optional<TExplanation> Explanation = Form->Round().AskedExplanation();
    ASSERT_TRUE(Explanation);
    ASSERT_FALSE(Explanation->Steps.empty());

    Form->acHint->trigger();
    ASSERT_EQ(Form->pnExplanation->Lines().size(), 1U);
    EXPECT_NE(Form->pnExplanation->Lines()[0].find("あなた方の予約席"), std::string::npos);
    EXPECT_TRUE(Overlay().Marks().Empty()) << "the name alone";

    Form->acHint->trigger();
    EXPECT_EQ(Form->pnExplanation->Lines().size(), 2U);
    const TExplainMarks& Look = Overlay().Marks();
    EXPECT_EQ(Look, LookMarks(*Explanation));
    EXPECT_EQ(Look.Units, Explanation->Steps[0].Units);
    EXPECT_FALSE(Look.PatternCells.empty());
    // Where to look gives neither the move nor a candidate away.
    EXPECT_LT(Look.Target, 0);
    EXPECT_TRUE(Look.Digits.empty());
    EXPECT_TRUE(Overlay().isVisible());

    Form->acHint->trigger();
    EXPECT_EQ(Form->pnExplanation->Lines(), Explanation->Text);
    EXPECT_EQ(Overlay().Marks(), ExplainMarks(*Explanation, Form->Round().Asked()));
    EXPECT_FALSE(Form->acHint->isEnabled());
    Form->acHint->trigger();
    EXPECT_EQ(Form->Round().HintLevel(), 3);
}

TEST_F(PracticeWindowTest, NoClockEndAndNoLossAndEveryAnswerIsExplained) {
    ClimbOnceThenPractise(smMyReserved);
    // The clock runs down to nothing and the question stays.
    AdvanceClock(static_cast<std::uint32_t>(Form->Round().TimeLimit()) + 5000);
    ClockTick();
    EXPECT_TRUE(Form->QuestionRunning());
    EXPECT_EQ(Form->pnTimer->text(), QStringLiteral("0"));

    int Digit = 0, Col = 0, Row = 0;
    ASSERT_TRUE(FindWrongDrop(true, Digit, Col, Row));
    Answers.Message();
    bool Explained = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Explained = Overlay().isVisible() && Form->pnExplanation->isVisible() &&
                    Overlay().Marks().Target ==
                        Form->Round().TargetCell().X + 9 * Form->Round().TargetCell().Y;
        // Play goes on with practice.
        Form->Form2->sbOkClick();
        return true;
    });
    DropDigit(Digit, Col, Row);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && Form->QuestionRunning(); }));
    EXPECT_TRUE(Explained);
    EXPECT_TRUE(Form->Round().Practicing());
    EXPECT_EQ(StoredPosition(0), 13) << "a lost practice question steps nobody back";

    // A right one is explained unasked too.
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Explained = Overlay().isVisible() && !Overlay().Marks().Empty();
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    EXPECT_TRUE(Explained);
    EXPECT_EQ(StoredPosition(0), 13);
    EXPECT_EQ(Form->Position(), 13);
    const auto& Entries = Form->Round().Record().Entries();
    ASSERT_EQ(Entries.size(), 3U);
    EXPECT_FALSE(Entries[0].Practice);
    EXPECT_TRUE(Entries[1].Practice);
    EXPECT_TRUE(Entries[2].Practice);
}

TEST_F(PracticeWindowTest, BackToTheClimbFromTheMenuOrByAnotherPlayer) {
    ClimbOnceThenPractise(smMyReserved);
    Answers.Then([this](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));

    ASSERT_TRUE(Form->acPractice->isEnabled());
    Form->miClimb->trigger();
    EXPECT_FALSE(Form->Round().Practicing());
    EXPECT_FALSE(Form->acPractice->isChecked());
    EXPECT_FALSE(Form->acHint->isEnabled());
    EXPECT_EQ(RouteLabel(), QString::fromUtf8(Routes[0].data()));
    EXPECT_TRUE(Form->lbKimetePosition->text().startsWith(QStringLiteral("現在")));
    EXPECT_TRUE(Overlay().Marks().Empty());
    // The climb's next question is route 0's, asked on the climb's clock.
    Form->acStart->trigger();
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_FALSE(Form->Round().Practicing());
    EXPECT_EQ(Form->Round().TimeLimit(), TimeLimit(Form->Round().Technique(), 13));
    Answers.Then([this](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->reject();
        return true;
    });
    Form->FinishQuestion(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));

    // Another player finds the climb, not the first player's practice.
    ASSERT_TRUE(Form->StartPractice(4));
    EXPECT_TRUE(RouteLabel().startsWith(QStringLiteral("練習")));
    Form->SelectUser(1);
    EXPECT_FALSE(Form->Round().Practicing());
    EXPECT_EQ(RouteLabel(), QString::fromUtf8(Routes[0].data()));
}

TEST_F(PracticeWindowTest, AWingIsPractisedWithItsNameAndItsPivotToLookAt) {
    ClimbOnceThenPractise(smXYWing);
    EXPECT_EQ(RouteLabel(), QStringLiteral("練習 XYウィング"));
    Form->acHint->trigger();
    ASSERT_EQ(Form->pnExplanation->Lines().size(), 1U);
    EXPECT_EQ(Form->pnExplanation->Lines()[0],
              "ヒント1：使う技は「XYウィング」  Hint 1: it takes XY-Wing");
    Form->acHint->trigger();
    const std::optional<TExplanation> Explanation = Form->Round().AskedExplanation();
    ASSERT_TRUE(Explanation);
    ASSERT_FALSE(Explanation->Steps.empty());
    EXPECT_EQ(Overlay().Marks().Pivot, Explanation->Steps[0].Cells[0]);
    EXPECT_TRUE(Overlay().Marks().Links.empty()) << "the links would point at the pincers' z";
}

} // namespace
} // namespace kumoji::test
