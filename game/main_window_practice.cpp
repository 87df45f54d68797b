// Practice on the main window: choosing a technique, its hints, and the way back to the climb.
#include "board/explain_panel.h"
#include "board/sudoku.h"
#include "engine/grid/puzzle_text.h"
#include "engine/techniques/solve_method.h"
#include "game/main_window.h"
#include "game/player_dialog.h"
#include "game/round/generated_queue.h"
#include "game/window_style.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace kumoji {

namespace {

QString PracticeTitle(int Technique) {
    return QStringLiteral("練習 ") + CaptionParts(Technique).Japanese;
}

std::string HintLine(int Level, const QString& Japanese, const QString& English) {
    return (QStringLiteral("ヒント%1：").arg(Level) + Japanese +
            QStringLiteral("  Hint %1: ").arg(Level) + English)
        .toStdString();
}

} // namespace

void TForm1::BuildPracticeActions() {
    acPractice = new QAction(QStringLiteral("練習 practice"), this);
    acPractice->setObjectName(QStringLiteral("acPractice"));
    acPractice->setIcon(ActionImage(13));
    acPractice->setCheckable(true);
    acPractice->setToolTip(acPractice->text());
    connect(acPractice, &QAction::triggered, this, &TForm1::acPracticeExecute);

    pmPractice = new QMenu(this);
    pmPractice->setObjectName(QStringLiteral("pmPractice"));
    for (const int Technique : PracticeTechniques()) {
        const TCaptionParts Caption = CaptionParts(Technique);
        QAction* Item = pmPractice->addAction(Caption.LevelAndJapanese() + QStringLiteral("  ") +
                                              Caption.English);
        Item->setData(Technique);
        connect(Item, &QAction::triggered, this, [this, Technique] { PracticeChosen(Technique); });
    }
    pmPractice->addSeparator();
    miClimb = pmPractice->addAction(QStringLiteral("登山に戻る back to the climb"));
    connect(miClimb, &QAction::triggered, this, &TForm1::StopPractice);

    acHint = new QAction(QStringLiteral("ヒント hint"), this);
    acHint->setObjectName(QStringLiteral("acHint"));
    acHint->setIcon(ActionImage(14));
    acHint->setShortcut(Qt::Key_H);
    acHint->setToolTip(WithShortcut(QStringLiteral("ヒント hint (練習 practice)"), *acHint));
    acHint->setEnabled(false);
    connect(acHint, &QAction::triggered, this, &TForm1::acHintExecute);

    // Each in room taken from a gap, so that the others keep their places.
    const auto InsertBefore = [this](QAction* Before, QAction* Action) {
        const QList<QAction*> Actions = ToolBar1->actions();
        const qsizetype At = Actions.indexOf(Before);
        ToolBar1->insertAction(Before, Action);
        auto* Button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(Action));
        QWidget* Gap = At > 0 ? ToolBar1->widgetForAction(Actions[At - 1]) : nullptr;
        if (Gap && Button)
            Gap->setFixedWidth(std::max(8, Gap->width() - Button->sizeHint().width() -
                                               ToolBar1->layout()->spacing()));
    };
    InsertBefore(acRecord, acPractice);
    InsertBefore(acPenColor, acHint);
}

void TForm1::SetPracticeSource(std::unique_ptr<TQuestionSource> Source) {
    FRound.SetPracticeSource(std::move(Source));
}

void TForm1::acPracticeExecute() {
    // A checkable action flips itself; its check mark is the round's.
    acPractice->setChecked(FRound.Practicing());
    if (!acPractice->isEnabled())
        return;
    QWidget* Button = ToolBar1->widgetForAction(acPractice);
    const QPoint At = Button && Button->isVisible()
                          ? Button->mapToGlobal(QPoint(0, Button->height()))
                          : QCursor::pos();
    ShowPracticeMenu(At);
}

void TForm1::ShowPracticeMenu(const QPoint& At) {
    for (QAction* Item : pmPractice->actions()) {
        Item->setCheckable(Item->data().isValid());
        Item->setChecked(Item->data().toInt() == FRound.PracticeTechnique() && FRound.Practicing());
    }
    miClimb->setEnabled(FRound.Practicing());
    pmPractice->popup(At);
}

void TForm1::PracticeChosen(int Technique) {
    // The dialog answers first; its closing asks the question.
    if (Form2 && Form2->isVisible()) {
        Form2->FPractice = Technique;
        Form2->accept();
        return;
    }
    if (StartPractice(Technique))
        acStartExecute();
}

bool TForm1::StartPractice(int Technique) {
    const bool Entering = !FRound.Practicing();
    // Whatever the board showed of the climb comes back with it.
    if (Entering) {
        FClimbBoard = FSudoku->Matrix();
        FClimbClock = pnTimer->text();
    }
    if (!FRound.StartPractice(Technique))
        return false;
    ClearExplanation();
    ShowPractice();
    ShowPosition(FPosition);
    return true;
}

void TForm1::StopPractice() {
    if (!FRound.StopPractice())
        return;
    ClearExplanation();
    FSudoku->ClearHints();
    ReturnMaru();
    DetachBoard();
    FSudoku->LoadPuzzleAsGiven(PuzzleTextOf(FClimbBoard));
    AttachBoard();
    FSudoku->Fix();
    pnTimer->setText(FClimbClock);
    ShowPlayerLabels();
    DrawRoute(-1);
    ShowPractice();
    ShowActions();
}

void TForm1::ShowPractice() {
    const TActionStates A = FRound.Actions();
    acPractice->setChecked(A.Practicing);
    acPractice->setEnabled(CurrentUser() && !QuestionRunning());
    acHint->setEnabled(A.HintEnabled);
    const TTabijiUser* User = CurrentUser();
    if (!User || !A.Practicing)
        return;
    const QString Title = PracticeTitle(FRound.PracticeTechnique());
    SetRouteText(lbKimeteMode1, Title);
    SetRouteText(lbKimeteMode2, Title);
}

void TForm1::acHintExecute() {
    if (!acHint->isEnabled())
        return;
    const int Level = FRound.Hint();
    const std::optional<TExplanation> Explanation = FRound.AskedExplanation();
    if (Level == 0 || !Explanation) {
        ShowPractice();
        return;
    }
    const TCaptionParts Caption = CaptionParts(FRound.PracticeTechnique());
    std::vector<std::string> Lines{HintLine(1,
                                            QStringLiteral("使う技は「%1」").arg(Caption.Japanese),
                                            QStringLiteral("it takes ") + Caption.English)};
    if (Level == 2) {
        Lines.push_back(HintLine(2, QStringLiteral("色の付いたマスを見てください"),
                                 QStringLiteral("look at the tinted cells")));
        FSudoku->ShowWhereToLook(*Explanation);
    }
    if (Level >= 3) {
        Lines = Explanation->Text;
        FSudoku->ShowExplanation(*Explanation, FRound.Asked());
    }
    pnExplanation->SetLines(std::move(Lines));
    ShowPractice();
}

} // namespace kumoji
