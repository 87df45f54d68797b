#include "board/board_colors.h"
#include "board_fixture.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>

namespace kumoji::test {
namespace {

TEST_F(BoardTest, StartLaysOutTheGridAndFansThePilesInTheTray) {
    EXPECT_EQ(Board->CellWidth, 52);
    EXPECT_EQ(Board->CellHeight, 51);
    EXPECT_EQ(Board->GridLeft, 104);
    EXPECT_EQ(Board->GridTop, 20);
    ASSERT_EQ(Board->PieceCount(), 81);
    for (int Index = 0; Index < 81; ++Index) {
        const TNumberPiece& Piece = *Board->Pieces(Index);
        EXPECT_EQ(Piece.Index, Index);
        EXPECT_EQ(Piece.Digit(), Index / 9 + 1);
        EXPECT_EQ(Piece.geometry(), QRect(4 * (Index % 9), Index / 9 * 51 + 22, 49, 48));
        EXPECT_TRUE(Piece.isVisible());
        EXPECT_FALSE(Piece.Fixed);
        EXPECT_EQ(Piece.Col, -1);
    }
    EXPECT_EQ(Board->Pieces(81), nullptr);
    EXPECT_EQ(Board->Pieces(-1), nullptr);
    EXPECT_EQ(Board->Count(), 0);

    // Grid lines: grey thin lines inside a box, black box lines.
    const QImage& Grid = Board->GridImage()->Canvas();
    EXPECT_EQ(Grid.pixelColor(104 + 52, 100).rgb(), GridLineColor().rgb());
    EXPECT_EQ(Grid.pixelColor(104 + 3 * 52, 100).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(Grid.pixelColor(300, 20 + 9 * 51).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(Grid.pixelColor(300, 100).alpha(), 0);
}

// The deal runs from a timer: the pieces appear in their order while events run, and Dealt
// comes once, after the last; a Start during a deal begins it again.
TEST_F(BoardTest, StartDealsThePiecesOneByOneWhileEventsRun) {
    struct TDelay {
        TDelay() { TSudoku::SetPieceDelay(std::chrono::milliseconds(1)); }
        ~TDelay() { TSudoku::SetPieceDelay(std::chrono::milliseconds(0)); }
    } Delay;
    QSignalSpy Dealt(Board.get(), &TSudoku::Dealt);
    const auto Shown = [&] {
        int Count = 0;
        for (int Index = 0; Index < Board->PieceCount(); ++Index)
            Count += Board->Pieces(Index)->isVisible();
        return Count;
    };
    Board->Start();
    ASSERT_EQ(Board->PieceCount(), 81);
    EXPECT_TRUE(Board->Dealing());
    EXPECT_EQ(Shown(), 0);

    // Looked at on every turn of the event loop.
    bool Ordered = true;
    std::vector<int> Counts;
    bool Restarted = false;
    QTimer Watch;
    Watch.setInterval(0);
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        const int Count = Shown();
        for (int Index = 0; Index < Count; ++Index)
            Ordered = Ordered && Board->Pieces(Index)->isVisible();
        Counts.push_back(Count);
        if (Count >= 20 && !Restarted) {
            Restarted = true;
            Board->Start();
            EXPECT_EQ(Shown(), 0);
        }
    });
    Watch.start();
    ASSERT_TRUE(Dealt.wait(5000));
    Watch.stop();
    EXPECT_TRUE(Restarted);
    EXPECT_TRUE(Ordered);
    // One at a time: no turn of the loop saw more than one new piece.
    for (std::size_t I = 1; I < Counts.size(); ++I)
        EXPECT_LE(Counts[I] - Counts[I - 1], 1) << I;
    EXPECT_FALSE(Board->Dealing());
    EXPECT_EQ(Shown(), 81);
    QCoreApplication::processEvents();
    EXPECT_EQ(Dealt.count(), 1);

    // Without a delay the deal is over when Start returns.
    TSudoku::SetPieceDelay(std::chrono::milliseconds(0));
    Board->Start();
    EXPECT_FALSE(Board->Dealing());
    EXPECT_EQ(Shown(), 81);
    EXPECT_EQ(Dealt.count(), 2);
}

TEST_F(BoardTest, FreePiecesComeFromTheTopOfThePile) {
    EXPECT_EQ(Board->FindFreePiece(5)->Index, 44);
    EXPECT_TRUE(Board->PutPiece(44, 4, 4, true));
    EXPECT_EQ(Board->FindFreePiece(5)->Index, 43);
    EXPECT_EQ(Board->PieceAt(4, 4)->Index, 44);
    EXPECT_EQ(Board->PieceAt(0, 0), nullptr);
    EXPECT_EQ(Board->FindFreePiece(0), nullptr);
    EXPECT_EQ(Board->FindFreePiece(10), nullptr);
    // The pile of a digit placed nine times is empty.
    for (int I = 0; I < 81; ++I) {
        if (Solution[static_cast<std::size_t>(I)] == '9') {
            EXPECT_NE(Board->FindFreePiece(9), nullptr);
            Board->PutPiece(Board->FindFreePiece(9)->Index, I % 9, I / 9, true);
        }
    }
    EXPECT_EQ(Board->FindFreePiece(9), nullptr);
    ExpectConsistent(*Board);
}

TEST_F(BoardTest, LoadPuzzleRejectsTextsThatAreNotPuzzles) {
    LoadAsWritten(Puzzle);
    const int Entries = Board->Histories().Count();
    for (std::string Bad : {std::string(Puzzle).replace(10, 1, "x"), Puzzle.substr(0, 80),
                            Puzzle + "0", std::string(Puzzle).replace(3, 1, " ")}) {
        const std::string Before = Bad;
        EXPECT_FALSE(Board->LoadPuzzle(Bad));
        EXPECT_EQ(Bad, Before);
    }
    EXPECT_EQ(Board->Count(), 30);
    EXPECT_EQ(Board->Histories().Count(), Entries);
    EXPECT_EQ(Changes, 30);
}

TEST_F(BoardTest, LoadedAndFixedPuzzleProtectsItsGivens) {
    ASSERT_EQ(Givens(Puzzle), 30);
    LoadQuestion(Puzzle);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Board->Count(), 30);
    EXPECT_EQ(Board->Histories().Count(), 30);
    EXPECT_EQ(Board->Histories().Floater(), 29);
    EXPECT_EQ(Board->FixedPos(), 30);
    for (int Index = 0; Index < 81; ++Index) {
        const TNumberPiece& Piece = *Board->Pieces(Index);
        EXPECT_EQ(Piece.Fixed, Piece.OnGrid());
        if (Piece.OnGrid()) {
            EXPECT_EQ(Puzzle[static_cast<std::size_t>(Piece.Col + 9 * Piece.Row)],
                      '0' + Piece.Digit());
            EXPECT_EQ(Board->Histories().Items(0).Method, smNone);
        }
    }
    ExpectConsistent(*Board);

