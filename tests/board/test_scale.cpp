// The board at other sizes than the design's: its measures, and a resize after play began.
#include "board/board_colors.h"
#include "board/board_scale.h"
#include "board/key_cursor.h"
#include "board_fixture.h"

#include <QTest>
#include <QTimer>
#include <set>

namespace kumoji::test {
namespace {

TEST(BoardGeometryTest, TheDesignSizeKeepsTheDesignsMeasuresAndOthersScaleThem) {
    const TBoardGeometry Design = BoardGeometry(578, 485);
    EXPECT_EQ(Design.Scale, 1.0);
    EXPECT_EQ(Design.CellWidth, 52);
    EXPECT_EQ(Design.CellHeight, 51);
    EXPECT_EQ(Design.GridLeft, 104);
    EXPECT_EQ(Design.GridTop, 20);
    EXPECT_EQ(Design.PieceWidth(), 49);
    EXPECT_EQ(Design.TrayLeft(8), 32);
    EXPECT_EQ(Design.TrayTop(9), 8 * 51 + 22);
    EXPECT_EQ(Design.SlotX(9), 36);
    EXPECT_EQ(Design.SlotY(4), 20);

    const TBoardGeometry Twice = BoardGeometry(1156, 970);
    EXPECT_EQ(Twice.Scale, 2.0);
    EXPECT_EQ(Twice.CellWidth, 104);
    EXPECT_EQ(Twice.CellHeight, 102);
    EXPECT_EQ(Twice.GridLeft, 208);
    EXPECT_EQ(Twice.GridTop, 40);
    EXPECT_EQ(Twice.PieceInset(), 6);
    EXPECT_EQ(Twice.TextPixels(), 24);

    // A wide board takes its scale from its height, and its cells still fill its width.
    const TBoardGeometry Wide = BoardGeometry(1156, 485);
    EXPECT_EQ(Wide.Scale, 1.0);
    EXPECT_EQ(Wide.CellWidth, 104);
    EXPECT_EQ(Wide.CellHeight, 51);

    // However small, no measure a drop divides by or a piece is sized by reaches zero.
    const TBoardGeometry Tiny = BoardGeometry(3, 2);
    EXPECT_GE(Tiny.CellWidth, 1);
    EXPECT_GE(Tiny.CellHeight, 1);
    EXPECT_GE(Tiny.PieceInset(), 1);
    EXPECT_GE(Tiny.TextPixels(), 1);
}

// Today's fault at 150 %: lines of one kind one and two pixels wide by turns.
TEST(BoardGeometryTest, GridLinesOfOneKindAreEquallyWideAndApartAtEveryRatio) {
    for (const double Ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (const int Size : {578, 723, 867, 1156}) {
            const TBoardGeometry Board = BoardGeometry(Size, Size * 485 / 578);
            for (const int Design : {1, 2}) {
                std::set<int> Widths;
                int Last = -1000;
                for (int I = 0; I <= 9; ++I) {
                    const TDeviceSpan Line = DeviceLine(Board.GridLeft + I * Board.CellWidth,
                                                        Design, Board.Scale, Ratio);
                    Widths.insert(Line.Width);
                    EXPECT_GT(Line.Start, Last) << Ratio << " " << Size;
                    Last = Line.Start + Line.Width;
                }
                ASSERT_EQ(Widths.size(), 1u) << Ratio << " " << Size << " " << Design;
                EXPECT_EQ(*Widths.begin(), std::max(1L, std::lround(Design * Board.Scale * Ratio)));
            }
        }
    }
    // At ratio 1 and scale 1 a line is the pen's: one pixel on the coordinate, or two
    // with the extra one before it.
    EXPECT_EQ(DeviceLine(260, 1, 1.0, 1.0), (TDeviceSpan{260, 1}));
    EXPECT_EQ(DeviceLine(260, 2, 1.0, 1.0), (TDeviceSpan{259, 2}));
}

class ScaleTest : public BoardTest {
protected:
    // Whether any pixel of a layer in Area has Color.
    static bool Has(const TLayerImage& Layer, const QRect& Area, const QColor& Color) {
        return CountColor(Layer, Area, Color) > 0;
    }
    // The pixels drawn in Area of the hint layer.
    int Inked(const QRect& Area) const {
        const QImage& Hints = Board->HintImage()->Canvas();
        int Ink = 0;
        for (int Y = Area.top(); Y <= Area.bottom(); ++Y) {
            for (int X = Area.left(); X <= Area.right(); ++X) {
                Ink += Hints.pixelColor(X, Y).alpha() > 0;
            }
        }
        return Ink;
    }
};

TEST_F(ScaleTest, AResizeDrawsEverythingAgainAtTheNewSizeAndInputFollows) {
    LoadQuestion(Puzzle);
    Board->setEnabled(true);
    Board->SetKeyCursor(2, 3);
    Board->ShowHints(0);
    // A memo stroke across cell D5, from its left edge to its middle.
    Drag(CellCenter(3, 4) - QPoint(20, 0), CellCenter(3, 4));
    const QImage DesignShot = Board->grab().toImage();
    // A cell and digit whose mark is a plain candidate.
    QPoint Cell(-1, -1);
    int Digit = 0;
    for (int I = 0; I < 9 * 81 && Digit == 0; ++I) {
        if (CountColor(*Board->HintImage(), HintSlot(I % 81 % 9, I % 81 / 9, I / 81 + 1),
                       CandidateColor()) > 8) {
            Cell = {I % 81 % 9, I % 81 / 9};
            Digit = I / 81 + 1;
        }
    }
    ASSERT_NE(Digit, 0);
    // A slot at twice the design's size.
    const auto Slot = [&](int Of) {
        return QRect(Board->HintSlot(Cell.x(), Cell.y(), Of), QSize(32, 32));
    };

    Board->resize(1156, 970);
    EXPECT_EQ(Board->CellWidth, 104);
    EXPECT_EQ(Board->CellHeight, 102);
    EXPECT_EQ(Board->GridLeft, 208);
    EXPECT_EQ(Board->GridTop, 40);
    ExpectConsistent(*Board);
    for (int Index = 0; Index < 81; ++Index) {
        const TNumberPiece& Piece = *Board->Pieces(Index);
        EXPECT_EQ(Piece.size(), QSize(98, 96)) << Index;
        if (!Piece.OnGrid()) {
            EXPECT_EQ(Piece.pos(), QPoint(8 * (Index % 9), Index / 9 * 102 + 44)) << Index;
        }
    }
    // Lines, hints, memo, caption and the cursor's frame, all at the new places.
    const QImage& Grid = Board->GridImage()->Canvas();
    ASSERT_EQ(Grid.size(), QSize(1156, 970));
    EXPECT_EQ(Grid.pixelColor(208 + 3 * 104 - 2, 300).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(Grid.pixelColor(208 + 3 * 104 + 1, 300).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(Grid.pixelColor(208 + 104 - 1, 300).rgb(), GridLineColor().rgb());
    EXPECT_EQ(Grid.pixelColor(208 + 104, 300).rgb(), GridLineColor().rgb());
    EXPECT_EQ(Grid.pixelColor(208 + 104 + 1, 300).alpha(), 0);
    EXPECT_GT(CountColor(*Board->HintImage(), Slot(Digit), CandidateColor()), 16);
    EXPECT_TRUE(Has(*Board->HintImage(), QRect(0, 0, 208, 40), CaptionColor()));
    const QPoint Stroke = CellCenter(3, 4) - QPoint(40, 0);
    EXPECT_EQ(CountColor(*Board->MemoImage(), QRect(Stroke, QSize(40, 1)), Board->PenColor()), 40);
    EXPECT_EQ(Board->KeyCursorFrame()->geometry(),
              QRect(208 + 2 * 104 - 2, 40 + 3 * 102 - 2, 104 + 6, 102 + 6));

    // Back at the design's size the board is drawn exactly as it was there.
    Board->resize(578, 485);
    EXPECT_EQ(Board->grab().toImage(), DesignShot);

    // Drops and hints go by the new cells.
    Board->resize(1156, 970);
    TNumberPiece& Piece = *Board->FindFreePiece(SolutionDigit(0, 0));
    Drag(PieceCenter(Piece), CellCenter(0, 0) + QPoint(45, 45));
    EXPECT_EQ(Piece.Col, 0);
    EXPECT_EQ(Piece.Row, 0);
    EXPECT_EQ(Changes, 1);
    RightClick(PieceCenter(*Board->FindFreePiece(Digit)));
    EXPECT_GT(Inked(Slot(Digit)), 16);
    EXPECT_EQ(Inked(Slot(Digit % 9 + 1)), 0);
}

// As when the window is maximised while the pieces are being dealt.
TEST(BoardStartTest, AResizeWhileThePiecesAreDealtLeavesTheGridAndPiecesAtTheNewSize) {
    TSudoku Board;
    Board.resize(578, 485);
    Board.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Board));
    QTimer::singleShot(0, &Board, [&Board] { Board.resize(1156, 970); });
    Board.Start();
    QCoreApplication::processEvents();
    ASSERT_EQ(Board.CellWidth, 104);
    const QImage& Grid = Board.GridImage()->Canvas();
    EXPECT_EQ(Grid.pixelColor(208 + 3 * 104, 300).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(Grid.pixelColor(208 + 104, 300).rgb(), GridLineColor().rgb());
    // The caption over the tray.
    int Caption = 0;
    for (int Y = 0; Y < 40; ++Y) {
        for (int X = 0; X < 208; ++X) {
            Caption += Board.HintImage()->Canvas().pixelColor(X, Y).alpha() > 0;
        }
    }
    EXPECT_GT(Caption, 20);
    ASSERT_EQ(Board.PieceCount(), 81);
    for (int Index = 0; Index < 81; ++Index) {
        EXPECT_EQ(Board.Pieces(Index)->geometry(),
                  QRect(8 * (Index % 9), Index / 9 * 102 + 44, 98, 96))
            << Index;
    }
}

} // namespace
} // namespace kumoji::test
