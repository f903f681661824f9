#pragma once

#include <QImage>
#include <QString>

// QR codes read from a picture with quirc.
namespace QrDecoder {

// The texts of every code in an 8-bit grey picture, in detection order, one blank line between
// them. A mirrored code is read as well. Empty when nothing decodes, or when quirc cannot get the
// memory.
QString decodeImage(const QImage &grey);

// Tries the picture in grey, then enlarged twice (small codes), then inverted (light on dark);
// the first that yields any text wins.
QString scanImage(const QImage &image);

} // namespace QrDecoder
