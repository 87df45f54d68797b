#include "engine/grid/random.h"
#include "game/platform/wav_data.h"
#include "game/sound_engine.h"
#include "resources/resource_names.h"

#include <QFile>
#include <QtEndian>
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

TEST(WavData, ReadsEverySoundAndRefusesBrokenImages) {
    struct TExpected {
        const char* Path;
        int Rate;
        int Channels;
        QAudioFormat::SampleFormat Format;
        qint64 Ms;
    };
    for (const TExpected& E : {TExpected{LandmarkSound1Path, 11025, 1, QAudioFormat::UInt8, 3100},
                               TExpected{LandmarkSound2Path, 11025, 1, QAudioFormat::UInt8, 7100},
                               TExpected{StepSoundPath, 11025, 1, QAudioFormat::UInt8, 2700},
                               TExpected{LostSoundPath, 11025, 1, QAudioFormat::UInt8, 3100},
                               TExpected{QuestionSoundPath, 22050, 2, QAudioFormat::Int16, 600}}) {
        QFile File(QString::fromLatin1(E.Path));
        ASSERT_TRUE(File.open(QIODevice::ReadOnly)) << E.Path;
        const QByteArray Image = File.readAll();
        TWavData Wav;
        ASSERT_TRUE(ParseWav(Image, Wav)) << E.Path;
        EXPECT_EQ(Wav.Format.sampleRate(), E.Rate) << E.Path;
        EXPECT_EQ(Wav.Format.channelCount(), E.Channels) << E.Path;
        EXPECT_EQ(Wav.Format.sampleFormat(), E.Format) << E.Path;
        EXPECT_EQ(Wav.DurationMs(), E.Ms) << E.Path;

        TWavData Broken;
        EXPECT_FALSE(ParseWav(Image.left(Image.size() - 1), Broken)) << "data runs past the end";
        EXPECT_FALSE(ParseWav(Image.left(30), Broken)) << "no data chunk";
        QByteArray Compressed = Image;
        qToLittleEndian<quint16>(2, Compressed.data() + 20); // ADPCM, not PCM
        EXPECT_FALSE(ParseWav(Compressed, Broken));
    }
}

} // namespace kumoji
