// The PCM samples and format of a WAV file image, for playing through an audio sink.
#pragma once

#include <QAudioFormat>
#include <QByteArray>

namespace kumoji {

struct TWavData {
    QAudioFormat Format;
    QByteArray Samples;

    qint64 DurationMs() const;
};

// Reads an uncompressed PCM WAV image (8, 16 or 32 bits, any rate and channel count). False
// for anything else, including a data chunk that runs past the end of the image.
bool ParseWav(const QByteArray& Image, TWavData& Wav);

} // namespace kumoji
