// The main window's construction: components dressed, actions and timers wired, roster loaded.
#include "game/main_window.h"

#include "board/board_scale.h"
#include "board/cursor_table.h"
#include "board/explain_panel.h"
#include "board/sudoku.h"
#include "engine/grid/random.h"
#include "game/platform/cursors.h"
#include "game/platform/fonts.h"
#include "game/platform/jpeg_loader.h"
#include "game/platform/tick_clock.h"
#include "game/platform/window_frame.h"
#include "game/player_dialog.h"
#include "game/route_image.h"
#include "game/window_fit.h"
#include "game/window_memory.h"
#include "game/window_style.h"
#include "resources/resource_names.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QLayout>
#include <QPainter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <utility>

namespace kumoji {

namespace {

// Paints the red circle itself: a label would grey it out on the disabled board.
// Larger than its small drawing, it is scaled down from the large one.
class TMaruPainter : public QObject {
public:
    explicit TMaruPainter(QWidget* Maru)
        : QObject(Maru), FCircle(QString::fromLatin1(MaruImagePath)) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() != QEvent::Paint)
            return false;
        auto* Maru = static_cast<QWidget*>(Watched);
        QPainter Painter(Maru);
        Painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const qreal Pixels = Maru->width() * Maru->devicePixelRatioF();
        // Read the first time it is needed: never at the design's size.
        if (Pixels > FCircle.width() && FLarge.isNull())
            FLarge = QPixmap(ScalableName(MaruImagePath, "@4x"));
        Painter.drawPixmap(Maru->rect(),
                           Pixels > FCircle.width() && !FLarge.isNull() ? FLarge : FCircle);
        return true;
    }

private:
    QPixmap FCircle;
    QPixmap FLarge;
};

// A blank gap of the tool bar, with the faint line a flat separator shows.
class TToolGap : public QWidget {
public:
    explicit TToolGap(int Width) : FWidth(Width) { SetScale(1.0); }

    void SetScale(double Scale) {
        FScale = Scale;
        // As tall as a button, within the bar's unscaled margins.
        setFixedSize(ScaledPixels(FWidth, Scale),
                     std::max(1, std::min(ScaledPixels(22, Scale), ScaledPixels(25, Scale) - 3)));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter Painter(this);
        Painter.setPen(QPen(QColor(128, 128, 128), ScaledPixels(1, FScale)));
        Painter.drawLine(width() / 2, ScaledPixels(3, FScale), width() / 2,
                         height() - ScaledPixels(4, FScale));
    }

private:
    int FWidth;
    double FScale = 1.0;
};

} // namespace

std::uint32_t TForm1::TTickClock::Now() const {
    return GetTickCount();
}

TForm1::TForm1(QWidget* Parent) : QWidget(Parent), FUi(std::make_unique<Ui::TForm1>()) {
    FUi->setupUi(this);
    imFuji = FUi->imFuji;
    imMaru = FUi->imMaru;
    lbUser1 = FUi->lbUser1;
    lbUser2 = FUi->lbUser2;
    lbKimeteMode1 = FUi->lbKimeteMode1;
    lbKimeteMode2 = FUi->lbKimeteMode2;
    lbKimetePosition = FUi->lbKimetePosition;
    SpeedButton1 = FUi->SpeedButton1;
    SpeedButton2 = FUi->SpeedButton2;
    SpeedButton3 = FUi->SpeedButton3;
    pnSudoku = FUi->pnSudoku;
    CoolBar1 = FUi->CoolBar1;
    ToolBar1 = FUi->ToolBar1;
    pnTimer = FUi->pnTimer;
    acStart = FUi->acStart;
    acPause = FUi->acPause;
    acOpenDlg = FUi->acOpenDlg;
    acClose = FUi->acClose;
    acHelp = FUi->acHelp;
    acPenColor = FUi->acPenColor;
    acPen = FUi->acPen;
    acEraser = FUi->acEraser;
    acEraseMemo = FUi->acEraseMemo;
    acWhy = FUi->acWhy;
    FormCreate();
}

TForm1::~TForm1() {
    // The circle may lie on a piece; take it back before the board goes.
    ReturnMaru();
    delete Form2;
    Form2 = nullptr;
    delete FRouteImage;
    FRouteImage = nullptr;
    FUsers.reset();
    if (FSudoku)
        FSudoku->OnChanged = nullptr;
    delete FSudoku;
    FSudoku = nullptr;
}

