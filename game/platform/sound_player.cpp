// One audio sink per sound, fed from the parsed samples in memory.
#include "game/platform/sound_player.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>
#include <algorithm>
#include <cstring>

namespace kumoji {

namespace {

// How long a sink is kept after its sound's end, so that the output's queue plays out.
constexpr int PlayOutMs = 2000;

// The sound, then silence for as long as it is read. An output that meets the end of its data
// drops what it still has queued, which cut short sounds off after a fraction of a second.
class TSoundSource : public QIODevice {
public:
    TSoundSource(QByteArray Samples, char Silence, QObject* Parent)
        : QIODevice(Parent), FSamples(std::move(Samples)), FSilence(Silence) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return (1 << 20) + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* Data, qint64 Size) override {
        const qint64 Left = std::max<qint64>(0, FSamples.size() - FPos);
        const qint64 Sound = std::min(Left, Size);
        std::memcpy(Data, FSamples.constData() + FPos, static_cast<std::size_t>(Sound));
        std::memset(Data + Sound, FSilence, static_cast<std::size_t>(Size - Sound));
        FPos += Sound;
        return Size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray FSamples;
    qint64 FPos = 0;
    char FSilence;
};

// 8-bit samples widened to 16 bits, for an output that does not take 8-bit data.
TWavData Widened(const TWavData& Wav) {
    TWavData Wide;
    Wide.Format = Wav.Format;
    Wide.Format.setSampleFormat(QAudioFormat::Int16);
    Wide.Samples.resize(Wav.Samples.size() * 2);
    auto* Out = reinterpret_cast<qint16*>(Wide.Samples.data());
    for (const char Byte : Wav.Samples)
        *Out++ = static_cast<qint16>((static_cast<unsigned char>(Byte) - 128) * 256);
    return Wide;
}

} // namespace

TSoundPlayer::TSoundPlayer(QObject* Parent) : QObject(Parent) {
}

TSoundPlayer::~TSoundPlayer() {
    Stop();
}

bool TSoundPlayer::HasAudioDevice() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

const TWavData& TSoundPlayer::Sound(const QString& Path) {
    auto Found = FSounds.find(Path);
    if (Found != FSounds.end())
        return Found->second;
    TWavData Wav;
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly) || !ParseWav(File.readAll(), Wav))
        Wav = TWavData{};
    return FSounds.emplace(Path, std::move(Wav)).first->second;
}

void TSoundPlayer::Stop() {
    if (FSink) {
        FSink->stop();
        FSink->deleteLater();
        FSink = nullptr;
    }
    if (FSource) {
        FSource->deleteLater();
        FSource = nullptr;
    }
}

void TSoundPlayer::Play(const QString& Path) {
    if (Path.isEmpty())
        return;
    const QAudioDevice Device = QMediaDevices::defaultAudioOutput();
    if (Device.isNull())
        return;
    const TWavData* Wav = &Sound(Path);
    if (Wav->Samples.isEmpty())
        return;
    TWavData Wide;
    if (!Device.isFormatSupported(Wav->Format) &&
        Wav->Format.sampleFormat() == QAudioFormat::UInt8) {
        Wide = Widened(*Wav);
        Wav = &Wide;
    }
    Stop();
    const char Silence = Wav->Format.sampleFormat() == QAudioFormat::UInt8 ? char(128) : char(0);
    FSource = new TSoundSource(Wav->Samples, Silence, this);
    FSink = new QAudioSink(Device, Wav->Format, this);
    // With the default buffer a 22 kHz stereo sound ran dry at its start and was never
    // resumed; a second of buffer holds the whole of the short sounds from the first write.
    FSink->setBufferSize(Wav->Format.bytesForDuration(1000000));
    FSink->start(FSource);
    QAudioSink* Sink = FSink;
    QTimer::singleShot(static_cast<int>(Wav->DurationMs()) + PlayOutMs, this, [this, Sink] {
        if (FSink == Sink)
            Stop();
    });
}

} // namespace kumoji
