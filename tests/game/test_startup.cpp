#include "board/cursor_table.h"
#include "board/sudoku.h"
#include "game/player_dialog.h"
#include "game/route_image.h"
#include "game/tables.h"
#include "game_fixture.h"
#include "storage/sjis.h"

#include <QAction>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <optional>
#include <sys/stat.h>

namespace kumoji::test {

namespace {

std::string Cp932(const std::string& Utf8) {
    std::string Bytes;
    Utf8ToCp932(Utf8, Bytes);
    return Bytes;
}

} // namespace

TEST_F(GameTest, FirstRunAsksForANameUntilOneCanBeStoredThenPlaysAtOnce) {
    Answers.CancelInput()
        .Message()
        .Input(QStringLiteral("   "))
        .Input(QStringLiteral("a=b"))
        .Message()
        .Input(QStringLiteral("[guest"))
        .Message()
        .Input(QStringLiteral("山😀"))
        .Message()
        .Input(QStringLiteral("波〜"))
        .Message()
        .Input(QStringLiteral("  太郎\t "));
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_TRUE(Answers.Done());
    EXPECT_EQ(Answers.Unexpected, 0);
    ASSERT_EQ(Answers.Messages.size(), 5);
    EXPECT_EQ(Answers.Messages[0], QStringLiteral("ユーザー名は必要です input your name"));
    for (int I = 1; I < 5; ++I)
        EXPECT_TRUE(Answers.Messages[I].startsWith(QStringLiteral("このユーザー名は使えません")))
            << Answers.Messages[I].toStdString();
    EXPECT_TRUE(Answers.Messages[3].contains(QStringLiteral("😀")));
    // Refused rather than stored as the similar "～" it would come back as.
    EXPECT_TRUE(Answers.Messages[4].contains(QStringLiteral("「〜」は保存すると「～」に")))
        << Answers.Messages[4].toStdString();

    // The player exists in the data file, trimmed, before anything was played.
    const auto Stored = ReadRoster();
    ASSERT_EQ(Stored->GetCount(), 1);
    EXPECT_EQ(Stored->GetUser(0).Name, Cp932("太郎"));
    EXPECT_EQ(Stored->GetUser(0).Position, 0);
    EXPECT_EQ(Stored->GetUser(0).Huts, "11,18,21,24,28,32,36,39");
    EXPECT_FALSE(Form->Form2->isVisible());
    EXPECT_EQ(Sounds.back(), gsQuestion);
    EXPECT_EQ(Form->lbUser1->text(), QStringLiteral("太郎 さん"));
}

TEST_F(GameTest, WithPlayersStartUpOpensTheDialogAndStartsNothing) {
    WriteRoster({{"花子", 3}});
    bool Seen = false;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Seen = true;
        // The first firing of the deferred start has passed.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Form->tmEvent->isActive(); }, 1000));
        EXPECT_FALSE(Form->QuestionRunning());
        EXPECT_EQ(Form->Form2->sbOk->text(), QStringLiteral("はじめる start"));
        EXPECT_FALSE(Form->Form2->sbOk->isEnabled());
        EXPECT_EQ(Form->Form2->sbCangeUser->text(), QStringLiteral("人を選ぶ select user"));
        EXPECT_EQ(Form->lbUser1->text(),
                  QStringLiteral("ゲームをする人を設定しましょう select player"));
        Form->Form2->reject();
        return true;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Seen && !Form->Form2->isVisible(); }));
    EXPECT_FALSE(Form->tmEvent->isActive()) << "no question armed";
    EXPECT_FALSE(Form->QuestionRunning());
    EXPECT_FALSE(Form->acStart->isEnabled());
    EXPECT_EQ(Form->UserIndex(), -1);
}