    // A random transform keeps the givens' count and hands back the new text.
    std::string Text = Puzzle;
    ASSERT_TRUE(Board->LoadPuzzle(Text));
    EXPECT_EQ(Givens(Text), 30);
    EXPECT_EQ(Board->Count(), 30);
    EXPECT_EQ(Board->FixedPos(), 0);
    for (int I = 0; I < 81; ++I) {
        EXPECT_EQ(Board->Matrix().Values[static_cast<std::size_t>(I)],
                  Text[static_cast<std::size_t>(I)] - '0');
    }

    Board->UnFix();
    Board->Clear();
    EXPECT_EQ(Board->Count(), 0);
    EXPECT_EQ(Board->Histories().Count(), 0);
    EXPECT_EQ(Board->Histories().Floater(), -1);
    ExpectConsistent(*Board);
}

TEST_F(BoardTest, RefusedGivenStaysVisiblyInTheTray) {
    // Two 5s in the first row: the second is refused.
    std::string Text(81, '0');
    Text[0] = '5';
    Text[8] = '5';
    Text[40] = '7';
    LoadAsWritten(Text);
    EXPECT_EQ(Board->Count(), 2);
    EXPECT_EQ(Board->Histories().Count(), 2);
    const TNumberPiece& Refused = *Board->Pieces(43);
    EXPECT_EQ(Refused.Col, -1);
    EXPECT_EQ(Refused.pos(), QPoint(Refused.HomeLeft, Refused.HomeTop));
    EXPECT_NE(Refused.pos(), QPoint(0, 0));
    ExpectConsistent(*Board);
}

TEST_F(BoardTest, PutPieceRefusalsChangeNothingButBeep) {
    LoadQuestion(Puzzle);
    // Off the grid beyond the tray.
    EXPECT_FALSE(Board->PutPiece(0, 9, 0, true));
    EXPECT_FALSE(Board->PutPiece(0, 0, -2, true));
    // No such piece.
    EXPECT_FALSE(Board->PutPiece(81, 0, 0, true));
    EXPECT_FALSE(Board->PutPiece(-1, 0, 0, true));
    // Occupied cell; cell whose row already holds the digit: (0, 0) is empty,
    // row 0 holds a 6.
    ASSERT_EQ(Board->Matrix().GetValue(1, 0), 6);
    EXPECT_FALSE(Board->PutPiece(Board->FindFreePiece(3)->Index, 1, 0, true));
    EXPECT_FALSE(Board->PutPiece(Board->FindFreePiece(6)->Index, 0, 0, true));
    EXPECT_EQ(Board->Count(), 30);
    EXPECT_EQ(Board->Histories().Count(), 30);
    EXPECT_EQ(Changes, 0);
    ExpectConsistent(*Board);

    // The right digit is accepted and reported once.
    const int Digit = Solution[0] - '0';
    EXPECT_TRUE(Board->PutPiece(Board->FindFreePiece(Digit)->Index, 0, 0, true));
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Board->Count(), 31);
    // Unrecorded placements raise nothing.
    EXPECT_TRUE(Board->PutPiece(Board->FindFreePiece(Solution[2] - '0')->Index, 2, 0, false));
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Board->Histories().Count(), 31);
    ExpectConsistent(*Board);
}

