// Plays a short game under a real display and saves screenshots of the
// moments worth looking at: xvfb-run -a -s '-screen 0 1280x1024x24'
// kumoji_game_shots OUTPUT_FOLDER (run it in an empty working folder).
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "engine/question/generator.h"
#include "game/main_window.h"
#include "game/player_dialog.h"
#include "modal_answerer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <random>

using namespace kumoji;
using kumoji::test::TModalAnswerer;

namespace {

QString Out;

void Shot(const QString& Name) {
    QTest::qWait(400);
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(Out).filePath(Name));
}

void Drop(TForm1& Form, int Digit, int Col, int Row) {
    TSudoku& Board = Form.Sudoku();
    const TNumberPiece* Piece = Board.FindFreePiece(Digit);
    const QPoint From = Piece->mapTo(&Form, Piece->rect().center());
    const QPoint To = Board.mapTo(&Form, QPoint(Board.GridLeft + Col * Board.CellWidth + 20,
                                                Board.GridTop + Row * Board.CellHeight + 20));
    QWindow* Window = Form.windowHandle();
    QTest::mousePress(Window, Qt::LeftButton, {}, From);
    for (int Step = 1; Step <= 8; ++Step) {
        QTest::mouseMove(Window, From + (To - From) * Step / 8);
        QTest::qWait(20);
    }
    QTest::mouseRelease(Window, Qt::LeftButton, {}, To);
}

bool WrongDrop(TForm1& Form, int& Digit, int& Col, int& Row) {
    for (int R = 0; R < 9; ++R)
        for (int C = 0; C < 9; ++C)
            if (Form.Sudoku().Matrix().GetValue(C, R) == 0 &&
                !(C == Form.Round().TargetCell().X && R == Form.Round().TargetCell().Y))
                for (int D = 1; D <= 9; ++D)
                    if (Form.Sudoku().CanPlace(C, R, D)) {
                        Digit = D, Col = C, Row = R;
                        return true;
                    }
    return false;
}

