// The record in play: each answer saved with the roster, and the record window it opens.
#include "game/record_window.h"
#include "game_fixture.h"
#include "storage/date_text.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

namespace kumoji::test {
namespace {

class RecordTest : public GameTest {
protected:
    TRecordWindow* OpenRecordWindow() const {
        for (QWidget* W : QApplication::topLevelWidgets())
            if (auto* Window = qobject_cast<TRecordWindow*>(W); Window && Window->isVisible())
                return Window;
        return nullptr;
    }
};

TEST_F(RecordTest, AnAnswerIsSavedAndTheDialogShowsTheChosenPlayersRecord) {
    StartWith({{"P1", 10}, {"P2", 20}});
    ASSERT_TRUE(WaitForQuestion());
    const int Technique = Form->Round().Technique();
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        // Below the why command, clear of the bar and the name.
        const QRect Button = Form->Form2->sbRecord->geometry();
        for (const QWidget* Other :
             {static_cast<QWidget*>(Form->Form2->Panel1), static_cast<QWidget*>(Form->Form2->sbWhy),
              static_cast<QWidget*>(Form->Form2->lbSelect)})
            EXPECT_FALSE(Button.intersects(Other->geometry())) << Other->objectName().toStdString();
        EXPECT_TRUE(Form->Form2->rect().contains(Button));
        Form->Form2->sbRecord->click();
        TRecordWindow* Window = OpenRecordWindow();
        EXPECT_NE(Window, nullptr);
        if (Window) {
            EXPECT_EQ(Window->Statistics().Total, 1);
            EXPECT_EQ(Window->Statistics().AllTime[static_cast<std::size_t>(Technique)].Right, 1);
            EXPECT_EQ(Window->Techniques()->item(Technique - 1, 2)->text(), QStringLiteral("1"));
            EXPECT_EQ(Window->Days()->rowCount(), 1);
            Window->close();
        }
        Form->Form2->sbOkClick();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done() && Form->QuestionRunning(); }));

    TAnswerRecord Saved;
    Saved.LoadFromFile(DataFilePath().toStdString());
    ASSERT_EQ(Saved.Entries().size(), 1u);
    EXPECT_EQ(Saved.Entries()[0].Player, "P1");
    EXPECT_EQ(Saved.Entries()[0].Position, 10);
    EXPECT_EQ(Saved.Entries()[0].Outcome, TAnswerOutcome::Right);
    // The roster's records are as a roster-only reader expects.
    EXPECT_EQ(StoredPosition(0), 11);
}

TEST_F(RecordTest, TheToolBarOpensTheCurrentPlayersRecordEvenWhenEmpty) {
    StartWith({{"P1", 10}, {"P2", 20}}, 1);
    ASSERT_TRUE(WaitForQuestion());
    Form->acRecord->trigger();
    TRecordWindow* Window = OpenRecordWindow();
    ASSERT_NE(Window, nullptr);
    EXPECT_TRUE(Window->windowTitle().contains(QStringLiteral("P2")));
    EXPECT_EQ(Window->Statistics().Total, 0);
    EXPECT_EQ(Window->Days()->rowCount(), 0);
    Window->close();
}

TEST(RecordWindow, ListsTheFirstRoutesTechniquesAndEveryOtherOnceAsked) {
    TAnswerRecord Record;
    for (const int Technique : {2, 13, 17}) {
        TAnswer E;
        E.Player = "P1";
        E.When = EncodeDateTime(2026, 12, 9, 10);
        E.Route = Technique > 6 ? 4 : 1;
        E.Technique = Technique;
        E.Puzzle.assign(81, '0');
        E.LimitMs = 60000;
        E.UsedMs = 20000;
        E.Outcome = TAnswerOutcome::Right;
        Record.Add(E);
    }
    TRecordWindow Window(nullptr, Record, "P1", EncodeDateTime(2026, 12, 9, 12));
    const QTableWidget& Table = *Window.Techniques();
    ASSERT_EQ(Table.rowCount(), 8);
    EXPECT_EQ(Table.item(6, 1)->text(), QStringLiteral("1"));
    EXPECT_EQ(Table.item(7, 1)->text(), QStringLiteral("1"));
    EXPECT_EQ(Window.Statistics().AllTime[13].Right, 1);
    EXPECT_EQ(Table.item(5, 1)->text(), QStringLiteral("0")) << "technique 6, never asked";
}

} // namespace
} // namespace kumoji::test