TEST_F(BoardTest, MovingAPieceStraightToAnotherCellLeavesItsOldCell) {
    ASSERT_TRUE(Board->PutPiece(0, 0, 0, true));
    EXPECT_TRUE(Board->PutPiece(0, 4, 4, true));
    EXPECT_EQ(Board->Matrix().GetValue(0, 0), 0);
    // Refused in its own row: it stays on (4, 4) with its digit.
    ASSERT_TRUE(Board->PutPiece(1, 0, 0, true));
    EXPECT_FALSE(Board->PutPiece(0, 5, 0, true));
    EXPECT_EQ(Board->Matrix().GetValue(4, 4), 1);
    EXPECT_EQ(Board->Histories().Items(1).FromCol, 0);
    EXPECT_TRUE(Board->PutPiece(0, -1, -1, true));
    EXPECT_EQ(Board->Histories().Items(3).ToCol, -1);
    ExpectConsistent(*Board);
}

TEST_F(BoardTest, CaptionCountsFilledCells) {
    const QRect Caption(0, 0, 2 * Board->CellWidth, 20);
    const QImage Empty = Board->HintImage()->Canvas().copy(Caption);
    EXPECT_GT(CountColor(*Board->HintImage(), Caption, CaptionColor()), 10);
    LoadQuestion(Puzzle);
    EXPECT_NE(Board->HintImage()->Canvas().copy(Caption), Empty);
    Board->ShowHints(0);
    EXPECT_GT(CountColor(*Board->HintImage(), Caption, CaptionColor()), 10);
    Board->Clear();
    EXPECT_EQ(Board->HintImage()->Canvas().copy(Caption), Empty);
}

TEST_F(BoardTest, PublishedNamesAreInTheMetaObject) {
    const QMetaObject* Meta = Board->metaObject();
    for (const char* Method :
         {"Start()", "Fix()", "UnFix()", "Clear()", "Undo()", "Redo()", "UndoAll()", "RedoAll()"}) {
        EXPECT_GE(Meta->indexOfMethod(Method), 0) << Method;
    }
    for (const char* Property : {"BackPicture", "FixedPos", "PenColor", "PenMode", "Count"}) {
        EXPECT_GE(Meta->indexOfProperty(Property), 0) << Property;
    }
    LoadQuestion(Puzzle);
    EXPECT_EQ(Board->property("Count").toInt(), 30);
    EXPECT_EQ(Board->property("FixedPos").toInt(), 30);
    EXPECT_TRUE(QMetaObject::invokeMethod(Board.get(), "Clear"));
    EXPECT_EQ(Board->Count(), 0);
}

} // namespace
} // namespace kumoji::test
