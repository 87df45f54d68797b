// Between questions: the main window prepares the player dialog, shows it and acts on its answer.
#include "board/board_scale.h"
#include "engine/techniques/solve_method.h"
#include "game/main_window.h"
#include "game/name_prompt.h"
#include "game/platform/message_box.h"
#include "game/platform/window_frame.h"
#include "game/player_dialog.h"
#include "game/round/summit.h"
#include "game/window_fit.h"
#include "game/window_style.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace kumoji {

void TForm1::acOpenDlgExecute() {
    if (!acOpenDlg->isEnabled())
        return;
    TForm2& Dialog = *Form2;
    Dialog.SetScale(FScale);
    if (FUserIndex < 0) {
        lbUser1->setText(QStringLiteral("ゲームをする人を設定しましょう select player"));
        lbUser2->setText(lbUser1->text());
    }
    Dialog.sbCangeUser->setEnabled(FUsers->GetCount() > 0);
    Dialog.FNewName.clear();
    Dialog.FUserIndex = FUserIndex;
    const TTabijiUser* User = CurrentUser();
    if (!User) {
        Dialog.FUserIndex = -1;
        Dialog.sbOk->setText(QStringLiteral("はじめる start"));
        Dialog.sbOk->setEnabled(false);
        Dialog.SetSelectedName(QString());
        Dialog.sbCangeUser->setText(QStringLiteral("人を選ぶ select user"));
    } else {
        Dialog.sbOk->setText(QStringLiteral("つづける continue"));
        Dialog.sbOk->setEnabled(true);
        Dialog.SetSelectedName(NameText(User->Name));
        Dialog.sbCangeUser->setText(QStringLiteral("人を変える change user"));
    }
    const int Technique = FRound.Technique();
    if (Technique != 0 && Technique < static_cast<int>(SolveMethodNames.size())) {
        Dialog.FHelpTopic = FromUtf8View(SolveMethodNames[static_cast<std::size_t>(Technique)]);
        if (FirstDialogPlacement) {
            FirstDialogPlacement = false;
            const QRect Area = AvailableArea(Dialog);
            const int Left = ScaledPixels(80, FScale);
            const int Above = ScaledPixels(30, FScale);
            // Made again when the frame of this showing arrives: it adds to the height.
            Dialog.FOuterFrame->PlaceOuter([Area, Left, Above](const QSize& Outer) {
                return QPoint(Area.left() + Left, Area.bottom() + 1 - Outer.height() - Above);
            });
        }
    } else {
        Dialog.FHelpTopic.clear();
    }

    Dialog.FPractice = 0;
    enum { mrNone = 0, mrOk = 1, mrCancel = 2 };
    int Result = Dialog.exec() == QDialog::Accepted ? mrOk : mrCancel;
    // Practice does not climb: its player is never at the summit.
    const bool Practice = Dialog.FPractice > 0 || FRound.Practicing();
    if (Result == mrOk && !Practice && Dialog.FUserIndex >= 0 &&
        Dialog.FUserIndex < FUsers->GetCount() &&
        AtSummit(FUsers->GetUser(Dialog.FUserIndex).Position)) {
        const int Route = FUsers->GetUser(Dialog.FUserIndex).Route;
        ShowMessageBox(this, QString::fromStdString(SummitMessage(Route)));
        DrawRoute(-1);
        Result = mrNone;
        if (HasNextRoute(Route) && AskYesNo(this, QString::fromStdString(NextRouteQuestion()))) {
            // Looked up again: the boxes let events run, and a save renews the records.
            FUsers->GetUser(Dialog.FUserIndex).StartRoute(Route + 1);
            SaveUsers();
            Result = mrOk;
        }
    }
    if (Result != mrCancel)
        SelectUser(Dialog.FUserIndex);
    if (Result == mrOk && Dialog.FPractice > 0 && !StartPractice(Dialog.FPractice))
        Result = mrNone;
    if (Result == mrOk)
        tmEvent->start();
}

} // namespace kumoji