// The pieces are dealt while the window answers: the prompt or the dialog comes at once, and
// the question asked for before the last piece is down starts when it is.
TEST_F(GameTest, APlayerCanChooseDuringTheDealAndTheQuestionWaitsForItsEnd) {
    struct TDelay {
        TDelay() { TSudoku::SetPieceDelay(std::chrono::milliseconds(2)); }
        ~TDelay() { TSudoku::SetPieceDelay(std::chrono::milliseconds(0)); }
    } Delay;
    for (const bool WithPlayer : {true, false}) {
        if (WithPlayer)
            WriteRoster({{"花子", 3}});
        else
            ASSERT_TRUE(QFile::remove(DataFilePath()));
        bool AskedDuringDeal = false;
        std::optional<bool> DealingAtQuestion;
        // Called as the prompt or the dialog shows, before any start is asked for.
        const auto Asked = [&] {
            AskedDuringDeal = Form->Sudoku().Dealing();
            QObject::connect(Form.get(), &TForm1::GameSound, Form.get(), [&](TGameSound Kind) {
                if (Kind == gsQuestion && !DealingAtQuestion)
                    DealingAtQuestion = Form->Sudoku().Dealing();
            });
        };
        Answers.Then([&](QWidget* W) {
            if (WithPlayer && W == Form->Form2) {
                Asked();
                Form->Form2->UserMenuClick(0);
                Form->Form2->sbOkClick();
                return true;
            }
            auto* Prompt = qobject_cast<QInputDialog*>(W);
            if (WithPlayer || !Prompt)
                return false;
            Asked();
            Prompt->setTextValue(QStringLiteral("太郎"));
            Prompt->accept();
            return true;
        });
        StartGame();
        // Waited for in an event loop: a polling wait would slow the deal down.
        QSignalSpy Sound(Form.get(), &TForm1::GameSound);
        ASSERT_TRUE(Form->QuestionRunning() || Sound.wait(5000)) << WithPlayer;
        ASSERT_TRUE(Form->QuestionRunning()) << WithPlayer;
        EXPECT_TRUE(AskedDuringDeal) << WithPlayer;
        EXPECT_EQ(DealingAtQuestion, std::optional<bool>(false)) << WithPlayer;
        EXPECT_GT(Form->Sudoku().Count(), 0) << WithPlayer;
        Form->tmKimete->stop();
        Form.reset();
    }
}

TEST_F(GameTest, WindowLayoutFollowsTheDesign) {
    WriteRoster({{"P1", 0}});
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Kumoji"));
    const QRect Client = Form->rect();
    EXPECT_EQ(Form->pnSudoku->geometry(),
              QRect(Client.width() - 580, Client.height() - 512, 580, 512));
    EXPECT_EQ(Form->pnTimer->geometry().right(), Client.right());
    EXPECT_EQ(Form->pnTimer->geometry().bottom() + 1, Form->pnSudoku->y());
    EXPECT_EQ(Form->pnTimer->text(), QStringLiteral("Best Move"));
    EXPECT_EQ(Form->imFuji->geometry(), QRect(0, 0, 738, 544));
    EXPECT_EQ(Form->RouteImage().geometry(), Form->imFuji->geometry());
    EXPECT_EQ(Form->lbUser1->x(), 746);
    EXPECT_EQ(Form->lbUser2->pos(), Form->lbUser1->pos() + QPoint(1, 1));
    EXPECT_EQ(Form->lbKimeteMode1->pos(), QPoint(16, 568));
    EXPECT_EQ(Form->lbKimeteMode2->pos(), QPoint(17, 569));
    for (QToolButton* Button : {Form->SpeedButton3, Form->SpeedButton1, Form->SpeedButton2})
        EXPECT_EQ(Client.width() - Button->geometry().right() - 1, 23);
    EXPECT_FALSE(Form->imMaru->isVisible());
    EXPECT_FALSE(Form->acPause->isVisible());
    EXPECT_FALSE(Form->Sudoku().isEnabled());

    // Tool bar: the actions in their order, with the gaps between them.
    QStringList Order;
    for (QAction* Action : Form->ToolBar1->actions())
        Order << (Action->toolTip().isEmpty() ? QStringLiteral("|") : Action->toolTip());
    EXPECT_EQ(Order, (QStringList{"|",
                                  "終わる Close",
                                  "|",
                                  "選択 select player",
                                  "始める Play",
                                  "一時停止 pause (Space)",
                                  "|",
                                  "案内 help (F1)",
                                  "|",
                                  "ヒント hint (練習 practice) (H)",
                                  "メモ書きの色 pen color",
                                  "|",
                                  "ペン書き pen mode",
                                  "消しゴム eraser mode",
                                  "|",
                                  "メモを消す erase memo",
                                  "|",
                                  "練習 practice",
                                  "記録 record",
                                  "なぜ why (W)"}));
    // The why button came last, at the far end: every other button keeps its place.
    const auto Left = [this](QAction* Action) {
        return Form->ToolBar1->widgetForAction(Action)->geometry().left();
    };
    EXPECT_EQ(Left(Form->acClose), 13);
    EXPECT_EQ(Left(Form->acStart), 162);
    EXPECT_EQ(Left(Form->acHelp), 196);
    EXPECT_EQ(Left(Form->acPenColor), 323);
    EXPECT_EQ(Left(Form->acEraseMemo), 416);
    const QRect Why = Form->ToolBar1->widgetForAction(Form->acWhy)->geometry();
    EXPECT_EQ(Why.size(), Form->ToolBar1->widgetForAction(Form->acHelp)->size());
    EXPECT_LE(Why.right(), Form->ToolBar1->width() - 8);
}

