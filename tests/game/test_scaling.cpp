// The main window and the player dialog at other scales: resized, maximised, full screen, kept.
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "game/window_fit.h"
#include "game/window_style.h"
#include "game_fixture.h"
#include "resources/resource_names.h"

#include <QAction>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <cmath>

namespace kumoji::test {
namespace {

class ScalingTest : public GameTest {
protected:
    // The frame the window has on this display (none offscreen, or the platform's own).
    QMargins FrameOf(const QWidget& Window) const {
        const QRect Outer = Window.frameGeometry();
        const QRect Inner = Window.geometry();
        return {Inner.left() - Outer.left(), Inner.top() - Outer.top(),
                Outer.right() - Inner.right(), Outer.bottom() - Inner.bottom()};
    }
    // The client size of the design at Scale in the window's frame.
    QSize ClientAt(double Scale) const {
        return ToSize(DesignClient(Scale, Margins(FrameOf(*Form))));
    }
    static int Px(double Design, double Scale) {
        return static_cast<int>(std::lround(Design * Scale));
    }
    // The parts the design anchors to the top-left and to the bottom-right of Area.
    void ExpectLaidOutAt(double Scale, const QRect& Area) const {
        const int Right = Area.right() + 1;
        const int Bottom = Area.bottom() + 1;
        EXPECT_DOUBLE_EQ(Form->Scale(), Scale);
        EXPECT_EQ(Form->imFuji->geometry(),
                  QRect(Area.left(), Area.top(), Px(738, Scale), Px(544, Scale)));
        EXPECT_EQ(Form->RouteImage().geometry(), Form->imFuji->geometry());
        EXPECT_EQ(Form->RouteImage().Bitmap().size(), Form->imFuji->size());
        EXPECT_EQ(Form->pnSudoku->geometry(), QRect(Right - Px(580, Scale), Bottom - Px(512, Scale),
                                                    Px(580, Scale), Px(512, Scale)));
        EXPECT_EQ(Form->pnTimer->geometry().right() + 1, Right);
        EXPECT_EQ(Form->pnTimer->geometry().bottom() + 1, Form->pnSudoku->y());
        EXPECT_EQ(Right - Form->SpeedButton1->geometry().right() - 1, Px(23, Scale));
        EXPECT_EQ(Form->lbKimeteMode1->pos(),
                  Area.topLeft() + QPoint(Px(16, Scale), Px(544 + 24, Scale)));
        EXPECT_EQ(Form->lbKimetePosition->font().pixelSize(), Px(19, Scale));
        EXPECT_EQ(Form->pnTimer->font().pixelSize(), Px(32, Scale));
        EXPECT_EQ(Form->ToolBar1->iconSize(), QSize(Px(16, Scale), Px(16, Scale)));
        EXPECT_NEAR(Form->Sudoku().Geometry().Scale, Scale, 0.01);
    }
};

TEST_F(ScalingTest, TheWholeWindowScalesAsOnePictureAndPlayFollows) {
    StartWith({{"P1", 3}});
    ASSERT_TRUE(WaitForQuestion());
    const QImage DesignBoard = Form->Sudoku().grab().toImage();

    Form->resize(ClientAt(1.25));
    ExpectLaidOutAt(1.25, Form->rect());
    EXPECT_EQ(Form->NormalScale(), 1.25) << "the window had the design's shape";
    EXPECT_FALSE(Form->tmShape->isActive());

    // Back at the design's size the board is as it was there.
    Form->resize(ClientAt(1.0));
    ExpectLaidOutAt(1.0, Form->rect());
    EXPECT_EQ(Form->Sudoku().grab().toImage(), DesignBoard);

    // The question is won by a drop at the larger scale, and the dialog follows the scale.
    Form->resize(ClientAt(1.25));
    QSize Dialog;
    QRect Picture;
    QRect Outer;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Dialog = Form->Form2->size();
        Picture = Form->Form2->imSelectUser->geometry();
        Outer = Form->Form2->frameGeometry();
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    EXPECT_EQ(StoredPosition(0), 4);
    EXPECT_EQ(Dialog.width(), 553);
    EXPECT_EQ(Picture, QRect(QPoint(), Dialog));
    // Its place after the first question: the design's 80 from the left and 30 above the
    // bottom of the screen's free area, at the scale.
    const QRect Screen = AvailableArea(*Form->Form2);
    EXPECT_EQ(Outer.left(), Screen.left() + 100);
    EXPECT_EQ(Outer.bottom() + 1, Screen.bottom() + 1 - 38);
    EXPECT_EQ(Outer.height(), Outer.width() * 252 / 375);
    // The red circle lies on the answer's piece at its new size.
    const TNumberPiece* Answer =
        Form->Sudoku().PieceAt(Form->Round().TargetCell().X, Form->Round().TargetCell().Y);
    ASSERT_NE(Answer, nullptr);
    EXPECT_EQ(Form->imMaru->parentWidget(), Answer);
    EXPECT_EQ(Form->imMaru->size(), Answer->size());
    Form->resize(ClientAt(1.0));
    EXPECT_EQ(Form->imMaru->size(), Answer->size());
}

TEST_F(ScalingTest, APlayersResizeKeepsTheShapeAndTheSizeIsKeptForTheNextStart) {
    StartWith({{"P1", 3}});
    ASSERT_TRUE(WaitForQuestion());
    // Dragged to a shape other than 4:3: at once the picture is fitted and centred on the
    // black, and once the resize rests the window takes the shape of the side moved further.
    Form->resize(1100, 600);
    const double Fitted = WindowScale({1100, 600}, Margins(FrameOf(*Form)));
    const QSize Area = ToSize(DesignClient(Fitted, Margins(FrameOf(*Form))));
    ExpectLaidOutAt(Fitted, QRect(QPoint((1100 - Area.width()) / 2, 0), Area));
    EXPECT_TRUE(Form->tmShape->isActive());
    const double Asked = ResizedScale(1.0, {1100, 600}, Margins(FrameOf(*Form)), Room(*Form));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->size() == ClientAt(Asked); }));
    EXPECT_DOUBLE_EQ(Form->NormalScale(), Asked);
    ExpectLaidOutAt(Asked, Form->rect());
    EXPECT_DOUBLE_EQ(QSettings(QStringLiteral("kumoji"), QStringLiteral("kumoji"))
                         .value(QStringLiteral("window/scale"))
                         .toDouble(),
                     Asked);

    // The next start takes that size.
    Form->tmKimete->stop();
    Form.reset();
    Answers.Then([this](QWidget* W) {
        Form->Form2->reject();
        return W == Form->Form2;
    });
    StartGame();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
    EXPECT_DOUBLE_EQ(Form->NormalScale(), Asked);
    EXPECT_EQ(Form->size(), ClientAt(Asked));
}

