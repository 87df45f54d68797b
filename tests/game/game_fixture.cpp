#include "game_fixture.h"

#include "board/number_piece.h"
#include "board/sudoku.h"
#include "game/platform/help_opener.h"
#include "game/platform/tick_clock.h"
#include "storage/sjis.h"

#include <QDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace kumoji::test {

void GameTest::SetUp() {
    ASSERT_TRUE(Folder.isValid());
    OldFolder = QDir::currentPath();
    QDir::setCurrent(Folder.path());
    SetTickSource([this] { return Tick; });
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
    QObject::connect(Form.get(), &TForm1::GameSound, Form.get(),
                     [this](TGameSound Kind) { Sounds.push_back(Kind); });
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Form->FSudoku->PieceCount() == 81; }, 5000));
}

void GameTest::StartWith(const std::vector<TPlayerSeed>& Players, int Index,
                         std::vector<std::pair<std::string, int>> Queue) {
    WriteRoster(Players);
    Answers.Then([this, Index, Queue](QWidget* W) {
        if (W != Form->Form2)
            return false;
        if (!Queue.empty())
            Form->FQuestions = Queue;
        Form->Form2->UserMenuClick(Index);
        Form->Form2->sbOkClick();
        return true;
    });
    StartGame();
}

bool GameTest::WaitForQuestion(int Timeout) {
    return QTest::qWaitFor([this] { return Form->QuestionRunning(); }, Timeout);
}

void GameTest::QueueFirst(const std::string& Text, int Technique) {
    Form->FQuestions.insert(Form->FQuestions.begin(), {Text, Technique});
}

QPoint GameTest::CellPoint(int Col, int Row) const {
    const TSudoku& Board = *Form->FSudoku;
    return Board.mapTo(Form.get(),
                       QPoint(Board.GridLeft + Col * Board.CellWidth + Board.CellWidth / 2,
                              Board.GridTop + Row * Board.CellHeight + Board.CellHeight / 2));
}

QPoint GameTest::PiecePoint(int PieceIndex) const {
    const TNumberPiece* Piece = Form->FSudoku->Pieces(PieceIndex);
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
    const TNumberPiece* Piece = Form->FSudoku->FindFreePiece(Digit);
    ASSERT_NE(Piece, nullptr);
    Drag(PiecePoint(Piece->Index), CellPoint(Col, Row));
}

bool GameTest::FindWrongDrop(bool OnTarget, int& Digit, int& Col, int& Row) const {
    const TSudoku& Board = *Form->FSudoku;
    const TPoint Target = Form->FTargetCell;
    for (int R = 0; R < 9; ++R)
        for (int C = 0; C < 9; ++C) {
            const bool IsTarget = C == Target.X && R == Target.Y;
            if (IsTarget != OnTarget || Board.Matrix().GetValue(C, R) != 0)
                continue;
            for (int D = 1; D <= 9; ++D)
                if (Board.CanPlace(C, R, D) && !(IsTarget && D == Form->FTargetNumber)) {
                    Digit = D;
                    Col = C;
                    Row = R;
                    return true;
                }
        }
    return false;
}

void GameTest::WaitForTick() {
    // The question clock ticks every 300 ms of real time.
    QTest::qWait(400);
}

} // namespace kumoji::test