void TForm1::FormCreate() {
    InstallFontSubstitutes();
    Randomize();

    setWindowIcon(QIcon(QString::fromLatin1(WindowIconPath)));
    setFont(FaceFont(GothicFace, 12));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // The design's outer size, frame included, at the scale the player left or else at
    // the largest up to 1 that the screen's free area holds; at that area's top-left.
    const TWindowMemory Memory = RecallWindow();
    FNormalScale = StartScale(Memory.Scale, Room(*this));
    FScale = FNormalScale;
    FOuterFrame = new TOuterFrame(
        this,
        [this](const QMargins& Frame) {
            return ToSize(DesignClient(FNormalScale, Margins(Frame)));
        },
        TOuterFrame::TSizing::Resizable);
    FOuterFrame->PlaceOuter([this](const QSize&) { return AvailableArea(*this).topLeft(); });
    if (Memory.Maximized)
        setWindowState(Qt::WindowMaximized);
    SetBlackBackground(this);

    // Labels and panels of the design.
    for (QLabel* Label : {lbUser1, lbUser2, lbKimeteMode1})
        Label->setAutoFillBackground(false);
    SetBlackBackground(lbKimeteMode2);
    SetBlackBackground(lbKimetePosition);
    lbKimeteMode1->setFont(FaceFont(BrushFace, 32, true));
    lbKimeteMode2->setFont(FaceFont(BrushFace, 32, true));
    lbKimetePosition->setFont(FaceFont(GothicFace, 19));
    lbKimetePosition->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetBlackBackground(pnTimer);
    pnTimer->setFont(FaceFont(GothicFace, 32));
    SetTextColor(pnTimer, QColor(0, 255, 255));
    // The board and its panel keep the desktop's face colour, not the black.
    QPalette Face = pnSudoku->palette();
    const QPalette Desktop = QApplication::palette();
    for (const QPalette::ColorRole Role : {QPalette::Window, QPalette::WindowText, QPalette::Button,
                                           QPalette::ButtonText, QPalette::Base, QPalette::Text})
        Face.setColor(Role, Desktop.color(Role));
    pnSudoku->setPalette(Face);
    pnSudoku->setAutoFillBackground(true);
    imMaru->installEventFilter(new TMaruPainter(imMaru));
    imMaru->setAttribute(Qt::WA_TransparentForMouseEvents);
    imMaru->setAttribute(Qt::WA_TranslucentBackground);
    imMaru->setAutoFillBackground(false);

    acStart->setIcon(ActionImage(7));
    acPause->setIcon(ActionImage(4));
    acOpenDlg->setIcon(ActionImage(8));
    acClose->setIcon(ActionImage(5));
    acHelp->setIcon(ActionImage(10));
    acPenColor->setIcon(ActionImage(0));
    acPen->setIcon(ActionImage(2));
    acEraser->setIcon(ActionImage(1));
    acEraseMemo->setIcon(ActionImage(3));
    acWhy->setIcon(ActionImage(11));
    acPause->setVisible(false);
    acWhy->setEnabled(false);
    // Keys beside the mouse: Space pauses and resumes, F1 opens the help, W explains.
    acPause->setShortcut(Qt::Key_Space);
    acHelp->setShortcut(Qt::Key_F1);
    acWhy->setShortcut(Qt::Key_W);
    acPause->setToolTip(WithShortcut(acPause->toolTip(), *acPause));
    acHelp->setToolTip(WithShortcut(acHelp->toolTip(), *acHelp));
    acWhy->setToolTip(WithShortcut(acWhy->toolTip(), *acWhy));
    auto* PenGroup = new QActionGroup(this);
    PenGroup->addAction(acPen);
    PenGroup->addAction(acEraser);
    PenGroup->setExclusive(true);
    acPen->setChecked(true);

    connect(acStart, &QAction::triggered, this, &TForm1::acStartExecute);
    connect(acPause, &QAction::triggered, this, &TForm1::acPauseExecute);
    connect(acOpenDlg, &QAction::triggered, this, &TForm1::acOpenDlgExecute);
    connect(acClose, &QAction::triggered, this, &TForm1::acCloseExecute);
    connect(acHelp, &QAction::triggered, this, &TForm1::acHelpExecute);
    connect(acPenColor, &QAction::triggered, this, &TForm1::acPenColorExecute);
    connect(acPen, &QAction::triggered, this, &TForm1::acPenExecute);
    connect(acEraser, &QAction::triggered, this, &TForm1::acEraserExecute);
    connect(acEraseMemo, &QAction::triggered, this, &TForm1::acEraseMemoExecute);
    connect(acWhy, &QAction::triggered, this, &TForm1::acWhyExecute);
    BindButton(SpeedButton3, acOpenDlg, SelectGlyphPath);
    BindButton(SpeedButton1, acStart, PlayGlyphPath);
    BindButton(SpeedButton2, acPause, PauseGlyphPath);
    BuildToolBar();
    BuildRecordAction();
    BuildPracticeActions();

    tmKimete = new QTimer(this);
    tmKimete->setInterval(300);
    connect(tmKimete, &QTimer::timeout, this, &TForm1::tmKimeteTimer);
    tmEvent = new QTimer(this);
    tmEvent->setInterval(30);
    connect(tmEvent, &QTimer::timeout, this, &TForm1::tmEventTimer);
    tmEvent->start();
    tmPrepare = new QTimer(this);
    tmPrepare->setInterval(0);
    connect(tmPrepare, &QTimer::timeout, this, &TForm1::tmPrepareTimer);
    tmShape = new QTimer(this);
    tmShape->setSingleShot(true);
    tmShape->setInterval(250);
    connect(tmShape, &QTimer::timeout, this, &TForm1::tmShapeTimer);
    acFullScreen = new QAction(this);
    acFullScreen->setShortcut(Qt::Key_F11);
    addAction(acFullScreen);
    connect(acFullScreen, &QAction::triggered, this, &TForm1::acFullScreenExecute);
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);

    FSudoku = new TSudoku(pnSudoku);
    // A start asked for during the deal of the pieces comes when the last is down.
    connect(FSudoku, &TSudoku::Dealt, this, [this] {
        if (std::exchange(FStartAfterDeal, false))
            acStart->trigger();
    });
    FSudoku->setGeometry(pnSudoku->contentsRect().adjusted(0, CoolBar1->height(), 0, 0));
    FSudoku->setCursor(CursorShape(crPen));
    AttachBoard();
    FSudoku->setEnabled(false);

    ShowRoutePicture(0);
    // Shown stretched over the bounds the layout gives it.
    imFuji->setScaledContents(true);
    imFuji->lower();

    FRouteImage = new TRouteImage(this);
    FRouteImage->setGeometry(imFuji->geometry());
    FRouteImage->raise();
    pnExplanation = new TExplainPanel(this);
    pnExplanation->SetArea(QRect(8, 8, 428, 232));

    RegisterCursors();
    FSudoku->setCursor(CursorShape(crPen));

    FUsers = std::make_unique<TTabijiUsers>();
    FUsers->LoadFromFile(DataFileName, UserSection);

    Form2 = new TForm2(*this);

    SelectUser(-1);
}

