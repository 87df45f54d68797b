// The main of the Qt test programs: real widgets offscreen, seeded draws, no piece-creation pause.
#include "board/sudoku.h"
#include "seeded_random.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The widgets are real; without a display they run offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Offscreen, a screen that holds the main window at the design's size, as the
    // display tests' screen does; the plugin's own is 800 by 800.
    QTemporaryFile Screens(QDir::tempPath() + "/kumoji-screens-XXXXXX.json");
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && Screens.open()) {
        Screens.write(R"({"screens": [{"name": "tests", "x": 0, "y": 0, "width": 1280,)"
                      R"( "height": 1024}]})");
        Screens.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + Screens.fileName().toLocal8Bit());
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
