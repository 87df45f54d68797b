#include "game/main_window.h"

#include "board/cursor_table.h"
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "engine/intlist.h"
#include "engine/random.h"
#include "engine/solve_method.h"
#include "game/name_prompt.h"
#include "game/platform/cursors.h"
#include "game/platform/fonts.h"
#include "game/platform/help_opener.h"
#include "game/platform/jpeg_loader.h"
#include "game/platform/message_box.h"
#include "game/platform/tick_clock.h"
#include "game/player_dialog.h"
#include "game/route_image.h"
#include "game/tables.h"
#include "resources/resource_names.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace kumoji {

namespace {

const QString SelectPlayerText = QStringLiteral("ゲームをする人を設定しましょう select player");

QIcon ActionImage(int Index) {
    return QIcon(QString::fromLatin1(ActionImagePaths[static_cast<std::size_t>(Index)]));
}

QFont FaceFont(const char* Face, int Pixels, bool Bold = false) {
    QFont Font(QString::fromUtf8(Face));
    Font.setPixelSize(Pixels);
    Font.setBold(Bold);
    return Font;
}

void SetTextColor(QLabel* Label, const QColor& Color) {
    QPalette Palette = Label->palette();
    Palette.setColor(QPalette::WindowText, Color);
    Label->setPalette(Palette);
}

// The brush face draws full-width brackets blank; those come from the Gothic.
void SetRouteText(QLabel* Label, const QString& Text) {
    Label->setProperty("PlainText", Text);
    QString Html;
    for (const QChar C : Text) {
        const QString Escaped = QString(C).toHtmlEscaped();
        if (C == QChar(0xFF08) || C == QChar(0xFF09))
            Html += QStringLiteral("<span style=\"font-family:'%1'; font-weight:normal\">%2</span>")
                        .arg(QString::fromUtf8(GothicFace), Escaped);
        else
            Html += Escaped;
    }
    Label->setTextFormat(Qt::RichText);
    Label->setText(Html);
}

void SetBlackBackground(QWidget* Widget) {
    QPalette Palette = Widget->palette();
    Palette.setColor(QPalette::Window, Qt::black);
    Widget->setPalette(Palette);
    Widget->setAutoFillBackground(true);
}

QString FromUtf8View(std::string_view Text) {
    return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}

// Paints the red circle itself: a label would grey it out on the disabled board.
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
        Painter.drawPixmap(Maru->rect(), FCircle);
        return true;
    }

private:
    QPixmap FCircle;
};

// A blank gap of the tool bar, with the faint line a flat separator shows.
class TToolGap : public QWidget {
public:
    explicit TToolGap(int Width) { setFixedSize(Width, 22); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter Painter(this);
        Painter.setPen(QColor(128, 128, 128));
        Painter.drawLine(width() / 2, 3, width() / 2, height() - 4);
    }
};

} // namespace

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
    FormCreate();
}

