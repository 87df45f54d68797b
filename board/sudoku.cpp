#include "board/sudoku.h"

#include "board/board_colors.h"
#include "board/cursor_table.h"
#include "board/layer_image.h"
#include "board/number_piece.h"
#include "board/tab_key.h"
#include "engine/answer_step.h"
#include "engine/intlist.h"
#include "engine/puzzle_text.h"
#include "engine/question.h"
#include "engine/transform.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <thread>

namespace kumoji {

namespace {

// The face of labels, hints and the caption. Drawn without smoothing, so a
// mark is exactly its colour, as on the canvas this board was designed for.
QFont CanvasFont() {
    QFont Font;
    Font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    Font.setPixelSize(12);
    Font.setStyleStrategy(QFont::NoAntialias);
    return Font;
}

QFont PieceFont() {
    QFont Font;
    Font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    Font.setPointSize(22);
    Font.setBold(false);
    Font.setItalic(false);
    return Font;
}

// Exactly this one button, no modifier key and not the second press of a
// double click.
bool ExactlyButton(const QMouseEvent& Event, Qt::MouseButton Button) {
    return Event.buttons() == Button && Event.modifiers() == Qt::NoModifier &&
           Event.type() != QEvent::MouseButtonDblClick;
}

void DrawTextAt(QPainter& Painter, int X, int Y, const QString& Text) {
    Painter.drawText(QRect(X, Y, 1000, 1000), Qt::AlignLeft | Qt::AlignTop, Text);
}

} // namespace

TSudoku::TSudoku(QWidget* Parent) : QWidget(Parent), FPenColor(DefaultPenColor()) {
    setAutoFillBackground(true);
    // Qt passes a disabled widget's clicks to its parent, not to the sibling
    // beneath; layers that must let the mouse through to the memo layer are
    // made transparent for the mouse instead.
    FGridImage = new TLayerImage(this, true);
    FGridImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    FHintImage = new TLayerImage(this, true);
    FHintImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    FStrokeImage = new TLayerImage(this, false);
    FStrokeImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    FStrokeImage->hide();
    FMemoImage = new TLayerImage(this, true);
    FMemoImage->lower();
    FMemoImage->OnMouseDown = [this](QMouseEvent& Event) { MemoMouseDown(Event); };
    FMemoImage->OnMouseMove = [this](QMouseEvent& Event) { MemoMouseMove(Event); };
    FMemoImage->OnMouseUp = [this](QMouseEvent& Event) { MemoMouseUp(Event); };
    LayOutLayers();

    FHistories.SetFloater(-1);
    FHistories.OnChange = [this](THistories&) { ShowFilledCount(); };
    FFixedPos = 0;
    setCursor(CursorShape(crPen));
    // The Tab tracker must be listening before the first hint is asked for.
    TTabKey::Instance();
}

TSudoku::~TSudoku() {
    FHistories.OnChange = nullptr;
    OnChanged = nullptr;
}

void TSudoku::LayOutLayers() {
    for (TLayerImage* Layer : {FMemoImage, FGridImage, FHintImage, FStrokeImage}) {
        Layer->setGeometry(rect());
    }
}

void TSudoku::resizeEvent(QResizeEvent* Event) {
    LayOutLayers();
    QWidget::resizeEvent(Event);
}

void TSudoku::changeEvent(QEvent* Event) {
    // A disabled board gets no release: end a drag or stroke now rather than
    // leave a piece in mid-air or the stroke snapshot in front of the board.
    if (Event->type() == QEvent::EnabledChange && !isEnabled()) {
        CancelDrag();
        SetStroke(0);
    }
    QWidget::changeEvent(Event);
}

void TSudoku::hideEvent(QHideEvent* Event) {
    CancelDrag();
    SetStroke(0);
    QWidget::hideEvent(Event);
}

void TSudoku::Start() {
    LayOutLayers();
    FGridImage->SetCanvasSize(size());
    FGridImage->Clear();
    // At least one pixel, so that no drop can divide by zero on a tiny board.
    CellWidth = std::max(1, (width() - 4) / 11);
    CellHeight = std::max(1, (height() - 24) / 9);
    GridTop = 20;
    GridLeft = 2 * CellWidth;
    DrawGrid();
    QCoreApplication::processEvents();

    // A second Start rebuilds the pieces; the position goes with them, so the
    // grid never holds a digit without a piece.
    Dragging = false;
    FDragIndex = -1;
    if (!FPieces.empty()) {
        FGrid.Reset();
        FHistories.Clear();
        FFixedPos = 0;
    }
    for (TNumberPiece* Piece : FPieces) {
        Piece->hide();
        Piece->deleteLater();
    }
    FPieces.clear();

    for (int Digit = 1; Digit <= 9; ++Digit) {
        for (int K = 0; K < 9; ++K) {
            auto* Piece = new TNumberPiece(*this);
            Piece->hide();
            FPieces.push_back(Piece);
            Piece->Index = (Digit - 1) * 9 + K;
            Piece->setGeometry(4 * K, (Digit - 1) * CellHeight + 22, CellWidth - 3, CellHeight - 3);
            Piece->HomeLeft = Piece->x();
            Piece->HomeTop = Piece->y();
            Piece->DragLeft = Piece->HomeLeft;
            Piece->DragTop = Piece->HomeTop;
            Piece->setFont(PieceFont());
            Piece->SetDigit(Digit);
            Piece->SetCell(-1, -1);
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(7));
            Piece->SetFixed(false);
            Piece->OnMouseDown = [this](TNumberPiece& Q, QMouseEvent& E) { PieceMouseDown(Q, E); };
            Piece->OnMouseMove = [this](TNumberPiece& Q, QMouseEvent& E) { PieceMouseMove(Q, E); };
            Piece->OnMouseUp = [this](TNumberPiece& Q, QMouseEvent& E) { PieceMouseUp(Q, E); };
            Piece->show();
        }
        QCoreApplication::processEvents();
    }

