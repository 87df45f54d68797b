// Messages about an unreadable or damaged data file, and the offer of its backup.
#include "game/data_file_notice.h"

#include "game/platform/message_box.h"
#include "storage/answer_record.h"
#include "storage/roster.h"

#include <QDir>
#include <QFileInfo>

namespace kumoji {

namespace {

QString FullPath(const std::string& FileName) {
    return QDir::toNativeSeparators(QFileInfo(QString::fromStdString(FileName)).absoluteFilePath());
}

void TellUnreadable(QWidget* Owner, const TTabijiUsers& Users, const std::string& FileName) {
    ShowMessageBox(
        Owner,
        TwoParts(QStringLiteral("データファイルを読み込めません cannot read the data file: ") +
                     FullPath(FileName) + QStringLiteral("\n") +
                     QString::fromStdString(ErrorText(Users.LastLoadError())),
                 QStringLiteral("このファイルは上書きしません。進み具合は保存されません。\n"
                                "It is left as it is, and progress will not be saved.")));
}

void TellDamaged(QWidget* Owner, TTabijiUsers& Users, const std::string& FileName,
                 std::string_view Section) {
    const TDamageReport Damage = Users.LastDamage();
    const QString What =
        QStringLiteral("データファイルが壊れていました the data file was damaged: ") +
        FullPath(Damage.FileName) + QStringLiteral("\n") + QString::fromStdString(Damage.Reason);
    QString Where;
    if (!Damage.KeptAs.empty())
        Where =
            QStringLiteral("元のファイルは次の名前で残してあります the old file was kept as:\n") +
            FullPath(Damage.KeptAs);
    else
        Where = QStringLiteral("元のファイルは残せませんでした the old file could not be kept:\n") +
                QString::fromStdString(Users.LastSave().Reason);
    if (!Damage.BackupAvailable) {
        ShowMessageBox(Owner, TwoParts(What, Where));
        return;
    }
    const QString Offer =
        QStringLiteral("前回保存する前のファイルに戻しますか？ Go back to the file as it was "
                       "before the last save?\n") +
        FullPath(BackupName(FileName));
    if (!AskYesCancel(Owner, TwoParts(What, Where + QStringLiteral("\n\n") + Offer)))
        return;
    if (!Users.LoadFromBackup(FileName, Section))
        ShowMessageBox(Owner, TwoParts(QStringLiteral("前のファイルに戻せませんでした could not go "
                                                      "back to the previous file"),
                                       QString::fromStdString(Users.LastSave().Reason)));
}

} // namespace

bool TellDataFileProblems(QWidget* Owner, TTabijiUsers& Users, const std::string& FileName,
                          std::string_view Section) {
    if (Users.LastLoad() == TLoadResult::Unreadable) {
        TellUnreadable(Owner, Users, FileName);
        return true;
    }
    if (Users.LastDamage().Damaged)
        TellDamaged(Owner, Users, FileName, Section);
    return false;
}

void TellRecordDamage(QWidget* Owner, const TAnswerRecord& Record, const std::string& FileName) {
    const TRecordDamage& Damage = Record.LastDamage();
    if (!Damage.Damaged)
        return;
    const QString What =
        QStringLiteral("記録の %1 行が読めませんでした %1 lines of the record could not be read: ")
            .arg(Damage.BadLines) +
        FullPath(FileName);
    const QString Where =
        Damage.KeptAs.empty()
            ? QStringLiteral("読めない行は残せませんでした the unreadable lines could not be kept")
            : QStringLiteral("読めない行は次のファイルに残してあります they were kept in:\n") +
                  FullPath(Damage.KeptAs);
    ShowMessageBox(Owner, TwoParts(What, Where));
}

} // namespace kumoji
