#include "servicepicture.h"

#include <QBuffer>
#include <QImageReader>

namespace ServicePicture {

QImage decode(const QByteArray &body)
{
    if (body.isEmpty() || body.size() > MaxBytes)
        return {};
    QBuffer buffer;
    buffer.setData(body);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The header names the size before any pixel is allocated.
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > MaxPixels)
        return {};
    return reader.read();
}

} // namespace ServicePicture
