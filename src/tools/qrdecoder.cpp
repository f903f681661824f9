#include "qrdecoder.h"

#include "quircprecheck.h"

#include <QStringList>

#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <optional>

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

// Qt converts to Grayscale8 through a colour-space transform that takes longer than decoding a
// full-HD picture; the classic luma weights threshold just as well.
QImage greyOf(const QImage &image)
{
    if (image.format() == QImage::Format_Grayscale8)
        return image;
    const QImage source =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    QImage grey(source.size(), QImage::Format_Grayscale8);
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *to = grey.scanLine(y);
        for (int x = 0; x < width; ++x)
            to[x] = uchar(qGray(from[x]));
    }
    return grey;
}

// Fills quirc's packed buffer of the given width and height.
using BufferWriter = std::function<void(uint8_t *buffer, int width, int height)>;

QString decodeBuffer(const QSize &size, const BufferWriter &write)
{
    std::unique_ptr<quirc, QuircDeleter> decoder(quirc_new());
    if (!decoder || quirc_resize(decoder.get(), size.width(), size.height()) < 0)
        return {};

    int width = 0;
    int height = 0;
    uint8_t *buffer = quirc_begin(decoder.get(), &width, &height);
    write(buffer, width, height);
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

// The grey picture enlarged to twice its size by nearest neighbour: every pixel four times.
QString decodeDoubled(const QImage &grey)
{
    return decodeBuffer(grey.size() * 2, [&grey](uint8_t *buffer, int width, int height) {
        for (int y = 0; y + 1 < height; y += 2) {
            const uchar *from = grey.constScanLine(y / 2);
            uint8_t *row = buffer + size_t(y) * size_t(width);
            for (int x = 0; x + 1 < width; x += 2)
                row[x] = row[x + 1] = from[x / 2];
            std::memcpy(row + width, row, size_t(width));
        }
    });
}

QString decodeInverted(const QImage &grey)
{
    return decodeBuffer(grey.size(), [&grey](uint8_t *buffer, int width, int height) {
        for (int y = 0; y < height; ++y) {
            const uchar *from = grey.constScanLine(y);
            uint8_t *row = buffer + size_t(y) * size_t(width);
            for (int x = 0; x < width; ++x)
                row[x] = uint8_t(255 - from[x]);
        }
    });
}

#ifdef QUORVEL_QUIRC_PRECHECK
// The precheck follows the quirc sources built here, and their region limit.
constexpr int PrecheckRegionLimit = QUIRC_MAX_REGIONS;
#else
// Another quirc, which may find codes other ways: every candidate is decoded.
constexpr int PrecheckRegionLimit = 0;
#endif

} // namespace

namespace QrDecoder {

QString decodeImage(const QImage &grey)
{
    if (grey.isNull() || grey.format() != QImage::Format_Grayscale8)
        return {};
    // quirc's rows are packed; the picture's rows may be padded.
    return decodeBuffer(grey.size(), [&grey](uint8_t *buffer, int width, int height) {
        for (int y = 0; y < height; ++y)
            std::memcpy(buffer + size_t(y) * size_t(width), grey.constScanLine(y), size_t(width));
    });
}

QString scanImage(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage grey = greyOf(image);
    // Most regions hold no code at all; the precheck rules out, far faster than quirc, the
    // candidates in which quirc could not find one, so that they are not decoded in vain.
    std::optional<QuircPrecheck> precheck;
    if (PrecheckRegionLimit > 0)
        precheck.emplace(grey, PrecheckRegionLimit);
    const auto mayHoldCode = [&precheck](QuircPrecheck::Candidate candidate) {
        return !precheck || precheck->mayHoldCode(candidate);
    };

    if (mayHoldCode(QuircPrecheck::Candidate::AsItIs))
        if (QString text = decodeImage(grey); !text.isEmpty())
            return text;
    // The enlarged picture costs four times the others: it is decoded on a second core while this
    // one looks at the inverted picture. Its text still comes first.
    std::future<QString> enlarged;
    if (mayHoldCode(QuircPrecheck::Candidate::Doubled))
        enlarged = std::async(std::launch::async, [grey] { return decodeDoubled(grey); });
    const QString invertedText =
        mayHoldCode(QuircPrecheck::Candidate::Inverted) ? decodeInverted(grey) : QString();
    const QString enlargedText = enlarged.valid() ? enlarged.get() : QString();
    return enlargedText.isEmpty() ? invertedText : enlargedText;
}

} // namespace QrDecoder
