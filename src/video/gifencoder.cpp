#include "gifencoder.h"

#include "giflzw.h"
#include "gifpalette.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int headerSize = 13 + 768 + 19;
constexpr int frameHeadSize = 8 + 10;

struct Layout
{
    int width = 0;
    int height = 0;
    int delay = 1;
};

void putLe16(uchar *out, int value)
{
    out[0] = uchar(value & 0xFF);
    out[1] = uchar((value >> 8) & 0xFF);
}

void writeHeader(const Layout &layout, const GifPalette &palette, uchar *out)
{
    std::memcpy(out, "GIF89a", 6);
    putLe16(out + 6, layout.width);
    putLe16(out + 8, layout.height);
    out[10] = 0xF7;
    out[11] = 0x00;
    out[12] = 0x00;
    uchar *table = out + 13;
    for (const quint32 colour : palette) {
        *table++ = uchar(qRed(colour));
        *table++ = uchar(qGreen(colour));
        *table++ = uchar(qBlue(colour));
    }
    static const uchar looping[19] = {0x21, 0xFF, 0x0B, 'N', 'E',  'T',  'S',  'C',  'A', 'P',
                                      'E',  '2',  '.',  '0', 0x03, 0x01, 0x00, 0x00, 0x00};
    std::memcpy(out + 13 + 768, looping, sizeof looping);
}

void writeFrameHead(const Layout &layout, uchar *out)
{
    const uchar head[frameHeadSize] = {0x21, 0xF9, 0x04, 0x00, 0, 0, 0x00, 0x00, 0x2C,
                                       0,    0,    0,    0,    0, 0, 0,    0,    0x00};
    std::memcpy(out, head, sizeof head);
    putLe16(out + 4, layout.delay);
    putLe16(out + 13, layout.width);
    putLe16(out + 15, layout.height);
}

// The pixels the writer reads: RGB32 and at least as large as the first frame. Callers always
// pass equally sized frames; any other frame is cut or padded with black rather than read out
// of bounds.
QImage frameForMapping(const QImage &frame, QSize size)
{
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    if (rgb.size() == size)
        return rgb;
    QImage fitted(size, QImage::Format_RGB32);
    fitted.fill(0xFF000000u);
    const int rows = std::min(size.height(), rgb.height());
    const std::size_t rowBytes = std::size_t(std::min(size.width(), rgb.width())) * 4;
    for (int y = 0; y < rows; ++y)
        std::memcpy(fitted.scanLine(y), rgb.constScanLine(y), rowBytes);
    return fitted;
}

using FrameAt = std::function<QImage(qsizetype)>;
// Each encoding thread reads through a reader of its own, so that readers which remember their
// last frame keep reading forward.
using FrameReaderFactory = std::function<FrameAt()>;

struct FrameEncoder
{
    QSize size;
    Layout layout;
    const GifLookupTable &table;
    uchar *firstFrame;
    qint64 frameBlockSize;

    void encode(const FrameAt &frameAt, int i) const
    {
        uchar *out = firstFrame + i * frameBlockSize;
        writeFrameHead(layout, out);
        writeLiteralLzw(frameForMapping(frameAt(i), size), layout.width, layout.height, table,
                        out + frameHeadSize);
    }
};

void reportFrameDone(const GifProgress &progress, int done, int count)
{
    if (progress)
        progress(int(10 + (qint64(done) * 90) / count));
}

bool stopped(const GifEncodeOptions &options)
{
    return options.stopRequested && options.stopRequested();
}

// False when stopped early.
bool encodeSerially(const FrameEncoder &encoder, const FrameAt &frameAt, int count,
                    const GifProgress &progress, const GifEncodeOptions &options)
{
    for (int i = 0; i < count; ++i) {
        if (stopped(options))
            return false;
        encoder.encode(frameAt, i);
        reportFrameDone(progress, i + 1, count);
    }
    return true;
}

