// The board itself: construction, layers, Start (geometry, grid, pieces) and loading a puzzle.
#include "board/sudoku.h"

#include "board/board_colors.h"
#include "board/canvas_text.h"
#include "board/cursor_table.h"
#include "board/explain_overlay.h"
#include "board/key_cursor.h"
#include "board/layer_image.h"
#include "board/number_piece.h"
#include "board/tab_key.h"
#include "engine/grid/puzzle_text.h"
#include "engine/question/question.h"
#include "engine/question/technique_needs.h"
#include "engine/question/transform.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace kumoji {

namespace {

QFont PieceFont(double Points) {
    QFont Font;
    Font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    Font.setPointSizeF(Points);
    Font.setBold(false);
    Font.setItalic(false);
    return Font;
}

std::chrono::milliseconds& PieceDelaySetting() {
    static std::chrono::milliseconds Delay{7};
    return Delay;
}

} // namespace

void TSudoku::SetPieceDelay(std::chrono::milliseconds Value) {
    PieceDelaySetting() = Value;
}

std::chrono::milliseconds TSudoku::PieceDelay() {
    return PieceDelaySetting();
}

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
    FKeyCursorFrame = new TKeyCursor(this);
    FExplainOverlay = new TExplainOverlay(*this);
    FDealTimer = new QTimer(this);
    FDealTimer->setTimerType(Qt::PreciseTimer);
    connect(FDealTimer, &QTimer::timeout, this, &TSudoku::DealNext);
    setFocusPolicy(Qt::StrongFocus);
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
    FExplainOverlay->setGeometry(rect());
}

void TSudoku::resizeEvent(QResizeEvent* Event) {
    LayOutLayers();
    Relayout();
    QWidget::resizeEvent(Event);
}

bool TSudoku::SizeCanvases() {
    const TBoardGeometry Before = FGeometry;
    const qreal RatioBefore = FRatio;
    FRatio = devicePixelRatioF();
    FGeometry = BoardGeometry(width(), height());
    GridTop = FGeometry.GridTop;
    GridLeft = FGeometry.GridLeft;
    CellWidth = FGeometry.CellWidth;
    CellHeight = FGeometry.CellHeight;
    const QImage& Memo = FMemoImage->Canvas();
    const bool Changed = Before.Scale != FGeometry.Scale || Before.CellWidth != CellWidth ||
                         Before.CellHeight != CellHeight || RatioBefore != FRatio ||
                         Memo.deviceIndependentSize() != QSizeF(size().expandedTo({1, 1}));
    // The stroke layer is sized when a stroke begins: until then it costs nothing.
    for (TLayerImage* Layer : {FMemoImage, FGridImage, FHintImage}) {
        Layer->SetCanvasSize(size(), FRatio);
    }
    FKeyCursorFrame->SetScale(FGeometry.Scale);
    return Changed;
}

void TSudoku::Relayout() {
    // The stroke's snapshot and the drag's place belong to the old size.
    SetStroke(0);
    // Before Start there is nothing drawn to draw again.
    if (!SizeCanvases() || !FStarted) {
        return;
    }
    CancelDrag();
    DrawGrid();
    ShowFilledCount();
    for (const TShownHint& Mark : FShownHints) {
        PaintHintMark(Mark);
    }
    FHintImage->update();
    for (const TMemoSegment& Segment : FMemo) {
        PaintMemoSegment(Segment);
    }
    FMemoImage->update();
    for (TNumberPiece* Piece : FPieces) {
        LayOutPiece(*Piece);
        Piece->SetCell(Piece->Col, Piece->Row);
    }
    UpdateKeyCursor();
    FExplainOverlay->update();
}

void TSudoku::LayOutPiece(TNumberPiece& Piece) {
    const int Digit = Piece.Index / 9 + 1;
    const int K = Piece.Index % 9;
    Piece.resize(FGeometry.PieceWidth(), FGeometry.PieceHeight());
    Piece.HomeLeft = FGeometry.TrayLeft(K);
    Piece.HomeTop = FGeometry.TrayTop(Digit);
    Piece.setFont(PieceFont(FGeometry.PieceFontPoints()));
}

void TSudoku::changeEvent(QEvent* Event) {
    // A disabled board gets no release: end a drag or stroke now rather than
    // leave a piece in mid-air or the stroke snapshot in front of the board.
    if (Event->type() == QEvent::EnabledChange && !isEnabled()) {
        CancelDrag();
        SetStroke(0);
    }
    if (Event->type() == QEvent::EnabledChange) {
        UpdateKeyCursor();
        // Enabled for a question, the board takes the keys.
        if (isEnabled() && isVisible()) {
            setFocus(Qt::OtherFocusReason);
        }
    }
    QWidget::changeEvent(Event);
}

void TSudoku::hideEvent(QHideEvent* Event) {
    CancelDrag();
    SetStroke(0);
    QWidget::hideEvent(Event);
}

