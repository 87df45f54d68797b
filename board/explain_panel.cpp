// The explanation's text: numbered lines on a translucent dark panel, readable over a picture.
#include "board/explain_panel.h"

namespace kumoji {

namespace {

QString LinesHtml(const std::vector<std::string>& Lines, int Pixels) {
    QString Html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">");
    int Number = 0;
    for (const std::string& Line : Lines) {
        const QString Text = QString::fromUtf8(Line.data(), static_cast<qsizetype>(Line.size()));
        const qsizetype Gap = Text.indexOf(QStringLiteral("  "));
        const QString Japanese = (Gap < 0 ? Text : Text.left(Gap)).trimmed().toHtmlEscaped();
        const QString English = Gap < 0 ? QString() : Text.mid(Gap).trimmed().toHtmlEscaped();
        Html += QStringLiteral("<tr><td style=\"padding: 0 7px 5px 0; color: #ffcf4a; "
                               "font-weight: bold; font-size: %1px\">%2</td>"
                               "<td style=\"padding-bottom: 5px; font-size: %1px\">%3")
                    .arg(Pixels)
                    .arg(++Number)
                    .arg(Japanese);
        if (!English.isEmpty()) {
            Html += QStringLiteral("<br><span style=\"color: #b9c6d6; font-size: %1px\">%2</span>")
                        .arg(Pixels - 2)
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
    // A dark veil rather than a solid box: the picture behind stays in sight.
    setStyleSheet(QStringLiteral("QLabel { background-color: rgba(12, 18, 32, 196); color: white; "
                                 "border: 1px solid rgba(255, 255, 255, 60); "
                                 "border-radius: 8px; padding: 8px 10px 3px 10px; }"));
    hide();
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
        setText(LinesHtml(FLines, Pixels));
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
