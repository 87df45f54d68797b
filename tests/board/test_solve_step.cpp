#include "board_fixture.h"
#include "engine/grid/puzzle_text.h"
#include "game/tables.h"
#include "seeded_random.h"

#include <QTest>

namespace kumoji::test {
namespace {

class SolveStepTest : public BoardTest {
protected:
    // Loads a position, runs one answer step and returns its result; the
    // placement is expected to be reported once.
    int StepOn(const std::string& Text, bool Deep) {
        LoadQuestion(Text);
        Entries = Board->Histories().Count();
        Changes = 0;
        const int Result = Board->SolveStep(Deep);
        EXPECT_EQ(Board->Technique, smNone);
        EXPECT_EQ(Changes, Board->Histories().Count() - Entries);
        ExpectConsistent(*Board);
        return Result;
    }

    const THistory& Newest() const {
        return Board->Histories().Items(Board->Histories().Count() - 1);
    }

    int Entries = 0;
};

TEST_F(SolveStepTest, SinglesOnTheBoardItself) {
    EXPECT_EQ(StepOn(std::string(36, '0') + "123456780" + std::string(36, '0'), false), 0);
    EXPECT_EQ(Board->Histories().Count(), Entries + 1);
    EXPECT_EQ(Newest().Method, smEmptyCell);
    EXPECT_EQ(Newest().Digit, 9);
    EXPECT_EQ(Newest().ToCol, 8);
    EXPECT_EQ(Newest().ToRow, 4);
    // The piece came from the top of its pile.
    EXPECT_EQ(Newest().PieceIndex, 80);
    EXPECT_EQ(Newest().FromCol, -1);

    // Sixes shut out of every cell of the top-left box but its corner.
    EXPECT_EQ(StepOn(Rows({".........", "....6....", ".......6.", ".........", ".........",
                           ".6.......", ".........", "..6......", "........."}),
                     false),
              0);
    EXPECT_EQ(Newest().Method, smLeftPlace);
    EXPECT_EQ(Newest().Digit, 6);
    EXPECT_EQ(Newest().ToCol, 0);
    EXPECT_EQ(Newest().ToRow, 0);
}

TEST_F(SolveStepTest, ReservationMoveKeepsOnlyThePlacedDigit) {
    const std::string Text =
        "869315472217000935345792861400000020000040090006803014650000187108506249004100653";
    EXPECT_EQ(StepOn(Text, false), 0);
    ASSERT_EQ(Board->Histories().Count(), Entries + 1);
    EXPECT_EQ(Newest().Method, smYourReserved);
    // The eliminations that found the move stay on the scratch copy.
    TMatrix Expected;
    ASSERT_TRUE(SetPuzzle(Expected, Text));
    Expected.SetValue(Newest().ToCol, Newest().ToRow, Newest().Digit);
    EXPECT_EQ(Board->Matrix().Values, Expected.Values);
    EXPECT_EQ(Board->Matrix().Candidates, Expected.Candidates);
}

TEST_F(SolveStepTest, AssumptionsOnlyWhenAskedToGoDeep) {
    const std::string KeepOff =
        "800375042350024000247080000420700000090542070700039204004200360032057009000003020";
    EXPECT_EQ(StepOn(KeepOff, false), 2);
    EXPECT_EQ(Board->Histories().Count(), Entries);
    EXPECT_EQ(StepOn(KeepOff, true), 0);
    ASSERT_EQ(Board->Histories().Count(), Entries + 1);
    EXPECT_TRUE(Newest().Method == smKeepOff || Newest().Method == smGetOut);

    const std::string GetOut =
        "700030285500200730302500040054023008103805402000100953000350804405081320830402500";
    EXPECT_EQ(StepOn(GetOut, true), 0);
    EXPECT_EQ(Newest().Method, smGetOut);

    const std::string Trial =
        "800375042350024000247080000420700000190542070700039204004200360632057009000003020";
    EXPECT_EQ(StepOn(Trial, false), 2);
    EXPECT_EQ(StepOn(Trial, true), 0);
    EXPECT_EQ(Newest().Method, smPuzzled);
}

TEST_F(SolveStepTest, FinishedPositionsAreLeftAlone) {
    EXPECT_EQ(StepOn(Solution, false), 1);
    EXPECT_EQ(Board->Histories().Count(), Entries);
    // Row 1 leaves no place for its 9.
    EXPECT_EQ(StepOn(Rows({"12345678.", "........9", ".........", ".........", ".........",
                           ".........", ".........", ".........", "........."}),
                     true),
              3);
    EXPECT_EQ(Board->Histories().Count(), Entries);
    // The last empty cell: placed, and the board is solved.
    std::string Last = Solution;
    Last[40] = '0';
    EXPECT_EQ(StepOn(Last, true), 0);
    EXPECT_EQ(Board->State(), 1);
}

// One question as the main window plays it, all by mouse.
TEST_F(BoardTest, AWholeQuestionPlayedByMouse) {
    // A real transform of the question, the same every run.
    UseSeededRandom(7);
    std::string Text(LeftPlaceQuestions[0]);
    TPoint Cell;
    int Digit = 0;
    std::vector<int> Judged;
    const TSudoku::TNotifyEvent Judge = [&](TSudoku& Sender) {
        const THistory& Entry = Sender.Histories().Items(Sender.Histories().Count() - 1);
        const bool Right = Entry.ToCol == Cell.X && Entry.ToRow == Cell.Y && Entry.Digit == Digit;
        Judged.push_back(Right ? 1 : 0);
        if (!Right) {
            Sender.Undo();
        }
    };

    Board->ClearHints();
    Board->OnChanged = nullptr;
    ASSERT_TRUE(Board->LoadPuzzle(Text));
    Board->OnChanged = Judge;
    Board->Fix();
    ASSERT_TRUE(Board->FindQuestion(Cell, Digit, true));
    const int Givens = Board->Count();
    EXPECT_EQ(Board->FixedPos(), Givens);

    // A wrong digit first: judged, taken back.
    // The transform relabels digits at random, so pick a wrong digit the cell admits.
    int Wrong = Digit % 9 + 1;
    while (Wrong != Digit && !Board->CanPlace(Cell.X, Cell.Y, Wrong)) {
        Wrong = Wrong % 9 + 1;
    }
    ASSERT_NE(Wrong, Digit);
    TNumberPiece* WrongPiece = Board->FindFreePiece(Wrong);
    ASSERT_NE(WrongPiece, nullptr);
    ASSERT_TRUE(Board->CanPlace(Cell.X, Cell.Y, Wrong));
    Drag(PieceCenter(*WrongPiece), CellCenter(Cell.X, Cell.Y));
    ASSERT_EQ(Judged, std::vector<int>{0});
    EXPECT_EQ(WrongPiece->Col, -1);
    EXPECT_EQ(Board->Count(), Givens);
    EXPECT_EQ(Board->Histories().Floater(), Givens - 1);

    // The right piece on the right cell.
    TNumberPiece* Piece = Board->FindFreePiece(Digit);
    ASSERT_NE(Piece, nullptr);
    Drag(PieceCenter(*Piece), CellCenter(Cell.X, Cell.Y));
    EXPECT_EQ(Judged, (std::vector<int>{0, 1}));
    EXPECT_EQ(Piece->Col, Cell.X);
    EXPECT_EQ(Piece->Row, Cell.Y);
    EXPECT_EQ(Board->Histories().Count(), Givens + 1);

    // Taken back by the owner: the piece goes home, the givens stay.
    Board->Undo();
    EXPECT_EQ(Piece->Col, -1);
    EXPECT_EQ(Board->Count(), Givens);
    Board->Undo();
    EXPECT_EQ(Board->Count(), Givens);

    // The board shows the answer itself, unreported.
    Board->OnChanged = nullptr;
    EXPECT_EQ(Board->SolveStep(false), 0);
    const THistory& Answer = Board->Histories().Items(Board->Histories().Floater());
    EXPECT_EQ(Answer.ToCol, Cell.X);
    EXPECT_EQ(Answer.ToRow, Cell.Y);
    EXPECT_EQ(Answer.Digit, Digit);
    EXPECT_EQ(Answer.Method, smLeftPlace);
    EXPECT_EQ(Judged.size(), 2U);
    ExpectConsistent(*Board);
}

} // namespace
} // namespace kumoji::test