void TForm1::BindButton(QToolButton* Button, QAction* Action, const char* Glyph) {
    Button->setIcon(ScalableIcon(Glyph));
    QPalette Palette = Button->palette();
    Palette.setColor(QPalette::ButtonText, QColor(192, 192, 192));
    Palette.setColor(QPalette::Button, Qt::black);
    Button->setPalette(Palette);
    const auto Sync = [Button, Action] {
        Button->setText(Action->text());
        Button->setToolTip(Action->toolTip());
        Button->setEnabled(Action->isEnabled());
        Button->setVisible(Action->isVisible());
    };
    connect(Action, &QAction::changed, Button, Sync);
    connect(Button, &QToolButton::clicked, Action, [Action] { Action->trigger(); });
    Sync();
}

void TForm1::BuildToolBar() {
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setContentsMargins(0, 0, 0, 0);
    QPalette Palette = ToolBar1->palette();
    Palette.setBrush(QPalette::Window, QBrush(QPixmap(QString::fromLatin1(ToolBarImagePath))));
    ToolBar1->setPalette(Palette);
    ToolBar1->setAutoFillBackground(true);
    CoolBar1->setPalette(Palette);
    CoolBar1->setAutoFillBackground(true);
    ToolBar1->addWidget(new TToolGap(8));
    ToolBar1->addAction(acClose);
    ToolBar1->addWidget(new TToolGap(98));
    ToolBar1->addAction(acOpenDlg);
    ToolBar1->addAction(acStart);
    ToolBar1->addAction(acPause);
    ToolBar1->addWidget(new TToolGap(8));
    ToolBar1->addAction(acHelp);
    ToolBar1->addWidget(new TToolGap(101));
    ToolBar1->addAction(acPenColor);
    ToolBar1->addWidget(new TToolGap(8));
    ToolBar1->addAction(acPen);
    ToolBar1->addAction(acEraser);
    ToolBar1->addWidget(new TToolGap(8));
    ToolBar1->addAction(acEraseMemo);
    // At the far end, where it moves none of the others.
    FToolEndGap = new TToolGap(98);
    ToolBar1->addWidget(FToolEndGap);
    ToolBar1->addAction(acWhy);
}

