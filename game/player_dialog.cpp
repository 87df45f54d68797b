// The player dialog between questions: who plays next, the player menu, new players and help.
#include "game/player_dialog.h"

#include "board/board_scale.h"
#include "game/main_window.h"
#include "game/name_prompt.h"
#include "game/platform/fonts.h"
#include "game/platform/jpeg_loader.h"
#include "game/platform/window_frame.h"
#include "game/tables.h"
#include "game/window_fit.h"
#include "game/window_style.h"
#include "resources/resource_names.h"
#include "ui_playerdialog.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

namespace kumoji {

namespace {

void SetTextColor(QWidget* Widget, QPalette::ColorRole Role, const QColor& Color) {
    QPalette Palette = Widget->palette();
    Palette.setColor(Role, Color);
    Widget->setPalette(Palette);
}

// Menu captions take "&" as a shortcut mark; a name shows it as typed.
QString MenuText(QString Text) {
    return Text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TForm2::TForm2(TForm1& Owner)
    : QDialog(&Owner), FUi(std::make_unique<Ui::TForm2>()), FOwner(Owner) {
    FUi->setupUi(this);
    imSelectUser = FUi->imSelectUser;
    lbSelect = FUi->lbSelect;
    lbSelect2 = FUi->lbSelect2;
    Panel1 = FUi->Panel1;
    sbOk = FUi->sbOk;
    sbCangeUser = FUi->sbCangeUser;
    SpeedButton1 = FUi->SpeedButton1;
    btCancel = FUi->btCancel;
    sbWhy = FUi->sbWhy;
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::resizeEvent(QResizeEvent* Event) {
    QDialog::resizeEvent(Event);
    imSelectUser->setGeometry(rect());
}

void TForm2::FormCreate() {
    QFont Font(QString::fromUtf8(GothicFace));
    Font.setPixelSize(12);
    setFont(Font);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Client 442 wide at the window's scale; the outer height keeps the picture's
    // proportion of the outer width.
    FOuterFrame = new TOuterFrame(this, [this](const QMargins& Frame) {
        const int Width = ScaledPixels(442, FScale);
        const int OuterWidth = Width + Frame.left() + Frame.right();
        return QSize(Width, OuterWidth * DialogPictureHeight / DialogPictureWidth - Frame.top() -
                                Frame.bottom());
    });

    QImage Picture;
    LoadJpegResource(QString::fromLatin1(DialogPicturePath), Picture);
    imSelectUser->setPixmap(QPixmap::fromImage(Picture));
    imSelectUser->setScaledContents(true);
    imSelectUser->setGeometry(rect());
    imSelectUser->lower();

    QFont NameFont = Font;
    NameFont.setPixelSize(16);
    NameFont.setBold(true);
    for (QLabel* Label : {lbSelect, lbSelect2}) {
        Label->setFont(NameFont);
        Label->setFixedSize(132, 16);
        Label->setAutoFillBackground(false);
    }
    lbSelect2->move(lbSelect->x() + 1, lbSelect->y() + 1);
    SetTextColor(lbSelect, QPalette::WindowText, Qt::black);
    SetTextColor(lbSelect2, QPalette::WindowText, Qt::white);
    lbSelect->raise();

    QPalette Navy = Panel1->palette();
    Navy.setColor(QPalette::Window, QColor(0, 0, 128));
    Panel1->setPalette(Navy);
    for (QToolButton* Button : {sbOk, sbCangeUser, SpeedButton1}) {
        // White on the navy bar; a disabled button keeps its grey.
        QPalette Palette = Button->palette();
        Palette.setColor(QPalette::Active, QPalette::ButtonText, Qt::white);
        Palette.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::white);
        Palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 160));
        Button->setPalette(Palette);
    }
    btCancel->setPalette(QApplication::palette());
    Panel1->setAutoFillBackground(true);
    Panel1->raise();
    sbOk->setIcon(ScalableIcon(OkGlyphPath));
    sbCangeUser->setIcon(ScalableIcon(ChangeUserGlyphPath));
    SpeedButton1->setIcon(ScalableIcon(HelpGlyphPath));
    SpeedButton1->setToolTip(FOwner.acHelp->toolTip());
    btCancel->setFocusPolicy(Qt::NoFocus);