TEST_F(GameTest, SelectUserShowsThePlayerAndWritesANewPlayersHuts) {
    WriteRoster({{"P1", 12}, {"New", 0, 0, false}, {"Top", 50}});
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));

    Form->SelectUser(0);
    EXPECT_EQ(Form->lbUser1->text(), QStringLiteral("P1 さん"));
    EXPECT_EQ(Form->lbUser2->text(), QStringLiteral("P1 さん"));
    EXPECT_EQ(Form->lbKimeteMode1->property("PlainText").toString(),
              QStringLiteral("河口湖ルート（入門）"));
    EXPECT_EQ(Form->lbKimetePosition->text(),
              QStringLiteral("現在 ６合２勺 (12)\n次は ６合３勺 (13)"));
    EXPECT_TRUE(Form->acStart->isEnabled());

    // No player: only the name and route labels change.
    Form->SelectUser(-1);
    EXPECT_EQ(Form->lbUser1->text(),
              QStringLiteral("ゲームをする人を設定しましょう select player さん"));
    EXPECT_EQ(Form->lbKimetePosition->text(),
              QStringLiteral("現在 ６合２勺 (12)\n次は ６合３勺 (13)"));
    EXPECT_FALSE(Form->acStart->isEnabled());
    Form->SelectUser(7);
    EXPECT_EQ(Form->UserIndex(), 7);
    EXPECT_FALSE(Form->acStart->isEnabled());

    Form->SelectUser(1);
    EXPECT_EQ(Form->Round().Huts(), (std::vector<int>{11, 18, 21, 24, 28, 32, 36, 39}));
    EXPECT_EQ(ReadRoster()->GetUser(1).Huts, "11,18,21,24,28,32,36,39");
    EXPECT_EQ(Form->lbKimetePosition->text(), QStringLiteral("現在 登山口 (0)\n次は ５合目 (1)"));

    Form->SelectUser(2);
    EXPECT_EQ(Form->lbKimetePosition->text(), QStringLiteral("現在 山頂 (50)"));
    EXPECT_FALSE(Form->acStart->isEnabled());

    Form->ShowPosition(1);
    EXPECT_EQ(Form->lbKimetePosition->text(), QStringLiteral("現在 ５合目 (1)\n次は ５合２勺 (2)"));
    Form->ShowPosition(51);
    EXPECT_EQ(Form->lbKimetePosition->text(), QString());
    Form->ShowPosition(-1);
    EXPECT_EQ(Form->lbKimetePosition->text(), QString());
}

namespace {

// The mark of position I as the route map places it.
QRect MarkRect(const TRouteImage& Overlay, int I, bool Tall) {
    const float Step = static_cast<float>(Overlay.Bitmap().width()) / 750 * 552 / 51;
    const int Unit = static_cast<int>(Step * 2);
    float X = 10.0f;
    for (int K = 0; K < I; ++K)
        X += Step;
    const int Y = static_cast<int>(RouteHeights[static_cast<std::size_t>(I)] *
                                   (static_cast<float>(Overlay.Bitmap().height()) / 493));
    const int Left = static_cast<int>(X);
    return Tall ? QRect(Left, Y - Unit, static_cast<int>(Step), 3 * Unit)
                : QRect(Left, Y, static_cast<int>(Step), Unit);
}

int CountNotBlue(const QImage& Image, const QRect& Except) {
    int N = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (!Except.contains(X, Y) && Image.pixelColor(X, Y) != QColor(0, 0, 255))
                ++N;
    return N;
}

} // namespace

