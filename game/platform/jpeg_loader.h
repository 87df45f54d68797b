#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kumoji {

// Decodes JPEG bytes with libjpeg into an RGB image of the picture's own size;
// a null image for bytes libjpeg cannot read.
QImage DecodeJpeg(const QByteArray& Bytes);

// Decodes the JPEG carried as the resource Name (a Qt resource path) into
// Image. False, and Image untouched, when the resource is missing or damaged.
bool LoadJpegResource(const QString& Name, QImage& Image);

} // namespace kumoji
