#include "game/data_folder.h"
#include "game/main_window.h"
#include "game/platform/fonts.h"
#include "game/sound_engine.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kumoji"));
    QGuiApplication::setDesktopFileName(QStringLiteral(KUMOJI_APP_ID));

    QCommandLineParser Options;
    Options.setApplicationDescription(
        QStringLiteral("Sudoku training game. The players and their progress are kept in "
                       "tozan01.ini in the folder the game is started in."));
    Options.addHelpOption();
    Options.addOption(QCommandLineOption(
        QString::fromLatin1(kumoji::DesktopDataOption),
        QStringLiteral("Keep them in the desktop's data folder instead (%1), moving a "
                       "tozan01.ini found in the home folder there once. The menu entry "
                       "starts the game so.")
            .arg(kumoji::DesktopDataFolder())));
    Options.process(App);
    QString Notice;
    if (Options.isSet(QString::fromLatin1(kumoji::DesktopDataOption)))
        Notice = kumoji::UseDesktopDataFolder();

    kumoji::InstallFontSubstitutes();
    kumoji::TSoundEngine Sounds;
    kumoji::TForm1 Form1;
    Form1.TellAtStart(Notice);
    QObject::connect(&Form1, &kumoji::TForm1::GameSound, &Sounds,
                     &kumoji::TSoundEngine::PlayGameSound);
    Form1.show();
    Form1.activateWindow();
    return App.exec();
}
