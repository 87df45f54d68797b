// The on-screen board: its state, published operations and input handlers.
#pragma once

#include "board/board_scale.h"
#include "board/explain_marks.h"
#include "board/history.h"
#include "engine/grid/matrix.h"
#include "engine/grid/point.h"
#include "engine/techniques/solve_method.h"

#include <QColor>
#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QKeyEvent;
class QMouseEvent;
class QTimer;

namespace kumoji {

class TExplainOverlay;
class TKeyCursor;
class TLayerImage;
class TNumberPiece;
struct TExplanation;

// The on-screen board: the grid, 81 number pieces that the player drags from
// the tray on the left onto the cells, four drawing layers and the move
// history. Every change of the grid goes through PutPiece, so the grid, the
// pieces and the history always agree.
class TSudoku : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap BackPicture READ BackPicture WRITE SetBackPicture)
    Q_PROPERTY(int FixedPos READ FixedPos)
    Q_PROPERTY(QColor PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(int PenMode READ PenMode WRITE SetPenMode)
    Q_PROPERTY(int Count READ Count)

public:
    using TNotifyEvent = std::function<void(TSudoku&)>;

    explicit TSudoku(QWidget* Parent = nullptr);
    ~TSudoku() override;

    // Geometry, grid drawing and the 81 pieces. The pieces then appear one by
    // one, PieceDelay apart, while events run; Dealt tells when the last is
    // there. Resized later, the board draws everything again at its new size.
    Q_INVOKABLE void Start();
    // The time between two pieces of the deal; it applies to every board, and
    // tests that build many boards set it to 0, which deals them all in Start.
    static void SetPieceDelay(std::chrono::milliseconds Value);
    static std::chrono::milliseconds PieceDelay();
    // Some pieces of the last Start have not appeared yet: no puzzle may be
    // loaded until Dealt.
    bool Dealing() const { return FDealt < PieceCount(); }
    Q_INVOKABLE void Fix();
    Q_INVOKABLE void UnFix();
    Q_INVOKABLE void Clear();
    Q_INVOKABLE void Undo();
    Q_INVOKABLE void Redo();
    Q_INVOKABLE void UndoAll();
    Q_INVOKABLE void RedoAll();

    // Transforms Text at random (the caller's string receives the result) and
    // places its givens as recorded moves. False, and nothing changed, for a
    // text that is not a puzzle text.
    bool LoadPuzzle(std::string& Text);
    // Places the givens of Text as written, without the transform.
    bool LoadPuzzleAsGiven(const std::string& Text);
    void TransformPuzzle(std::string& Text);
    bool FindQuestion(TPoint& Cell, int& Digit, bool Strict) const;
    // As above for a question of Technique: the techniques beyond subsets join the passes.
    bool FindQuestion(TPoint& Cell, int& Digit, bool Strict, TSolveMethod Technique) const;

    // The placement primitive: a Col or Row of -1 sends the piece home.
    bool PutPiece(int Index, int Col, int Row, bool Record);
    void RemovePiece(int Index, bool Record);
    void ReturnPiece(int Index);
    bool CanPlace(int Col, int Row, int Digit) const;
    TNumberPiece* FindFreePiece(int Digit) const;
    TNumberPiece* PieceAt(int Col, int Row) const;
    // Null for an index outside the list (the list is empty before Start).
    TNumberPiece* Pieces(int Index) const;
    int PieceCount() const { return static_cast<int>(FPieces.size()); }
    THistories& Histories() { return FHistories; }
    const THistories& Histories() const { return FHistories; }
    const TMatrix& Matrix() const { return FGrid; }
    // 0 open, 1 solved, 3 contradiction.
    int State() const { return FGrid.CheckState(); }

    // Places one forced move found by the engine as a recorded move:
    // 0 placed, 1 solved, 2 no move, 3 contradiction.
    int SolveStep(bool Deep);

    void ShowFilledCount();
    void ClearHints();
    void EraseMemo();
    // The hints of Digit, or of every digit for 0. Holding Tab adds a digit's
    // hints to those already shown.
    void ShowHints(int Digit);
    // Top-left of Digit's small slot in a cell, where hints and the
    // explanation's candidates are written.
    QPoint HintSlot(int Col, int Row, int Digit) const;

    // Draws the explanation of the move forced in Position, the position as
    // it was asked, above the pieces; Clear and loading a puzzle take it away.
    void ShowExplanation(const TExplanation& Explanation, const TMatrix& Position);
    // Only where the explanation looks, none of what it finds: a hint.
    void ShowWhereToLook(const TExplanation& Explanation);
    void ClearExplanation();
    TExplainOverlay* ExplainOverlay() const { return FExplainOverlay; }

    int Count() const;
    int FixedPos() const { return FFixedPos; }
    QColor PenColor() const { return FPenColor; }
    void SetPenColor(const QColor& Value) { FPenColor = Value; }
    // 0 pen, 1 eraser; also selects the board's cursor.
    int PenMode() const { return FPenMode; }
    void SetPenMode(int Value);
    QPixmap BackPicture() const { return FBackPicture; }
    void SetBackPicture(const QPixmap& Value) { FBackPicture = Value; }

    // Memo strokes: 1 pen, -1 eraser, 0 idle.
    void SetStroke(int Mode);
    void DrawMemoLine(QPoint Point);
    void CaptureBoard(QImage& Bitmap);
    QColor BackgroundColor() const;

    void PieceMouseDown(TNumberPiece& Piece, QMouseEvent& Event);
    void PieceMouseMove(TNumberPiece& Piece, QMouseEvent& Event);
    void PieceMouseUp(TNumberPiece& Piece, QMouseEvent& Event);
    void MemoMouseDown(QMouseEvent& Event);
    void MemoMouseMove(QMouseEvent& Event);
    void MemoMouseUp(QMouseEvent& Event);

    // Keyboard play: the cell the keys act on, A1 when a puzzle is loaded.
    QPoint KeyCursor() const { return FKeyCursor; }
    // Moves the cursor, kept on the grid.
    void SetKeyCursor(int Col, int Row);
    // The cursor's frame, shown on a board enabled for play from the first key
    // that acts on the cursor until a drop of the mouse or the next puzzle.
    TKeyCursor* KeyCursorFrame() const { return FKeyCursorFrame; }

    // The measures of the board at its size; GridTop to CellHeight below are its
    // whole-pixel part.
    const TBoardGeometry& Geometry() const { return FGeometry; }

    TLayerImage* GridImage() const { return FGridImage; }
    TLayerImage* HintImage() const { return FHintImage; }
    TLayerImage* MemoImage() const { return FMemoImage; }
    TLayerImage* StrokeImage() const { return FStrokeImage; }

    // Raised after each recorded placement that moved a piece onto a cell.
    TNotifyEvent OnChanged;

signals:
    // Each refused placement or removal, with its beep.
    void Refused();
    // The last piece of Start's deal has appeared.
    void Dealt();

public:
    // Set by Start and by every resize; read them, do not change them.
    int GridTop = 0;
    int GridLeft = 0;
    int CellWidth = 0;
    int CellHeight = 0;
    // Written into every new history entry; smNone except inside SolveStep.
    TSolveMethod Technique = smNone;
    int StrokeMode = 0;
    bool Dragging = false;

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    bool event(QEvent* Event) override;

private:
    void ShowMarks(TExplainMarks Marks);
    // A hint mark as shown, kept so that a resize can draw it again.
    struct TShownHint {
        int Col = 0;
        int Row = 0;
        int Digit = 0;
        QColor Color;
    };
    // A memo segment as drawn, with the grid it was drawn on (left, top, cell width
    // and height), so that it keeps its place on the grid at every size; Width is in
    // design pixels.
    struct TMemoSegment {
        QPoint From;
        QPoint To;
        QRect Grid;
        QColor Color;
        qreal Width = 2;
    };

    void LayOutLayers();
    // Geometry and canvases for the board's size and the screen's pixel ratio; true
    // when either changed.
    bool SizeCanvases();
    // Everything drawn again, and the pieces placed again, after a change of size.
    void Relayout();
    void LayOutPiece(TNumberPiece& Piece);
    void DrawGrid();
    void DrawHints(int Digit);
    void DrawHintMark(int Col, int Row, int Digit, const QColor& Color);
    void PaintHintMark(const TShownHint& Mark);
    void PaintMemoSegment(const TMemoSegment& Segment);
    // A point drawn on Grid, where it lies on the grid now.
    QPointF OnGrid(QPoint Point, const QRect& Grid) const;
    // Back onto its own cell with its digit, or home when it is off the grid.
    void PutBack(TNumberPiece& Piece);
    // Ends a drag that will get no release, leaving the piece where it was.
    void CancelDrag();
    void Beep();
    void DealNext();
    void UpdateKeyCursor();
    // The keys' counterparts of a drop on the cursor's cell and of taking a
    // piece off it.
    void PlaceFromKeyboard(int Digit);
    void TakeBackFromKeyboard();

    TBoardGeometry FGeometry;
    qreal FRatio = 1.0;
    bool FStarted = false;
    std::vector<TShownHint> FShownHints;
    std::vector<TMemoSegment> FMemo;
    QColor FPenColor;
    int FPenMode = 0;
    QPoint FLastMemo;
    QPoint FDragOffset;
    int FDragIndex = -1;
    int FFixedPos = 0;
    QPixmap FBackPicture;
    TLayerImage* FGridImage = nullptr;
    TLayerImage* FHintImage = nullptr;
    TLayerImage* FStrokeImage = nullptr;
    TLayerImage* FMemoImage = nullptr;
    TKeyCursor* FKeyCursorFrame = nullptr;
    TExplainOverlay* FExplainOverlay = nullptr;
    QTimer* FDealTimer = nullptr;
    int FDealt = 0;
    QPoint FKeyCursor{0, 0};
    bool FKeyCursorInUse = false;
    std::vector<TNumberPiece*> FPieces;
    TMatrix FGrid;
    THistories FHistories;
};

} // namespace kumoji
