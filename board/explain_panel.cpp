// The explanation's text: numbered lines on a translucent dark panel, readable over a picture.
#include "board/explain_panel.h"

#include "board/board_scale.h"

namespace kumoji {

namespace {

QString LinesHtml(const std::vector<std::string>& Lines, int Pixels, double Scale) {
    const int Space = ScaledPixels(7, Scale);
    const int Below = ScaledPixels(5, Scale);
    QString Html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">");
    int Number = 0;
    for (const std::string& Line : Lines) {
        const QString Text = QString::fromUtf8(Line.data(), static_cast<qsizetype>(Line.size()));
        const qsizetype Gap = Text.indexOf(QStringLiteral("  "));
        const QString Japanese = (Gap < 0 ? Text : Text.left(Gap)).trimmed().toHtmlEscaped();
        const QString English = Gap < 0 ? QString() : Text.mid(Gap).trimmed().toHtmlEscaped();
        Html += QStringLiteral("<tr><td style=\"padding: 0 %4px %5px 0; color: #ffcf4a; "
                               "font-weight: bold; font-size: %1px\">%2</td>"
                               "<td style=\"padding-bottom: %5px; font-size: %1px\">%3")
                    .arg(ScaledPixels(Pixels, Scale))
                    .arg(++Number)
                    .arg(Japanese)
                    .arg(Space)
                    .arg(Below);
        if (!English.isEmpty()) {
            Html += QStringLiteral("<br><span style=\"color: #b9c6d6; font-size: %1px\">%2</span>")
                        .arg(ScaledPixels(Pixels - 2, Scale))
                        .arg(English);
        }
        Html += QStringLiteral("</td></tr>");
    }
    return Html + QStringLiteral("</table>");
}

} // namespace

TExplainPanel::TExplainPanel(QWidget* Parent) : QLabel(Parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont Font;
    Font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    setFont(Font);
    SetScale(1.0);
    hide();
}

void TExplainPanel::SetScale(double Value) {
    FScale = Value;
    const auto Px = [Value](int Design) { return ScaledPixels(Design, Value); };
    // A dark veil rather than a solid box: the picture behind stays in sight.
    setStyleSheet(QStringLiteral("QLabel { background-color: rgba(12, 18, 32, 196); color: white; "
                                 "border: %1px solid rgba(255, 255, 255, 60); "
                                 "border-radius: %2px; padding: %2px %3px %4px %3px; }")
                      .arg(Px(1))
                      .arg(Px(8))
                      .arg(Px(10))
                      .arg(Px(3)));
    Fit();
}

void TExplainPanel::SetArea(const QRect& Area) {
    FArea = Area;
    Fit();
}

void TExplainPanel::SetLines(std::vector<std::string> Lines) {
    FLines = std::move(Lines);
    Fit();
}

void TExplainPanel::Fit() {
    if (FLines.empty() || FArea.isEmpty()) {
        clear();
        hide();
        return;
    }
    int Height = 0;
    for (int Pixels = 14; Pixels >= 9; --Pixels) {
        setText(LinesHtml(FLines, Pixels, FScale));
        Height = heightForWidth(FArea.width());
        if (Height <= FArea.height()) {
            break;
        }
    }
    setGeometry(FArea.x(), FArea.y(), FArea.width(), std::min(Height, FArea.height()));
    show();
    raise();
}

} // namespace kumoji