TForm1::~TForm1() {
    // The circle may lie on a piece; take it back before the board goes.
    ReturnMaru();
    delete Form2;
    Form2 = nullptr;
    delete FRouteImage;
    FRouteImage = nullptr;
    FQuestions.clear();
    FHuts.clear();
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
                   Qt::WindowCloseButtonHint);
    move(0, 0);
    setFixedSize(1024, 768);
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
    acPause->setVisible(false);
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
    BindButton(SpeedButton3, acOpenDlg, SelectGlyphPath);
    BindButton(SpeedButton1, acStart, PlayGlyphPath);
    BindButton(SpeedButton2, acPause, PauseGlyphPath);
    BuildToolBar();

    tmKimete = new QTimer(this);
    tmKimete->setInterval(300);
    connect(tmKimete, &QTimer::timeout, this, &TForm1::tmKimeteTimer);
    tmEvent = new QTimer(this);
    tmEvent->setInterval(30);
    connect(tmEvent, &QTimer::timeout, this, &TForm1::tmEventTimer);
    tmEvent->start();
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);

    FSudoku = new TSudoku(pnSudoku);
    FSudoku->setGeometry(pnSudoku->contentsRect().adjusted(0, CoolBar1->height(), 0, 0));
    FSudoku->setCursor(CursorShape(crPen));
    AttachBoard();
    FSudoku->setEnabled(false);

    QImage Picture;
    LoadJpegResource(QString::fromLatin1(RoutePicturePath), Picture);
    imFuji->setPixmap(QPixmap::fromImage(Picture));
    imFuji->setScaledContents(true);
    imFuji->setGeometry(0, 0, 738, 544);
    imFuji->lower();

    FRouteImage = new TRouteImage(this);
    FRouteImage->setGeometry(imFuji->geometry());
    FRouteImage->raise();

    FHuts.clear();
    FQuestions.clear();

    RegisterCursors();
    FSudoku->setCursor(CursorShape(crPen));

    FUsers = std::make_unique<TTabijiUsers>();
    FUsers->LoadFromFile(DataFileName, UserSection);

    Form2 = new TForm2(*this);

    SelectUser(-1);
}

