#include "framecodec.h"

#include <zstd.h>

#include <algorithm>
#include <cstring>

namespace {

// Bytewise subtraction and addition modulo 256, eight bytes at a time (the high bit of each byte is
// handled apart, so that no carry crosses into the next byte).
constexpr quint64 highBits = 0x8080808080808080ull;

quint64 subtractBytes(quint64 a, quint64 b)
{
    return ((a | highBits) - (b & ~highBits)) ^ ((a ^ ~b) & highBits);
}

quint64 addBytes(quint64 a, quint64 b)
{
    return ((a & ~highBits) + (b & ~highBits)) ^ ((a ^ b) & highBits);
}

// Applies a bytewise operation to two runs of bytes, a word at a time where it can.
template <typename WordOperation, typename ByteOperation>
void combine(const uchar *a, const uchar *b, uchar *out, std::size_t size, WordOperation words,
             ByteOperation bytes)
{
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 x;
        quint64 y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        const quint64 result = words(x, y);
        std::memcpy(out + i, &result, 8);
    }
    for (; i < size; ++i)
        out[i] = bytes(a[i], b[i]);
}

void subtract(const uchar *current, const uchar *previous, uchar *out, std::size_t size)
{
    combine(current, previous, out, size, subtractBytes,
            [](uchar x, uchar y) { return uchar(x - y); });
}

void addInPlace(uchar *target, const uchar *delta, std::size_t size)
{
    combine(target, delta, target, size, addBytes, [](uchar x, uchar y) { return uchar(x + y); });
}

// A difference covers only the cells (runs of pixels within a row) that changed, after a map with
// one byte per cell, 1 for changed: most of a screen stays as it was, and skipping it saves both
// the compressor and every later reader a pass over unchanged memory.
constexpr int cellPixels = 128;

struct CellGrid
{
    explicit CellGrid(const FrameShape &shape)
        : rowBytes(std::size_t(shape.width) * 4),
          cellsPerRow((std::size_t(shape.width) + cellPixels - 1) / cellPixels),
          mapBytes(cellsPerRow * std::size_t(shape.height)),
          largest(mapBytes + std::size_t(shape.byteCount()))
    {
    }
    std::size_t cellBytes(std::size_t cell) const
    {
        return std::min<std::size_t>(cellPixels * 4, rowBytes - cell * cellPixels * 4);
    }

    std::size_t rowBytes;
    std::size_t cellsPerRow;
    std::size_t mapBytes;
    std::size_t largest;
};

} // namespace

bool isStorableFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

QImage storableFrame(const QImage &image)
{
    if (image.isNull() || isStorableFormat(image.format()))
        return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                         : QImage::Format_RGB32);
}

FrameCompressor::FrameCompressor(int level) : context(ZSTD_createCCtx())
{
    ZSTD_CCtx_setParameter(context, ZSTD_c_compressionLevel, level);
    ZSTD_CCtx_setParameter(context, ZSTD_c_checksumFlag, 1);
}

FrameCompressor::~FrameCompressor()
{
    ZSTD_freeCCtx(context);
}

QByteArray FrameCompressor::compress(const QImage &frame, const QImage *previous)
{
    const FrameShape shape = FrameShape::of(frame);
    const CellGrid grid(shape);
    const char *source = reinterpret_cast<const char *>(frame.constBits());
    std::size_t size = std::size_t(shape.byteCount());
    if (previous) {
        plane.resize(grid.largest);
        auto *map = reinterpret_cast<uchar *>(plane.data());
        uchar *out = map + grid.mapBytes;
        for (int y = 0; y < shape.height; ++y) {
            const uchar *current = frame.constScanLine(y);
            const uchar *before = previous->constScanLine(y);
            for (std::size_t cell = 0; cell < grid.cellsPerRow; ++cell, ++map) {
                const std::size_t start = cell * cellPixels * 4;
                const std::size_t bytes = grid.cellBytes(cell);
                *map = std::memcmp(current + start, before + start, bytes) != 0;
                if (*map) {
                    subtract(current + start, before + start, out, bytes);
                    out += bytes;
                }
            }
        }
        source = plane.data();
        size = std::size_t(out - reinterpret_cast<uchar *>(plane.data()));
    } else if (std::size_t(frame.bytesPerLine()) != grid.rowBytes) {
        plane.resize(size);
        for (int y = 0; y < shape.height; ++y)
            std::memcpy(plane.data() + std::size_t(y) * grid.rowBytes, frame.constScanLine(y),
                        grid.rowBytes);
        source = plane.data();
    }
    output.resize(ZSTD_compressBound(size));
    const std::size_t compressed =
        ZSTD_compress2(context, output.data(), output.size(), source, size);
    if (ZSTD_isError(compressed))
        return {};
    return QByteArray(output.data(), qsizetype(compressed));
}

FrameDecompressor::FrameDecompressor() : context(ZSTD_createDCtx()) {}

FrameDecompressor::~FrameDecompressor()
{
    ZSTD_freeDCtx(context);
}

QImage FrameDecompressor::keyframe(const QByteArray &data, const FrameShape &shape)
{
    if (ZSTD_getFrameContentSize(data.constData(), std::size_t(data.size())) !=
        static_cast<unsigned long long>(shape.byteCount()))
        return {};
    QImage frame(shape.width, shape.height, shape.format);
    if (frame.isNull() || frame.bytesPerLine() != qsizetype(shape.width) * 4)
        return {};
    const std::size_t size =
        ZSTD_decompressDCtx(context, frame.bits(), std::size_t(frame.sizeInBytes()),
                            data.constData(), std::size_t(data.size()));
    if (ZSTD_isError(size) || size != std::size_t(shape.byteCount()))
        return {};
    return frame;
}

bool FrameDecompressor::applyDelta(const QByteArray &data, QImage &frame)
{
    const FrameShape shape = FrameShape::of(frame);
    const CellGrid grid(shape);
    const unsigned long long content =
        ZSTD_getFrameContentSize(data.constData(), std::size_t(data.size()));
    if (content < grid.mapBytes || content > grid.largest ||
        std::size_t(frame.bytesPerLine()) != grid.rowBytes)
        return false;
    plane.resize(std::size_t(content));
    const std::size_t size = ZSTD_decompressDCtx(context, plane.data(), plane.size(),
                                                 data.constData(), std::size_t(data.size()));
    if (ZSTD_isError(size) || size != content)
        return false;
    const auto *map = reinterpret_cast<const uchar *>(plane.data());
    const uchar *delta = map + grid.mapBytes;
    const uchar *end = map + size;
    uchar *row = frame.bits();
    for (int y = 0; y < shape.height; ++y, row += grid.rowBytes) {
        for (std::size_t cell = 0; cell < grid.cellsPerRow; ++cell, ++map) {
            if (*map > 1)
                return false;
            const std::size_t bytes = grid.cellBytes(cell);
            if (*map == 0)
                continue;
            if (std::size_t(end - delta) < bytes)
                return false;
            addInPlace(row + cell * cellPixels * 4, delta, bytes);
            delta += bytes;
        }
    }
    return delta == end;
}