void TSudoku::Start() {
    // A resize while the pieces are dealt draws the grid again at once.
    FStarted = true;
    LayOutLayers();
    SizeCanvases();
    FGridImage->Clear();
    DrawGrid();

    // A second Start rebuilds the pieces; the position goes with them, so the
    // grid never holds a digit without a piece.
    Dragging = false;
    FDragIndex = -1;
    if (!FPieces.empty()) {
        FGrid.Reset();
        FHistories.Clear();
        FFixedPos = 0;
        ClearExplanation();
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
            LayOutPiece(*Piece);
            Piece->move(Piece->HomeLeft, Piece->HomeTop);
            Piece->DragLeft = Piece->HomeLeft;
            Piece->DragTop = Piece->HomeTop;
            Piece->SetDigit(Digit);
            Piece->SetCell(-1, -1);
            Piece->SetFixed(false);
            Piece->OnMouseDown = [this](TNumberPiece& Q, QMouseEvent& E) { PieceMouseDown(Q, E); };
            Piece->OnMouseMove = [this](TNumberPiece& Q, QMouseEvent& E) { PieceMouseMove(Q, E); };
            Piece->OnMouseUp = [this](TNumberPiece& Q, QMouseEvent& E) { PieceMouseUp(Q, E); };
        }
    }

    FShownHints.clear();
    FHintImage->Clear();
    ShowFilledCount();
    UpdateKeyCursor();

    // The pieces appear one by one from a timer, so that the window answers while they come.
    FDealt = 0;
    if (PieceDelay().count() > 0) {
        FDealTimer->start(PieceDelay());
    } else {
        while (Dealing())
            DealNext();
    }
}

void TSudoku::DealNext() {
    if (!Dealing()) {
        FDealTimer->stop();
        return;
    }
    FPieces[static_cast<std::size_t>(FDealt++)]->show();
    if (!Dealing()) {
        FDealTimer->stop();
        emit Dealt();
    }
}

void TSudoku::DrawGrid() {
    QImage& Canvas = FGridImage->Canvas();
    const double Scale = FGeometry.Scale;
    const int Right = GridLeft + 9 * CellWidth;
    const int Bottom = GridTop + 9 * CellHeight;
    // The lines are laid on whole device pixels, each as wide as the others of
    // its kind: drawn at the ratio's fractions they would blur or vary.
    Canvas.setDevicePixelRatio(1.0);
    QPainter Lines(&Canvas);
    auto Draw = [&](std::initializer_list<int> Steps, int Width, const QColor& Color) {
        const auto Span = [&](int At) { return DeviceLine(At, Width, Scale, FRatio); };
        const int Top = Span(GridTop).Start;
        const int Low = Span(Bottom).Start + Span(Bottom).Width;
        const int Left = Span(GridLeft).Start;
        const int Far = Span(Right).Start + Span(Right).Width;
        for (int I : Steps) {
            const TDeviceSpan X = Span(GridLeft + I * CellWidth);
            Lines.fillRect(X.Start, Top, X.Width, Low - Top, Color);
        }
        for (int J : Steps) {
            const TDeviceSpan Y = Span(GridTop + J * CellHeight);
            Lines.fillRect(Left, Y.Start, Far - Left, Y.Width, Color);
        }
    };
    Draw({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 1, GridLineColor());
    Draw({0, 3, 6, 9}, 2, Qt::black);
    Lines.end();
    Canvas.setDevicePixelRatio(FRatio);

    QPainter Painter(&Canvas);
    Painter.setPen(Qt::black);
    Painter.setFont(CanvasFont(Scale, FRatio));
    const auto Px = [this](double Design) { return FGeometry.Px(Design); };
    for (int I = 0; I < 9; ++I) {
        DrawTextAt(Painter, GridLeft + I * CellWidth + (CellWidth - Px(8)) / 2, GridTop - Px(16),
                   QString(QChar('A' + I)));
    }
    for (int N = 1; N <= 9; ++N) {
        DrawTextAt(Painter, GridLeft - Px(12), GridTop + N * CellHeight - (CellHeight + Px(12)) / 2,
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
    return LoadPuzzleAsGiven(Text);
}

bool TSudoku::LoadPuzzleAsGiven(const std::string& Text) {
    if (!IsPuzzleText(Text)) {
        return false;
    }
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

bool TSudoku::FindQuestion(TPoint& Cell, int& Digit, bool Strict, TSolveMethod Technique) const {
    return kumoji::FindQuestion(FGrid, Cell, Digit, Strict, Technique);
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
    ClearExplanation();
    EraseMemo();
    FHistories.Clear();
    FFixedPos = 0;
    FKeyCursorInUse = false;
    SetKeyCursor(0, 0);
}

void TSudoku::ShowFilledCount() {
    FHintImage->ClearRect(QRect(0, 0, 2 * CellWidth, GridTop));
    QPainter Painter(&FHintImage->Canvas());
    Painter.setFont(CanvasFont(FGeometry.Scale, FRatio));
    Painter.setPen(CaptionColor());
    DrawTextAt(Painter, FGeometry.Px(8), FGeometry.Px(4),
               QStringLiteral("-- %1 --").arg(81 - FGrid.EmptyCount()));
    Painter.end();
    FHintImage->update();
}

} // namespace kumoji
