#include "board_fixture.h"

#include "engine/grid/random.h"
#include "seeded_random.h"

#include <QTest>
#include <algorithm>

namespace kumoji::test {

std::string Rows(std::initializer_list<std::string_view> Lines) {
    std::string Text;
    for (std::string_view Line : Lines) {
        Text += Line;
    }
    for (char& C : Text) {
        if (C == '.') {
            C = '0';
        }
    }
    return Text;
}

int Givens(const std::string& Text) {
    return static_cast<int>(
        std::count_if(Text.begin(), Text.end(), [](char C) { return C >= '1' && C <= '9'; }));
}

void ExpectConsistent(const TSudoku& Board) {
    int OnGrid = 0;
    for (int Index = 0; Index < Board.PieceCount(); ++Index) {
        const TNumberPiece& Piece = *Board.Pieces(Index);
        if (Piece.OnGrid()) {
            ++OnGrid;
            EXPECT_EQ(Board.Matrix().GetValue(Piece.Col, Piece.Row), Piece.Digit())
                << "piece " << Index;
            // 3 pixels in from the cell's corner at the design's size.
            const int Inset = Board.Geometry().PieceInset();
            EXPECT_EQ(Piece.pos(), QPoint(Board.GridLeft + Piece.Col * Board.CellWidth + Inset,
                                          Board.GridTop + Piece.Row * Board.CellHeight + Inset))
                << "piece " << Index;
        } else {
            EXPECT_EQ(Piece.pos(), QPoint(Piece.HomeLeft, Piece.HomeTop)) << "piece " << Index;
        }
    }
    EXPECT_EQ(OnGrid, Board.Count());
}

void BoardTest::SetUp() {
    Board = std::make_unique<TSudoku>();
    Board->resize(578, 485);
    Board->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Board.get()));
    Board->Start();
    Window = Board->windowHandle();
    ASSERT_NE(Window, nullptr);
    Board->OnChanged = [this](TSudoku&) { ++Changes; };
}

void BoardTest::TearDown() {
    UseSeededRandom();
    Board.reset();
}

void BoardTest::LoadAsWritten(std::string Text) {
    // Shuffles draw n - 1 (no swap); the first draw of four is the quarter
    // turns (none); the transform's own mirror then undoes the one made here.
    bool TurnsDrawn = false;
    SetRandomSource([&TurnsDrawn](int N) {
        if (N == 4 && !TurnsDrawn) {
            TurnsDrawn = true;
            return 0;
        }
        return N - 1;
    });
    std::string Mirrored = Text;
    for (int I = 0; I < 81 && Text.size() == 81; ++I) {
        Mirrored[static_cast<std::size_t>(I)] =
            Text[static_cast<std::size_t>(I / 9 * 9 + 8 - I % 9)];
    }
    const bool Loaded = Board->LoadPuzzle(Mirrored);
    UseSeededRandom();
    ASSERT_TRUE(Loaded);
    ASSERT_EQ(Mirrored, Text);
}

void BoardTest::LoadQuestion(const std::string& Text) {
    auto Handler = Board->OnChanged;
    Board->OnChanged = nullptr;
    LoadAsWritten(Text);
    Board->OnChanged = Handler;
    Board->Fix();
}

QPoint BoardTest::CellCenter(int Col, int Row) const {
    return {Board->GridLeft + Col * Board->CellWidth + Board->CellWidth / 2,
            Board->GridTop + Row * Board->CellHeight + Board->CellHeight / 2};
}

QPoint BoardTest::PieceCenter(const TNumberPiece& Piece) const {
    return Piece.geometry().center();
}

void BoardTest::Drag(QPoint From, QPoint To, Qt::KeyboardModifiers Modifiers) {
    QTest::mousePress(Window, Qt::LeftButton, Modifiers, From);
    // Several steps, as a hand would move, so every move event is seen.
    for (int Step = 1; Step <= 4; ++Step) {
        QTest::mouseMove(Window, From + (To - From) * Step / 4);
    }
    QTest::mouseRelease(Window, Qt::LeftButton, Modifiers, To);
    QCoreApplication::processEvents();
}

void BoardTest::RightClick(QPoint At) {
    QTest::mouseClick(Window, Qt::RightButton, Qt::NoModifier, At);
    QCoreApplication::processEvents();
}

int BoardTest::CountColor(const TLayerImage& Layer, const QRect& Area, const QColor& Color) {
    const QImage& Canvas = Layer.Canvas();
    const QRect Inside = Area.intersected(Canvas.rect());
    int Found = 0;
    for (int Y = Inside.top(); Y <= Inside.bottom(); ++Y) {
        for (int X = Inside.left(); X <= Inside.right(); ++X) {
            const QColor Pixel = Canvas.pixelColor(X, Y);
            if (Pixel.alpha() == 255 && Pixel.rgb() == Color.rgb()) {
                ++Found;
            }
        }
    }
    return Found;
}

QRect BoardTest::HintSlot(int Col, int Row, int Digit) const {
    return {Board->GridLeft + Col * Board->CellWidth + 4 + (Digit - 1) % 3 * 16,
            Board->GridTop + Row * Board->CellHeight + 4 + (Digit - 1) / 3 * 16, 16, 16};
}

} // namespace kumoji::test
