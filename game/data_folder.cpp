// The desktop's data folder made current, and the player told of the data file's move there.
#include "game/data_folder.h"

#include "game/main_window.h"
#include "game/platform/message_box.h"
#include "storage/data_move.h"
#include "storage/storage_error.h"

#include <QDir>
#include <QStandardPaths>

namespace kumoji {

namespace {

QString Native(const std::string& FileName) {
    return QDir::toNativeSeparators(QString::fromStdString(FileName));
}

QString Lines(const std::vector<std::string>& Names) {
    QString Text;
    for (const std::string& Name : Names)
        Text += QStringLiteral("\n") + Native(Name);
    return Text;
}

} // namespace

QString DesktopDataFolder() {
    QString Base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // The desktop's rules ignore a relative XDG_DATA_HOME.
    if (Base.isEmpty() || QDir::isRelativePath(Base))
        Base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(Base + QStringLiteral("/kumoji"));
}

QString UseDesktopDataFolder() {
    const QString Home = QDir::homePath();
    const QString Folder = DesktopDataFolder();
    const std::string OldFile =
        QDir(Home).filePath(QString::fromLatin1(DataFileName)).toStdString();
    const std::string NewFile =
        QDir(Folder).filePath(QString::fromLatin1(DataFileName)).toStdString();
    const TDataMove Move = MoveDataFile(OldFile, NewFile);
    QString Text;
    if (!Move.Moved.empty())
        Text = TwoParts(QStringLiteral("記録を新しい場所に移しました the progress was moved to "
                                       "the desktop's data folder:\n") +
                            Native(NewFile),
                        QStringLiteral("元の場所 it was in:") + Lines(Move.Moved));
    if (!Move.Left.empty())
        Text = TwoParts(Text.isEmpty() ? QStringLiteral("記録 the progress: ") + Native(NewFile)
                                       : Text,
                        QStringLiteral("次のファイルはそのまま残してあります these files were "
                                       "left where they are:") +
                            Lines(Move.Left));
    if (!Move.UseNew) {
        Text = TwoParts(QStringLiteral("記録をデータフォルダーに置けません cannot keep the "
                                       "progress in the data folder:\n") +
                            Native(NewFile) + QStringLiteral("\n") +
                            QString::fromStdString(ErrorText(Move.Error)),
                        QStringLiteral("今回はこちらに記録します this time it is kept in:\n") +
                            Native(OldFile));
        QDir::setCurrent(Home);
        return Text;
    }
    if (Move.Error && !Move.Left.empty())
        Text += QStringLiteral("\n") + QString::fromStdString(ErrorText(Move.Error));
    QDir::setCurrent(Folder);
    return Text;
}

} // namespace kumoji