    FHintImage->SetCanvasSize(size());
    FHintImage->Clear();
    ShowFilledCount();
}

void TSudoku::DrawGrid() {
    QPainter Painter(&FGridImage->Canvas());
    const int Right = GridLeft + 9 * CellWidth;
    const int Bottom = GridTop + 9 * CellHeight;
    auto Lines = [&](std::initializer_list<int> Steps) {
        for (int I : Steps) {
            const int X = GridLeft + I * CellWidth;
            Painter.drawLine(X, GridTop, X, Bottom);
        }
        for (int J : Steps) {
            const int Y = GridTop + J * CellHeight;
            Painter.drawLine(GridLeft, Y, Right, Y);
        }
    };
    Painter.setPen(QPen(GridLineColor(), 1));
    Lines({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    Painter.setPen(QPen(Qt::black, 2));
    Lines({0, 3, 6, 9});

    Painter.setPen(Qt::black);
    Painter.setFont(CanvasFont());
    for (int I = 0; I < 9; ++I) {
        DrawTextAt(Painter, GridLeft + I * CellWidth + (CellWidth - 8) / 2, GridTop - 16,
                   QString(QChar('A' + I)));
    }
    for (int N = 1; N <= 9; ++N) {
        DrawTextAt(Painter, GridLeft - 12, GridTop + N * CellHeight - (CellHeight + 12) / 2,
                   QString::number(N));
    }
    Painter.end();
    FGridImage->update();
}

bool TSudoku::LoadPuzzle(std::string& Text) {
    if (!IsPuzzleText(Text)) {
        return false;
    }
    TransformPuzzle(Text);
    Clear();
    for (int I = 0; I < 81; ++I) {
        const int Digit = Text[static_cast<std::size_t>(I)] - '0';
        TNumberPiece* Piece = FindFreePiece(Digit);
        if (!Piece) {
            continue;
        }
        // A given that is refused stays where it lies, in the tray.
        Piece->DragLeft = Piece->x();
        Piece->DragTop = Piece->y();
        PutPiece(Piece->Index, I % 9, I / 9, true);
    }
    ShowFilledCount();
    return true;
}

void TSudoku::TransformPuzzle(std::string& Text) {
    kumoji::TransformPuzzle(Text);
}

bool TSudoku::FindQuestion(TPoint& Cell, int& Digit, bool Strict) const {
    return kumoji::FindQuestion(FGrid, Cell, Digit, Strict);
}

void TSudoku::Beep() const {
    QApplication::beep();
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

void TSudoku::Fix() {
    for (TNumberPiece* Piece : FPieces) {
        if (Piece->OnGrid()) {
            Piece->SetFixed(true);
        }
    }
    FFixedPos = FHistories.Floater() + 1;
}

void TSudoku::UnFix() {
    for (TNumberPiece* Piece : FPieces) {
        if (Piece->OnGrid()) {
            Piece->SetFixed(false);
        }
    }
}

void TSudoku::Clear() {
    Dragging = false;
    FDragIndex = -1;
    for (TNumberPiece* Piece : FPieces) {
        Piece->SetFixed(false);
        Piece->SetCell(-1, -1);
    }
    FGrid.Reset();
    ClearHints();
    EraseMemo();
    FHistories.Clear();
    FFixedPos = 0;
}

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

void TSudoku::ShowFilledCount() {
    FHintImage->ClearRect(QRect(0, 0, 2 * CellWidth, 20));
    QPainter Painter(&FHintImage->Canvas());
    Painter.setFont(CanvasFont());
    Painter.setPen(CaptionColor());
    DrawTextAt(Painter, 8, 4, QStringLiteral("-- %1 --").arg(81 - FGrid.EmptyCount()));
    Painter.end();
    FHintImage->update();
}

void TSudoku::ClearHints() {
    FHintImage->ClearRect(rect().adjusted(2 * CellWidth, 0, 0, 0));
}

void TSudoku::EraseMemo() {
    FMemoImage->Clear();
}

void TSudoku::ShowHints(int Digit) {
    if (Digit != 0) {
        if (!TabKeyDown()) {
            ClearHints();
        }
        DrawHints(Digit);
    } else {
        ClearHints();
        for (int D = 1; D <= 9; ++D) {
            DrawHints(D);
        }
    }
}

void TSudoku::DrawHints(int Digit) {
    if (Digit < 1 || Digit > 9) {
        return;
    }
    for (int Row = 0; Row < 9; ++Row) {
        for (int Col = 0; Col < 9; ++Col) {
            if (FGrid.HasCandidate(Col, Row, Digit)) {
                DrawHintMark(Col, Row, Digit, CandidateColor());
            }
        }
    }
    TD2IntegerList Places;
    TPoint Cell;
    TPoint Place;
    auto MarkPlaces = [&](const QColor& Color) {
        for (int K = 0; K < Places.GetCount(); ++K) {
            Places.Get(K, Place);
            DrawHintMark(Place.X, Place.Y, Digit, Color);
        }
    };
    for (int BoxRow = 0; BoxRow < 3; ++BoxRow) {
        for (int BoxCol = 0; BoxCol < 3; ++BoxCol) {
            if (FGrid.ScanBox(BoxCol, BoxRow, Digit, Places, Cell)) {
                continue;
            }
            switch (Places.GetCount()) {
            case 1:
                MarkPlaces(ForcedColor());
                break;
            case 2:
                MarkPlaces(TwoPlacesColor());
                break;
            case 3:
                MarkPlaces(ThreePlacesColor());
                break;
            default:
                break;
            }
        }
    }
    for (int Row = 0; Row < 9; ++Row) {
        if (!FGrid.ScanRow(Row, Digit, Places, Cell) && Places.GetCount() == 1) {
            MarkPlaces(ForcedColor());
        }
    }
    for (int Col = 0; Col < 9; ++Col) {
        if (!FGrid.ScanCol(Col, Digit, Places, Cell) && Places.GetCount() == 1) {
            MarkPlaces(ForcedColor());
        }
    }
    const std::string Single(1, static_cast<char>('0' + Digit));
    for (int Row = 0; Row < 9; ++Row) {
        for (int Col = 0; Col < 9; ++Col) {
            if (FGrid.CandidateText(Col, Row) == Single) {
                DrawHintMark(Col, Row, Digit, ForcedColor());
            }
        }
    }
    FHintImage->update();
}

void TSudoku::DrawHintMark(int Col, int Row, int Digit, const QColor& Color) {
    const int X = GridLeft + Col * CellWidth + 4 + (Digit - 1) % 3 * 16;
    const int Y = GridTop + Row * CellHeight + 4 + (Digit - 1) / 3 * 16;
    const QString Text = QString::number(Digit);
    const QFont Font = CanvasFont();
    const QFontMetrics Metrics(Font);
    // A later mark replaces an earlier one in the same slot.
    FHintImage->ClearRect(QRect(X, Y, Metrics.horizontalAdvance(Text), Metrics.height()));
    QPainter Painter(&FHintImage->Canvas());
    Painter.setFont(Font);
    Painter.setPen(Color);
    DrawTextAt(Painter, X, Y, Text);
}

void TSudoku::SetPenMode(int Value) {
    FPenMode = Value;
    setCursor(CursorShape(Value == 1 ? crEraser : crPen));
}

QColor TSudoku::BackgroundColor() const {
    return palette().color(backgroundRole());
}

void TSudoku::SetStroke(int Mode) {
    if (Mode == StrokeMode) {
        return;
    }
    StrokeMode = Mode;
    if (Mode != 0) {
        FStrokeImage->SetCanvasSize(FMemoImage->Canvas().size());
        FStrokeImage->ClearRect(FStrokeImage->Canvas().rect(), BackgroundColor());
        QImage Snapshot;
        CaptureBoard(Snapshot);
        QPainter Painter(&FStrokeImage->Canvas());
        Painter.drawImage(FStrokeImage->rect(), Snapshot, FStrokeImage->geometry());
        Painter.end();
        // Qt ends the mouse grab of a widget that is hidden, so the memo layer
        // stays shown, wholly covered by the opaque stroke layer.
        FStrokeImage->show();
        FHintImage->hide();
        FGridImage->hide();
    } else {
        FHintImage->show();
        FGridImage->show();
        FStrokeImage->hide();
        FMemoImage->update();
    }
}

void TSudoku::DrawMemoLine(QPoint Point) {
    if (StrokeMode != 0) {
        const QPen Pen =
            StrokeMode > 0 ? QPen(FPenColor, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                           : QPen(BackgroundColor(), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        for (TLayerImage* Layer : {FStrokeImage, FMemoImage}) {
            QPainter Painter(&Layer->Canvas());
            Painter.setPen(Pen);
            Painter.drawLine(FLastMemo, Point);
        }
        // Only the stroke layer is seen until the stroke ends.
        FStrokeImage->update();
    }
    FLastMemo = Point;
}

void TSudoku::CaptureBoard(QImage& Bitmap) {
    // Rendered from the board's own widgets: the same pixels as on screen,
    // without reading the screen.
    Bitmap = grab().toImage();
    if (Bitmap.size() != size()) {
        Bitmap = Bitmap.scaled(size());
    }
}

void TSudoku::CancelDrag() {
    if (!Dragging) {
        return;
    }
    Dragging = false;
    if (TNumberPiece* Piece = Pieces(FDragIndex)) {
        PutBack(*Piece);
    }
    FDragIndex = -1;
}

void TSudoku::PieceMouseDown(TNumberPiece& Piece, QMouseEvent& Event) {
    if (Dragging) {
        return;
    }
    if (ExactlyButton(Event, Qt::LeftButton)) {
        if (Piece.Fixed) {
            return;
        }
        FDragOffset = Event.position().toPoint();
        Piece.DragLeft = Piece.x();
        Piece.DragTop = Piece.y();
        Piece.raise();
        Dragging = true;
        FDragIndex = Piece.Index;
    } else if (ExactlyButton(Event, Qt::RightButton)) {
        ShowHints(Piece.Digit());
    }
}

void TSudoku::PieceMouseMove(TNumberPiece& Piece, QMouseEvent& Event) {
    if (Dragging && ExactlyButton(Event, Qt::LeftButton)) {
        const QPoint At = Event.position().toPoint();
        const int Left =
            std::min(width() - Piece.width(), std::max(0, Piece.x() + At.x() - FDragOffset.x()));
        const int Top =
            std::min(height() - Piece.height(), std::max(0, Piece.y() + At.y() - FDragOffset.y()));
        Piece.move(Left, Top);
        Piece.SetRaised(true);
        // Col and Row stay, so that a refused drop can put the piece back.
        if (Piece.OnGrid()) {
            FGrid.SetValue(Piece.Col, Piece.Row, 0);
        }
    } else {
        // A drag given up with another button or key goes back where it began,
        // rather than leave the piece lying between cells.
        CancelDrag();
    }
}

void TSudoku::PieceMouseUp(TNumberPiece& Piece, QMouseEvent& Event) {
    if (!Dragging) {
        return;
    }
    Dragging = false;
    FDragIndex = -1;
    const QPoint At = Piece.mapTo(this, Event.position().toPoint());
    const int Col = std::min(8, (At.x() - GridLeft) / CellWidth);
    const int Row = std::min(8, (At.y() - GridTop) / CellHeight);
    if (GridLeft <= At.x() && At.x() <= width() && GridTop <= At.y() && At.y() <= height()) {
        PutPiece(Piece.Index, Col, Row, true);
    } else {
        RemovePiece(Piece.Index, true);
    }
}

void TSudoku::MemoMouseDown(QMouseEvent& Event) {
    SetStroke(0);
    if (Event.buttons() & Qt::LeftButton) {
        DrawMemoLine(Event.position().toPoint());
        SetStroke(FPenMode != 0 ? -1 : 1);
    }
}

void TSudoku::MemoMouseMove(QMouseEvent& Event) {
    if (StrokeMode != 0) {
        DrawMemoLine(Event.position().toPoint());
    }
}

void TSudoku::MemoMouseUp(QMouseEvent& Event) {
    if (StrokeMode != 0) {
        DrawMemoLine(Event.position().toPoint());
    }
    SetStroke(0);
}

} // namespace kumoji
