// Undo and redo: walking the move history back and forth without recording new moves.
#include "board/number_piece.h"
#include "board/sudoku.h"

namespace kumoji {

void TSudoku::Undo() {
    CancelDrag();
    const int Floater = FHistories.Floater();
    if (Floater < FFixedPos || Floater < 0 || Floater >= FHistories.Count()) {
        return;
    }
    const THistory Entry = FHistories.Items(Floater);
    if (TNumberPiece* Piece = Pieces(Entry.PieceIndex)) {
        if (Piece->OnGrid()) {
            FGrid.SetValue(Piece->Col, Piece->Row, 0);
        }
        PutPiece(Entry.PieceIndex, Entry.FromCol, Entry.FromRow, false);
    }
    FHistories.SetFloater(Floater - 1);
}

void TSudoku::Redo() {
    CancelDrag();
    const int Floater = FHistories.Floater();
    if (Floater >= FHistories.Count() - 1 || Floater < -1) {
        return;
    }
    const THistory Entry = FHistories.Items(Floater + 1);
    if (TNumberPiece* Piece = Pieces(Entry.PieceIndex)) {
        if (Piece->OnGrid()) {
            FGrid.SetValue(Piece->Col, Piece->Row, 0);
        }
        PutPiece(Entry.PieceIndex, Entry.ToCol, Entry.ToRow, false);
    }
    FHistories.SetFloater(Floater + 1);
}

void TSudoku::UndoAll() {
    ClearHints();
    while (FHistories.Floater() >= FFixedPos && FHistories.Floater() >= 0) {
        Undo();
    }
}

void TSudoku::RedoAll() {
    ClearHints();
    while (FHistories.Floater() < FHistories.Count() - 1) {
        Redo();
    }
}

} // namespace kumoji
