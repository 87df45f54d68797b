#include "board_fixture.h"

namespace kumoji::test {
namespace {

// The empty cells of the puzzle, in index order.
std::vector<QPoint> OpenCells() {
    std::vector<QPoint> Cells;
    for (int I = 0; I < 81; ++I) {
        if (Puzzle[static_cast<std::size_t>(I)] == '0') {
            Cells.emplace_back(I % 9, I / 9);
        }
    }
    return Cells;
}

class UndoTest : public BoardTest {
protected:
    // The player's right move on an open cell; returns the piece's index.
    int Play(QPoint Cell) {
        TNumberPiece* Piece = Board->FindFreePiece(SolutionDigit(Cell.x(), Cell.y()));
        EXPECT_NE(Piece, nullptr);
        EXPECT_TRUE(Board->PutPiece(Piece->Index, Cell.x(), Cell.y(), true));
        return Piece->Index;
    }
};

TEST_F(UndoTest, FreshBoardHasNothingToWalk) {
    Board->Undo();
    Board->Redo();
    Board->UndoAll();
    Board->RedoAll();
    EXPECT_EQ(Board->Histories().Floater(), -1);
    EXPECT_EQ(Board->Count(), 0);
}

TEST_F(UndoTest, GivensStayAndThePlayersMoveGoesBackAndForth) {
    LoadQuestion(Puzzle);
    Board->Undo();
    EXPECT_EQ(Board->Count(), 30);
    EXPECT_EQ(Board->Histories().Floater(), 29);

    const QPoint Cell = OpenCells()[0];
    const int Index = Play(Cell);
    EXPECT_EQ(Board->Count(), 31);
    EXPECT_EQ(Board->Histories().Floater(), 30);
    const THistory& Entry = Board->Histories().Items(30);
    EXPECT_EQ(Entry.FromCol, -1);
    EXPECT_EQ(Entry.FromRow, -1);
    EXPECT_EQ(Entry.Method, smNone);
    EXPECT_EQ(Changes, 1);

    Board->Undo();
    EXPECT_EQ(Board->Pieces(Index)->Col, -1);
    EXPECT_EQ(Board->Histories().Floater(), 29);
    EXPECT_EQ(Board->Histories().Count(), 31);
    EXPECT_EQ(Board->Count(), 30);
    Board->Undo();
    EXPECT_EQ(Board->Histories().Floater(), 29);

    Board->Redo();
    EXPECT_EQ(Board->Pieces(Index)->Col, Cell.x());
    EXPECT_EQ(Board->Pieces(Index)->Row, Cell.y());
    Board->Redo();
    EXPECT_EQ(Board->Histories().Floater(), 30);

    // A new move after an undo replaces the undone entry.
    Board->Undo();
    Play(OpenCells()[1]);
    EXPECT_EQ(Board->Histories().Count(), 31);
    EXPECT_EQ(Board->Histories().Items(30).ToCol, OpenCells()[1].x());
    EXPECT_EQ(Changes, 2);
    ExpectConsistent(*Board);
}

TEST_F(UndoTest, UndoAllAndRedoAllWalkTheWholeTail) {
    LoadQuestion(Puzzle);
    const std::vector<QPoint> Cells = OpenCells();
    std::vector<int> Played;
    for (int K = 0; K < 3; ++K) {
        Played.push_back(Play(Cells[static_cast<std::size_t>(K)]));
    }
    // A piece moved on from one cell to another is walked back through both.
    ASSERT_TRUE(Board->PutPiece(Played[2], -1, -1, true));
    Board->ShowHints(0);
    const int Before = Changes;

    Board->UndoAll();
    EXPECT_EQ(Board->Histories().Floater(), Board->FixedPos() - 1);
    for (int Index : Played) {
        EXPECT_EQ(Board->Pieces(Index)->Col, -1);
    }
    EXPECT_EQ(Board->Count(), 30);
    // Hints are gone, the caption stays.
    EXPECT_EQ(
        CountColor(*Board->HintImage(), Board->rect().adjusted(104, 0, 0, 0), QColor(0, 0, 255)),
        0);

    Board->RedoAll();
    EXPECT_EQ(Board->Histories().Floater(), 33);
    EXPECT_EQ(Board->Pieces(Played[0])->Col, Cells[0].x());
    EXPECT_EQ(Board->Pieces(Played[1])->Col, Cells[1].x());
    EXPECT_EQ(Board->Pieces(Played[2])->Col, -1);
    EXPECT_EQ(Board->Count(), 32);
    EXPECT_EQ(Changes, Before);
    ExpectConsistent(*Board);
}

TEST_F(UndoTest, RefusedStepsStillMoveTheFloaterAndKeepTheBoardWhole) {
    LoadQuestion(Puzzle);
    const QPoint Cell = OpenCells()[0];
    const int Digit = SolutionDigit(Cell.x(), Cell.y());
    const int Index = Play(Cell);
    Board->Undo();
    // The cell is taken by an unrecorded placement of another piece.
    const int Other = Index == (Digit - 1) * 9 ? Index + 1 : Index - 1;
    ASSERT_EQ(Board->Pieces(Other)->Col, -1);
    ASSERT_TRUE(Board->PutPiece(Other, Cell.x(), Cell.y(), false));
    Board->Redo();
    EXPECT_EQ(Board->Histories().Floater(), 30);
    EXPECT_EQ(Board->Pieces(Index)->Col, -1);
    EXPECT_EQ(Board->PieceAt(Cell.x(), Cell.y())->Index, Other);
    ExpectConsistent(*Board);

    // A piece moved between cells whose first cell is taken meanwhile cannot
    // go back: it stays where it is, with its digit in the grid.
    Board->Clear();
    ASSERT_TRUE(Board->PutPiece(0, 0, 0, true));
    ASSERT_TRUE(Board->PutPiece(0, 4, 4, true));
    ASSERT_TRUE(Board->PutPiece(1, 0, 0, false));
    Board->Undo();
    EXPECT_EQ(Board->Histories().Floater(), 0);
    EXPECT_EQ(Board->Pieces(0)->Col, 4);
    EXPECT_EQ(Board->Matrix().GetValue(4, 4), 1);
    // Conflicting instead of occupied: a 1 in the first cell's row.
    Board->Clear();
    ASSERT_TRUE(Board->PutPiece(0, 0, 0, true));
    ASSERT_TRUE(Board->PutPiece(0, 4, 4, true));
    ASSERT_TRUE(Board->PutPiece(1, 5, 0, false));
    Board->Undo();
    EXPECT_EQ(Board->Pieces(0)->Col, 4);
    EXPECT_EQ(Board->Matrix().GetValue(4, 4), 1);
    // Only the recorded placements above were reported.
    EXPECT_EQ(Changes, 5);
    ExpectConsistent(*Board);
}

TEST_F(UndoTest, EntriesTheBoardCannotUseAreSkipped) {
    LoadQuestion(Puzzle);
    // The owner empties the history behind the board's back.
    Board->Histories().Clear();
    Board->Undo();
    Board->Redo();
    Board->UndoAll();
    EXPECT_EQ(Board->Histories().Floater(), -1);
    // An entry naming no piece moves the floater only.
    Board->Histories().Add(120, {-1, -1}, smNone, {0, 0});
    Board->Histories().SetFloater(-1);
    Board->Redo();
    EXPECT_EQ(Board->Histories().Floater(), 0);
    Board->Clear();
    Board->Histories().Add(120, {-1, -1}, smNone, {0, 0});
    Board->Undo();
    EXPECT_EQ(Board->Histories().Floater(), -1);
    ExpectConsistent(*Board);
}

} // namespace
} // namespace kumoji::test
