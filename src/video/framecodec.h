#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

struct ZSTD_CCtx_s;
struct ZSTD_DCtx_s;

// What a compressed frame needs besides its bytes to become an image again.
struct FrameShape
{
    int width = 0;
    int height = 0;
    QImage::Format format = QImage::Format_Invalid;

    static FrameShape of(const QImage &image)
    {
        return {image.width(), image.height(), image.format()};
    }
    bool operator==(const FrameShape &other) const
    {
        return width == other.width && height == other.height && format == other.format;
    }
    bool operator!=(const FrameShape &other) const { return !(*this == other); }
    qsizetype byteCount() const { return qsizetype(width) * height * 4; }
};

// The 32-bit formats whose bytes are kept exactly as given; any other image is converted to
// ARGB32 (with an alpha channel) or RGB32 (without) first.
bool isStorableFormat(QImage::Format format);
QImage storableFrame(const QImage &image);

// A keyframe is its pixel bytes compressed with zstd; any other frame is the bytewise difference
// (modulo 256) to the frame before it, kept only where the screen changed and small where a
// picture changed little, so it compresses far better. A checksum in every compressed frame makes
// damage show as a failure instead of wrong pixels.
class FrameCompressor
{
public:
    explicit FrameCompressor(int level);
    ~FrameCompressor();
    FrameCompressor(const FrameCompressor &) = delete;
    FrameCompressor &operator=(const FrameCompressor &) = delete;

    // frame must be in a storable format; previous, when given, must have the same shape.
    QByteArray compress(const QImage &frame, const QImage *previous = nullptr);

private:
    ZSTD_CCtx_s *context;
    std::vector<char> plane;
    std::vector<char> output;
};

class FrameDecompressor
{
public:
    FrameDecompressor();
    ~FrameDecompressor();
    FrameDecompressor(const FrameDecompressor &) = delete;
    FrameDecompressor &operator=(const FrameDecompressor &) = delete;

    // A null image when the data is damaged or does not fit the shape.
    QImage keyframe(const QByteArray &data, const FrameShape &shape);
    // Turns frame, as made here, into the one that follows it; false when the data is damaged or
    // does not fit, and frame is then undefined.
    bool applyDelta(const QByteArray &data, QImage &frame);

private:
    ZSTD_DCtx_s *context;
    std::vector<char> plane;
};
