#include "game_fixture.h"

#include "board/number_piece.h"
#include "board/sudoku.h"
#include "game/platform/help_opener.h"
#include "game/platform/tick_clock.h"
#include "seeded_random.h"
#include "storage/sjis.h"

#include <QDir>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <deque>

namespace kumoji::test {

void GameTest::SetUp() {
    ASSERT_TRUE(Folder.isValid());
    OldFolder = QDir::currentPath();
    QDir::setCurrent(Folder.path());
    // The window's kept size goes with the test's folder: every test starts afresh.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder.path());
    SetTickSource([this] { return Tick; });
    // Each test draws the same numbers, whichever tests ran before it.
    UseSeededRandom();
    SetUrlOpener([this](const QUrl& Url) {
        Opened.push_back(Url);
        return true;
    });
}

void GameTest::TearDown() {
    if (Form) {
        // Nothing may be asked any more: a running question is simply dropped.
        Form->tmKimete->stop();
        Form->tmEvent->stop();
        Form->hide();
        Form.reset();
    }
    QCoreApplication::processEvents();
    SetTickSource(nullptr);
    SetUrlOpener(nullptr);
    QDir::setCurrent(OldFolder);
}

void GameTest::WriteRoster(const std::vector<TPlayerSeed>& Players) {
    TTabijiUsers Users;
    for (const TPlayerSeed& Seed : Players) {
        std::string Name;
        ASSERT_TRUE(Utf8ToCp932(Seed.Name, Name));
        TTabijiUser& User = Users.GetUser(Users.AddUser(Name));
        User.Position = Seed.Position;
        User.Route = Seed.Route;
        if (Seed.DefaultHuts)
            User.Huts = "11,18,21,24,28,32,36,39";
    }
    ASSERT_TRUE(Users.SaveToFile(DataFileName, UserSection));
}

std::unique_ptr<TTabijiUsers> GameTest::ReadRoster() const {
    auto Users = std::make_unique<TTabijiUsers>();
    Users->LoadFromFile(DataFileName, UserSection);
    return Users;
}

int GameTest::StoredPosition(int Index) const {
    const auto Users = ReadRoster();
    return Index < Users->GetCount() ? Users->GetUser(Index).Position : -999;
}

QString GameTest::DataFilePath() const {
    return QDir(Folder.path()).filePath(QString::fromLatin1(DataFileName));
}

void GameTest::StartGame() {
    Form = std::make_unique<TForm1>();
    Form->TellAtStart(StartNotice);
    QObject::connect(Form.get(), &TForm1::GameSound, Form.get(),
                     [this](TGameSound Kind) { Sounds.push_back(Kind); });
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Form->Sudoku().PieceCount() == 81; }, 5000));
}

namespace {

// Questions a test chooses, then those of the tables.
class TScriptedQuestions : public TQuestionSource {
public:
    explicit TScriptedQuestions(std::vector<TQuestion> First)
        : FFirst(First.begin(), First.end()) {}
    std::optional<TQuestion> Take(int Position) override {
        if (FFirst.empty())
            return FRest.Take(Position);
        TQuestion Next = FFirst.front();
        FFirst.pop_front();
        return Next;
    }

private:
    std::deque<TQuestion> FFirst;
    TQuestionQueue FRest;
};

} // namespace

void GameTest::StartWith(const std::vector<TPlayerSeed>& Players, int Index,
                         std::vector<TQuestion> Queue) {
    WriteRoster(Players);
    Answers.Then([this, Index, Queue](QWidget* W) {
        if (W != Form->Form2)
            return false;
        if (!Queue.empty())
            QueueFirst(Queue);
        Form->Form2->UserMenuClick(Index);
        Form->Form2->sbOkClick();
        return true;
    });
    StartGame();
}

bool GameTest::WaitForQuestion(int Timeout) {
    return QTest::qWaitFor([this] { return Form->QuestionRunning(); }, Timeout);
}

void GameTest::QueueFirst(std::vector<TQuestion> Questions) {
    Form->SetQuestionSource(0, std::make_unique<TScriptedQuestions>(std::move(Questions)));
}

QPoint GameTest::CellPoint(int Col, int Row) const {
    const TSudoku& Board = Form->Sudoku();
    return Board.mapTo(Form.get(),
                       QPoint(Board.GridLeft + Col * Board.CellWidth + Board.CellWidth / 2,
                              Board.GridTop + Row * Board.CellHeight + Board.CellHeight / 2));
}

QPoint GameTest::PiecePoint(int PieceIndex) const {
    const TNumberPiece* Piece = Form->Sudoku().Pieces(PieceIndex);
    return Piece->mapTo(Form.get(), Piece->rect().center());
}

void GameTest::Drag(QPoint From, QPoint To) {
    QWindow* Window = Form->windowHandle();
    QTest::mousePress(Window, Qt::LeftButton, {}, From);
    for (int Step = 1; Step <= 4; ++Step)
        QTest::mouseMove(Window, From + (To - From) * Step / 4);
    QTest::mouseRelease(Window, Qt::LeftButton, {}, To);
}

void GameTest::DropDigit(int Digit, int Col, int Row) {
    const TNumberPiece* Piece = Form->Sudoku().FindFreePiece(Digit);
    ASSERT_NE(Piece, nullptr);
    Drag(PiecePoint(Piece->Index), CellPoint(Col, Row));
}

bool GameTest::FindWrongDrop(bool OnTarget, int& Digit, int& Col, int& Row) const {
    const TSudoku& Board = Form->Sudoku();
    const TPoint Target = Form->Round().TargetCell();
    for (int R = 0; R < 9; ++R)
        for (int C = 0; C < 9; ++C) {
            const bool IsTarget = C == Target.X && R == Target.Y;
            if (IsTarget != OnTarget || Board.Matrix().GetValue(C, R) != 0)
                continue;
            for (int D = 1; D <= 9; ++D)
                if (Board.CanPlace(C, R, D) && !(IsTarget && D == Form->Round().TargetNumber())) {
                    Digit = D;
                    Col = C;
                    Row = R;
                    return true;
                }
        }
    return false;
}

void GameTest::ClockTick() {
    ASSERT_TRUE(Form->tmKimete->isActive());
    Form->tmKimeteTimer();
}

} // namespace kumoji::test