void TForm1::ScaleToolBar() {
    const double S = FScale;
    // The buttons' design sizes are their own at the design's icon size.
    if (FToolSizes.empty()) {
        for (QAction* Action : ToolBar1->actions())
            if (auto* Button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(Action)))
                FToolSizes.emplace_back(Button, Button->sizeHint());
    }
    ToolBar1->setIconSize(QSize(ScaledPixels(16, S), ScaledPixels(16, S)));
    for (const auto& [Button, Design] : FToolSizes) {
        if (S == 1.0) {
            Button->setMinimumSize(0, 0);
            Button->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            // The bar's margins above and below are the style's, not scaled: a small bar
            // leaves them as they are and the buttons give up the height.
            const int Height = std::min(ScaledPixels(Design.height(), S),
                                        ScaledPixels(25, S) - (25 - Design.height()));
            Button->setFixedSize(ScaledPixels(Design.width(), S), std::max(1, Height));
        }
    }
    // The gaps have no meta-object of their own to be found by.
    for (QWidget* Child : ToolBar1->findChildren<QWidget*>())
        if (auto* Gap = dynamic_cast<TToolGap*>(Child))
            Gap->SetScale(S);
    // The bar's own margins and spacing are the style's, not scaled: below the design's
    // size the last gap gives up what they take, so the why button stays on the bar.
    ToolBar1->layout()->invalidate();
    const int Over = ToolBar1->sizeHint().width() - (ScaledPixels(580, S) - 2 * ScaledPixels(1, S));
    if (Over > 0)
        FToolEndGap->setFixedWidth(std::max(ScaledPixels(8, S), FToolEndGap->width() - Over));
    // The background's bands keep their places in the bar: the strip is drawn for the
    // bar's height from its large drawing.
    const qreal Ratio = devicePixelRatioF();
    QPixmap Strip(QString::fromLatin1(ToolBarImagePath));
    if (S * Ratio != 1.0) {
        const QSize Pixels(ScaledPixels(Strip.width(), S * Ratio),
                           ScaledPixels(Strip.height(), S * Ratio));
        Strip = QPixmap(ScalableName(ToolBarImagePath, "@4x"))
                    .scaled(Pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Strip.setDevicePixelRatio(Ratio);
    }
    for (QWidget* Bar : {static_cast<QWidget*>(ToolBar1), static_cast<QWidget*>(CoolBar1)}) {
        QPalette Palette = Bar->palette();
        Palette.setBrush(QPalette::Window, QBrush(Strip));
        Bar->setPalette(Palette);
    }
}

bool TForm1::event(QEvent* Event) {
    if (Event->type() == QEvent::WindowActivate && FirstActivate)
        QTimer::singleShot(0, this, &TForm1::FormActivate);
    return QWidget::event(Event);
}

void TForm1::showEvent(QShowEvent* Event) {
    QWidget::showEvent(Event);
    // Without a window manager the window may never be activated.
    if (FirstActivate)
        QTimer::singleShot(0, this, &TForm1::FormActivate);
}

void TForm1::closeEvent(QCloseEvent* Event) {
    if (FormCloseQuery())
        Event->accept();
    else
        Event->ignore();
}

void TForm1::AttachBoard() {
    FSudoku->OnChanged = [this](TSudoku&) { SudokuChanged(); };
}

void TForm1::DetachBoard() {
    FSudoku->OnChanged = nullptr;
}

void TForm1::tmEventTimer() {
    tmEvent->stop();
    acStart->trigger();
}

} // namespace kumoji
