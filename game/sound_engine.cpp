#include "game/sound_engine.h"

#include "engine/grid/random.h"
#include "game/platform/sound_player.h"
#include "resources/resource_names.h"

namespace kumoji {

TSoundEngine::TSoundEngine(QObject* Parent) : QObject(Parent), FPlayer(new TSoundPlayer(this)) {
}

QString TSoundEngine::ChooseSound(TGameSound Kind) {
    switch (Kind) {
    case gsLandmark:
        return QString::fromLatin1(Random(2) == 0 ? LandmarkSound1Path : LandmarkSound2Path);
    case gsStep:
        return QString::fromLatin1(StepSoundPath);
    case gsQuestion:
        return QString::fromLatin1(QuestionSoundPath);
    default:
        return QString::fromLatin1(LostSoundPath);
    }
}

void TSoundEngine::PlayGameSound(TGameSound Kind) {
    const QString Path = ChooseSound(Kind);
    emit Chosen(Path);
    if (!FMuted)
        FPlayer->Play(Path);
}

} // namespace kumoji
