#include "game/platform/help_opener.h"

#include "game/platform/message_box.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <utility>

namespace kumoji {

namespace {

TUrlOpener& Opener() {
    static TUrlOpener Current;
    return Current;
}

} // namespace

void SetUrlOpener(TUrlOpener NewOpener) {
    Opener() = std::move(NewOpener);
}

QString FindHelpPage(const QString& ProgramDir, const QString& FileName) {
    const QDir Program(ProgramDir);
    const QString Beside = Program.filePath(FileName);
    if (QFileInfo::exists(Beside))
        return Beside;
    const QString Installed =
        QDir::cleanPath(Program.filePath(QStringLiteral("../share/kumoji/") + FileName));
    return QFileInfo::exists(Installed) ? Installed : Beside;
}

QUrl HelpUrl(const QString& FileName, const QString& Anchor) {
    QUrl Url = QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath());
    // An empty but set fragment keeps the "#".
    Url.setFragment(Anchor.isNull() ? QStringLiteral("") : Anchor);
    return Url;
}

bool OpenHelpFile(QWidget* Owner, const QString& FileName, const QString& Anchor) {
    const QFileInfo Info(FileName);
    if (!Info.exists()) {
        ShowMessageBox(Owner, TwoParts(QStringLiteral("ファイルがありません"),
                                       QDir::toNativeSeparators(Info.absoluteFilePath())));
        return false;
    }
    const QUrl Url = HelpUrl(FileName, Anchor);
    const bool Opened = Opener() ? Opener()(Url) : QDesktopServices::openUrl(Url);
    if (!Opened)
        ShowMessageBox(
            Owner, TwoParts(Info.fileName(),
                            QStringLiteral("このファイルを開けるアプリケーションがありません")));
    return Opened;
}

} // namespace kumoji