// Route 2's questions, all of one technique, so the shot shows a naked subset.
class TOneTechnique : public TQuestionSource {
public:
    explicit TOneTechnique(TSolveMethod Technique) : FTechnique(Technique) {}
    std::optional<TQuestion> Take(int) override {
        const TRandomDraw Draw = [this](int N) {
            return static_cast<int>(FEngine() % static_cast<unsigned>(N));
        };
        return TQuestion{GenerateQuestion(FTechnique, Draw).Text, FTechnique};
    }

private:
    TSolveMethod FTechnique;
    std::mt19937 FEngine{5};
};

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    Out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    // The window starts at the screen's own size, whatever a player's settings keep.
    QTemporaryDir Settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Settings.path());
    TModalAnswerer Answers;
    TForm1 Form;
    Answers.Then([](QWidget* W) {
        auto* Prompt = qobject_cast<QInputDialog*>(W);
        if (!Prompt)
            return false;
        Prompt->setTextValue(QStringLiteral("山田"));
        Shot("first-run.png");
        Prompt->accept();
        return true;
    });
    Form.show();
    Form.activateWindow();
    (void)QTest::qWaitFor([&] { return Form.QuestionRunning(); }, 10000);
    QTest::qWait(1500);
    Shot("question.png");

    // A right answer, then the player dialog with its menu open.
    Answers.Then([&](QWidget* W) {
        if (W != Form.Form2)
            return false;
        Shot("right-answer.png");
        TForm2& Dialog = *Form.Form2;
        Dialog.pmCangeUser->popup(
            Dialog.sbCangeUser->mapToGlobal(QPoint(0, Dialog.sbCangeUser->height())));
        Shot("player-menu.png");
        Dialog.pmCangeUser->hide();
        // Asked for after a right answer, the explanation shows behind the dialog.
        Dialog.sbWhy->click();
        Shot("right-why.png");
        Dialog.sbOk->click();
        return true;
    });
    Drop(Form, Form.Round().TargetNumber(), Form.Round().TargetCell().X,
         Form.Round().TargetCell().Y);
    (void)QTest::qWaitFor([&] { return Answers.Done() && Form.QuestionRunning(); }, 10000);
    QTest::qWait(1000);

    // A wrong answer: the message, then the board's answer circled.
    int Digit = 0, Col = 0, Row = 0;
    WrongDrop(Form, Digit, Col, Row);
    Answers.Then([](QWidget* W) {
        auto* Box = qobject_cast<QMessageBox*>(W);
        if (!Box)
            return false;
        Shot("wrong-message.png");
        Box->button(QMessageBox::Ok)->click();
        return true;
    });
    Answers.Then([&](QWidget* W) {
        if (W != Form.Form2)
            return false;
        Shot("wrong-answer-dialog.png");
        Form.Form2->hide();
        Shot("wrong-answer.png");
        Form.Form2->show();
        Form.Form2->sbOk->click();
        return true;
    });
    Drop(Form, Digit, Col, Row);
    (void)QTest::qWaitFor([&] { return Answers.Done() && Form.QuestionRunning(); }, 10000);

    // One step below the summit.
    // Saved at once: a save replays the climbs since the last one onto the stored position.
    Form.CurrentUser()->Position = 49;
    Form.SaveUsers();
    Form.ShowPosition(49);
    Form.DrawRoute(-1);
    QTest::qWait(300);
    Answers.Then([&](QWidget* W) {
        if (W != Form.Form2)
            return false;
        Form.Form2->sbOk->click();
        return true;
    });
    Answers.Then([](QWidget* W) {
        auto* Box = qobject_cast<QMessageBox*>(W);
        if (!Box)
            return false;
        Shot("summit.png");
        Box->button(QMessageBox::Ok)->click();
        return true;
    });
    // The summit offers the next route; Yes starts its first question at once.
    Answers.Then([](QWidget* W) {
        auto* Box = qobject_cast<QMessageBox*>(W);
        if (!Box)
            return false;
        Shot("next-route.png");
        Box->button(QMessageBox::Yes)->click();
        return true;
    });
    Drop(Form, Form.Round().TargetNumber(), Form.Round().TargetCell().X,
         Form.Round().TargetCell().Y);
    (void)QTest::qWaitFor([&] { return Answers.Done() && Form.QuestionRunning(); }, 10000);
    QTest::qWait(500);

    // Solved, and on to the third route from the dialog: a question of its techniques.
    Answers.Then([&](QWidget* W) {
        if (W != Form.Form2)
            return false;
        Form.CurrentUser()->StartRoute(2);
        Form.SaveUsers();
        Form.SetQuestionSource(2, std::make_unique<TOneTechnique>(smYourReserved));
        Form.Form2->sbOk->click();
        return true;
    });
    Drop(Form, Form.Round().TargetNumber(), Form.Round().TargetCell().X,
         Form.Round().TargetCell().Y);
    (void)QTest::qWaitFor([&] { return Answers.Done() && Form.QuestionRunning(); }, 10000);
    QTest::qWait(1500);
    Shot("route2-question.png");

    // A naked subset lost: the explanation stays in sight beside the dialog.
    WrongDrop(Form, Digit, Col, Row);
    Answers.Then([](QWidget* W) {
        auto* Box = qobject_cast<QMessageBox*>(W);
        if (!Box)
            return false;
        Box->button(QMessageBox::Ok)->click();
        return true;
    });
    Answers.Then([&](QWidget* W) {
        if (W != Form.Form2)
            return false;
        Shot("route2-lost.png");
        Form.Form2->reject();
        return true;
    });
    Drop(Form, Digit, Col, Row);
    (void)QTest::qWaitFor([&] { return Answers.Done(); }, 10000);

    // Practice of locked candidates from the tool bar: the menu, a question, each hint.
    Form.SetPracticeSource(std::make_unique<TOneTechnique>(smMyReserved));
    Form.acPractice->trigger();
    Shot("practice-menu.png");
    Form.pmPractice->hide();
    Form.PracticeChosen(4);
    (void)QTest::qWaitFor([&] { return Form.QuestionRunning(); }, 10000);
    QTest::qWait(1000);
    Shot("practice-question.png");
    for (const char* Name : {"practice-hint1.png", "practice-hint2.png", "practice-hint3.png"}) {
        Form.acHint->trigger();
        Shot(QString::fromLatin1(Name));
    }
    // Answered: explained, and the dialog offers the way back.
    Answers.Then([&](QWidget* W) {
        if (W != Form.Form2)
            return false;
        Shot("practice-answered.png");
        Form.StopPractice();
        Shot("practice-back.png");
        Form.Form2->reject();
        return true;
    });
    Drop(Form, Form.Round().TargetNumber(), Form.Round().TargetCell().X,
         Form.Round().TargetCell().Y);
    (void)QTest::qWaitFor([&] { return Answers.Done(); }, 10000);

    // A lost question of each route beyond subsets, explained beside the dialog.
    for (int Route = 4; Route <= 6; ++Route) {
        Form.CurrentUser()->StartRoute(Route);
        Form.SaveUsers();
        Form.SelectUser(Form.UserIndex());
        Form.acStart->trigger();
        (void)QTest::qWaitFor([&] { return Form.QuestionRunning(); }, 10000);
        QTest::qWait(1000);
        if (!Form.QuestionRunning() || !WrongDrop(Form, Digit, Col, Row))
            continue;
        Answers.Then([](QWidget* W) {
            auto* Box = qobject_cast<QMessageBox*>(W);
            if (!Box)
                return false;
            Box->button(QMessageBox::Ok)->click();
            return true;
        });
        Answers.Then([&Form, Route](QWidget* W) {
            if (W != Form.Form2)
                return false;
            Shot(QStringLiteral("route%1-lost.png").arg(Route));
            Form.Form2->reject();
            return true;
        });
        Drop(Form, Digit, Col, Row);
        (void)QTest::qWaitFor([&] { return Answers.Done(); }, 10000);
    }
    return 0;
}
