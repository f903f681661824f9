#pragma once

// Pictures the service points at (thumbnails, avatars) are decoded only up to a size that a
// thumbnail could ever need, so that a hostile reply cannot make us allocate gigabytes.

#include <QByteArray>
#include <QImage>

namespace ServicePicture {

inline constexpr qint64 MaxBytes = 16 * 1024 * 1024;
inline constexpr qint64 MaxPixels = 4096 * 4096;

// A null image for a body that is too large, of unknown size, larger than MaxPixels or no picture.
QImage decode(const QByteArray &body);

} // namespace ServicePicture
