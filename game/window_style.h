// Fonts, colours and texts the main window's files share when they dress their components.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>
#include <string_view>

class QAction;
class QLabel;
class QWidget;

namespace kumoji {

QIcon ActionImage(int Index);
// The picture at Path with its larger drawings (name@2x, name@4x) where they exist, so a
// scaled window shows it drawn for its size rather than enlarged.
QIcon ScalableIcon(const char* Path);
// The name of the picture at Path drawn larger: Times "@4x" makes "a.png" "a@4x.png".
QString ScalableName(const char* Path, const char* Times);
// A hint followed by its action's key in brackets, "案内 help (F1)"; the hint alone
// for an action without one.
QString WithShortcut(const QString& Hint, const QAction& Action);
QFont FaceFont(const char* Face, int Pixels, bool Bold = false);
void SetTextColor(QLabel* Label, const QColor& Color);
void SetBlackBackground(QWidget* Widget);
// A route name on a label in the brush face.
void SetRouteText(QLabel* Label, const QString& Text);
QString FromUtf8View(std::string_view Text);

// A technique's caption in its parts, "(上級)", "Xウィング" and "X-Wing": the English is the
// plain-Latin end, since a Japanese name may itself hold Latin letters.
struct TCaptionParts {
    QString Level;
    QString Japanese;
    QString English;
    // "(上級) Xウィング".
    QString LevelAndJapanese() const { return Level + QLatin1Char(' ') + Japanese; }
};
TCaptionParts CaptionParts(int Technique);

} // namespace kumoji
