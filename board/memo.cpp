// Memo strokes: the pen and eraser drawn with the mouse on the memo layer.
#include "board/cursor_table.h"
#include "board/layer_image.h"
#include "board/sudoku.h"

#include <QMouseEvent>
#include <QPainter>

namespace kumoji {

void TSudoku::EraseMemo() {
    FMemoImage->Clear();
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