TEST_F(GameTest, RouteMapMarksReachedHutsAndAheadInTheirColours) {
    WriteRoster({{"P1", 12}});
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    Form->SelectUser(0);
    const TRouteImage& Overlay = Form->RouteImage();
    const QImage& Map = Overlay.Bitmap();
    ASSERT_EQ(Map.size(), QSize(738, 544));
    EXPECT_EQ(Overlay.TransparentColor(), QColor(0, 0, 255));

    const auto Fill = [&](int I) {
        const bool Tall = I == 0 || I == 50 ||
                          std::find(DefaultHuts.begin(), DefaultHuts.end(), I) != DefaultHuts.end();
        return Map.pixelColor(MarkRect(Overlay, I, Tall).center());
    };
    for (int I = 0; I <= 12; ++I)
        EXPECT_EQ(Fill(I), QColor(255, 0, 0)) << I;
    EXPECT_EQ(Fill(13), QColor(0, 128, 0));
    EXPECT_EQ(Fill(18), QColor(0, 64, 0));
    EXPECT_EQ(Fill(49), QColor(0, 128, 0));
    EXPECT_EQ(Fill(50), QColor(255, 255, 255));
    // Outlines: white on the tenths, red around both ends of the route.
    EXPECT_EQ(Map.pixelColor(MarkRect(Overlay, 13, false).topLeft() + QPoint(2, 0)),
              QColor(255, 255, 255));
    EXPECT_EQ(Map.pixelColor(MarkRect(Overlay, 0, true).topLeft() + QPoint(3, 0)),
              QColor(255, 0, 0));
    EXPECT_EQ(Map.pixelColor(MarkRect(Overlay, 50, true).topLeft() + QPoint(3, 0)),
              QColor(255, 0, 0));
    // A hut is three units tall: its fill reaches above and below a tenth's band.
    const QRect Hut = MarkRect(Overlay, 18, true);
    EXPECT_EQ(Map.pixelColor(Hut.center().x(), Hut.top() + 3), QColor(0, 64, 0));
    EXPECT_EQ(Map.pixelColor(Hut.center().x(), Hut.bottom() - 3), QColor(0, 64, 0));

    // The blue is keyed out: the route picture shows through the overlay.
    const QImage Shown = Form->grab(QRect(0, 0, 738, 544)).toImage();
    EXPECT_NE(Shown.pixelColor(700, 500), QColor(0, 0, 255));
    EXPECT_EQ(Shown.pixelColor(MarkRect(Overlay, 5, false).center()), QColor(255, 0, 0));

    // One mark alone on a cleared map.
    Form->DrawRoute(13);
    const QRect Mark = MarkRect(Overlay, 13, false).adjusted(-1, -1, 1, 1);
    EXPECT_EQ(CountNotBlue(Map, Mark), 0);
    EXPECT_EQ(Map.pixelColor(Mark.center()), QColor(0, 128, 0));
    Form->DrawRoute(51);
    EXPECT_EQ(CountNotBlue(Map, QRect()), 0);
}

TEST_F(GameTest, PenAndEraserSwitchTheBoardsModeAndCursor) {
    WriteRoster({{"P1", 1}});
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    const auto SameCursor = [](const QCursor& A, const QCursor& B) {
        return A.shape() == B.shape() && A.hotSpot() == B.hotSpot() &&
               A.pixmap().toImage() == B.pixmap().toImage();
    };
    ASSERT_EQ(CursorShape(crPen).shape(), Qt::BitmapCursor);
    EXPECT_TRUE(SameCursor(Form->Sudoku().cursor(), CursorShape(crPen)));
    Form->acEraser->trigger();
    EXPECT_EQ(Form->Sudoku().PenMode(), 1);
    EXPECT_TRUE(Form->acEraser->isChecked());
    EXPECT_FALSE(Form->acPen->isChecked());
    EXPECT_TRUE(SameCursor(Form->Sudoku().cursor(), CursorShape(crEraser)));
    Form->acPen->trigger();
    EXPECT_EQ(Form->Sudoku().PenMode(), 0);
    EXPECT_TRUE(Form->acPen->isChecked());
    EXPECT_TRUE(SameCursor(Form->Sudoku().cursor(), CursorShape(crPen)));
}

