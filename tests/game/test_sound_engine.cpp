#include "engine/random.h"
#include "game/sound_engine.h"
#include "resources/resource_names.h"

#include <gtest/gtest.h>
#include <map>

namespace kumoji {

TEST(SoundEngine, ChoosesEachEventsSoundAndBothLandmarksAboutEvenly) {
    TSoundEngine Engine;
    Engine.SetMuted(true);
    std::vector<QString> Chosen;
    QObject::connect(&Engine, &TSoundEngine::Chosen,
                     [&](const QString& Path) { Chosen.push_back(Path); });
    Engine.PlayGameSound(gsStep);
    Engine.PlayGameSound(gsLost);
    Engine.PlayGameSound(gsQuestion);
    ASSERT_EQ(Chosen.size(), 3u);
    EXPECT_EQ(Chosen[0], StepSoundPath);
    EXPECT_EQ(Chosen[1], LostSoundPath);
    EXPECT_EQ(Chosen[2], QuestionSoundPath);

    std::map<QString, int> Landmarks;
    for (int I = 0; I < 2000; ++I)
        ++Landmarks[TSoundEngine::ChooseSound(gsLandmark)];
    ASSERT_EQ(Landmarks.size(), 2u);
    EXPECT_GT(Landmarks[LandmarkSound1Path], 850);
    EXPECT_GT(Landmarks[LandmarkSound2Path], 850);

    SetRandomSource([](int) { return 1; });
    EXPECT_EQ(TSoundEngine::ChooseSound(gsLandmark), LandmarkSound2Path);
    SetRandomSource(nullptr);
}

} // namespace kumoji
