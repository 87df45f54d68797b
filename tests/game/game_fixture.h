#pragma once

#include "game/game_sound.h"
#include "game/main_window.h"
#include "game/player_dialog.h"
#include "game/route_image.h"
#include "modal_answerer.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kumoji::test {

// One player of a prepared data file; Name is UTF-8.
struct TPlayerSeed {
    std::string Name;
    int Position = 0;
    int Route = 0;
    bool DefaultHuts = true;
};

// Each test runs in its own empty working folder, with a clock the test
// steps, recorded sounds and a recorded help opener.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the data file with these players.
    void WriteRoster(const std::vector<TPlayerSeed>& Players);
    // The roster as the data file holds it now.
    std::unique_ptr<TTabijiUsers> ReadRoster() const;
    int StoredPosition(int Index) const;
    QString DataFilePath() const;

    // Creates and shows the main window; waits until its first activation is
    // over (the answerer has the dialogs start-up opens).
    void StartGame();
    // With a prepared roster: start, and "continue" with player Index.
    // Queue, when given, is the question queue the first Play takes from.
    void StartWith(const std::vector<TPlayerSeed>& Players, int Index = 0,
                   std::vector<TQuestion> Queue = {});
    bool WaitForQuestion(int Timeout = 3000);
    // The next questions of route 0 are these, then those of the tables.
    void QueueFirst(std::vector<TQuestion> Questions);

    // Real mouse routing through the window.
    QPoint CellPoint(int Col, int Row) const;
    QPoint PiecePoint(int PieceIndex) const;
    void Drag(QPoint From, QPoint To);
    // Drags a free piece of Digit onto (Col, Row).
    void DropDigit(int Digit, int Col, int Row);
    // A legal drop other than the answer: on the answer's cell when OnTarget,
    // on another cell otherwise. False when the position has none.
    bool FindWrongDrop(bool OnTarget, int& Digit, int& Col, int& Row) const;

    void AdvanceClock(std::uint32_t Milliseconds) { Tick += Milliseconds; }
    // One tick of the question clock, as its timer gives it.
    void ClockTick();

    QTemporaryDir Folder;
    QString OldFolder;
    std::unique_ptr<TForm1> Form;
    TModalAnswerer Answers;
    std::vector<TGameSound> Sounds;
    std::vector<QUrl> Opened;
    std::uint32_t Tick = 1000;
    // What the window is to tell once it is up, as main passes it.
    QString StartNotice;
};

} // namespace kumoji::test
