// Memo strokes: the pen and eraser drawn with the mouse on the memo layer.
#include "board/cursor_table.h"
#include "board/layer_image.h"
#include "board/sudoku.h"

#include <QMouseEvent>
#include <QPainter>

namespace kumoji {

void TSudoku::EraseMemo() {
    FMemo.clear();
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
        FStrokeImage->SetCanvasSize(size(), FRatio);
        FStrokeImage->ClearRect(FStrokeImage->rect(), BackgroundColor());
        QImage Snapshot;
        CaptureBoard(Snapshot);
        QPainter Painter(&FStrokeImage->Canvas());
        Painter.drawImage(QPointF(0, 0), Snapshot);
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
        FMemo.push_back({FLastMemo, Point, QRect(GridLeft, GridTop, CellWidth, CellHeight),
                         StrokeMode > 0 ? FPenColor : BackgroundColor(),
                         StrokeMode > 0 ? 2.0 : 6.0});
        const QPen Pen(FMemo.back().Color, FMemo.back().Width * FGeometry.Scale, Qt::SolidLine,
                       Qt::RoundCap, Qt::RoundJoin);
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

void TSudoku::PaintMemoSegment(const TMemoSegment& Segment) {
    QPainter Painter(&FMemoImage->Canvas());
    Painter.setPen(QPen(Segment.Color, Segment.Width * FGeometry.Scale, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    Painter.drawLine(OnGrid(Segment.From, Segment.Grid), OnGrid(Segment.To, Segment.Grid));
}

QPointF TSudoku::OnGrid(QPoint Point, const QRect& Grid) const {
    // Exact on the grid it was drawn on, so a stroke drawn again there is the same.
    return {GridLeft + static_cast<double>(Point.x() - Grid.x()) * CellWidth / Grid.width(),
            GridTop + static_cast<double>(Point.y() - Grid.y()) * CellHeight / Grid.height()};
}

void TSudoku::CaptureBoard(QImage& Bitmap) {
    // Rendered from the board's own widgets: the same pixels as on screen,
    // without reading the screen.
    Bitmap = grab().toImage();
    if (Bitmap.deviceIndependentSize() != QSizeF(size())) {
        Bitmap = Bitmap.scaled(size() * FRatio);
        Bitmap.setDevicePixelRatio(FRatio);
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
