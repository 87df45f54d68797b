#include "board/board_colors.h"
#include "board/cursor_table.h"
#include "board_fixture.h"

#include <QTest>

namespace kumoji::test {
namespace {

class InputTest : public BoardTest {
protected:
    // The colour of the mark in a hint slot; invalid when the slot is empty.
    QColor MarkIn(int Col, int Row, int Digit) const {
        const QImage& Canvas = Board->HintImage()->Canvas();
        const QRect Slot = HintSlot(Col, Row, Digit);
        for (int Y = Slot.top(); Y <= Slot.bottom(); ++Y) {
            for (int X = Slot.left(); X <= Slot.right(); ++X) {
                const QColor Pixel = Canvas.pixelColor(X, Y);
                if (Pixel.alpha() == 255) {
                    return Pixel;
                }
            }
        }
        return {};
    }

    const THistory& Newest() const {
        return Board->Histories().Items(Board->Histories().Count() - 1);
    }
};

TEST_F(InputTest, DraggingFromTheTrayPlacesThePieceWhereThePointerIs) {
    LoadQuestion(Puzzle);
    TNumberPiece& Piece = *Board->FindFreePiece(SolutionDigit(0, 0));
    // Grab the piece near its corner: the pointer, not the piece, decides.
    const QPoint Grip = Piece.pos() + QPoint(40, 40);
    Drag(Grip, CellCenter(0, 0) + QPoint(20, 20));
    EXPECT_EQ(Piece.Col, 0);
    EXPECT_EQ(Piece.Row, 0);
    EXPECT_EQ(Piece.pos(), QPoint(107, 23));
    EXPECT_FALSE(Piece.Raised());
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Board->Histories().Count(), 31);
    EXPECT_EQ(Newest().PieceIndex, Piece.Index);
    EXPECT_EQ(Newest().FromCol, -1);
    EXPECT_EQ(Newest().ToCol, 0);
    EXPECT_EQ(Newest().ToRow, 0);
    ExpectConsistent(*Board);
}

TEST_F(InputTest, RefusedDropsSendThePieceBackSilently) {
    LoadQuestion(Puzzle);
    // Row 0 already holds a 6; cell (1, 0) holds a given.
    TNumberPiece& Six = *Board->FindFreePiece(6);
    Drag(PieceCenter(Six), CellCenter(0, 0));
    TNumberPiece& Three = *Board->FindFreePiece(3);
    Drag(PieceCenter(Three), CellCenter(1, 0));
    EXPECT_EQ(Six.Col, -1);
    EXPECT_EQ(Three.Col, -1);
    EXPECT_EQ(Board->Matrix().GetValue(0, 0), 0);
    EXPECT_EQ(Board->Matrix().GetValue(1, 0), 6);
    EXPECT_EQ(Board->Histories().Count(), 30);
    EXPECT_EQ(Changes, 0);
    ExpectConsistent(*Board);

    // Givens cannot be dragged at all.
    TNumberPiece& Given = *Board->PieceAt(1, 0);
    Drag(CellCenter(1, 0), CellCenter(0, 0));
    EXPECT_EQ(Given.Col, 1);
    EXPECT_EQ(Board->Histories().Count(), 30);
    ExpectConsistent(*Board);
}

TEST_F(InputTest, DropOnItsOwnCellChangesNothing) {
    LoadAsWritten(Puzzle);
    Changes = 0;
    TNumberPiece& Piece = *Board->PieceAt(1, 0);
    QTest::mouseClick(Window, Qt::LeftButton, Qt::NoModifier, CellCenter(1, 0));
    // Dragged about and brought back.
    Drag(CellCenter(1, 0), CellCenter(5, 5));
    ASSERT_EQ(Piece.Col, 5);
    Drag(CellCenter(5, 5), CellCenter(1, 0));
    const int Entries = Board->Histories().Count();
    QTest::mousePress(Window, Qt::LeftButton, Qt::NoModifier, CellCenter(1, 0));
    QTest::mouseMove(Window, CellCenter(3, 3));
    QTest::mouseMove(Window, CellCenter(1, 0) + QPoint(5, 5));
    QTest::mouseRelease(Window, Qt::LeftButton, Qt::NoModifier, CellCenter(1, 0) + QPoint(5, 5));
    EXPECT_EQ(Piece.Col, 1);
    EXPECT_EQ(Piece.Row, 0);
    EXPECT_EQ(Board->Histories().Count(), Entries);
    EXPECT_EQ(Changes, 2);
    ExpectConsistent(*Board);
}

TEST_F(InputTest, MarginsLandOnTheLastColumnAndRowTrayAndOutsideSendHome) {
    const int Right = Board->GridLeft + 9 * Board->CellWidth;
    const int Bottom = Board->GridTop + 9 * Board->CellHeight;
    TNumberPiece& One = *Board->FindFreePiece(1);
    Drag(PieceCenter(One), {Right + 3, CellCenter(0, 2).y()});
    EXPECT_EQ(One.Col, 8);
    EXPECT_EQ(One.Row, 2);
    TNumberPiece& Two = *Board->FindFreePiece(2);
    Drag(PieceCenter(Two), {CellCenter(3, 0).x(), Bottom + 3});
    EXPECT_EQ(Two.Col, 3);
    EXPECT_EQ(Two.Row, 8);
    EXPECT_EQ(Changes, 2);

    // From a cell to the tray: recorded, but not reported.
    Drag(CellCenter(8, 2), {50, 300});
    EXPECT_EQ(One.Col, -1);
    EXPECT_EQ(Newest().FromCol, 8);
    EXPECT_EQ(Newest().ToCol, -1);
    // Above the grid, and outside the board altogether.
    Drag(CellCenter(3, 8), {300, 10});
    EXPECT_EQ(Two.Col, -1);
    TNumberPiece& Three = *Board->FindFreePiece(3);
    Drag(PieceCenter(Three), {700, 300});
    EXPECT_EQ(Three.Col, -1);
    EXPECT_EQ(Board->Histories().Count(), 4);
    EXPECT_EQ(Changes, 2);
    ExpectConsistent(*Board);
}

TEST_F(InputTest, PieceRefusedAwayFromItsCellGoesBackWithItsDigit) {
    ASSERT_TRUE(Board->PutPiece(0, 0, 0, true));
    ASSERT_TRUE(Board->PutPiece(1, 5, 3, true));
    Changes = 0;
    // Column 5 already has a 1.
    Drag(CellCenter(0, 0), CellCenter(5, 5));
    EXPECT_EQ(Board->Pieces(0)->Col, 0);
    EXPECT_EQ(Board->Matrix().GetValue(0, 0), 1);
    EXPECT_EQ(Board->Count(), 2);
    EXPECT_EQ(Board->Histories().Count(), 2);
    EXPECT_EQ(Changes, 0);
    ExpectConsistent(*Board);
}

TEST_F(InputTest, OnlyAPlainLeftButtonDrags) {
    TNumberPiece& Piece = *Board->FindFreePiece(1);
    Drag(PieceCenter(Piece), CellCenter(4, 4), Qt::ShiftModifier);
    Drag(PieceCenter(Piece), CellCenter(4, 4), Qt::ControlModifier);
    EXPECT_EQ(Piece.Col, -1);
    EXPECT_EQ(Board->Histories().Count(), 0);

    // A key pressed during a drag gives it up: back where it began.
    ASSERT_TRUE(Board->PutPiece(Piece.Index, 2, 2, true));
    QTest::mousePress(Window, Qt::LeftButton, Qt::NoModifier, CellCenter(2, 2));
    QTest::mouseMove(Window, CellCenter(4, 4));
    EXPECT_EQ(Board->Matrix().GetValue(2, 2), 0);
    QTest::mouseEvent(QTest::MouseMove, Window, Qt::NoButton, Qt::ShiftModifier, CellCenter(5, 5));
    QTest::mouseRelease(Window, Qt::LeftButton, Qt::ShiftModifier, CellCenter(5, 5));
    EXPECT_FALSE(Board->Dragging);
    EXPECT_EQ(Piece.Col, 2);
    EXPECT_EQ(Board->Histories().Count(), 1);
    ExpectConsistent(*Board);
}

TEST_F(InputTest, ADragCutShortByTheOwnerPutsThePieceBack) {
    TNumberPiece& Piece = *Board->FindFreePiece(7);
    QTest::mousePress(Window, Qt::LeftButton, Qt::NoModifier, PieceCenter(Piece));
    QTest::mouseMove(Window, CellCenter(4, 4));
    ASSERT_TRUE(Board->Dragging);
    Board->setEnabled(false);
    QTest::mouseRelease(Window, Qt::LeftButton, Qt::NoModifier, CellCenter(4, 4));
    EXPECT_FALSE(Board->Dragging);
    EXPECT_EQ(Piece.Col, -1);
    EXPECT_EQ(Board->Histories().Count(), 0);
    ExpectConsistent(*Board);

    // The answer step taken while the player holds the piece it needs.
    Board->setEnabled(true);
    LoadAsWritten(std::string(36, '0') + "123456780" + std::string(36, '0'));
    TNumberPiece& Nine = *Board->FindFreePiece(9);
    QTest::mousePress(Window, Qt::LeftButton, Qt::NoModifier, PieceCenter(Nine));
    QTest::mouseMove(Window, CellCenter(2, 2));
    EXPECT_EQ(Board->SolveStep(false), 0);
    QTest::mouseMove(Window, CellCenter(3, 3));
    QTest::mouseRelease(Window, Qt::LeftButton, Qt::NoModifier, CellCenter(3, 3));
    EXPECT_EQ(Nine.Col, 8);
    EXPECT_EQ(Nine.Row, 4);
    EXPECT_EQ(Board->Histories().Count(), 9);
    ExpectConsistent(*Board);
}

TEST_F(InputTest, RightClickShowsHintsAndTabAddsThem) {
    LoadQuestion(Puzzle);
    // Open cells with 4 and with 5 as a candidate.
    QPoint Four(-1, -1);
    QPoint Five(-1, -1);
    for (int I = 0; I < 81; ++I) {
        if (Four.x() < 0 && Board->Matrix().HasCandidate(I % 9, I / 9, 4)) {
            Four = {I % 9, I / 9};
        }
        if (Five.x() < 0 && Board->Matrix().HasCandidate(I % 9, I / 9, 5)) {
            Five = {I % 9, I / 9};
        }
    }
    ASSERT_GE(Four.x(), 0);
    ASSERT_GE(Five.x(), 0);

    RightClick(PieceCenter(*Board->FindFreePiece(5)));
    EXPECT_TRUE(MarkIn(Five.x(), Five.y(), 5).isValid());
    RightClick(PieceCenter(*Board->FindFreePiece(4)));
    EXPECT_TRUE(MarkIn(Four.x(), Four.y(), 4).isValid());
    EXPECT_FALSE(MarkIn(Five.x(), Five.y(), 5).isValid());

    // Fixed pieces answer too, and Tab held keeps what is shown.
    QTest::keyPress(Window, Qt::Key_Tab);
    RightClick(CellCenter(Board->Pieces(44)->Col >= 0 ? Board->Pieces(44)->Col : 0,
                          Board->Pieces(44)->Row >= 0 ? Board->Pieces(44)->Row : 0));
    RightClick(PieceCenter(*Board->FindFreePiece(5)));
    QTest::keyRelease(Window, Qt::Key_Tab);
    EXPECT_TRUE(MarkIn(Four.x(), Four.y(), 4).isValid());
    EXPECT_TRUE(MarkIn(Five.x(), Five.y(), 5).isValid());
    // The caption is never cleared by hints.
    EXPECT_GT(CountColor(*Board->HintImage(), QRect(0, 0, 104, 20), CaptionColor()), 10);
}

TEST_F(InputTest, HintColoursTellHowManyPlacesAreLeft) {
    // Digit 1: a naked single at A5, three places left in the top-left box,
    // two in the middle-right box, and free candidates elsewhere.
    LoadQuestion(Rows({"...1.....", ".......1.", ".........", ".....1...", ".23456789", ".........",
                       ".........", ".........", "........."}));
    Board->ShowHints(1);
    EXPECT_EQ(MarkIn(0, 4, 1).rgb(), ForcedColor().rgb());
    for (int Col = 0; Col < 3; ++Col) {
        EXPECT_EQ(MarkIn(Col, 2, 1).rgb(), ThreePlacesColor().rgb()) << Col;
    }
    EXPECT_EQ(MarkIn(6, 5, 1).rgb(), TwoPlacesColor().rgb());
    EXPECT_EQ(MarkIn(8, 5, 1).rgb(), TwoPlacesColor().rgb());
    EXPECT_EQ(MarkIn(0, 7, 1).rgb(), CandidateColor().rgb());
    EXPECT_FALSE(MarkIn(0, 0, 1).isValid());
    EXPECT_FALSE(MarkIn(0, 7, 2).isValid());

    // All digits: the single 1 stays red, every empty cell shows its candidates.
    Board->ShowHints(0);
    EXPECT_EQ(MarkIn(0, 4, 1).rgb(), ForcedColor().rgb());
    EXPECT_TRUE(MarkIn(0, 7, 2).isValid());
    EXPECT_FALSE(MarkIn(0, 4, 2).isValid());
}

TEST_F(InputTest, PenAndEraserStrokesOnTheMemoLayer) {
    const TLayerImage& Memo = *Board->MemoImage();
    const QColor Background = Board->BackgroundColor();
    EXPECT_EQ(Board->PenColor().rgb(), QColor(255, 0, 0).rgb());

    QTest::mousePress(Window, Qt::LeftButton, Qt::NoModifier, {200, 100});
    QTest::mouseMove(Window, {250, 100});
    // Mid-stroke one opaque snapshot of the board stands in for the layers.
    EXPECT_EQ(Board->StrokeMode, 1);
    EXPECT_TRUE(Board->StrokeImage()->isVisible());
    EXPECT_FALSE(Board->GridImage()->isVisible());
    EXPECT_FALSE(Board->HintImage()->isVisible());
    EXPECT_EQ(Board->StrokeImage()->Canvas().pixelColor(104 + 3 * 52, 300).rgb(),
              QColor(Qt::black).rgb());
    QTest::mouseMove(Window, {300, 100});
    QTest::mouseRelease(Window, Qt::LeftButton, Qt::NoModifier, {300, 100});
    EXPECT_EQ(Board->StrokeMode, 0);
    EXPECT_TRUE(Board->GridImage()->isVisible());
    EXPECT_TRUE(Board->HintImage()->isVisible());
    EXPECT_FALSE(Board->StrokeImage()->isVisible());
    EXPECT_EQ(CountColor(Memo, {230, 90, 1, 20}, QColor(255, 0, 0)), 2);
    EXPECT_EQ(CountColor(Memo, {200, 100, 101, 1}, QColor(255, 0, 0)), 101);

    Board->SetPenColor(QColor(0, 128, 0));
    Drag({200, 200}, {300, 200});
    EXPECT_EQ(CountColor(Memo, {250, 190, 1, 20}, QColor(0, 128, 0)), 2);

    // The eraser paints six pixels of the board's own colour.
    Board->SetPenMode(1);
    Drag({240, 60}, {240, 140});
    EXPECT_EQ(CountColor(Memo, {230, 80, 20, 1}, Background), 6);
    EXPECT_EQ(CountColor(Memo, {230, 99, 20, 2}, QColor(255, 0, 0)), 2 * 14);

    Board->EraseMemo();
    EXPECT_EQ(CountColor(Memo, Memo.Canvas().rect(), QColor(255, 0, 0)), 0);
    EXPECT_EQ(Memo.Canvas().pixelColor(250, 100).alpha(), 0);
}

TEST_F(InputTest, PenModeChoosesTheCursorFromTheTable) {
    Board->SetPenMode(0);
    EXPECT_EQ(Board->cursor().shape(), Qt::CrossCursor);
    Board->SetPenMode(1);
    EXPECT_EQ(Board->cursor().shape(), Qt::ArrowCursor);
    SetCursorShape(crEraser, QCursor(Qt::IBeamCursor));
    Board->SetPenMode(1);
    EXPECT_EQ(Board->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(Board->property("PenMode").toInt(), 1);
}

} // namespace
} // namespace kumoji::test