TEST_F(GameTest, DamagedDataFileIsToldOnceWithWhereItWasKept) {
    QFile Broken(DataFilePath());
    ASSERT_TRUE(Broken.open(QIODevice::WriteOnly));
    Broken.write("this is not a data file\r\n");
    Broken.close();
    Answers.Message().Input(QStringLiteral("P1"));
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_TRUE(Answers.Messages[0].contains(DataFilePath() + QStringLiteral(".damaged")))
        << Answers.Messages[0].toStdString();
    EXPECT_TRUE(QFile::exists(DataFilePath() + QStringLiteral(".damaged")));
    EXPECT_EQ(ReadRoster()->GetCount(), 1);
}

TEST_F(GameTest, FailedSaveIsToldOncePerRunAndPlayGoesOn) {
    Answers.Input(QStringLiteral("P1"));
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    // A folder where the data file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QFile::remove(DataFilePath()));
    ASSERT_TRUE(QDir(Folder.path()).mkdir(QString::fromLatin1(DataFileName)));
    Answers.Message();
    Form->SaveUsers();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_TRUE(Answers.Messages[0].contains(DataFilePath())) << Answers.Messages[0].toStdString();
    const QStringList Parts = Answers.Messages[0].split(QStringLiteral("\n\n"));
    ASSERT_EQ(Parts.size(), 2);
    EXPECT_FALSE(Parts[1].trimmed().isEmpty());
    Form->SaveUsers();
    QCoreApplication::processEvents();
    EXPECT_EQ(Answers.Unexpected, 0);
    EXPECT_EQ(Form->Users().GetCount(), 1);
}

// A pipe at the data file's name neither hangs the start nor is written to; the player is told
// before the name prompt, and only once.
TEST_F(GameTest, UnreadableDataFileIsNamedFirstAndKept) {
    ASSERT_EQ(::mkfifo(DataFilePath().toLocal8Bit().constData(), 0644), 0);
    Answers.Message().Input(QStringLiteral("P1"));
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    Form->SaveUsers();
    QTest::qWait(50);
    EXPECT_EQ(Answers.Unexpected, 0);
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_TRUE(Answers.Messages[0].startsWith(QStringLiteral("データファイルを読み込めません")));
    EXPECT_TRUE(Answers.Messages[0].contains(DataFilePath())) << Answers.Messages[0].toStdString();
    struct stat St {};
    ASSERT_EQ(::stat(DataFilePath().toLocal8Bit().constData(), &St), 0);
    EXPECT_TRUE(S_ISFIFO(St.st_mode));
}

TEST_F(GameTest, DamagedDataFileOffersThePreviousOne) {
    WriteRoster({{"花子", 3}});
    WriteRoster({{"花子", 4}});
    QFile File(DataFilePath());
    ASSERT_TRUE(File.open(QIODevice::ReadWrite));
    QByteArray Bytes = File.readAll();
    Bytes[32] = static_cast<char>(Bytes[32] ^ 0x10);
    File.seek(0);
    File.write(Bytes);
    File.close();
    bool Dialog = false;
    Answers.Message(QMessageBox::Yes).Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Dialog = true;
        Form->Form2->reject();
        return true;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    EXPECT_TRUE(Dialog);
    ASSERT_EQ(Answers.Messages.size(), 1);
    EXPECT_TRUE(Answers.Messages[0].contains(DataFilePath() + QStringLiteral(".bak")))
        << Answers.Messages[0].toStdString();
    ASSERT_EQ(Form->Users().GetCount(), 1);
    EXPECT_EQ(Form->Users().GetUser(0).Position, 3);
    EXPECT_EQ(StoredPosition(0), 3);
    EXPECT_TRUE(QFile::exists(DataFilePath() + QStringLiteral(".damaged")));
}

// A second copy of the game moved the same player: the next save shows the merged position.
TEST_F(GameTest, SaveShowsWhatAnotherCopyChanged) {
    StartWith({{"花子", 3}});
    ASSERT_TRUE(WaitForQuestion());
    TTabijiUsers Other;
    ASSERT_TRUE(Other.LoadFromFile(DataFileName, UserSection));
    Other.GetUser(0).Climb();
    Other.GetUser(0).Climb();
    ASSERT_TRUE(Other.SaveToFile(DataFileName, UserSection));
    Form->SaveUsers();
    EXPECT_EQ(Form->Users().GetUser(0).Position, 5);
    EXPECT_TRUE(Form->lbKimetePosition->text().contains(QStringLiteral("(5)")))
        << Form->lbKimetePosition->text().toStdString();
}

} // namespace kumoji::test
