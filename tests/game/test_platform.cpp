#include "game/platform/help_opener.h"
#include "game/platform/jpeg_loader.h"
#include "game/platform/message_box.h"
#include "game/platform/sound_player.h"
#include "game/platform/tick_clock.h"
#include "resources/resource_names.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace kumoji {

TEST(Jpeg, DecodesBothPicturesAtTheirOwnSize) {
    QImage Route;
    ASSERT_TRUE(LoadJpegResource(QString::fromLatin1(RoutePicturePath), Route));
    EXPECT_EQ(Route.size(), QSize(RoutePictureWidth, RoutePictureHeight));
    EXPECT_EQ(Route.format(), QImage::Format_RGB888);
    QImage Dialog;
    ASSERT_TRUE(LoadJpegResource(QString::fromLatin1(DialogPicturePath), Dialog));
    EXPECT_EQ(Dialog.size(), QSize(DialogPictureWidth, DialogPictureHeight));
}

TEST(Jpeg, AgreesWithAnotherDecoder) {
    QFile File(QString::fromLatin1(RoutePicturePath));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    const QByteArray Bytes = File.readAll();
    const QImage Ours = DecodeJpeg(Bytes);
    const QImage Theirs = QImage::fromData(Bytes, "JPEG").convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(Ours.size(), Theirs.size());
    // Decoders may round differently by a step or two, never more.
    int Worst = 0;
    for (int Y = 0; Y < Ours.height(); Y += 7)
        for (int X = 0; X < Ours.width(); X += 7) {
            const QColor A = Ours.pixelColor(X, Y), B = Theirs.pixelColor(X, Y);
            Worst = std::max({Worst, std::abs(A.red() - B.red()), std::abs(A.green() - B.green()),
                              std::abs(A.blue() - B.blue())});
        }
    EXPECT_LE(Worst, 8);
}

TEST(Jpeg, DamagedOrMissingPicturesFailWithoutEndingTheProgram) {
    QFile File(QString::fromLatin1(DialogPicturePath));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    const QByteArray Bytes = File.readAll();
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray("not a picture at all")).isNull());
    EXPECT_TRUE(DecodeJpeg(Bytes.left(20)).isNull());
    QByteArray Broken = Bytes;
    for (qsizetype I = 200; I < Broken.size(); I += 3)
        Broken[I] = static_cast<char>(0xFF);
    DecodeJpeg(Broken); // a picture or nothing, but no exit
    QImage Kept(3, 3, QImage::Format_RGB32);
    EXPECT_FALSE(LoadJpegResource(QStringLiteral(":/pictures/none.jpg"), Kept));
    EXPECT_EQ(Kept.size(), QSize(3, 3));
}

TEST(TickClock, IsMonotonicAndReplaceable) {
    const std::uint32_t First = GetTickCount();
    QElapsedTimer Wait;
    Wait.start();
    while (Wait.elapsed() < 20) {
    }
    EXPECT_GE(GetTickCount() - First, 20u);
    SetTickSource([] { return 42u; });
    EXPECT_EQ(GetTickCount(), 42u);
    SetTickSource(nullptr);
    EXPECT_GE(GetTickCount(), First);
}

TEST(Sound, PlayingReturnsAtOnceWithOrWithoutADevice) {
    TSoundPlayer Player;
    QElapsedTimer Timer;
    Timer.start();
    for (const char* Path :
         {LandmarkSound1Path, LandmarkSound2Path, StepSoundPath, LostSoundPath, QuestionSoundPath})
        Player.Play(QString::fromLatin1(Path));
    Player.Play(QStringLiteral(":/sounds/none.wav"));
    EXPECT_LT(Timer.elapsed(), 500);
}

namespace {

// Answers the next message box from the event loop and keeps its text.
QString AnswerNextMessage(const std::function<void()>& Call) {
    QString Text;
    QTimer Poll;
    Poll.setInterval(10);
    QObject::connect(&Poll, &QTimer::timeout, [&] {
        if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            Text = Box->text();
            Box->accept();
        }
    });
    Poll.start();
    Call();
    return Text;
}

} // namespace

TEST(Help, OpensTheFileUrlWithTheAnchorAsFragment) {
    QTemporaryDir Folder;
    const QString Page = Folder.filePath(QStringLiteral("Tozan01.html"));
    QFile File(Page);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write("<html></html>");
    File.close();
    std::vector<QUrl> Opened;
    SetUrlOpener([&](const QUrl& Url) {
        Opened.push_back(Url);
        return true;
    });
    EXPECT_TRUE(OpenHelpFile(nullptr, Page, QStringLiteral("smLeftPlace")));
    EXPECT_TRUE(OpenHelpFile(nullptr, Page, QString()));
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_EQ(Opened[0].toString(), QUrl::fromLocalFile(Page).toString() + "#smLeftPlace");
    EXPECT_EQ(Opened[1].toString(), QUrl::fromLocalFile(Page).toString() + "#");

    // No program for the page.
    SetUrlOpener([](const QUrl&) { return false; });
    const QString NoHandler = AnswerNextMessage([&] { OpenHelpFile(nullptr, Page, {}); });
    EXPECT_EQ(NoHandler,
              QStringLiteral("Tozan01.html\n\nこのファイルを開けるアプリケーションがありません"));

    // No page: the full path is told, the opener is not asked.
    int Asked = 0;
    SetUrlOpener([&](const QUrl&) { return ++Asked, true; });
    const QString Missing = Folder.filePath(QStringLiteral("gone/Tozan01.html"));
    const QString Text = AnswerNextMessage([&] { OpenHelpFile(nullptr, Missing, {}); });
    EXPECT_EQ(Text, QStringLiteral("ファイルがありません\n\n") + Missing);
    EXPECT_EQ(Asked, 0);
    SetUrlOpener(nullptr);
}

TEST(Help, PageBesideTheProgramComesBeforeTheInstalledOne) {
    QTemporaryDir Root;
    const QString Bin = Root.filePath(QStringLiteral("bin"));
    const QString Shared = Root.filePath(QStringLiteral("share/kumoji"));
    ASSERT_TRUE(QDir().mkpath(Bin) && QDir().mkpath(Shared));
    const QString Name = QStringLiteral("Tozan01.html");
    const auto Touch = [](const QString& Path) {
        QFile File(Path);
        return File.open(QIODevice::WriteOnly) && File.write("<html></html>") > 0;
    };
    // Neither: the place beside the program, so the message names it.
    EXPECT_EQ(FindHelpPage(Bin, Name), Bin + QStringLiteral("/Tozan01.html"));
    ASSERT_TRUE(Touch(Shared + QStringLiteral("/Tozan01.html")));
    EXPECT_EQ(FindHelpPage(Bin, Name), Shared + QStringLiteral("/Tozan01.html"));
    ASSERT_TRUE(Touch(Bin + QStringLiteral("/Tozan01.html")));
    EXPECT_EQ(FindHelpPage(Bin, Name), Bin + QStringLiteral("/Tozan01.html"));
}

TEST(MessageBox, TwoPartsHaveABlankLineBetween) {
    EXPECT_EQ(TwoParts("a", "b"), QStringLiteral("a\n\nb"));
}

} // namespace kumoji
