// The answer step: the engine's next forced move, placed on the board as a recorded move.
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "engine/question/answer_step.h"

namespace kumoji {

int TSudoku::SolveStep(bool Deep) {
    // The piece in the player's hand must not be the one the step places.
    CancelDrag();
    struct TResetTechnique {
        TSudoku& Board;
        ~TResetTechnique() { Board.Technique = smNone; }
    } Reset{*this};
    return kumoji::SolveStep(FGrid, Deep, [this](int Col, int Row, int Digit, TSolveMethod Found) {
        Technique = Found;
        TNumberPiece* Piece = FindFreePiece(Digit);
        if (!Piece) {
            return false;
        }
        Piece->DragLeft = Piece->x();
        Piece->DragTop = Piece->y();
        return PutPiece(Piece->Index, Col, Row, true);
    });
}

} // namespace kumoji
