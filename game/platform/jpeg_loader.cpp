#include "game/platform/jpeg_loader.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace kumoji {

namespace {

// libjpeg's own error_exit ends the process; ours jumps back to the decoder.
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

[[noreturn]] void ErrorExit(j_common_ptr Info) {
    std::longjmp(reinterpret_cast<TJpegError*>(Info->err)->Jump, 1);
}

void OutputMessage(j_common_ptr) {
}

// Pictures larger than this are refused rather than allocated.
constexpr long long MaxPixels = 64LL * 1024 * 1024;

// Kept free of C++ objects with destructors: longjmp must not skip any.
bool Decode(jpeg_decompress_struct& Info, TJpegError& Error, const QByteArray& Bytes,
            QImage* Image) {
    if (setjmp(Error.Jump)) {
        jpeg_destroy_decompress(&Info);
        return false;
    }
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, reinterpret_cast<const unsigned char*>(Bytes.constData()),
                 static_cast<unsigned long>(Bytes.size()));
    jpeg_read_header(&Info, TRUE);
    Info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&Info);
    if (Info.output_components != 3 ||
        static_cast<long long>(Info.output_width) * Info.output_height > MaxPixels) {
        jpeg_destroy_decompress(&Info);
        return false;
    }
    *Image = QImage(static_cast<int>(Info.output_width), static_cast<int>(Info.output_height),
                    QImage::Format_RGB888);
    if (Image->isNull()) {
        jpeg_destroy_decompress(&Info);
        return false;
    }
    while (Info.output_scanline < Info.output_height) {
        JSAMPROW Row = Image->scanLine(static_cast<int>(Info.output_scanline));
        jpeg_read_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_decompress(&Info);
    jpeg_destroy_decompress(&Info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& Bytes) {
    if (Bytes.isEmpty())
        return {};
    jpeg_decompress_struct Info{};
    TJpegError Error{};
    Info.err = jpeg_std_error(&Error.Manager);
    Error.Manager.error_exit = ErrorExit;
    Error.Manager.output_message = OutputMessage;
    QImage Image;
    if (!Decode(Info, Error, Bytes, &Image))
        return {};
    return Image;
}

bool LoadJpegResource(const QString& Name, QImage& Image) {
    QFile File(Name);
    if (!File.open(QIODevice::ReadOnly))
        return false;
    const QByteArray Bytes = File.readAll();
    File.close();
    QImage Decoded = DecodeJpeg(Bytes);
    if (Decoded.isNull())
        return false;
    Image = std::move(Decoded);
    return true;
}

} // namespace kumoji
