// The board's hints: painting each digit's candidate marks in the colour of how forced it is.
#include "board/board_colors.h"
#include "board/canvas_text.h"
#include "board/hint_marks.h"
#include "board/layer_image.h"
#include "board/sudoku.h"
#include "board/tab_key.h"

#include <QPainter>

namespace kumoji {

namespace {

QColor HintColor(THintKind Kind) {
    switch (Kind) {
    case THintKind::Forced:
        return ForcedColor();
    case THintKind::TwoPlaces:
        return TwoPlacesColor();
    case THintKind::ThreePlaces:
        return ThreePlacesColor();
    case THintKind::Candidate:
        break;
    }
    return CandidateColor();
}

} // namespace

void TSudoku::ClearHints() {
    FShownHints.clear();
    FHintImage->ClearRect(rect().adjusted(2 * CellWidth, 0, 0, 0));
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
    for (const THintMark& Mark : HintMarks(FGrid, Digit)) {
        DrawHintMark(Mark.Col, Mark.Row, Digit, HintColor(Mark.Kind));
    }
    FHintImage->update();
}

QPoint TSudoku::HintSlot(int Col, int Row, int Digit) const {
    return {GridLeft + Col * CellWidth + FGeometry.SlotX(Digit),
            GridTop + Row * CellHeight + FGeometry.SlotY(Digit)};
}

void TSudoku::DrawHintMark(int Col, int Row, int Digit, const QColor& Color) {
    FShownHints.push_back({Col, Row, Digit, Color});
    PaintHintMark(FShownHints.back());
}

void TSudoku::PaintHintMark(const TShownHint& Mark) {
    const QPoint Slot = HintSlot(Mark.Col, Mark.Row, Mark.Digit);
    const int X = Slot.x();
    const int Y = Slot.y();
    const QString Text = QString::number(Mark.Digit);
    const QFont Font = CanvasFont(FGeometry.Scale, FRatio);
    const QFontMetrics Metrics(Font);
    // A later mark replaces an earlier one in the same slot.
    FHintImage->ClearRect(QRect(X, Y, Metrics.horizontalAdvance(Text), Metrics.height()));
    QPainter Painter(&FHintImage->Canvas());
    Painter.setFont(Font);
    Painter.setPen(Mark.Color);
    DrawTextAt(Painter, X, Y, Text);
}

} // namespace kumoji
