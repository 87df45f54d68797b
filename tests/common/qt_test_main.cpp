// The main of the Qt test programs: real widgets offscreen, seeded draws, no piece-creation pause.
#include "board/sudoku.h"
#include "seeded_random.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The widgets are real; without a display they run offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString Dir = QDir::tempPath() + "/kumoji-qt-tests";
        QDir().mkpath(Dir);
        QFile::setPermissions(Dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", Dir.toLocal8Bit());
    }
    // The pieces appearing one by one is for the player's eye; a test would
    // only wait for it on every board it starts.
    kumoji::TSudoku::SetPieceDelay(std::chrono::milliseconds(0));
    kumoji::test::UseSeededRandom();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication App(argc, argv);
    return RUN_ALL_TESTS();
}
