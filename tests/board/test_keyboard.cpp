#include "board/board_colors.h"
#include "board/key_cursor.h"
#include "board_fixture.h"

#include <QSignalSpy>
#include <QTest>

namespace kumoji::test {
namespace {

class KeyboardTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        Board->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Board.get()));
        ASSERT_TRUE(Board->hasFocus());
    }

    void Key(Qt::Key Which, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
        QTest::keyClick(Window, Which, Modifiers);
    }
    void Keys(Qt::Key Which, int Times) {
        for (int I = 0; I < Times; ++I) {
            Key(Which);
        }
    }
    void GoTo(int Col, int Row) {
        Keys(Qt::Key_Left, 8);
        Keys(Qt::Key_Up, 8);
        Keys(Qt::Key_Right, Col);
        Keys(Qt::Key_Down, Row);
        ASSERT_EQ(Board->KeyCursor(), QPoint(Col, Row));
    }
    static Qt::Key DigitKey(int Digit) { return static_cast<Qt::Key>(Qt::Key_0 + Digit); }
    QRect CellRect(int Col, int Row) const {
        return {Board->GridLeft + Col * Board->CellWidth, Board->GridTop + Row * Board->CellHeight,
                Board->CellWidth, Board->CellHeight};
    }
    const THistory& Newest() const {
        return Board->Histories().Items(Board->Histories().Count() - 1);
    }
};

TEST_F(KeyboardTest, ArrowsMoveAFramedCursorThatStopsAtTheEdges) {
    LoadQuestion(Puzzle);
    const TKeyCursor& Frame = *Board->KeyCursorFrame();
    EXPECT_EQ(Board->KeyCursor(), QPoint(0, 0));
    Key(Qt::Key_Left);
    EXPECT_TRUE(Frame.isVisible());
    EXPECT_TRUE(Frame.geometry().contains(CellRect(0, 0)));
    Key(Qt::Key_Up);
    EXPECT_EQ(Board->KeyCursor(), QPoint(0, 0));
    Keys(Qt::Key_Right, 12);
    Keys(Qt::Key_Down, 12);
    EXPECT_EQ(Board->KeyCursor(), QPoint(8, 8));
    EXPECT_TRUE(Frame.geometry().contains(CellRect(8, 8)));
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(Board->KeyCursor(), QPoint(7, 7));
    // Tab gathers hints; it must not move the keys elsewhere.
    QTest::keyPress(Window, Qt::Key_Tab);
    QTest::keyRelease(Window, Qt::Key_Tab);
    EXPECT_TRUE(Board->hasFocus());

    // The frame lies above the pieces, and only while the board is playable.
    const QWidget* Given = Board->childAt(CellRect(1, 0).center());
    ASSERT_NE(Given, nullptr);
    EXPECT_GT(Board->children().indexOf(&Frame), Board->children().indexOf(Given));
    Board->setEnabled(false);
    EXPECT_FALSE(Frame.isVisible());
    Board->setEnabled(true);
    EXPECT_TRUE(Frame.isVisible());
    // The next puzzle starts at A1 again.
    LoadQuestion(Puzzle);
    EXPECT_EQ(Board->KeyCursor(), QPoint(0, 0));
}

// A player who only uses the mouse never sees the frame: it comes with the first key that acts
// on the cursor, goes with a drop, and is not there when a puzzle begins.
TEST_F(KeyboardTest, TheFrameIsShownFromTheFirstKeyUntilAMouseDrop) {
    LoadQuestion(Puzzle);
    const TKeyCursor& Frame = *Board->KeyCursorFrame();
    EXPECT_FALSE(Frame.isVisible());
    // Keys the board does not take leave it hidden.
    Key(Qt::Key_A);
    Key(Qt::Key_Space);
    EXPECT_FALSE(Frame.isVisible());

    // Gone already when the drop is judged (the game may then open a message over the board).
    std::vector<bool> ShownAtChange;
    Board->OnChanged = [&](TSudoku&) { ShownAtChange.push_back(Frame.isVisible()); };
    const int Digit = SolutionDigit(0, 0);
    for (const Qt::Key First : {Qt::Key_Down, DigitKey(Digit), Qt::Key_Delete}) {
        Key(First);
        EXPECT_TRUE(Frame.isVisible()) << First;
        // A drop of a piece by the mouse, wherever it lands.
        Drag(PieceCenter(*Board->FindFreePiece(SolutionDigit(2, 0))), CellCenter(2, 0));
        EXPECT_FALSE(Frame.isVisible()) << First;
        ASSERT_NE(Board->PieceAt(2, 0), nullptr);
        Drag(CellCenter(2, 0), QPoint(10, 10));
        EXPECT_EQ(Board->PieceAt(2, 0), nullptr);
        ExpectConsistent(*Board);
    }
    EXPECT_EQ(ShownAtChange, std::vector<bool>(3, false));
    // Where the keys left it, and what they did there, stayed while it was hidden.
    EXPECT_EQ(Board->KeyCursor(), QPoint(0, 1));
    Key(Qt::Key_Right);
    EXPECT_TRUE(Frame.isVisible());
    EXPECT_TRUE(Frame.geometry().contains(CellRect(1, 1)));
    // A memo stroke is no drop.
    Drag(CellCenter(4, 4), CellCenter(6, 6));
    EXPECT_TRUE(Frame.isVisible());
    LoadQuestion(Puzzle);
    EXPECT_FALSE(Frame.isVisible());
}

