// RIFF chunks of a WAV image: "fmt " gives the format, "data" the samples.
#include "game/platform/wav_data.h"

#include <QtEndian>

namespace kumoji {

namespace {

quint32 U32(const QByteArray& Bytes, qsizetype Pos) {
    return qFromLittleEndian<quint32>(Bytes.constData() + Pos);
}

quint16 U16(const QByteArray& Bytes, qsizetype Pos) {
    return qFromLittleEndian<quint16>(Bytes.constData() + Pos);
}

} // namespace

qint64 TWavData::DurationMs() const {
    const int BytesPerFrame = Format.bytesPerFrame();
    if (BytesPerFrame <= 0 || Format.sampleRate() <= 0)
        return 0;
    return Samples.size() / BytesPerFrame * 1000 / Format.sampleRate();
}

bool ParseWav(const QByteArray& Image, TWavData& Wav) {
    if (Image.size() < 12 || !Image.startsWith("RIFF") || Image.mid(8, 4) != "WAVE")
        return false;
    bool HaveFormat = false;
    for (qsizetype Pos = 12; Pos + 8 <= Image.size();) {
        const QByteArray Id = Image.mid(Pos, 4);
        const qsizetype Size = U32(Image, Pos + 4);
        const qsizetype Body = Pos + 8;
        if (Size > Image.size() - Body)
            return false;
        if (Id == "fmt " && Size >= 16) {
            const int Channels = U16(Image, Body + 2);
            const int Rate = static_cast<int>(U32(Image, Body + 4));
            const int Bits = U16(Image, Body + 14);
            if (U16(Image, Body) != 1 || Channels < 1 || Rate < 1)
                return false;
            Wav.Format.setChannelCount(Channels);
            Wav.Format.setSampleRate(Rate);
            if (Bits == 8)
                Wav.Format.setSampleFormat(QAudioFormat::UInt8);
            else if (Bits == 16)
                Wav.Format.setSampleFormat(QAudioFormat::Int16);
            else if (Bits == 32)
                Wav.Format.setSampleFormat(QAudioFormat::Int32);
            else
                return false;
            HaveFormat = true;
        } else if (Id == "data") {
            if (!HaveFormat)
                return false;
            Wav.Samples = Image.mid(Body, Size);
            return true;
        }
        Pos = Body + Size + (Size & 1); // chunks are padded to even sizes
    }
    return false;
}

} // namespace kumoji
