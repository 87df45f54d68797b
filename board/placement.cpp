// Placing pieces: the one primitive every change of the grid goes through, and its companions.
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "engine/question/answer_step.h"

#include <QApplication>

namespace kumoji {

void TSudoku::Beep() {
    QApplication::beep();
    emit Refused();
}

bool TSudoku::PutPiece(int Index, int Col, int Row, bool Record) {
    if (Col < -1 || Col > 8 || Row < -1 || Row > 8) {
        return false;
    }
    TNumberPiece* Piece = Pieces(Index);
    if (!Piece) {
        return false;
    }
    if (Col == -1 || Row == -1) {
        RemovePiece(Index, Record);
        return true;
    }
    const int Digit = Piece->Digit();
    if (FGrid.GetValue(Col, Row) != 0) {
        if (PieceAt(Col, Row) != Piece) {
            Beep();
            PutBack(*Piece);
        }
        return false;
    }
    // A piece moved straight from one cell to another leaves its old cell
    // first; a drag has already emptied it.
    if (Piece->OnGrid() && FGrid.GetValue(Piece->Col, Piece->Row) == Digit) {
        FGrid.SetValue(Piece->Col, Piece->Row, 0);
    }
    if (!CanPlace(Col, Row, Digit)) {
        Beep();
        PutBack(*Piece);
        return false;
    }
    const TPoint From{Piece->Col, Piece->Row};
    const TPoint To{Col, Row};
    FGrid.SetValue(Col, Row, Digit);
    if (Record) {
        FHistories.Add(Index, From, Technique, To);
    }
    Piece->SetCell(Col, Row);
    // A piece dropped back on its own cell made no move to report.
    if (Record && From != To && OnChanged) {
        const TNotifyEvent Handler = OnChanged;
        Handler(*this);
    }
    return true;
}

void TSudoku::PutBack(TNumberPiece& Piece) {
    if (Piece.OnGrid()) {
        if (FGrid.GetValue(Piece.Col, Piece.Row) == 0) {
            FGrid.SetValue(Piece.Col, Piece.Row, Piece.Digit());
        }
        Piece.SetCell(Piece.Col, Piece.Row);
    } else {
        Piece.SetCell(-1, -1);
    }
}

void TSudoku::RemovePiece(int Index, bool Record) {
    TNumberPiece* Piece = Pieces(Index);
    if (!Piece) {
        return;
    }
    const TPoint From{Piece->Col, Piece->Row};
    if (Piece->OnGrid() && FGrid.GetValue(Piece->Col, Piece->Row) == Piece->Digit()) {
        FGrid.SetValue(Piece->Col, Piece->Row, 0);
    }
    if (Record) {
        FHistories.Add(Index, From, Technique, TPoint{-1, -1});
    }
    Piece->SetCell(-1, -1);
}

void TSudoku::ReturnPiece(int Index) {
    if (TNumberPiece* Piece = Pieces(Index)) {
        Piece->RestoreDragStart();
    }
}

bool TSudoku::CanPlace(int Col, int Row, int Digit) const {
    return kumoji::CanPlace(FGrid, Col, Row, Digit);
}

TNumberPiece* TSudoku::FindFreePiece(int Digit) const {
    if (Digit < 1 || Digit > 9) {
        return nullptr;
    }
    for (int Index = (Digit - 1) * 9 + 8; Index >= (Digit - 1) * 9; --Index) {
        TNumberPiece* Piece = Pieces(Index);
        if (Piece && Piece->Col < 0) {
            return Piece;
        }
    }
    return nullptr;
}

TNumberPiece* TSudoku::PieceAt(int Col, int Row) const {
    TNumberPiece* Found = nullptr;
    for (TNumberPiece* Piece : FPieces) {
        if (Piece->Col == Col && Piece->Row == Row) {
            Found = Piece;
        }
    }
    return Found;
}

TNumberPiece* TSudoku::Pieces(int Index) const {
    if (Index < 0 || Index >= PieceCount()) {
        return nullptr;
    }
    return FPieces[static_cast<std::size_t>(Index)];
}

int TSudoku::Count() const {
    return 81 - FGrid.EmptyCount();
}

} // namespace kumoji