TEST_F(KeyboardTest, DigitsPlaceAsADropDoesAndRefusalsBeep) {
    LoadQuestion(Puzzle);
    QSignalSpy Beeps(Board.get(), &TSudoku::Refused);
    // B1 holds a given 6; A1 is empty and its row holds a 6.
    Key(DigitKey(6));
    GoTo(1, 0);
    Key(DigitKey(3));
    Key(Qt::Key_Delete);
    EXPECT_EQ(Beeps.count(), 3);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Board->Histories().Count(), 30);
    ExpectConsistent(*Board);

    // The right digit goes on as a recorded move from the tray, once reported.
    GoTo(0, 0);
    const int Digit = SolutionDigit(0, 0);
    const TNumberPiece* Front = Board->FindFreePiece(Digit);
    Key(DigitKey(Digit));
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Board->PieceAt(0, 0), Front);
    EXPECT_EQ(Newest().PieceIndex, Front->Index);
    EXPECT_EQ(Newest().FromCol, -1);
    EXPECT_EQ(Board->Histories().Count(), 31);
    // Occupied now: refused.
    Key(DigitKey(SolutionDigit(2, 0)));
    EXPECT_EQ(Beeps.count(), 4);
    ExpectConsistent(*Board);

    // Delete and Backspace take a free piece home as a recorded move, unreported.
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Board->PieceAt(0, 0), nullptr);
    EXPECT_EQ(Newest().ToCol, -1);
    EXPECT_EQ(Newest().FromCol, 0);
    EXPECT_EQ(Changes, 1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Beeps.count(), 5);
    ExpectConsistent(*Board);
}

TEST_F(KeyboardTest, ADigitWithNoPieceLeftIsRefused) {
    // Every 1 is on the grid already.
    LoadQuestion(Rows({"1........", "...1.....", "......1..", ".1.......", "....1....", ".......1.",
                       "..1......", ".....1...", "........1"}));
    QSignalSpy Beeps(Board.get(), &TSudoku::Refused);
    GoTo(1, 0);
    Key(Qt::Key_1);
    EXPECT_EQ(Beeps.count(), 1);
    EXPECT_EQ(Board->Count(), 9);
}

TEST_F(KeyboardTest, ShiftDigitShowsHintsAsARightClickAndOnlyAPlayableBoardTakesKeys) {
    LoadQuestion(Rows({"...1.....", ".......1.", ".........", ".....1...", ".23456789", ".........",
                       ".........", ".........", "........."}));
    const QRect Single = HintSlot(0, 4, 1);
    const QRect Two = HintSlot(0, 7, 2);
    Key(Qt::Key_1, Qt::ShiftModifier);
    EXPECT_GT(CountColor(*Board->HintImage(), Single, ForcedColor()), 0);
    // Shift turns the digit row into symbols; the key's place still names the digit.
    QKeyEvent Shifted(QEvent::KeyPress, Qt::Key_At, Qt::ShiftModifier, 11, 0, 0, "@");
    QCoreApplication::sendEvent(Board.get(), &Shifted);
    EXPECT_EQ(CountColor(*Board->HintImage(), Single, ForcedColor()), 0);
    EXPECT_GT(CountColor(*Board->HintImage(), Two, CandidateColor()), 0);
    QTest::keyPress(Window, Qt::Key_Tab);
    Key(Qt::Key_1, Qt::ShiftModifier);
    QTest::keyRelease(Window, Qt::Key_Tab);
    EXPECT_GT(CountColor(*Board->HintImage(), Single, ForcedColor()), 0);
    EXPECT_GT(CountColor(*Board->HintImage(), Two, CandidateColor()), 0);
    EXPECT_EQ(Board->Count(), 11);

    // Disabled (no question) or hidden (paused), the board takes no keys.
    for (const bool Hidden : {false, true}) {
        Board->setEnabled(Hidden);
        Board->setVisible(!Hidden);
        QTest::keyClick(Board.get(), Qt::Key_Right);
        QTest::keyClick(Board.get(), DigitKey(1));
        EXPECT_EQ(Board->KeyCursor(), QPoint(0, 0));
        EXPECT_EQ(Board->Count(), 11);
        EXPECT_EQ(Changes, 0);
    }
}

} // namespace
} // namespace kumoji::test