TEST_F(ScalingTest, AKeptSizeTheScreenCannotHoldOrThatMakesNoSenseIsNotTaken) {
    QSettings Kept(QStringLiteral("kumoji"), QStringLiteral("kumoji"));
    Kept.setValue(QStringLiteral("window/scale"), 3.0);
    Kept.sync();
    StartWith({{"P1", 3}});
    ASSERT_TRUE(WaitForQuestion());
    // The test screen is 1280 by 1024.
    EXPECT_DOUBLE_EQ(Form->NormalScale(), 1.25);
    Form->tmKimete->stop();
    Form.reset();

    for (const QString& Damaged : {QStringLiteral("lots"), QStringLiteral("nan"),
                                   QStringLiteral("-1"), QStringLiteral("1e300")}) {
        Kept.setValue(QStringLiteral("window/scale"), Damaged);
        Kept.sync();
        Answers.Then([this](QWidget* W) {
            Form->Form2->reject();
            return W == Form->Form2;
        });
        StartGame();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }));
        EXPECT_EQ(Form->NormalScale(), 1.0) << Damaged.toStdString();
        EXPECT_EQ(Form->rect().size(), ClientAt(1.0));
        Form.reset();
    }
}

TEST_F(ScalingTest, MaximisedAndFullScreenTheDesignsShapeIsCentredOnBlack) {
    StartWith({{"P1", 3}});
    ASSERT_TRUE(WaitForQuestion());
    Form->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->isMaximized(); }));
    const auto Centred = [this] {
        const double Scale = WindowScale({Form->width(), Form->height()}, Margins(FrameOf(*Form)));
        const QSize Area =
            ToSize(DesignClient(Scale, Margins(FrameOf(*Form)))).boundedTo(Form->size());
        ExpectLaidOutAt(Scale, QRect(QPoint((Form->width() - Area.width()) / 2,
                                            (Form->height() - Area.height()) / 2),
                                     Area));
    };
    Centred();
    EXPECT_FALSE(Form->tmShape->isActive());
    EXPECT_TRUE(QSettings(QStringLiteral("kumoji"), QStringLiteral("kumoji"))
                    .value(QStringLiteral("window/maximized"))
                    .toBool());

    Form->acFullScreen->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->isFullScreen(); }));
    Centred();
    Form->acFullScreen->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->isFullScreen(); }));
    EXPECT_TRUE(Form->isMaximized());

    Form->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->isMaximized(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->size() == ClientAt(1.0); }));
    ExpectLaidOutAt(1.0, Form->rect());
}

TEST(ScalableIconTest, EachSizeIsShownFromTheDrawingMadeForIt) {
    const char* Path = ActionImagePaths[7];
    const QIcon Icon = ScalableIcon(Path);
    const auto Same = [](const QPixmap& Shown, const QString& Drawn) {
        return Shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
               QImage(Drawn).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    EXPECT_TRUE(Same(Icon.pixmap(16, 16), QString::fromLatin1(Path)));
    EXPECT_TRUE(Same(Icon.pixmap(32, 32), ScalableName(Path, "@2x")));
    EXPECT_TRUE(Same(Icon.pixmap(64, 64), ScalableName(Path, "@4x")));
    // Between two drawings, the larger one scaled down; greyed when disabled.
    EXPECT_EQ(Icon.pixmap(20, 20).size(), QSize(20, 20));
    EXPECT_FALSE(Icon.pixmap(QSize(32, 32), QIcon::Disabled).isNull());
    EXPECT_FALSE(Same(Icon.pixmap(QSize(32, 32), QIcon::Disabled), ScalableName(Path, "@2x")));
}

} // namespace
} // namespace kumoji::test