    pmCangeUser = new QMenu(this);
    newuser1 = pmCangeUser->addAction(QStringLiteral("新規追加 new user"));
    miNewUserBar = pmCangeUser->addSeparator();
    connect(pmCangeUser, &QMenu::aboutToShow, this, &TForm2::pmCangeUserPopup);
    connect(newuser1, &QAction::triggered, this, &TForm2::newuser1Click);
    connect(sbCangeUser, &QToolButton::clicked, this, &TForm2::sbCangeUserClick);
    connect(sbOk, &QToolButton::clicked, this, &TForm2::sbOkClick);
    connect(SpeedButton1, &QToolButton::clicked, FOwner.acHelp,
            [this] { FOwner.acHelp->trigger(); });
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    // F1 opens the help from here too.
    addAction(FOwner.acHelp);
    BindWhy();
    BindRecord();
    BindPractice();

    for (QWidget* Part :
         std::initializer_list<QWidget*>{lbSelect, Panel1, sbOk, sbCangeUser, SpeedButton1,
                                         btCancel, sbWhy, sbRecord, sbPractice})
        FDesign.emplace_back(Part, Part->geometry());

    // The first showing is centred on the screen's free area; later ones keep their place.
    FOuterFrame->PlaceOuter([this](const QSize& Outer) {
        return AvailableArea(*this).center() - QRect(QPoint(), Outer).center();
    });
}

void TForm2::SetScale(double Value) {
    if (Value == FScale)
        return;
    FScale = Value;
    const auto Px = [Value](double Design) { return ScaledPixels(Design, Value); };
    // Edges rather than sizes are scaled, so that parts side by side stay so.
    for (const auto& [Part, Design] : FDesign)
        Part->setGeometry(QRect(QPoint(Px(Design.left()), Px(Design.top())),
                                QPoint(Px(Design.right() + 1) - 1, Px(Design.bottom() + 1) - 1)));
    QFont Font = font();
    Font.setPixelSize(Px(12));
    setFont(Font);
    QFont NameFont = lbSelect->font();
    NameFont.setPixelSize(Px(16));
    for (QLabel* Label : {lbSelect, lbSelect2}) {
        Label->setFont(NameFont);
        Label->setFixedSize(Px(132), Px(16));
    }
    lbSelect2->move(lbSelect->x() + Px(1), lbSelect->y() + Px(1));
    for (QToolButton* Button : {sbOk, sbCangeUser, SpeedButton1, sbWhy, sbRecord, sbPractice})
        Button->setIconSize(QSize(Px(16), Px(16)));
    FOuterFrame->Refresh();
}

void TForm2::BindWhy() {
    QAction* Why = FOwner.acWhy;
    // A tab hanging from the navy bar, in its colours.
    QPalette Palette = sbWhy->palette();
    Palette.setColor(QPalette::Button, QColor(0, 0, 128));
    Palette.setColor(QPalette::Active, QPalette::ButtonText, Qt::white);
    Palette.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::white);
    Palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 160));
    sbWhy->setPalette(Palette);
    sbWhy->setIcon(Why->icon());
    const auto Sync = [this, Why] {
        sbWhy->setEnabled(Why->isEnabled());
        sbWhy->setToolTip(Why->toolTip());
    };
    connect(Why, &QAction::changed, sbWhy, Sync);
    connect(sbWhy, &QToolButton::clicked, Why, [Why] { Why->trigger(); });
    // Its key works here too.
    addAction(Why);
    Sync();
}

