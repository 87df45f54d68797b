// The record command on the main window: the chosen player's figures in their own window.
#include "game/main_window.h"
#include "game/record_window.h"
#include "game/window_style.h"
#include "storage/date_text.h"

#include <QAction>
#include <QApplication>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

namespace kumoji {

void TForm1::BuildRecordAction() {
    acRecord = new QAction(QStringLiteral("記録 record"), this);
    acRecord->setObjectName(QStringLiteral("acRecord"));
    acRecord->setIcon(ActionImage(12));
    acRecord->setToolTip(acRecord->text());
    connect(acRecord, &QAction::triggered, this, &TForm1::acRecordExecute);
    // Beside the why button, in room taken from the gap before it, so that the bar still
    // holds every button and the others keep their places.
    const QList<QAction*> Actions = ToolBar1->actions();
    const qsizetype Why = Actions.indexOf(acWhy);
    QWidget* Gap = Why > 0 ? ToolBar1->widgetForAction(Actions[Why - 1]) : nullptr;
    const QWidget* Help = ToolBar1->widgetForAction(acHelp);
    if (Gap && Help)
        Gap->setFixedWidth(std::max(8, Gap->width() - Help->sizeHint().width()));
    ToolBar1->insertAction(Why > 0 ? acWhy : nullptr, acRecord);
}

void TForm1::acRecordExecute() {
    ShowRecord(FUserIndex);
}

TRecordWindow* TForm1::ShowRecord(int UserIndex) {
    if (!FUsers || UserIndex < 0 || UserIndex >= FUsers->GetCount())
        return nullptr;
    // The player's answers as they stand, those of other copies of the game included.
    SaveUsers();
    auto* Window =
        new TRecordWindow(this, FRound.Record(), FUsers->GetUser(UserIndex).Name, kumoji::Now());
    Window->setAttribute(Qt::WA_DeleteOnClose);
    Window->show();
    return Window;
}

} // namespace kumoji
