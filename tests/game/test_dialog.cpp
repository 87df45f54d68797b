#include "board/sudoku.h"
#include "game/player_dialog.h"
#include "game/round/time_limit.h"
#include "game_fixture.h"
#include "storage/sjis.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace kumoji::test {

namespace {

QStringList MenuLines(QMenu& Menu) {
    QStringList Lines;
    for (QAction* Item : Menu.actions())
        Lines << (Item->isSeparator() ? QStringLiteral("-") : Item->text());
    return Lines;
}

} // namespace

TEST_F(GameTest, PlayerMenuListsEveryPlayerOnceAndPicksOne) {
    WriteRoster({{"A&B", 12}, {"花子", 0}, {"Beyond", 51}});
    bool Checked = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        TForm2& Dialog = *Form->Form2;
        EXPECT_TRUE(Dialog.sbCangeUser->isEnabled());
        for (int Time = 0; Time < 2; ++Time) {
            Dialog.pmCangeUser->popup(QPoint(10, 10));
            Dialog.pmCangeUser->hide();
        }
        EXPECT_EQ(MenuLines(*Dialog.pmCangeUser),
                  (QStringList{"新規追加 new user", "-", "A&&B / ６合２勺 (12)",
                               "花子 / 登山口 (0)", "Beyond / 山頂 (51)", "-", "キャンセル"}));
        Dialog.pmCangeUser->actions()[3]->trigger();
        EXPECT_EQ(Dialog.FUserIndex, 1);
        EXPECT_TRUE(Dialog.sbOk->isEnabled());
        EXPECT_EQ(Dialog.lbSelect->text(), QStringLiteral("花子"));
        EXPECT_EQ(Dialog.lbSelect2->text(), QStringLiteral("花子"));
        Dialog.pmCangeUser->actions().last()->trigger();
        EXPECT_EQ(Dialog.FUserIndex, 1);
        Checked = true;
        Dialog.sbOk->click();
        return true;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Checked; }));
    // "continue" starts the next question a moment after the dialog closed.
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_EQ(Form->UserIndex(), 1);
    EXPECT_EQ(Form->lbUser1->text(), QStringLiteral("花子 さん"));
}

TEST_F(GameTest, NewPlayerPromptRefusesUnstorableNamesAndFindsExistingOnes) {
    WriteRoster({{"P1", 4}});
    std::string Jiro;
    Utf8ToCp932("次郎", Jiro);
    // The prompt is modal too: each is opened from the event loop, not from a step.
    const auto NewUser = [this] {
        QTimer::singleShot(0, Form->Form2->newuser1, &QAction::trigger);
    };
    const auto BackInDialog = [this](const std::function<void(TForm2&)>& Check) {
        return [this, Check](QWidget* W) {
            if (W != Form->Form2)
                return false;
            Check(*Form->Form2);
            return true;
        };
    };
    Answers.Then(BackInDialog([&](TForm2&) { NewUser(); }))
        .Input(QStringLiteral("x=y"))
        .Message()
        .Input(QStringLiteral("[x"))
        .Message()
        .Input(QStringLiteral("ok🙂"))
        .Message()
        .Input(QStringLiteral("  次郎  "))
        .Then(BackInDialog([&](TForm2& Dialog) {
            EXPECT_EQ(Answers.Messages.size(), 3);
            EXPECT_EQ(Dialog.FUserIndex, 1);
            EXPECT_EQ(Dialog.FNewName, Jiro);
            EXPECT_EQ(Dialog.lbSelect->text(), QStringLiteral("次郎"));
            EXPECT_TRUE(Dialog.sbOk->isEnabled());
            EXPECT_EQ(ReadRoster()->GetCount(), 2);
            // A new player is current only after "continue".
            EXPECT_EQ(Form->UserIndex(), -1);
            NewUser();
        }))
        .Input(QStringLiteral("P1"))
        .Then(BackInDialog([&](TForm2& Dialog) {
            // The same name again selects that player.
            EXPECT_EQ(Dialog.FUserIndex, 0);
            NewUser();
        }))
        .CancelInput()
        .Then(BackInDialog([&](TForm2& Dialog) {
            EXPECT_EQ(Dialog.FUserIndex, 0);
            EXPECT_EQ(ReadRoster()->GetCount(), 2);
            Dialog.reject();
        }));
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    // Closed with "close": the added player stays, nobody is selected, nothing starts.
    EXPECT_FALSE(Form->tmEvent->isActive());
    EXPECT_EQ(Answers.Unexpected, 0);
    EXPECT_EQ(Form->UserIndex(), -1);
    EXPECT_FALSE(Form->QuestionRunning());
    EXPECT_EQ(ReadRoster()->GetCount(), 2);
}

