// The current player on the main window: name, route, position, route map, and saving the roster.
#include "game/main_window.h"
#include "game/name_prompt.h"
#include "game/platform/jpeg_loader.h"
#include "game/platform/message_box.h"
#include "game/player_dialog.h"
#include "game/round/summit.h"
#include "game/route_image.h"
#include "game/tables.h"
#include "game/window_style.h"
#include "resources/resource_names.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <algorithm>

namespace kumoji {

TTabijiUser* TForm1::CurrentUser() {
    if (!FUsers || FUserIndex < 0 || FUserIndex >= FUsers->GetCount())
        return nullptr;
    return &FUsers->GetUser(FUserIndex);
}

void TForm1::SelectUser(int Index) {
    // The player of a question in play stays until it is judged.
    if (QuestionRunning())
        return;
    // Practice is one player's: another player finds the climb.
    if (Index != FUserIndex && FRound.Practicing())
        StopPractice();
    FUserIndex = Index;
    if (FRound.SelectPlayer(FUsers.get(), Index))
        SaveUsers();
    ShowPlayerLabels();
    if (CurrentUser())
        DrawRoute(-1);
    ShowActions();
    // The first step is taken now, so that the route's questions do not depend on when the
    // idle steps come.
    if (FRound.PrepareQuestions())
        tmPrepare->start();
}

void TForm1::ShowPlayerLabels() {
    // Looked up after any save, which may renew the roster's records.
    const TTabijiUser* User = CurrentUser();
    QString NameText = QStringLiteral("ゲームをする人を設定しましょう select player");
    QString RouteText = FromUtf8View(Routes[0]);
    if (User) {
        NameText = kumoji::NameText(User->Name);
        RouteText = FromUtf8View(Routes[static_cast<std::size_t>(PlayedRoute(User->Route))]);
        ShowRoutePicture(User->Route);
        ShowPosition(User->Position);
    }
    lbUser1->setText(NameText + QStringLiteral(" さん"));
    lbUser2->setText(lbUser1->text());
    SetRouteText(lbKimeteMode1, RouteText);
    SetRouteText(lbKimeteMode2, RouteText);
    // Practice names its technique where the route stands.
    ShowPractice();
}

void TForm1::ShowRoutePicture(int Route) {
    static_assert(RoutePicturePaths.size() == static_cast<std::size_t>(HighestRoute + 1));
    const QString Path =
        QString::fromLatin1(RoutePicturePaths[static_cast<std::size_t>(PlayedRoute(Route))]);
    if (Path == FRoutePicture)
        return;
    QImage Picture;
    if (!LoadJpegResource(Path, Picture))
        return;
    FRoutePicture = Path;
    imFuji->setPixmap(QPixmap::fromImage(Picture));
}

void TForm1::ShowPosition(int Position) {
    FPosition = Position;
    QString Text;
    if (FRound.Practicing()) {
        Text = QStringLiteral("練習中：登山は %1 (%2) で待っています\npractice: the climb waits")
                   .arg(TForm2::PositionName(Position))
                   .arg(Position);
    } else if (Position >= 0 && Position <= 50) {
        Text = QStringLiteral("現在 %1 (%2)")
                   .arg(FromUtf8View(Positions[static_cast<std::size_t>(Position)]))
                   .arg(Position);
        if (Position < 50)
            Text += QStringLiteral("\n次は %1 (%2)")
                        .arg(FromUtf8View(Positions[static_cast<std::size_t>(Position + 1)]))
                        .arg(Position + 1);
    }
    lbKimetePosition->setText(Text);
}

void TForm1::DrawRoute(int Position) {
    FRouteImage->DrawRoute(Position, FPosition, FRound.Huts());
    update();
}

void TForm1::SaveUsers() {
    if (FUsers->SaveToFile(DataFileName, UserSection, FRound.Companions())) {
        // Another copy of the game in this folder may have moved the same player meanwhile.
        if (const TTabijiUser* User = CurrentUser(); User && User->Position != FPosition) {
            ShowPosition(User->Position);
            DrawRoute(-1);
        }
        return;
    }
    if (FSaveFailureTold)
        return;
    // Playing goes on; the player learns once that progress is not being kept.
    FSaveFailureTold = true;
    const TSaveReport& Report = FUsers->LastSave();
    QString Reason = QString::fromStdString(Report.Reason);
    if (Reason.isEmpty())
        Reason = QStringLiteral("原因不明 unknown reason");
    ShowMessageBox(
        this, TwoParts(QStringLiteral("記録を保存できませんでした could not save "
                                      "the progress: ") +
                           QDir::toNativeSeparators(
                               QFileInfo(QString::fromLatin1(DataFileName)).absoluteFilePath()),
                       Reason));
}

} // namespace kumoji
