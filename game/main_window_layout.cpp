// First activation: the window laid out around its board, the board built, a player asked for.
#include "board/board_scale.h"
#include "board/explain_panel.h"
#include "board/sudoku.h"
#include "game/data_file_notice.h"
#include "game/main_window.h"
#include "game/name_prompt.h"
#include "game/platform/message_box.h"
#include "game/route_image.h"
#include "game/window_fit.h"
#include "game/window_style.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <utility>

namespace kumoji {

namespace {

// More than any window manager's frame is wide or tall.
constexpr int SmallestFrameRoom = 64;

} // namespace

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

// Every part at the design's size and place times the window's one scale: those of the
// left and top from the picture's top-left corner, the board's panel, the clock and the
// play buttons from its right and bottom edges.
void TForm1::PlaceComponents() {
    // The player's own scale when the window has its shape, exactly, whatever the rounding.
    const TFrameMargins Margin = Margins(Frame());
    FScale = size() == ToSize(DesignClient(FNormalScale, Margin))
                 ? FNormalScale
                 : WindowScale({width(), height()}, Margin);
    // Roughly the smallest scale, with room for any frame: a minimum the frame's arrival
    // could not get under would keep the window from its outer size. A resize below
    // the smallest scale is brought back to it when it rests.
    const QSize Smallest = ToSize(DesignClient(SmallestScale(Room(*this)), {}));
    setMinimumSize(Smallest.shrunkBy({0, 0, SmallestFrameRoom, SmallestFrameRoom}));
    if (FScale != FScaledFor) {
        ScaleFonts();
        ScaleToolBar();
        pnExplanation->SetScale(FScale);
        FScaledFor = FScale;
    }
    const auto Px = [this](double Design) { return ScaledPixels(Design, FScale); };
    const QRect Area = ContentArea();
    const int Left = Area.left();
    const int Top = Area.top();
    const int Right = Area.right() + 1;
    const int Bottom = Area.bottom() + 1;

    imFuji->setGeometry(Left, Top, Px(738), Px(544));
    FRouteImage->setGeometry(imFuji->geometry());
    FRouteImage->SetBitmapSize(imFuji->width(), imFuji->height());
    pnExplanation->SetArea(QRect(Left + Px(8), Top + Px(8), Px(428), Px(232)));

    pnSudoku->setLineWidth(Px(1));
    pnSudoku->setGeometry(Right - Px(580), Bottom - Px(512), Px(580), Px(512));
    const QRect Inside = pnSudoku->contentsRect();
    CoolBar1->setGeometry(Inside.left(), Inside.top(), Inside.width(), Px(25));
    ToolBar1->setGeometry(0, 0, Inside.width(), Px(25));
    FSudoku->setGeometry(Inside.adjusted(0, Px(25), 0, 0));
    // The circle lies on its piece, which the board sized again.
    if (imMaru->parentWidget() != this)
        imMaru->setGeometry(imMaru->parentWidget()->rect());
    for (const auto& [Button, ButtonTop] :
         {std::pair{SpeedButton3, 40}, std::pair{SpeedButton1, 72}, std::pair{SpeedButton2, 104}}) {
        Button->setIconSize(QSize(Px(16), Px(16)));
        Button->setGeometry(Right - Px(23) - Px(129), Top + Px(ButtonTop), Px(129), Px(22));
    }
    pnTimer->setGeometry(Right - Px(185), pnSudoku->y() - Px(49), Px(185), Px(49));

    const int UserHeight = lbUser1->fontMetrics().height() + Px(2);
    const int UserLeft = Left + imFuji->width() + Px(8);
    lbUser1->setGeometry(UserLeft, Top + UserHeight, Right - UserLeft - Px(4), UserHeight);
    lbUser2->setGeometry(lbUser1->geometry().translated(Px(1), Px(1)));

    const int ModeHeight = lbKimeteMode1->fontMetrics().height() + Px(4);
    const int ModeLeft = Left + Px(16);
    lbKimeteMode1->setGeometry(ModeLeft, Top + imFuji->height() + Px(24),
                               pnSudoku->x() - ModeLeft - Px(8), ModeHeight);
    lbKimeteMode2->setGeometry(lbKimeteMode1->geometry().translated(Px(1), Px(1)));

    lbKimetePosition->setGeometry(lbKimeteMode2->x(),
                                  lbKimeteMode2->y() + lbKimeteMode2->height() + Px(24),
                                  pnSudoku->x() - lbKimeteMode2->x() - Px(8),
                                  2 * (lbKimetePosition->fontMetrics().height() + Px(2)));
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
