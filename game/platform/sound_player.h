#pragma once

#include <QObject>
#include <QString>
#include <map>

class QSoundEffect;

namespace kumoji {

// Plays embedded WAV sounds without waiting for them. A new sound stops the
// one still playing, as a single system sound channel does. Without an audio
// device playing does nothing.
class TSoundPlayer : public QObject {
    Q_OBJECT

public:
    explicit TSoundPlayer(QObject* Parent = nullptr);

    // Path is a Qt resource path such as ":/sounds/chimes.wav"; returns at once.
    void Play(const QString& Path);

    static bool HasAudioDevice();

private:
    std::map<QString, QSoundEffect*> FEffects;
};

} // namespace kumoji
