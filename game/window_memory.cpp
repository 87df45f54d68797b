// What the game keeps of its window between runs: the player's scale and whether it was maximised.
#include "game/window_memory.h"

#include <QSettings>
#include <cmath>

namespace kumoji {

namespace {

// Outside this a kept scale is a damaged or edited file, not a window a screen holds.
constexpr double LeastKeptScale = 0.05;
constexpr double MostKeptScale = 16.0;

constexpr const char* SettingsName = "kumoji";

} // namespace

TWindowMemory RecallWindow() {
    const QSettings Kept(QSettings::NativeFormat, QSettings::UserScope,
                         QString::fromLatin1(SettingsName), QString::fromLatin1(SettingsName));
    TWindowMemory Memory;
    bool Number = false;
    const double Scale = Kept.value(QStringLiteral("window/scale")).toDouble(&Number);
    if (Number && std::isfinite(Scale) && Scale >= LeastKeptScale && Scale <= MostKeptScale)
        Memory.Scale = Scale;
    Memory.Maximized = Kept.value(QStringLiteral("window/maximized")).toBool();
    return Memory;
}

void RememberWindow(const TWindowMemory& Memory) {
    QSettings Kept(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(SettingsName),
                   QString::fromLatin1(SettingsName));
    Kept.setValue(QStringLiteral("window/scale"), Memory.Scale);
    Kept.setValue(QStringLiteral("window/maximized"), Memory.Maximized);
}

} // namespace kumoji
