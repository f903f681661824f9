#include "qrdecoder.h"

#include <QStringList>

#include <cstring>
#include <functional>
#include <memory>

extern "C" {
#include <quirc.h>
}

namespace {

struct QuircDeleter
{
    void operator()(quirc *decoder) const { quirc_destroy(decoder); }
};

QString payloadText(const quirc_data &data)
{
    const char *bytes = reinterpret_cast<const char *>(data.payload);
    // A length outside the payload buffer is not trusted: read up to the first zero byte instead.
    const int length = data.payload_len >= 0 && data.payload_len <= QUIRC_MAX_PAYLOAD
                           ? data.payload_len
                           : int(strnlen(bytes, QUIRC_MAX_PAYLOAD));
    return QString::fromUtf8(bytes, length);
}

QImage inverted(const QImage &grey)
{
    QImage result = grey.copy();
    for (int y = 0; y < result.height(); ++y) {
        uchar *row = result.scanLine(y);
        for (int x = 0; x < result.width(); ++x)
            row[x] = uchar(255 - row[x]);
    }
    return result;
}

} // namespace

namespace QrDecoder {

QString decodeImage(const QImage &grey)
{
    if (grey.isNull() || grey.format() != QImage::Format_Grayscale8)
        return {};
    std::unique_ptr<quirc, QuircDeleter> decoder(quirc_new());
    if (!decoder || quirc_resize(decoder.get(), grey.width(), grey.height()) < 0)
        return {};

    int width = 0;
    int height = 0;
    uint8_t *buffer = quirc_begin(decoder.get(), &width, &height);
    for (int y = 0; y < height; ++y)
        std::memcpy(buffer + size_t(y) * size_t(width), grey.constScanLine(y), size_t(width));
    quirc_end(decoder.get());

    QStringList texts;
    const int count = quirc_count(decoder.get());
    for (int index = 0; index < count; ++index) {
        quirc_code code;
        quirc_data data;
        quirc_extract(decoder.get(), index, &code);
        quirc_decode_error_t error = quirc_decode(&code, &data);
        if (error == QUIRC_ERROR_DATA_ECC) {
            quirc_flip(&code);
            error = quirc_decode(&code, &data);
        }
        if (error == QUIRC_SUCCESS)
            texts.append(payloadText(data));
    }
    return texts.join(QStringLiteral("\n\n"));
}

QString scanImage(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    // Each candidate is made only when the ones before it gave nothing.
    const std::function<QImage()> candidates[] = {
        [&] { return grey; },
        [&] { return grey.scaled(grey.size() * 2, Qt::KeepAspectRatio, Qt::FastTransformation); },
        [&] { return inverted(grey); },
    };
    for (const auto &candidate : candidates) {
        const QString text = decodeImage(candidate());
        if (!text.isEmpty())
            return text;
    }
    return {};
}

} // namespace QrDecoder