TEST_F(GameTest, SummitIsAnnouncedAndPlayStaysDisabled) {
    StartWith({{"P1", 49}});
    ASSERT_TRUE(WaitForQuestion());
    QPoint Placed;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        EXPECT_EQ(Sounds.back(), gsLandmark);
        EXPECT_EQ(StoredPosition(0), 50);
        Placed = Form->Form2->frameGeometry().topLeft();
        Form->Form2->sbOk->click();
        return true;
    });
    Answers.Message().Message(QMessageBox::No);
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    ASSERT_EQ(Answers.Messages.size(), 2);
    EXPECT_EQ(Answers.Messages[0],
              QStringLiteral("山頂に到着です！\n\n次は 須走ルート（初級） で挑戦しましょう"));
    // Declining the next route leaves everything as it was.
    EXPECT_EQ(Answers.Messages[1],
              QStringLiteral("次のルートに挑戦しますか？\n\nClimb the next route now?"));
    EXPECT_EQ(ReadRoster()->GetUser(0).Route, 0);
    EXPECT_FALSE(Form->tmEvent->isActive()) << "no question armed";
    EXPECT_FALSE(Form->QuestionRunning());
    EXPECT_FALSE(Form->acStart->isEnabled());
    EXPECT_EQ(Form->lbKimetePosition->text(), QStringLiteral("現在 山頂 (50)"));
    // The first dialog after a question sits at the lower left of the screen.
    const QRect Screen = Form->Form2->screen()->geometry();
    EXPECT_EQ(Placed.x(), 80);
    EXPECT_EQ(Placed.y(), Screen.height() - Form->Form2->frameGeometry().height() - 30);
}

TEST_F(GameTest, TheLastRouteEndsWithCongratulations) {
    WriteRoster({{"P1", 50, 6}});
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->UserMenuClick(0);
        Form->Form2->sbOk->click();
        return true;
    });
    Answers.Message();
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_EQ(Answers.Messages[0],
              QStringLiteral("山頂に到着です！\n\n数独ナンプレの頂点を極めました"
                             "\n\nおめでとうございます"));
    EXPECT_FALSE(Form->tmEvent->isActive()) << "no question armed";
    EXPECT_EQ(Form->UserIndex(), 0);
    EXPECT_FALSE(Form->QuestionRunning());
    EXPECT_EQ(Form->lbKimeteMode1->property("PlainText").toString(),
              QStringLiteral("月夜富士ルート（名人）"));
    EXPECT_EQ(ReadRoster()->GetUser(0).Route, 6) << "no route after the last";
}

TEST_F(GameTest, YesAtTheSummitClimbsTheNextRouteAtOnceAndARestartShowsIt) {
    WriteRoster({{"P1", 50}});
    Answers
        .Then([&](QWidget* W) {
            if (W != Form->Form2)
                return false;
            Form->Form2->UserMenuClick(0);
            Form->Form2->sbOk->click();
            return true;
        })
        .Message()
        .Then([&](QWidget* W) {
            auto* Box = qobject_cast<QMessageBox*>(W);
            if (!Box)
                return false;
            // Yes is what Enter chooses.
            EXPECT_EQ(static_cast<QAbstractButton*>(Box->defaultButton()),
                      Box->button(QMessageBox::Yes));
            Box->defaultButton()->click();
            return true;
        });
    StartGame();
    ASSERT_TRUE(WaitForQuestion(10000));
    EXPECT_EQ(Answers.Unexpected, 0);
    const auto Stored = ReadRoster();
    EXPECT_EQ(Stored->GetUser(0).Route, 1);
    EXPECT_EQ(Stored->GetUser(0).Position, 0);
    // A generated question of the new route, timed by its own technique.
    const int Technique = Form->Round().Technique();
    EXPECT_TRUE(Technique == 2 || Technique == 3) << Technique;
    EXPECT_EQ(Form->Round().TimeLimit(), TimeLimit(Technique, 0));
    EXPECT_EQ(Form->lbKimeteMode1->property("PlainText").toString(),
              QStringLiteral("須走ルート（初級）"));
    EXPECT_TRUE(Form->lbKimetePosition->text().startsWith(QStringLiteral("現在 登山口 (0)")));

    // Quitting mid-question (and giving it up) and starting again.
    Answers.Message(QMessageBox::Yes);
    EXPECT_TRUE(Form->close());
    Form.reset();
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->UserMenuClick(0);
        Form->Form2->sbOk->click();
        return true;
    });
    StartGame();
    ASSERT_TRUE(WaitForQuestion(10000));
    EXPECT_EQ(Form->lbKimeteMode1->property("PlainText").toString(),
              QStringLiteral("須走ルート（初級）"));
    EXPECT_GE(Form->Round().Technique(), 2);
}

TEST_F(GameTest, PlayersQuitAndComeBackToTheirPositions) {
    StartWith({{"A", 3}, {"B", 7}}, 1);
    ASSERT_TRUE(WaitForQuestion());
    Answers.Then([this](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && !Form->Form2->isVisible(); }));
    EXPECT_TRUE(Form->close());
    Form.reset();

    bool Checked = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Form->Form2->pmCangeUser->popup(QPoint(0, 0));
        Form->Form2->pmCangeUser->hide();
        EXPECT_EQ(MenuLines(*Form->Form2->pmCangeUser)[3], QStringLiteral("B / ５合８勺 (8)"));
        Checked = true;
        Form->Form2->reject();
        return true;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Checked; }));
    EXPECT_EQ(StoredPosition(0), 3);
    EXPECT_EQ(StoredPosition(1), 8);
}

} // namespace kumoji::test
