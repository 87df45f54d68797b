#pragma once

#include "game/game_sound.h"

#include <QObject>
#include <QString>

namespace kumoji {

class TSoundPlayer;

// Turns the game's sound events into sounds. Connected to the main window's
// GameSound signal; the choice of the landmark sound is made here.
class TSoundEngine : public QObject {
    Q_OBJECT

public:
    explicit TSoundEngine(QObject* Parent = nullptr);

    // The resource of a sound event; gsLandmark picks one of its two at random.
    static QString ChooseSound(TGameSound Kind);

    // Leaves the device alone (tests listen to Chosen instead).
    void SetMuted(bool Value) { FMuted = Value; }

public slots:
    void PlayGameSound(kumoji::TGameSound Kind);

signals:
    // The resource just chosen, whether or not a device plays it.
    void Chosen(const QString& Path);

private:
    TSoundPlayer* FPlayer;
    bool FMuted = false;
};

} // namespace kumoji