void TForm1::BindButton(QToolButton* Button, QAction* Action, const char* Glyph) {
    Button->setIcon(QIcon(QString::fromLatin1(Glyph)));
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

void TForm1::FormActivate() {
    if (!FirstActivate)
        return;
    FirstActivate = false;

    // The outer size is 1024 by 768 where the desktop draws a frame.
    const QSize Frame = frameGeometry().size() - size();
    if (Frame.width() > 0 && Frame.width() < 100 && Frame.height() > 0 && Frame.height() < 100)
        setFixedSize(QSize(1024, 768) - Frame);
    const int ClientWidth = width();
    const int ClientHeight = height();

    pnSudoku->setGeometry(ClientWidth - 580, ClientHeight - 512, 580, 512);
    const QRect Inside = pnSudoku->contentsRect();
    CoolBar1->setGeometry(Inside.left(), Inside.top(), Inside.width(), 25);
    ToolBar1->setGeometry(0, 0, Inside.width(), 25);
    FSudoku->setGeometry(Inside.adjusted(0, 25, 0, 0));
    for (QToolButton* Button : {SpeedButton3, SpeedButton1, SpeedButton2})
        Button->move(ClientWidth - 23 - Button->width(), Button->y());
    imMaru->hide();
    pnTimer->move(ClientWidth - pnTimer->width(), pnSudoku->y() - pnTimer->height());

    const int UserHeight = lbUser1->fontMetrics().height() + 2;
    lbUser1->setGeometry(imFuji->width() + 8, UserHeight, ClientWidth - imFuji->width() - 8 - 4,
                         UserHeight);
    SetTextColor(lbUser1, QColor(0, 255, 255));
    lbUser2->setGeometry(lbUser1->geometry().translated(1, 1));
    SetTextColor(lbUser2, QColor(0, 0, 255));
    lbUser2->stackUnder(lbUser1);

    const int ModeHeight = lbKimeteMode1->fontMetrics().height() + 4;
    lbKimeteMode1->setGeometry(16, imFuji->height() + 24, pnSudoku->x() - 16 - 8, ModeHeight);
    SetTextColor(lbKimeteMode1, QColor(0, 255, 0));
    lbKimeteMode2->setGeometry(lbKimeteMode1->geometry().translated(1, 1));
    lbKimeteMode2->setFont(lbKimeteMode1->font());
    SetTextColor(lbKimeteMode2, QColor(0, 128, 0));
    lbKimeteMode2->stackUnder(lbKimeteMode1);

    lbKimetePosition->setGeometry(
        lbKimeteMode2->x(), lbKimeteMode2->y() + lbKimeteMode2->height() + 24,
        pnSudoku->x() - lbKimeteMode2->x() - 8, 2 * (lbKimetePosition->fontMetrics().height() + 2));
    SetTextColor(lbKimetePosition, QColor(0, 255, 0));
    lbKimetePosition->clear();

    FSudoku->Start();

    FRouteImage->setGeometry(imFuji->geometry());
    FRouteImage->SetBitmapSize(imFuji->width(), imFuji->height());
    FRouteImage->raise();
    DrawRoute(-1);

    TellDamagedFile();

    if (FUsers->GetCount() > 0) {
        acOpenDlg->trigger();
        return;
    }
    std::string Name;
    AskPlayerName(this, true, Name);
    FUsers->AddUser(Name);
    SelectUser(0);
    SaveUsers();
    acStart->trigger();
}

void TForm1::TellDamagedFile() {
    const TDamageReport& Damage = FUsers->LastDamage();
    if (!Damage.Damaged)
        return;
    const QString File = QFileInfo(QString::fromStdString(Damage.FileName)).absoluteFilePath();
    QString Where;
    if (!Damage.KeptAs.empty())
        Where =
            QStringLiteral("元のファイルは次の名前で残してあります the old file was kept as:\n") +
            QDir::toNativeSeparators(
                QFileInfo(QString::fromStdString(Damage.KeptAs)).absoluteFilePath());
    else
        Where = QStringLiteral("元のファイルは残せませんでした the old file could not be kept:\n") +
                QString::fromStdString(FUsers->LastSave().Reason);
    ShowMessageBox(this, TwoParts(QStringLiteral("データファイルが壊れていました the data file "
                                                 "was damaged: ") +
                                      QDir::toNativeSeparators(File),
                                  Where));
}

TTabijiUser* TForm1::CurrentUser() {
    if (!FUsers || FUserIndex < 0 || FUserIndex >= FUsers->GetCount())
        return nullptr;
    return &FUsers->GetUser(FUserIndex);
}

void TForm1::SelectUser(int Index) {
    FUserIndex = Index;
    QString NameText = SelectPlayerText;
    QString RouteText = FromUtf8View(Routes[0]);
    if (TTabijiUser* User = CurrentUser()) {
        NameText = kumoji::NameText(User->Name);
        RouteText = FromUtf8View(Routes[static_cast<std::size_t>(std::clamp(User->Route, 0, 3))]);
        if (!User->Huts.empty()) {
            User->GetHuts(&FHuts);
        } else {
            FHuts.assign(DefaultHuts.begin(), DefaultHuts.end());
            std::string Huts;
            for (const int Hut : DefaultHuts)
                Huts += (Huts.empty() ? "" : ",") + std::to_string(Hut);
            User->Huts = Huts;
            SaveUsers();
        }
        ShowPosition(User->Position);
        DrawRoute(-1);
        acStart->setEnabled(User->Position < 50);
    } else {
        acStart->setEnabled(false);
    }
    lbUser1->setText(NameText + QStringLiteral(" さん"));
    lbUser2->setText(lbUser1->text());
    SetRouteText(lbKimeteMode1, RouteText);
    SetRouteText(lbKimeteMode2, RouteText);
}

void TForm1::ShowPosition(int Position) {
    FPosition = Position;
    QString Text;
    if (Position >= 0 && Position <= 50) {
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
    QImage& Bitmap = FRouteImage->Bitmap();
    if (Bitmap.isNull())
        return;
    const float Step = static_cast<float>(Bitmap.width()) / 750 * 552 / 51;
    const int Unit = static_cast<int>(Step * 2);
    float X = 10.0f;
    const QColor Red(255, 0, 0);
    const QColor White(255, 255, 255);
    Bitmap.fill(QColor(0, 0, 255));
    QPainter Painter(&Bitmap);
    for (int I = 0; I <= 50; ++I, X += Step) {
        if (Position != -1 && I != Position)
            continue;
        const int Y = static_cast<int>(RouteHeights[static_cast<std::size_t>(I)] *
                                       (static_cast<float>(Bitmap.height()) / 493));
        const bool End = I == 0 || I == 50;
        const bool Hut = std::find(FHuts.begin(), FHuts.end(), I) != FHuts.end();
        int Height = Unit;
        int Top = Y;
        int PenWidth = 1;
        QColor Pen = White;
        if (End) {
            Height = 3 * Unit;
            Top = Y - Unit;
            PenWidth = 2;
            Pen = Red;
        } else if (Hut) {
            Height = 3 * Unit;
            Top = Y - Unit;
        }
        QColor Fill;
        if (I <= FPosition) {
            Fill = Red;
            PenWidth = 1;
            if (I > 0)
                Pen = White;
        } else {
            Fill = End ? White : Hut ? QColor(0, 64, 0) : QColor(0, 128, 0);
        }
        // The rectangle covers Left .. Right - 1 and Top .. Bottom - 1.
        const int Left = static_cast<int>(X);
        const int Right = Left + static_cast<int>(Step);
        Painter.setPen(QPen(Pen, PenWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        Painter.setBrush(Fill);
        Painter.drawRoundedRect(QRect(Left, Top, Right - Left - 1, Height - 1), 1, 1,
                                Qt::AbsoluteSize);
    }
    Painter.end();
    update();
    FRouteImage->update();
}

void TForm1::SaveUsers() {
    if (FUsers->SaveToFile(DataFileName, UserSection) || FSaveFailureTold)
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

void TForm1::AttachBoard() {
    FSudoku->OnChanged = [this](TSudoku&) { SudokuChanged(); };
}

void TForm1::DetachBoard() {
    FSudoku->OnChanged = nullptr;
}

void TForm1::ReturnMaru() {
    if (!imMaru)
        return;
    imMaru->hide();
    if (imMaru->parentWidget() != this)
        imMaru->setParent(this);
}

void TForm1::LayMaruOver(int PieceIndex) {
    TNumberPiece* Piece = FSudoku->Pieces(PieceIndex);
    if (!Piece)
        return;
    imMaru->setParent(Piece);
    imMaru->setGeometry(0, 0, Piece->width(), Piece->height());
    imMaru->show();
    imMaru->raise();
}

void TForm1::acStartExecute() {
    if (!acStart->isEnabled())
        return;
    TTabijiUser* User = CurrentUser();
    if (!User)
        return;
    if (FQuestions.empty()) {
        const bool Trailhead = User->Position <= 0;
        const auto AddQuestions = [this](const auto& Table, int Technique, bool Shuffle) {
            std::vector<std::pair<std::string, int>> List;
            for (const std::string_view Text : Table)
                List.emplace_back(std::string(Text), Technique);
            if (Shuffle)
                ShuffleStrings(&List, 1);
            FQuestions.insert(FQuestions.end(), List.begin(), List.end());
        };
        AddQuestions(EmptyCellQuestions, 1, Trailhead);
        AddQuestions(LeftPlaceQuestions, 2, Trailhead);
        AddQuestions(MissingNumberQuestions, 3, Trailhead);
        if (!Trailhead)
            ShuffleStrings(&FQuestions, 1);
    }
    FTechnique = static_cast<std::uint8_t>(FQuestions.front().second);
    ReturnMaru();
    FSudoku->ClearHints();

    DetachBoard();
    std::string Text = FQuestions.front().first;
    FQuestions.erase(FQuestions.begin());
    try {
        FSudoku->LoadPuzzle(Text);
    } catch (...) {
        AttachBoard();
        throw;
    }
    AttachBoard();
    FSudoku->Fix();

    if (FSudoku->FindQuestion(FTargetCell, FTargetNumber, true)) {
        BeginQuestion();
        return;
    }
    ShowMessageBox(this,
                   TwoParts(QStringLiteral("必然手がないか、複数あります。問題として不適切です"),
                            QStringLiteral("This puzzle has no unique solution that can be "
                                           "reached logically without guessing.")));
}

int TForm1::TimeLimit(int Technique, int Position) {
    const long long Base = 8000LL << (Technique + 1);
    return static_cast<int>(((Base * 51) / std::max(1, Position)) / 9);
}

void TForm1::BeginQuestion() {
    PlayGameSound(gsQuestion);
    FQuestionLive = true;
    FPaused = false;
    tmKimete->start();
    FSudoku->setEnabled(true);
    acOpenDlg->setVisible(false);
    acOpenDlg->setEnabled(false);
    acPause->setVisible(true);
    acPause->setEnabled(true);
    acStart->setVisible(false);
    acStart->setEnabled(false);
    const TTabijiUser* User = CurrentUser();
    FTimeLimit = TimeLimit(FTechnique, User ? User->Position : 0);
    FStartTick = GetTickCount();
}

QString TForm1::FormatRemaining(int Milliseconds) {
    if (Milliseconds <= 0)
        return QStringLiteral("0");
    const int S = Milliseconds / 1000;
    const int H = S / 3600;
    const int M = (S / 60) % 60;
    const int Sec = S % 60;
    if (H > 0)
        return QString::asprintf("%d:%.2d:%.2d", H, M, Sec);
    if (M > 0)
        return QString::asprintf("%d:%.2d", M, Sec);
    return QString::number(Sec);
}

void TForm1::tmKimeteTimer() {
    if (!FQuestionLive) {
        tmKimete->stop();
        return;
    }
    // Unsigned arithmetic keeps the difference right across a tick wrap.
    const auto Elapsed = static_cast<std::int32_t>(GetTickCount() - FStartTick);
    const long long Remaining = static_cast<long long>(FTimeLimit) - Elapsed;
    if (Remaining < 1) {
        pnTimer->setText(QStringLiteral("0"));
        FinishQuestion(false);
        return;
    }
    pnTimer->setText(FormatRemaining(static_cast<int>(Remaining)));
}

void TForm1::SudokuChanged() {
    if (InSudokuChanged || !FQuestionLive)
        return;
    InSudokuChanged = true;
    struct TClear {
        bool& Flag;
        ~TClear() { Flag = false; }
    } Clear{InSudokuChanged};

    ReturnMaru();
    const THistories& History = FSudoku->Histories();
    if (History.Count() > 0) {
        const THistory& Newest = History.Items(History.Count() - 1);
        if (Newest.ToCol == FTargetCell.X && Newest.ToRow == FTargetCell.Y &&
            Newest.Digit == FTargetNumber) {
            FinishQuestion(true);
            return;
        }
    }
    tmKimete->stop();
    QApplication::beep();
    ShowMessageBox(this, TwoParts(QStringLiteral("必然の一手を探してください"),
                                  QStringLiteral("Set a number in the specified cell!")));
    FSudoku->Undo();
    FinishQuestion(false);
}

void TForm1::FinishQuestion(bool Solved) {
    // Judged once: a late tick, drop or close after the verdict does nothing.
    if (!FQuestionLive)
        return;
    FQuestionLive = false;
    tmKimete->stop();
    FSudoku->setEnabled(false);
    TTabijiUser* User = CurrentUser();
    int Mark = -1;
    if (Solved) {
        const THistories& History = FSudoku->Histories();
        if (History.Count() > 0)
            LayMaruOver(History.Items(History.Count() - 1).PieceIndex);
        if (User)
            User->Climb();
        QCoreApplication::processEvents();
        const int Position = User ? User->Position : 0;
        const bool Landmark =
            Position == 50 || std::find(FHuts.begin(), FHuts.end(), Position) != FHuts.end();
        PlayGameSound(Landmark ? gsLandmark : gsStep);
        Mark = Position;
    } else {
        ShowAnswer();
        QCoreApplication::processEvents();
        PlayGameSound(gsLost);
        if (User)
            User->Lose();
        Mark = (User ? User->Position : 0) + 1;
    }
    if (User)
        ShowPosition(User->Position);
    DrawRoute(Mark);
    SaveUsers();
    QCoreApplication::processEvents();
    acOpenDlg->setVisible(true);
    acOpenDlg->setEnabled(true);
    acStart->setVisible(true);
    acStart->setEnabled(true);
    acPause->setVisible(false);
    acPause->setEnabled(false);
    acOpenDlg->trigger();
}

void TForm1::ShowAnswer() {
    DetachBoard();
    try {
        const int Result = FSudoku->SolveStep(false);
        const THistories& History = FSudoku->Histories();
        // Circle only a move the step made, never a piece taken back to the tray.
        if (Result == 0 && History.Floater() >= 0)
            LayMaruOver(History.Items(History.Floater()).PieceIndex);
    } catch (...) {
        AttachBoard();
        throw;
    }
    AttachBoard();
}

void TForm1::SetPaused(bool Value) {
    FPaused = Value;
    if (Value)
        tmKimete->stop();
    else
        tmKimete->start();
    if (Value) {
        PauseTick = GetTickCount();
        acPause->setText(QStringLiteral("再開 replay"));
        acPause->setToolTip(QStringLiteral("再開 replay"));
        acPause->setIcon(ActionImage(6));
    } else {
        FStartTick += GetTickCount() - PauseTick;
        acPause->setText(QStringLiteral("一時停止 pause"));
        acPause->setToolTip(QStringLiteral("一時停止 pause"));
        acPause->setIcon(ActionImage(4));
    }
    FSudoku->setVisible(!Value);
}

void TForm1::acPauseExecute() {
    if (!FQuestionLive)
        return;
    SetPaused(!FPaused);
}

bool TForm1::FormCloseQuery() {
    if (!tmKimete->isActive() || !FQuestionLive)
        return true;
    SetPaused(true);
    const bool CanClose =
        AskYesCancel(this, TwoParts(QStringLiteral("ゲームの最中ですが中断しますか？"),
                                    QStringLiteral("途中で止めると試合放棄として負けとなります")));
    if (CanClose && FQuestionLive) {
        FQuestionLive = false;
        if (TTabijiUser* User = CurrentUser())
            User->Lose();
        SaveUsers();
        PlayGameSound(gsLost);
    }
    SetPaused(false);
    if (!FQuestionLive)
        tmKimete->stop();
    return CanClose;
}

void TForm1::closeEvent(QCloseEvent* Event) {
    if (FormCloseQuery())
        Event->accept();
    else
        Event->ignore();
}

void TForm1::acCloseExecute() {
    close();
}

void TForm1::acPenExecute() {
    FSudoku->SetPenMode(0);
    acPen->setChecked(true);
}

void TForm1::acEraserExecute() {
    FSudoku->SetPenMode(1);
    acEraser->setChecked(true);
}

void TForm1::acPenColorExecute() {
    ColorDialog1->setCurrentColor(FSudoku->PenColor());
    if (ColorDialog1->exec() == QDialog::Accepted)
        FSudoku->SetPenColor(ColorDialog1->currentColor());
}

void TForm1::acEraseMemoExecute() {
    FSudoku->EraseMemo();
}

void TForm1::tmEventTimer() {
    tmEvent->stop();
    acStart->trigger();
}

QString TForm1::HelpFileName() {
    return FindHelpPage(QCoreApplication::applicationDirPath(), QString::fromLatin1(HelpPageName));
}

void TForm1::acHelpExecute() {
    QString Anchor;
    if (Form2 && Form2->isVisible() &&
        (Form2->isActiveWindow() || QApplication::activeModalWidget() == Form2))
        Anchor = Form2->FHelpTopic;
    else if ((tmKimete->isActive() || FPaused) && FTechnique < SolveMethodNames.size())
        Anchor = FromUtf8View(SolveMethodNames[FTechnique]);
    QWidget* Owner = Form2 && Form2->isVisible() ? static_cast<QWidget*>(Form2) : this;
    OpenHelpFile(Owner, HelpFileName(), Anchor);
}

} // namespace kumoji
