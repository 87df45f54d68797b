// First activation: the window laid out around its board, the board built, a player asked for.
#include "board/sudoku.h"
#include "game/data_file_notice.h"
#include "game/main_window.h"
#include "game/name_prompt.h"
#include "game/platform/message_box.h"
#include "game/route_image.h"
#include "game/window_style.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

namespace kumoji {

void TForm1::FormActivate() {
    if (!FirstActivate)
        return;
    FirstActivate = false;
    LayOutComponents();
    FSudoku->Start();

    FRouteImage->setGeometry(imFuji->geometry());
    FRouteImage->SetBitmapSize(imFuji->width(), imFuji->height());
    FRouteImage->raise();
    DrawRoute(-1);

    if (!FStartNotice.isEmpty())
        ShowMessageBox(this, FStartNotice);
    FSaveFailureTold = TellDataFileProblems(this, *FUsers, DataFileName, UserSection);
    // After the player's choice of the backup, which replaces the record's sections too.
    FRound.LoadRecord(DataFileName);
    TellRecordDamage(this, FRound.Record(), DataFileName);
    if (FUsers->GetCount() > 0)
        acOpenDlg->trigger();
    else
        AskFirstPlayer();
}

void TForm1::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    // A frame that arrives after the first activation shrinks the client area.
    if (!FirstActivate)
        PlaceComponents();
}

void TForm1::LayOutComponents() {
    imMaru->hide();
    lbKimeteMode2->setFont(lbKimeteMode1->font());
    PlaceComponents();
    SetTextColor(lbUser1, QColor(0, 255, 255));
    SetTextColor(lbUser2, QColor(0, 0, 255));
    lbUser2->stackUnder(lbUser1);
    SetTextColor(lbKimeteMode1, QColor(0, 255, 0));
    SetTextColor(lbKimeteMode2, QColor(0, 128, 0));
    lbKimeteMode2->stackUnder(lbKimeteMode1);
    SetTextColor(lbKimetePosition, QColor(0, 255, 0));
    lbKimetePosition->clear();
}

// Sizes come from the layout file; places follow the client area and the board panel.
void TForm1::PlaceComponents() {
    const int ClientWidth = width();
    const int ClientHeight = height();

    pnSudoku->move(ClientWidth - pnSudoku->width(), ClientHeight - pnSudoku->height());
    const QRect Inside = pnSudoku->contentsRect();
    CoolBar1->setGeometry(Inside.left(), Inside.top(), Inside.width(), CoolBar1->height());
    ToolBar1->setGeometry(0, 0, Inside.width(), CoolBar1->height());
    FSudoku->setGeometry(Inside.adjusted(0, CoolBar1->height(), 0, 0));
    for (QToolButton* Button : {SpeedButton3, SpeedButton1, SpeedButton2})
        Button->move(ClientWidth - 23 - Button->width(), Button->y());
    pnTimer->move(ClientWidth - pnTimer->width(), pnSudoku->y() - pnTimer->height());

    const int UserHeight = lbUser1->fontMetrics().height() + 2;
    lbUser1->setGeometry(imFuji->width() + 8, UserHeight, ClientWidth - imFuji->width() - 8 - 4,
                         UserHeight);
    lbUser2->setGeometry(lbUser1->geometry().translated(1, 1));

    const int ModeHeight = lbKimeteMode1->fontMetrics().height() + 4;
    lbKimeteMode1->setGeometry(lbKimeteMode1->x(), imFuji->height() + 24,
                               pnSudoku->x() - lbKimeteMode1->x() - 8, ModeHeight);
    lbKimeteMode2->setGeometry(lbKimeteMode1->geometry().translated(1, 1));

    lbKimetePosition->setGeometry(
        lbKimeteMode2->x(), lbKimeteMode2->y() + lbKimeteMode2->height() + 24,
        pnSudoku->x() - lbKimeteMode2->x() - 8, 2 * (lbKimetePosition->fontMetrics().height() + 2));
}

// The first run: a name is required, then the first question begins at once.
void TForm1::AskFirstPlayer() {
    std::string Name;
    AskPlayerName(this, true, Name);
    FUsers->AddUser(Name);
    SelectUser(0);
    SaveUsers();
    acStart->trigger();
}

} // namespace kumoji