// Workers take frames in order from a shared counter; this thread only waits and reports, so the
// progress values and the thread they arrive on are the same as in a serial run. It also asks
// whether to stop; the workers then finish the frame they are on and take no more. False when
// stopped early.
bool encodeInParallel(const FrameEncoder &encoder, const FrameReaderFactory &readers, int count,
                      int threadCount, const GifProgress &progress, const GifEncodeOptions &options)
{
    std::atomic<int> nextFrame{0};
    std::atomic_bool abandoned{false};
    std::mutex mutex;
    std::condition_variable frameDone;
    std::vector<char> done(std::size_t(count), 0);

    std::vector<std::thread> workers;
    workers.reserve(std::size_t(threadCount));
    for (int t = 0; t < threadCount; ++t) {
        workers.emplace_back([&, frameAt = readers()] {
            for (int i = nextFrame++; i < count && !abandoned; i = nextFrame++) {
                encoder.encode(frameAt, i);
                {
                    const std::lock_guard<std::mutex> lock(mutex);
                    done[std::size_t(i)] = 1;
                }
                frameDone.notify_one();
            }
        });
    }

    int reported = 0;
    while (reported < count) {
        if (stopped(options)) {
            abandoned = true;
            break;
        }
        int ready = reported;
        {
            std::unique_lock<std::mutex> lock(mutex);
            frameDone.wait(lock, [&] { return done[std::size_t(reported)] != 0; });
            while (ready < count && done[std::size_t(ready)])
                ++ready;
        }
        while (reported < ready)
            reportFrameDone(progress, ++reported, count);
    }
    for (std::thread &worker : workers)
        worker.join();
    return !abandoned;
}

QByteArray encodeFrames(int count, QSize size, qint64 totalPixels,
                        const FrameReaderFactory &readers, int delay, const GifProgress &progress,
                        const GifEncodeOptions &options)
{
    Layout layout;
    layout.width = std::min(size.width(), 65535);
    layout.height = std::min(size.height(), 65535);
    layout.delay = std::clamp(delay, 1, 65535);
    if (progress)
        progress(5);

    // A frame not read once stopping is asked for samples nothing.
    const GifPalette palette =
        buildGifPalette(count, totalPixels, [&options, frameAt = readers()](qsizetype i) {
            return stopped(options) ? QImage() : frameAt(i);
        });
    if (stopped(options))
        return {};
    const GifLookupTable table = buildGifLookupTable(palette);

    const qint64 frameBlockSize =
        frameHeadSize + literalLzwSize(qint64(layout.width) * layout.height);
    QByteArray gif(headerSize + count * frameBlockSize + 1, Qt::Uninitialized);
    uchar *out = reinterpret_cast<uchar *>(gif.data());
    writeHeader(layout, palette, out);
    out[gif.size() - 1] = 0x3B;

    const FrameEncoder encoder{size, layout, table, out + headerSize, frameBlockSize};
    const int wanted = options.threads > 0 ? options.threads : QThread::idealThreadCount();
    const int threadCount = std::clamp(wanted, 1, count);
    const bool whole =
        threadCount == 1
            ? encodeSerially(encoder, readers(), count, progress, options)
            : encodeInParallel(encoder, readers, count, threadCount, progress, options);
    return whole ? gif : QByteArray();
}

} // namespace

QByteArray encodeGif(const QList<QImage> &frames, int delay, const GifProgress &progress)
{
    return encodeGif(frames, delay, progress, GifEncodeOptions());
}

QByteArray encodeGif(const QList<QImage> &frames, int delay, const GifProgress &progress,
                     const GifEncodeOptions &options)
{
    if (frames.isEmpty() || frames.first().isNull())
        return {};
    qint64 totalPixels = 0;
    for (const QImage &frame : frames)
        totalPixels += qint64(frame.width()) * frame.height();
    const auto readers = [&frames]() -> FrameAt {
        return [&frames](qsizetype i) { return frames.at(i); };
    };
    return encodeFrames(int(frames.size()), frames.first().size(), totalPixels, readers, delay,
                        progress, options);
}

QByteArray encodeStoredGif(const FrameStore::Snapshot &frames, int delay,
                           const GifProgress &progress, const GifEncodeOptions &options)
{
    const QImage first = frames.isEmpty() ? QImage() : frames.at(0);
    if (first.isNull())
        return {};
    const auto readers = [&frames]() -> FrameAt {
        return [reader = frames](qsizetype i) { return reader.at(i); };
    };
    const qint64 totalPixels = qint64(first.width()) * first.height() * frames.count();
    return encodeFrames(int(frames.count()), first.size(), totalPixels, readers, delay, progress,
                        options);
}
