// The explanation drawn over the board: tinted pattern, struck candidates and the single's marks.
#include "board/explain_overlay.h"

#include "board/canvas_text.h"
#include "board/sudoku.h"
#include "engine/grid/units.h"

#include <QPainter>
#include <array>
#include <cmath>
#include <utility>

namespace kumoji {

TExplainOverlay::TExplainOverlay(TSudoku& Board) : QWidget(&Board), FBoard(Board) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TExplainOverlay::Show(TExplainMarks Marks) {
    FMarks = std::move(Marks);
    setVisible(!FMarks.Empty());
    update();
}

void TExplainOverlay::Clear() {
    FMarks = {};
    hide();
}

QRect TExplainOverlay::CellRect(int Cell) const {
    return {FBoard.GridLeft + Cell % 9 * FBoard.CellWidth,
            FBoard.GridTop + Cell / 9 * FBoard.CellHeight, FBoard.CellWidth, FBoard.CellHeight};
}

QRect TExplainOverlay::UnitRect(int Unit) const {
    const TUnitCells& Cells = UnitCells[static_cast<std::size_t>(Unit)];
    return CellRect(Cells.front()).united(CellRect(Cells.back()));
}

void TExplainOverlay::paintEvent(QPaintEvent*) {
    if (FMarks.Empty()) {
        return;
    }
    QPainter Painter(this);
    Painter.setRenderHint(QPainter::Antialiasing);
    // Every measure is the design's at the board's scale.
    const double S = FBoard.Geometry().Scale;
    const auto Within = [S](const QRect& Rect, double Left, double Top, double Right,
                            double Bottom) {
        return QRectF(Rect).adjusted(Left * S, Top * S, Right * S, Bottom * S);
    };
    // Inside the grid lines, so that they stay crisp.
    const int Line = FBoard.Geometry().Px(1);
    const auto Inside = [&](int Cell) { return CellRect(Cell).adjusted(Line, Line, 0, 0); };

    // Each cell is tinted once, the pattern's own more strongly than the rest
    // of its units, so that the pattern reads as one shape.
    std::array<bool, 81> Tinted{};
    // A colouring's two colours take the place of the pattern's tint.
    for (const auto& [Cell, Colour] : FMarks.Colours) {
        Painter.fillRect(Inside(Cell), ExplainColourTint(Colour));
        Tinted[static_cast<std::size_t>(Cell)] = true;
    }
    for (const int Cell : FMarks.PatternCells) {
        if (!std::exchange(Tinted[static_cast<std::size_t>(Cell)], true)) {
            Painter.fillRect(Inside(Cell), ExplainPatternTint());
        }
    }
    for (const int Unit : FMarks.Units) {
        for (const unsigned char Cell : UnitCells[static_cast<std::size_t>(Unit)]) {
            if (!std::exchange(Tinted[Cell], true)) {
                Painter.fillRect(Inside(Cell), ExplainUnitTint());
            }
        }
    }
    Painter.setBrush(Qt::NoBrush);
    Painter.setPen(QPen(ExplainPatternLine(), 2 * S));
    for (const int Cell : FMarks.PatternCells) {
        Painter.drawRect(Within(CellRect(Cell), 2.5, 2.5, -1.5, -1.5));
    }
    DrawShapes(Painter);

    // Where to look has no single yet.
    if (FMarks.Target < 0) {
        return;
    }
    QColor Single = ExplainSingleColor();
    if (FMarks.SingleUnit >= 0) {
        Painter.setPen(QPen(Single, 3 * S));
        Painter.drawRect(Within(UnitRect(FMarks.SingleUnit), 1.5, 1.5, -0.5, -0.5));
    }
    Single.setAlpha(200);
    Painter.setPen(QPen(Single, 2.5 * S));
    for (const int Cell : FMarks.Witnesses) {
        Painter.drawEllipse(Within(CellRect(Cell), 7.5, 7.5, -4.5, -4.5));
    }
    // Inside the grid lines and outside the small digits' slots.
    Painter.setPen(QPen(ExplainSingleColor(), 3 * S));
    Painter.drawRect(Within(CellRect(FMarks.Target), 2, 2, -1.5, -1.5));

    DrawDigits(Painter);
}

void TExplainOverlay::DrawDigits(QPainter& Painter) const {
    // Smoothed, unlike the hints' canvas face: these lie over tints.
    const double S = FBoard.Geometry().Scale;
    QFont Plain;
    Plain.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    Plain.setPixelSize(FBoard.Geometry().TextPixels());
    QFont Bold = Plain;
    Bold.setBold(true);
    const QFontMetrics Metrics(Plain);
    const TMatrix& Now = FBoard.Matrix();
    // A cell that holds a piece by now shows the piece: small digits over it
    // would blur its digit and the answer's circle.
    const auto Open = [&Now](int Cell) { return Now.GetValue(Cell % 9, Cell / 9) == 0; };
    const auto Write = [&](int Cell, int Digit, const QFont& Font, const QColor& Color,
                           bool Struck) {
        const QPoint Slot = FBoard.HintSlot(Cell % 9, Cell / 9, Digit);
        const QString Text = QString::number(Digit);
        Painter.setFont(Font);
        Painter.setPen(Color);
        DrawTextAt(Painter, Slot.x(), Slot.y(), Text);
        if (Struck) {
            const QRectF Box(Slot, QSizeF(Metrics.horizontalAdvance(Text), Metrics.ascent()));
            Painter.setPen(QPen(Color, 1.4 * S, Qt::SolidLine, Qt::RoundCap));
            Painter.drawLine(Box.bottomLeft() + QPointF(-1.5, 1.5) * S,
                             Box.topRight() + QPointF(1.5, 0.5) * S);
        }
    };

    bool TargetWritten = false;
    for (const TExplainDigit& Mark : FMarks.Digits) {
        if (!Open(Mark.Cell)) {
            continue;
        }
        const bool Answer =
            Mark.Cell == FMarks.Target && Mark.Digit == FMarks.TargetDigit && !Mark.Removed;
        TargetWritten = TargetWritten || Answer;
        Write(Mark.Cell, Mark.Digit, Mark.Pattern || Answer ? Bold : Plain,
              Mark.Removed   ? ExplainStruckColor()
              : Answer       ? ExplainSingleColor()
              : Mark.Pattern ? ExplainPatternLine()
                             : ExplainCandidateColor(),
              Mark.Removed);
    }
    // Where the witnesses keep the single's digit out, it is struck in their
    // colour rather than the steps' red.
    for (const int Cell : FMarks.Covered) {
        if (Open(Cell)) {
            Write(Cell, FMarks.TargetDigit, Plain, ExplainSingleColor(), true);
        }
    }
    // An open target that no step touched shows its digit as a piece would.
    if (Open(FMarks.Target) && !TargetWritten) {
        QFont Large = Plain;
        Large.setPixelSize(FBoard.Geometry().Px(28));
        Painter.setFont(Large);
        Painter.setPen(ExplainSingleColor());
        Painter.drawText(CellRect(FMarks.Target), Qt::AlignCenter,
                         QString::number(FMarks.TargetDigit));
    }
}

void TExplainOverlay::DrawShapes(QPainter& Painter) const {
    const double S = FBoard.Geometry().Scale;
    // A fish's cover lines: dashed, around the lines the digit leaves.
    Painter.setBrush(Qt::NoBrush);
    Painter.setPen(QPen(ExplainPatternLine(), 2 * S, Qt::DashLine));
    for (const int Unit : FMarks.CoverUnits) {
        Painter.drawRect(QRectF(UnitRect(Unit)).adjusted(3 * S, 3 * S, -2 * S, -2 * S));
    }
    // Links from near one centre to near the other, clear of the middle digit; a strong link
    // solid, a weak one dashed.
    for (const TExplainLink& Link : FMarks.Links) {
        const QPointF From = QRectF(CellRect(Link.From)).center();
        const QPointF To = QRectF(CellRect(Link.To)).center();
        const QPointF Along = To - From;
        const double Length = std::hypot(Along.x(), Along.y());
        if (Length <= 0) {
            continue;
        }
        const QPointF Gap = Along * (FBoard.CellWidth * 0.28 / Length);
        Painter.setPen(QPen(ExplainLinkColor(), (Link.Strong ? 2.6 : 2.0) * S,
                            Link.Strong ? Qt::SolidLine : Qt::DashLine, Qt::RoundCap));
        Painter.drawLine(From + Gap, To - Gap);
    }
    // A wing's pivot: framed in the link's colour, thicker than the pincers.
    if (FMarks.Pivot >= 0) {
        Painter.setPen(QPen(ExplainLinkColor(), 3 * S));
        Painter.drawRect(QRectF(CellRect(FMarks.Pivot)).adjusted(3 * S, 3 * S, -2.5 * S, -2.5 * S));
    }
    // An assumption's cells, numbered in the order the reasoning visits them, on the corner
    // where the grid line leaves the candidates free.
    QFont Font;
    Font.setPixelSize(std::max(1, static_cast<int>(10 * S)));
    Font.setBold(true);
    Painter.setFont(Font);
    const double Radius = 7 * S;
    for (std::size_t I = 0; I < FMarks.Chain.size(); ++I) {
        const QPointF Corner =
            QRectF(CellRect(FMarks.Chain[I])).topLeft() + QPointF(Radius + S, Radius + S);
        const QRectF Badge(Corner - QPointF(Radius, Radius), QSizeF(2 * Radius, 2 * Radius));
        Painter.setPen(Qt::NoPen);
        Painter.setBrush(ExplainLinkColor());
        Painter.drawEllipse(Badge);
        Painter.setPen(Qt::white);
        Painter.drawText(Badge, Qt::AlignCenter, QString::number(I + 1));
    }
    Painter.setBrush(Qt::NoBrush);
}

} // namespace kumoji
