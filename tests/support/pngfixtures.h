#pragma once

// PNG files put together byte by byte, for pictures too large to encode in a test's time: a solid
// picture of any size compresses to a few kilobytes, and a header may declare a size that its
// data never fills (a decompression bomb).

#include <QByteArray>
#include <QSize>
#include <QtEndian>

#include <zlib.h>

namespace PngFixtures {

inline QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray chunk(const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    const auto crc = crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()));
    return bigEndian(quint32(data.size())) + body + bigEndian(quint32(crc));
}

// The signature and the header of an 8-bit RGB picture of the given size.
inline QByteArray header(const QSize &size)
{
    QByteArray ihdr = bigEndian(quint32(size.width())) + bigEndian(quint32(size.height()));
    ihdr += QByteArray("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr);
}

inline QByteArray rawDeflate(const QByteArray &data, int flush)
{
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, flush);
    out.resize(out.size() - stream.avail_out);
    deflateEnd(&stream);
    return out;
}

// A black picture. One block of rows is compressed once and repeated: ending on a full flush, the
// block depends on nothing before it, so the copies form one valid stream.
inline QByteArray solidPng(const QSize &size)
{
    const int blockRows = 64;
    const QByteArray row(1 + 3 * qsizetype(size.width()), '\0'); // filter byte, then the pixels
    const QByteArray block = row.repeated(blockRows);
    const QByteArray rest = row.repeated(size.height() % blockRows);
    const QByteArray blockDeflated = rawDeflate(block, Z_FULL_FLUSH);
    const auto blockAdler =
        adler32(1, reinterpret_cast<const Bytef *>(block.constData()), uInt(block.size()));
    QByteArray stream("\x78\x01", 2);
    auto adler = adler32(0, nullptr, 0);
    for (int n = 0; n < size.height() / blockRows; ++n) {
        stream += blockDeflated;
        adler = adler32_combine(adler, blockAdler, z_off_t(block.size()));
    }
    stream += rawDeflate(rest, Z_FINISH);
    adler = adler32(adler, reinterpret_cast<const Bytef *>(rest.constData()), uInt(rest.size()));
    stream += bigEndian(quint32(adler));
    return header(size) + chunk("IDAT", stream) + chunk("IEND", {});
}

// A header that declares the size, with a token of data behind it.
inline QByteArray declaringPng(const QSize &size)
{
    return header(size) + chunk("IDAT", qCompress(QByteArray(64, '\0')).mid(4)) + chunk("IEND", {});
}

} // namespace PngFixtures
