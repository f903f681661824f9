#include "framecodec.h"

#include <zstd.h>

#include <algorithm>
#include <cstring>

namespace {

// Differences are formed and applied in pieces of this size, so that the intermediate bytes stay in
// the cache instead of making one more pass over a whole frame in memory.
constexpr std::size_t pieceBytes = 256 * 1024;

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
    const std::size_t rowBytes = std::size_t(shape.width) * 4;
    const int rowsPerPiece = int(std::max<std::size_t>(1, pieceBytes / rowBytes));
    output.resize(ZSTD_compressBound(std::size_t(shape.byteCount())));
    plane.resize(rowBytes * std::size_t(rowsPerPiece));

    ZSTD_CCtx_reset(context, ZSTD_reset_session_only);
    ZSTD_CCtx_setPledgedSrcSize(context, static_cast<unsigned long long>(shape.byteCount()));
    ZSTD_outBuffer out{output.data(), output.size(), 0};
    for (int top = 0; top < shape.height; top += rowsPerPiece) {
        const int rows = std::min(rowsPerPiece, shape.height - top);
        auto *piece = reinterpret_cast<uchar *>(plane.data());
        for (int y = top; y < top + rows; ++y, piece += rowBytes) {
            const uchar *current = frame.constScanLine(y);
            if (!previous) {
                std::memcpy(piece, current, rowBytes);
                continue;
            }
            const uchar *before = previous->constScanLine(y);
            for (std::size_t i = 0; i < rowBytes; ++i)
                piece[i] = uchar(current[i] - before[i]);
        }
        ZSTD_inBuffer in{plane.data(), rowBytes * std::size_t(rows), 0};
        const bool last = top + rows == shape.height;
        std::size_t remaining = 0;
        do {
            remaining =
                ZSTD_compressStream2(context, &out, &in, last ? ZSTD_e_end : ZSTD_e_continue);
            if (ZSTD_isError(remaining))
                return {};
        } while (last ? remaining != 0 : in.pos < in.size);
    }
    return QByteArray(output.data(), qsizetype(out.pos));
}

FrameDecompressor::FrameDecompressor() : context(ZSTD_createDCtx()), piece(pieceBytes) {}

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

QImage FrameDecompressor::next(const QByteArray &data, const QImage &previous)
{
    const FrameShape shape = FrameShape::of(previous);
    if (ZSTD_getFrameContentSize(data.constData(), std::size_t(data.size())) !=
        static_cast<unsigned long long>(shape.byteCount()))
        return {};
    QImage frame(shape.width, shape.height, shape.format);
    if (frame.isNull() || frame.bytesPerLine() != previous.bytesPerLine() ||
        frame.bytesPerLine() != qsizetype(shape.width) * 4)
        return {};
    ZSTD_DCtx_reset(context, ZSTD_reset_session_only);
    ZSTD_inBuffer in{data.constData(), std::size_t(data.size()), 0};
    const uchar *before = previous.constBits();
    uchar *target = frame.bits();
    const std::size_t total = std::size_t(shape.byteCount());
    std::size_t done = 0;
    std::size_t remaining = 1;
    while (remaining != 0) {
        ZSTD_outBuffer out{piece.data(), piece.size(), 0};
        remaining = ZSTD_decompressStream(context, &out, &in);
        const bool stuck = out.pos == 0 && in.pos == in.size && remaining != 0;
        if (ZSTD_isError(remaining) || stuck || out.pos > total - done)
            return {};
        const auto *delta = reinterpret_cast<const uchar *>(piece.data());
        for (std::size_t i = 0; i < out.pos; ++i)
            target[done + i] = uchar(before[done + i] + delta[i]);
        done += out.pos;
    }
    return done == total ? frame : QImage();
}
