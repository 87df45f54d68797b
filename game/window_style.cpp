// Fonts, colours and texts the main window's files share when they dress their components.
#include "game/window_style.h"

#include "game/platform/fonts.h"
#include "resources/resource_names.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPalette>

namespace kumoji {

QIcon ActionImage(int Index) {
    return ScalableIcon(ActionImagePaths[static_cast<std::size_t>(Index)]);
}

QIcon ScalableIcon(const char* Path) {
    QIcon Icon(QString::fromLatin1(Path));
    for (const char* Times : {"@2x", "@4x"}) {
        const QString Large = ScalableName(Path, Times);
        if (QFile::exists(Large))
            Icon.addFile(Large);
    }
    return Icon;
}

QString ScalableName(const char* Path, const char* Times) {
    const QString Small = QString::fromLatin1(Path);
    const qsizetype Dot = Small.lastIndexOf(QLatin1Char('.'));
    return Small.left(Dot) + QLatin1String(Times) + Small.mid(Dot);
}

QString WithShortcut(const QString& Hint, const QAction& Action) {
    if (Action.shortcut().isEmpty())
        return Hint;
    return Hint + QStringLiteral(" (") + Action.shortcut().toString(QKeySequence::NativeText) +
           QStringLiteral(")");
}

QFont FaceFont(const char* Face, int Pixels, bool Bold) {
    QFont Font(QString::fromUtf8(Face));
    Font.setPixelSize(Pixels);
    Font.setBold(Bold);
    return Font;
}

void SetTextColor(QLabel* Label, const QColor& Color) {
    QPalette Palette = Label->palette();
    Palette.setColor(QPalette::WindowText, Color);
    Label->setPalette(Palette);
}

void SetBlackBackground(QWidget* Widget) {
    QPalette Palette = Widget->palette();
    Palette.setColor(QPalette::Window, Qt::black);
    Widget->setPalette(Palette);
    Widget->setAutoFillBackground(true);
}

// The brush face draws full-width brackets blank; those come from the Gothic.
void SetRouteText(QLabel* Label, const QString& Text) {
    Label->setProperty("PlainText", Text);
    QString Html;
    for (const QChar C : Text) {
        const QString Escaped = QString(C).toHtmlEscaped();
        if (C == QChar(0xFF08) || C == QChar(0xFF09))
            Html += QStringLiteral("<span style=\"font-family:'%1'; font-weight:normal\">%2</span>")
                        .arg(QString::fromUtf8(GothicFace), Escaped);
        else
            Html += Escaped;
    }
    Label->setTextFormat(Qt::RichText);
    Label->setText(Html);
}

QString FromUtf8View(std::string_view Text) {
    return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}

} // namespace kumoji
