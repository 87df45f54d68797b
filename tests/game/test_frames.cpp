// Outer sizes and places of the windows on a real X display, measured on the frame the
// window manager draws (or on the window itself where there is none).
#include "board/sudoku.h"
#include "game_fixture.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <ostream>
#include <xcb/xcb.h>

// Failures show rectangles as x,y widthxheight.
inline void PrintTo(const QRect& Rect, std::ostream* Out) {
    *Out << Rect.x() << ',' << Rect.y() << ' ' << Rect.width() << 'x' << Rect.height();
}

namespace kumoji::test {

namespace {

// The window's outermost ancestor below the root, as the X server has it: the frame when
// a window manager has reparented the window, else the window itself.
QRect OuterOnScreen(QWidget* Window) {
    auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!X11 || !Window->windowHandle())
        return {};
    xcb_connection_t* Connection = X11->connection();
    xcb_window_t Outer = static_cast<xcb_window_t>(Window->winId());
    for (;;) {
        xcb_query_tree_reply_t* Tree =
            xcb_query_tree_reply(Connection, xcb_query_tree(Connection, Outer), nullptr);
        if (!Tree)
            return {};
        const bool Top = Tree->parent == Tree->root;
        const xcb_window_t Parent = Tree->parent;
        std::free(Tree);
        if (Top)
            break;
        Outer = Parent;
    }
    xcb_get_geometry_reply_t* Geometry =
        xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, Outer), nullptr);
    if (!Geometry)
        return {};
    const int Border = Geometry->border_width;
    const QRect Rect(Geometry->x, Geometry->y, Geometry->width + 2 * Border,
                     Geometry->height + 2 * Border);
    std::free(Geometry);
    return Rect;
}

// Whether the window manager has put the window in a frame of its own yet. Before it
// has, the bare window already matches a design, so a wait that did not ask this
// could end before the frame arrives and the window is fitted to it.
bool Settled(QWidget* Window) {
    if (qgetenv("KUMOJI_TEST_WM") != "openbox")
        return true; // no window manager: nothing more will come
    auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!X11 || !Window->windowHandle())
        return false;
    xcb_connection_t* Connection = X11->connection();
    const xcb_window_t Own = static_cast<xcb_window_t>(Window->winId());
    xcb_query_tree_reply_t* Tree =
        xcb_query_tree_reply(Connection, xcb_query_tree(Connection, Own), nullptr);
    if (!Tree)
        return false;
    const bool Framed = Tree->parent != Tree->root;
    std::free(Tree);
    return Framed;
}

// The window's outer rectangle once it is framed and Wanted holds of it, or as it is
// when ten seconds have gone by without that.
template <typename TWanted> QRect SettledOuter(QWidget* Window, TWanted Wanted) {
    (void)QTest::qWaitFor([&] { return Settled(Window) && Wanted(OuterOnScreen(Window)); }, 10000);
    return OuterOnScreen(Window);
}

} // namespace

TEST_F(GameTest, OuterFramesAreTheDesignsWithOrWithoutAWindowManager) {
    ASSERT_NE(qGuiApp->nativeInterface<QNativeInterface::QX11Application>(), nullptr)
        << "needs an X display (QT_QPA_PLATFORM=xcb)";
    Answers.Input(QStringLiteral("frames"));
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    // The frame arrives some time after the window is shown.
    const QRect Designed(0, 0, 1024, 768);
    EXPECT_EQ(SettledOuter(Form.get(), [&](const QRect& Outer) { return Outer == Designed; }),
              Designed);
    // The layout followed the client area the frame left.
    const QRect Client = Form->rect();
    EXPECT_EQ(Form->pnSudoku->geometry(),
              QRect(Client.width() - 580, Client.height() - 512, 580, 512));
    EXPECT_EQ(Client.width() - Form->SpeedButton1->geometry().right() - 1, 23);

    // The first dialog of a run, opened after a question: lower left, 30 above the bottom.
    const int ScreenHeight = Form->screen()->geometry().height();
    const auto Placed = [&](const QRect& Outer) {
        return Outer.x() == 80 && Outer.bottom() + 1 == ScreenHeight - 30 &&
               Outer.height() == Outer.width() * 252 / 375;
    };
    QRect Dialog;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        // Judged below, once the dialog is closed.
        Dialog = SettledOuter(Form->Form2, Placed);
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }, 10000));
    EXPECT_TRUE(Placed(Dialog)) << Dialog.x() << "," << Dialog.y() << " " << Dialog.width() << "x"
                                << Dialog.height() << " on a screen " << ScreenHeight << " high";
    EXPECT_EQ(Dialog.width() - Form->Form2->width(),
              Form->Form2->frameGeometry().width() - Form->Form2->width());
    // The picture fills the client area the frame left.
    EXPECT_EQ(Form->Form2->imSelectUser->geometry(), Form->Form2->rect());

    // Later openings keep the place and the size.
    QRect Again;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        Again = SettledOuter(Form->Form2, [&](const QRect& Outer) { return Outer == Dialog; });
        Form->Form2->reject();
        return true;
    });
    Form->acStart->trigger();
    ASSERT_TRUE(WaitForQuestion());
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }, 10000));
    EXPECT_EQ(Again, Dialog);
}

TEST_F(GameTest, DialogIsCentredAtStartUpThenPlacedLowerLeftAfterAQuestion) {
    ASSERT_NE(qGuiApp->nativeInterface<QNativeInterface::QX11Application>(), nullptr);
    WriteRoster({{"P1", 0}});
    const QRect Screen = QGuiApplication::primaryScreen()->geometry();
    const auto Centred = [&](const QRect& Outer) {
        return (Outer.center() - Screen.center()).manhattanLength() <= 1 &&
               Outer.height() == Outer.width() * 252 / 375;
    };
    const auto LowerLeft = [&](const QRect& Outer) {
        return Outer.x() == 80 && Outer.bottom() + 1 == Screen.height() - 30 &&
               Outer.height() == Outer.width() * 252 / 375;
    };
    QRect AtStart;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        AtStart = SettledOuter(Form->Form2, Centred);
        Form->Form2->UserMenuClick(0);
        Form->Form2->sbOkClick();
        return true;
    });
    StartGame();
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_TRUE(Centred(AtStart)) << ::testing::PrintToString(AtStart);

    // This time the dialog has been shown before the placement is asked for.
    QRect AfterQuestion;
    Answers.Then([&](QWidget* W) {
        if (W != Form->Form2)
            return false;
        AfterQuestion = SettledOuter(Form->Form2, LowerLeft);
        Form->Form2->reject();
        return true;
    });
    DropDigit(Form->Round().TargetNumber(), Form->Round().TargetCell().X,
              Form->Round().TargetCell().Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers.Done(); }, 10000));
    EXPECT_TRUE(LowerLeft(AfterQuestion)) << ::testing::PrintToString(AfterQuestion);
}

} // namespace kumoji::test
