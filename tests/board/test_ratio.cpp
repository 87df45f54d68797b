// The board on a screen of device pixel ratio 1.5 (or QT_SCALE_FACTOR's): sharp lines, true input.
#include "board/board_colors.h"
#include "board/key_cursor.h"
#include "board_fixture.h"

#include <QTest>
#include <cmath>
#include <set>
#include <vector>

namespace kumoji::test {
namespace {

// Read when the application starts, after every static initialiser has run.
const bool ScaledScreen = [] {
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        qputenv("QT_SCALE_FACTOR", "1.5");
    }
    return true;
}();

// The runs of pixels along one line of an image that pass Keep: (first, length, colour).
struct TRun {
    int Start;
    int Length;
    QRgb Color;
};

template <typename TKeep>
std::vector<TRun> Runs(const QImage& Image, QPoint From, QPoint Step, int Count, TKeep Keep) {
    std::vector<TRun> Found;
    for (int I = 0; I < Count; ++I) {
        const QPoint At = From + Step * I;
        const QColor Pixel = Image.pixelColor(At);
        if (!Keep(Pixel)) {
            continue;
        }
        if (!Found.empty() && Found.back().Start + Found.back().Length == I &&
            Found.back().Color == Pixel.rgb()) {
            ++Found.back().Length;
        } else {
            Found.push_back({I, 1, Pixel.rgb()});
        }
    }
    return Found;
}

class RatioTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        Ratio = Board->devicePixelRatioF();
        ASSERT_NE(Ratio, 1.0) << "the screen is not scaled";
    }
    int Device(double Logical) const { return static_cast<int>(std::lround(Logical * Ratio)); }

    qreal Ratio = 1.0;
};

TEST_F(RatioTest, GridLinesOfOneKindAreEquallyWideOnTheScreensOwnPixels) {
    const QImage& Grid = Board->GridImage()->Canvas();
    EXPECT_EQ(Grid.devicePixelRatio(), Ratio);
    EXPECT_EQ(Grid.width(), static_cast<int>(std::ceil(578 * Ratio)));
    const auto Opaque = [](const QColor& Pixel) { return Pixel.alpha() == 255; };
    // Across the middle of the fifth row and down the middle of the fifth column, from
    // just before the grid's first line (past the labels).
    const int Across = Device(Board->GridTop + 4.5 * Board->CellHeight);
    const int Down = Device(Board->GridLeft + 4.5 * Board->CellWidth);
    const int Left = Device(Board->GridLeft - 2);
    const int Top = Device(Board->GridTop - 2);
    for (const std::vector<TRun>& Lines :
         {Runs(Grid, {Left, Across}, {1, 0}, Grid.width() - Left, Opaque),
          Runs(Grid, {Down, Top}, {0, 1}, Grid.height() - Top, Opaque)}) {
        ASSERT_EQ(Lines.size(), 10u);
        std::set<int> Thin;
        std::set<int> Box;
        for (std::size_t I = 0; I < Lines.size(); ++I) {
            const bool IsBox = I % 3 == 0;
            EXPECT_EQ(Lines[I].Color, IsBox ? QColor(Qt::black).rgb() : GridLineColor().rgb());
            (IsBox ? Box : Thin).insert(Lines[I].Length);
        }
        EXPECT_EQ(Thin, (std::set<int>{static_cast<int>(std::lround(Ratio))}));
        EXPECT_EQ(Box, (std::set<int>{static_cast<int>(std::lround(2 * Ratio))}));
    }
}

TEST_F(RatioTest, TheCursorsFrameIsEquallyWideOnEverySide) {
    LoadQuestion(Puzzle);
    Board->setEnabled(true);
    // The frame is for keyboard players: a key brings it.
    QTest::keyClick(Board.get(), Qt::Key_Right);
    Board->SetKeyCursor(4, 4);
    const QImage Shot = Board->grab().toImage();
    const QRect Frame = Board->KeyCursorFrame()->geometry();
    const auto Orange = [](const QColor& Pixel) { return Pixel.rgb() == KeyCursorColor().rgb(); };
    const int MidX = Device(Frame.center().x());
    const int MidY = Device(Frame.center().y());
    const auto Across = Runs(Shot, {0, MidY}, {1, 0}, Shot.width(), Orange);
    const auto Down = Runs(Shot, {MidX, 0}, {0, 1}, Shot.height(), Orange);
    ASSERT_EQ(Across.size(), 2u);
    ASSERT_EQ(Down.size(), 2u);
    const int Band = static_cast<int>(std::lround(TKeyCursor::Thickness * Ratio));
    for (const TRun& Side : {Across[0], Across[1], Down[0], Down[1]}) {
        EXPECT_EQ(Side.Length, Band) << Side.Start;
    }
}

TEST_F(RatioTest, DropsHintsAndStrokesLandUnderThePointer) {
    LoadQuestion(Puzzle);
    // Every open cell of the first column and of the last row, by the pointer alone.
    for (int I = 0; I < 81; ++I) {
        const int Col = I % 9;
        const int Row = I / 9;
        if ((Col != 0 && Row != 8) || Board->Matrix().GetValue(Col, Row) != 0) {
            continue;
        }
        TNumberPiece& Piece = *Board->FindFreePiece(SolutionDigit(Col, Row));
        Drag(PieceCenter(Piece), CellCenter(Col, Row) + QPoint(-20, 20));
        EXPECT_EQ(Piece.Col, Col);
        EXPECT_EQ(Piece.Row, Row);
    }
    ExpectConsistent(*Board);

    // A right click shows the digit in its slot, drawn at the slot's device pixels, and
    // nothing in the cell's other slots.
    const int Digit = SolutionDigit(4, 4);
    RightClick(PieceCenter(*Board->FindFreePiece(Digit)));
    const QImage& Hints = Board->HintImage()->Canvas();
    const auto Ink = [&](int Of) {
        const QPoint Slot = Board->HintSlot(4, 4, Of);
        int Drawn = 0;
        for (int Y = Device(Slot.y()); Y < Device(Slot.y() + 14); ++Y) {
            for (int X = Device(Slot.x()); X < Device(Slot.x() + 10); ++X) {
                Drawn += Hints.pixelColor(X, Y).alpha() > 128;
            }
        }
        return Drawn;
    };
    EXPECT_GT(Ink(Digit), 12);
    EXPECT_EQ(Ink(Digit % 9 + 1), 0);

    // A stroke covers the device pixels under the pointer's path.
    const QPoint From = CellCenter(5, 1);
    Drag(From, From + QPoint(30, 0));
    const QImage& Memo = Board->MemoImage()->Canvas();
    for (int X = 2; X < 28; ++X) {
        EXPECT_EQ(Memo.pixelColor(Device(From.x() + X), Device(From.y())).rgb(),
                  Board->PenColor().rgb())
            << X;
    }
}

} // namespace
} // namespace kumoji::test