QToolButton* TForm2::TabBelow(QToolButton* Above, const char* Name, const QAction& Action) {
    // A tab like the why button, hanging below Above.
    auto* Button = new QToolButton(this);
    Button->setObjectName(QString::fromLatin1(Name));
    Button->setGeometry(Above->geometry().translated(0, Above->height() + 2));
    Button->setPalette(sbWhy->palette());
    Button->setFocusPolicy(Qt::NoFocus);
    Button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Button->setText(Action.text());
    Button->setIcon(Action.icon());
    Button->setToolTip(Action.toolTip());
    return Button;
}

void TForm2::BindRecord() {
    sbRecord = TabBelow(sbWhy, "sbRecord", *FOwner.acRecord);
    connect(sbRecord, &QToolButton::clicked, this, [this] { FOwner.ShowRecord(FUserIndex); });
}

void TForm2::BindPractice() {
    sbPractice = TabBelow(sbRecord, "sbPractice", *FOwner.acPractice);
    connect(sbPractice, &QToolButton::clicked, this, [this] {
        FOwner.ShowPracticeMenu(sbPractice->mapToGlobal(QPoint(0, sbPractice->height())));
    });
    // The buttons below the bar's why share its right edge, wide enough for the longest.
    const int Width =
        std::max({sbWhy->width(), sbRecord->sizeHint().width(), sbPractice->sizeHint().width()});
    for (QToolButton* Button : {sbRecord, sbPractice}) {
        const QRect Old = Button->geometry();
        Button->setGeometry(Old.right() + 1 - Width, Old.top(), Width, Old.height());
    }
}

QString TForm2::PositionName(int Position) {
    return FromUtf8View(Positions[static_cast<std::size_t>(std::clamp(Position, 0, 50))]);
}

void TForm2::SetSelectedName(const QString& Text) {
    lbSelect->setText(Text);
    lbSelect2->setText(Text);
}

void TForm2::pmCangeUserPopup() {
    TTabijiUsers& Users = *FOwner.FUsers;
    if (Users.GetCount() == 0)
        return;
    const QList<QAction*> Items = pmCangeUser->actions();
    const qsizetype Bar = Items.indexOf(miNewUserBar);
    for (qsizetype I = Items.size() - 1; I > Bar; --I) {
        pmCangeUser->removeAction(Items[I]);
        delete Items[I];
    }
    for (int I = 0; I < Users.GetCount(); ++I) {
        const TTabijiUser& User = Users.GetUser(I);
        QAction* Item = pmCangeUser->addAction(
            MenuText(QStringLiteral("%1 / %2 (%3)")
                         .arg(NameText(User.Name), PositionName(User.Position))
                         .arg(User.Position)));
        Item->setData(I);
        connect(Item, &QAction::triggered, this, [this, I] { UserMenuClick(I); });
    }
    pmCangeUser->addSeparator();
    pmCangeUser->addAction(QStringLiteral("キャンセル"));
}

void TForm2::UserMenuClick(int Tag) {
    FUserIndex = Tag;
    sbOk->setEnabled(Tag >= 0);
    if (Tag >= 0 && Tag < FOwner.FUsers->GetCount())
        SetSelectedName(NameText(FOwner.FUsers->GetUser(Tag).Name));
}

void TForm2::newuser1Click() {
    std::string Name;
    if (!AskPlayerName(this, false, Name))
        return;
    sbOk->setEnabled(true);
    SetSelectedName(NameText(Name));
    FNewName = Name;
    FUserIndex = FOwner.FUsers->AddUser(Name);
    FOwner.SaveUsers();
}

void TForm2::sbCangeUserClick() {
    pmCangeUser->popup(QCursor::pos());
}

void TForm2::keyPressEvent(QKeyEvent* Event) {
    // Return is "continue", and only when continuing is possible; Esc stays "close".
    if ((Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) &&
        !(Event->modifiers() & ~Qt::KeypadModifier)) {
        if (sbOk->isEnabled())
            sbOk->click();
        Event->accept();
        return;
    }
    QDialog::keyPressEvent(Event);
}

void TForm2::sbOkClick() {
    accept();
}

} // namespace kumoji
