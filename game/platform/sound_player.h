// Playing the embedded WAV sounds on the default audio output, never waiting for them.
#pragma once

#include "game/platform/wav_data.h"

#include <QObject>
#include <QString>
#include <map>

class QAudioSink;
class QIODevice;

namespace kumoji {

// Plays embedded WAV sounds without waiting for them. A new sound stops the one still
// playing, as a single system sound channel does. Without an audio device playing does
// nothing. Each sound gets a fresh audio sink fed from memory: reusing one stream per sound
// left some of them opened but silent. The sink is closed a little after the sound's end.
class TSoundPlayer : public QObject {
    Q_OBJECT

public:
    explicit TSoundPlayer(QObject* Parent = nullptr);
    ~TSoundPlayer() override;

    // Path is a Qt resource path such as ":/sounds/chimes.wav"; returns at once.
    void Play(const QString& Path);

    static bool HasAudioDevice();

private:
    std::map<QString, TWavData> FSounds; // parsed once; an empty entry for an unusable file
    QAudioSink* FSink = nullptr;
    QIODevice* FSource = nullptr;

    const TWavData& Sound(const QString& Path);
    void Stop();
};

} // namespace kumoji
