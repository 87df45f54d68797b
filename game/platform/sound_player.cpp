#include "game/platform/sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace kumoji {

TSoundPlayer::TSoundPlayer(QObject* Parent) : QObject(Parent) {
}

bool TSoundPlayer::HasAudioDevice() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void TSoundPlayer::Play(const QString& Path) {
    if (Path.isEmpty() || !HasAudioDevice())
        return;
    auto Found = FEffects.find(Path);
    if (Found == FEffects.end()) {
        auto* Effect = new QSoundEffect(this);
        Effect->setSource(QUrl(QStringLiteral("qrc") + Path));
        Found = FEffects.emplace(Path, Effect).first;
    }
    for (auto& [Other, Effect] : FEffects)
        if (Other != Path)
            Effect->stop();
    // A sound still loading starts as soon as it is ready; play() never blocks.
    Found->second->play();
}

} // namespace kumoji
