// kumoji-sound-check: asks for the game's sounds one at a time with silence between them, so
// that a recording of the audio output can count what was heard.
#include "game/game_sound.h"
#include "game/platform/sound_player.h"
#include "game/platform/wav_data.h"
#include "game/sound_engine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    int Events = 24;
    int GapMs = 1500;
    for (int I = 1; I + 1 < argc; I += 2) {
        const std::string Option = argv[I];
        if (Option == "--events")
            Events = std::stoi(argv[I + 1]);
        else if (Option == "--gap-ms")
            GapMs = std::stoi(argv[I + 1]);
    }
    if (!kumoji::TSoundPlayer::HasAudioDevice()) {
        std::printf("no audio device\n");
        return 3;
    }
    kumoji::TSoundEngine Engine;
    QString Chosen;
    qint64 SlowestMs = 0;
    QObject::connect(&Engine, &kumoji::TSoundEngine::Chosen,
                     [&](const QString& Path) { Chosen = Path; });
    const kumoji::TGameSound Cycle[] = {kumoji::gsQuestion, kumoji::gsStep, kumoji::gsLost,
                                        kumoji::gsLandmark};
    std::function<void(int)> Next = [&](int I) {
        if (I == Events) {
            QTimer::singleShot(GapMs, &App, &QCoreApplication::quit);
            return;
        }
        QElapsedTimer Call;
        Call.start();
        Engine.PlayGameSound(Cycle[I % 4]);
        SlowestMs = std::max(SlowestMs, Call.elapsed());
        QFile File(Chosen);
        kumoji::TWavData Wav;
        qint64 Ms = 0;
        if (File.open(QIODevice::ReadOnly) && kumoji::ParseWav(File.readAll(), Wav))
            Ms = Wav.DurationMs();
        std::printf("sound %d %s %lld\n", I + 1, qPrintable(Chosen), static_cast<long long>(Ms));
        std::fflush(stdout);
        QTimer::singleShot(static_cast<int>(Ms) + GapMs, [&, I] { Next(I + 1); });
    };
    // Let the audio device settle before the first sound.
    QTimer::singleShot(1000, [&] { Next(0); });
    App.exec();
    std::printf("asked %d, slowest call %lld ms\n", Events, static_cast<long long>(SlowestMs));
    return 0;
}
