#include "game/main_window.h"
#include "game/platform/fonts.h"
#include "game/sound_engine.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kumoji"));
    QGuiApplication::setDesktopFileName(QStringLiteral(KUMOJI_APP_ID));
    kumoji::InstallFontSubstitutes();
    kumoji::TSoundEngine Sounds;
    kumoji::TForm1 Form1;
    QObject::connect(&Form1, &kumoji::TForm1::GameSound, &Sounds,
                     &kumoji::TSoundEngine::PlayGameSound);
    Form1.show();
    Form1.activateWindow();
    return App.exec();
}
