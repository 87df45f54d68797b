// Fonts, colours and texts the main window's files share when they dress their components.
#include "game/window_style.h"

#include "engine/techniques/solve_method.h"
#include "game/platform/fonts.h"
#include "resources/resource_names.h"

#include <QAction>
#include <QFile>
#include <QIconEngine>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <array>
#include <utility>

namespace kumoji {

QIcon ActionImage(int Index) {
    return ScalableIcon(ActionImagePaths[static_cast<std::size_t>(Index)]);
}

namespace {

// Each drawing of a picture is read only when the picture is first shown at its size:
// the larger ones cost nothing on a window at the design's size.
class TScalableIconEngine : public QIconEngine {
public:
    explicit TScalableIconEngine(const char* Path) : FPath(Path) {
        FIcons[0] = QIcon(QString::fromLatin1(Path));
    }

    QIconEngine* clone() const override { return new TScalableIconEngine(FPath); }
    QSize actualSize(const QSize& Size, QIcon::Mode Mode, QIcon::State State) override {
        return For(Size).actualSize(Size, Mode, State);
    }
    QPixmap pixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State State) override {
        return For(Size).pixmap(Size, Mode, State);
    }
    void paint(QPainter* Painter, const QRect& Rect, QIcon::Mode Mode,
               QIcon::State State) override {
        const qreal Ratio = Painter->device() ? Painter->device()->devicePixelRatioF() : 1.0;
        For(Rect.size() * Ratio).paint(Painter, Rect, Qt::AlignCenter, Mode, State);
    }
    QList<QSize> availableSizes(QIcon::Mode Mode, QIcon::State State) override {
        return FIcons[0].availableSizes(Mode, State);
    }

private:
    // The smallest drawing at least Pixels large, or the largest there is.
    QIcon& For(const QSize& Pixels) {
        const QList<QSize> Sizes = FIcons[0].availableSizes();
        const int Base = Sizes.isEmpty() ? 16 : Sizes.front().width();
        for (const auto& [Index, Times] : {std::pair{2, "@4x"}, std::pair{1, "@2x"}}) {
            if (Pixels.width() <= Base * Index)
                continue;
            if (FIcons[Index].isNull()) {
                const QString Large = ScalableName(FPath, Times);
                if (!QFile::exists(Large))
                    continue;
                FIcons[Index] = QIcon(Large);
            }
            return FIcons[Index];
        }
        return FIcons[0];
    }

    const char* FPath;
    // At one, two and four times the design's size.
    std::array<QIcon, 3> FIcons;
};

} // namespace

QIcon ScalableIcon(const char* Path) {
    return QIcon(new TScalableIconEngine(Path));
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

TCaptionParts CaptionParts(int Technique) {
    const QString Caption = FromUtf8View(SolveMethodCaptions[static_cast<std::size_t>(Technique)]);
    qsizetype English = Caption.size();
    while (English > 0 && Caption[English - 1].unicode() < 128)
        --English;
    const qsizetype Close =
        Caption.startsWith(QLatin1Char('(')) ? Caption.indexOf(QLatin1Char(')')) : -1;
    const qsizetype Japanese = std::min(Close + 1, English);
    return {Caption.left(Japanese).trimmed(), Caption.mid(Japanese, English - Japanese).trimmed(),
            Caption.mid(English).trimmed()};
}

} // namespace kumoji
