#include "gifencoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <gif_lib.h>

#include <array>
#include <cstring>
#include <memory>

namespace {

// What giflib reads back from a file: the fields the encoder controls.
struct DecodedGif
{
    bool ok = false;
    int width = 0;
    int height = 0;
    std::array<QRgb, 256> palette{};
    bool loopsForever = false;
    QList<int> delays;
    QList<QByteArray> indices;
};

struct ReadCursor
{
    const QByteArray *data;
    qsizetype position = 0;
};

int readFromArray(GifFileType *file, GifByteType *out, int length)
{
    auto *cursor = static_cast<ReadCursor *>(file->UserData);
    const int available = int(std::min<qsizetype>(length, cursor->data->size() - cursor->position));
    std::memcpy(out, cursor->data->constData() + cursor->position, std::size_t(available));
    cursor->position += available;
    return available;
}

bool isNetscapeLoopForever(const SavedImage &image)
{
    for (int i = 0; i + 1 < image.ExtensionBlockCount; ++i) {
        const ExtensionBlock &app = image.ExtensionBlocks[i];
        const ExtensionBlock &data = image.ExtensionBlocks[i + 1];
        if (app.Function == APPLICATION_EXT_FUNC_CODE && app.ByteCount == 11 &&
            std::memcmp(app.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 &&
            data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0)
            return true;
    }
    return false;
}

DecodedGif decodeWithGiflib(const QByteArray &gif)
{
    DecodedGif decoded;
    ReadCursor cursor{&gif};
    int error = 0;
    GifFileType *file = DGifOpen(&cursor, readFromArray, &error);
    if (!file)
        return decoded;
    const std::unique_ptr<GifFileType, void (*)(GifFileType *)> closer(
        file, [](GifFileType *f) { DGifCloseFile(f, nullptr); });
    if (DGifSlurp(file) != GIF_OK || !file->SColorMap || file->SColorMap->ColorCount != 256)
        return decoded;
    decoded.width = file->SWidth;
    decoded.height = file->SHeight;
    for (int i = 0; i < 256; ++i) {
        const GifColorType &c = file->SColorMap->Colors[i];
        decoded.palette[std::size_t(i)] = qRgb(c.Red, c.Green, c.Blue);
    }
    for (int i = 0; i < file->ImageCount; ++i) {
        const SavedImage &image = file->SavedImages[i];
        GraphicsControlBlock control{};
        if (DGifSavedExtensionToGCB(file, i, &control) != GIF_OK)
            return decoded;
        decoded.delays.append(control.DelayTime);
        decoded.indices.append(
            QByteArray(reinterpret_cast<const char *>(image.RasterBits),
                       qsizetype(image.ImageDesc.Width) * image.ImageDesc.Height));
    }
    decoded.loopsForever = file->ImageCount > 0 && isNetscapeLoopForever(file->SavedImages[0]);
    decoded.ok = true;
    return decoded;
}

QList<QImage> decodeWithQt(const QByteArray &gif)
{
    QBuffer buffer;
    buffer.setData(gif);
    QImageReader reader(&buffer, "gif");
    QList<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
        frames.append(frame.convertToFormat(QImage::Format_RGB32));
    return frames;
}

// The palette index a pixel must get: the nearest palette colour to the centre of its 15-bit
// colour cell, the lowest index on a tie.
int expectedIndex(QRgb pixel, const std::array<QRgb, 256> &palette)
{
    const int r = (qRed(pixel) >> 3) * 255 / 31;
    const int g = (qGreen(pixel) >> 3) * 255 / 31;
    const int b = (qBlue(pixel) >> 3) * 255 / 31;
    int best = 0, bestDistance = INT_MAX;
    for (int i = 0; i < 256; ++i) {
        const QRgb c = palette[std::size_t(i)];
        const int d = (qRed(c) - r) * (qRed(c) - r) + (qGreen(c) - g) * (qGreen(c) - g) +
                      (qBlue(c) - b) * (qBlue(c) - b);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// Frames like a screen: a gradient desktop with more than 256 colours, text, and a window that
// moves from frame to frame.
QList<QImage> screenLikeFrames(int count, QSize size)
{
    QList<QImage> frames;
    for (int i = 0; i < count; ++i) {
        QImage frame(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(frame.scanLine(y));
            for (int x = 0; x < size.width(); ++x)
                line[x] = qRgb(x * 255 / size.width(), y * 255 / size.height(), (x + y + i) & 0xFF);
        }
        QPainter painter(&frame);
        painter.fillRect(QRect(10 + 7 * i, 20 + 3 * i, size.width() / 2, size.height() / 2),
                         QColor(240, 240, 235));
        painter.setPen(Qt::black);
        painter.drawText(QPoint(20 + 7 * i, 40 + 3 * i), QStringLiteral("Quorvel %1").arg(i));
        frames.append(frame);
    }
    return frames;
}

QImage flatImage(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

int le16(const QByteArray &data, qsizetype offset)
{
    return uchar(data[offset]) | (uchar(data[offset + 1]) << 8);
}

constexpr qsizetype firstFrameOffset = 800;
constexpr qsizetype frameDataOffset = firstFrameOffset + 18;

// Concatenates the data sub-blocks starting at offset and returns the offset after the
// terminator; fails the test when a sub-block is not full except the last.
QByteArray joinSubBlocks(const QByteArray &gif, qsizetype offset, qsizetype *end)
{
    QByteArray data;
    bool sawShortBlock = false;
    while (offset < gif.size() && gif[offset] != 0) {
        const int length = uchar(gif[offset]);
        if (sawShortBlock)
            return {};
        sawShortBlock = length < 255;
        data += gif.mid(offset + 1, length);
        offset += 1 + length;
    }
    *end = offset + 1;
    return data;
}

QList<int> readNineBitCodes(const QByteArray &data)
{
    QList<int> codes;
    quint32 bits = 0;
    int count = 0;
    for (const char byte : data) {
        bits |= quint32(uchar(byte)) << count;
        count += 8;
        while (count >= 9) {
            codes.append(int(bits & 0x1FF));
            bits >>= 9;
            count -= 9;
        }
    }
    if (bits != 0)
        codes.append(-1); // leftover bits must be zero padding
    return codes;
}

} // namespace

class TestGifEncoder : public QObject
{
    Q_OBJECT

private slots:
    void nothingToEncodeGivesEmptyArray();
    void layoutAtFixedOffsets();
    void decodersSeeThePaletteMapping_data();
    void decodersSeeThePaletteMapping();
    void flatColourFillsPaletteWithBlack();
    void paletteIsChosenByPopularityOfSampledPixels();
    void colourCellSharesOneIndex();
    void literalCodesWithPeriodicClear_data();
    void literalCodesWithPeriodicClear();
    void delayIsClamped_data();
    void delayIsClamped();
    void singleFrameStillLoops();
    void progressRunsFromFiveToHundred_data();
    void progressRunsFromFiveToHundred();
    void stopEndsTheEncodingEarly_data();
    void stopEndsTheEncodingEarly();
    void threadCountDoesNotChangeBytes();
    void storedFramesGiveTheSameBytes();
    void inputFormatDoesNotChangeBytes_data();
    void inputFormatDoesNotChangeBytes();
    void oddFrameSizesAreFittedToFirstFrame();
    void widthAboveHeaderLimitIsCut();
};

void TestGifEncoder::nothingToEncodeGivesEmptyArray()
{
    int reports = 0;
    const GifProgress count = [&](int) { ++reports; };
    QVERIFY(encodeGif({}, 10, count).isEmpty());
    QVERIFY(encodeGif({QImage(), flatImage(QSize(4, 4), qRgb(1, 2, 3))}, 10, count).isEmpty());
    QCOMPARE(reports, 0);
}

void TestGifEncoder::layoutAtFixedOffsets()
{
    QImage frame = flatImage(QSize(300, 2), qRgb(200, 100, 50));
    frame.setPixel(0, 0, qRgb(10, 20, 30));
    const QByteArray gif = encodeGif({frame, frame}, 20);

    QCOMPARE(gif.left(6), QByteArray("GIF89a"));
    QCOMPARE(le16(gif, 6), 300);
    QCOMPARE(le16(gif, 8), 2);
    QCOMPARE(gif.mid(10, 3), QByteArray::fromHex("f70000"));
    QCOMPARE(gif.mid(13, 6), QByteArray::fromHex("c86432"
                                                 "0a141e"));
    QCOMPARE(gif.mid(19, 762), QByteArray(762, '\0'));
    QCOMPARE(gif.mid(781, 19),
             QByteArray::fromHex("21ff0b") + "NETSCAPE2.0" + QByteArray::fromHex("0301000000"));

    qsizetype offset = firstFrameOffset;
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(gif.mid(offset, 8), QByteArray::fromHex("21f90400"
                                                         "1400"
                                                         "0000"));
        QCOMPARE(gif.mid(offset + 8, 11), QByteArray::fromHex("2c"
                                                              "00000000"
                                                              "2c010200"
                                                              "00"
                                                              "08"));
        const QByteArray data = joinSubBlocks(gif, offset + 19, &offset);
        QCOMPARE(data.size(), (604 * 9 + 7) / 8); // clear, 600 literals, 2 more clears, end
    }
    QCOMPARE(offset, gif.size() - 1);
    QCOMPARE(gif.back(), '\x3b');
}

void TestGifEncoder::decodersSeeThePaletteMapping_data()
{
    QTest::addColumn<QList<QImage>>("frames");
    QTest::newRow("screen-like") << screenLikeFrames(4, QSize(321, 203));
    QList<QImage> noise;
    QRandomGenerator random(7);
    for (int i = 0; i < 2; ++i) {
        QImage frame(97, 61, QImage::Format_RGB32);
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                frame.setPixel(x, y, random.generate() | 0xFF000000u);
        noise.append(frame);
    }
    QTest::newRow("noise") << noise;
}

void TestGifEncoder::decodersSeeThePaletteMapping()
{
    QFETCH(QList<QImage>, frames);
    const QByteArray gif = encodeGif(frames, 4);
    const DecodedGif decoded = decodeWithGiflib(gif);
    QVERIFY(decoded.ok);
    QCOMPARE(decoded.width, frames.first().width());
    QCOMPARE(decoded.height, frames.first().height());
    QCOMPARE(decoded.indices.size(), frames.size());
    const QList<QImage> qtFrames = decodeWithQt(gif);
    QCOMPARE(qtFrames.size(), frames.size());

    for (int i = 0; i < frames.size(); ++i) {
        const QImage &frame = frames[i];
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const int index = expectedIndex(frame.pixel(x, y), decoded.palette);
                const int got = uchar(decoded.indices[i][y * frame.width() + x]);
                if (got != index || qtFrames[i].pixel(x, y) != decoded.palette[std::size_t(index)])
                    QFAIL(qPrintable(QStringLiteral("frame %1 pixel %2,%3: index %4, expected %5")
                                         .arg(i)
                                         .arg(x)
                                         .arg(y)
                                         .arg(got)
                                         .arg(index)));
            }
        }
    }
}

void TestGifEncoder::flatColourFillsPaletteWithBlack()
{
    const QRgb colour = qRgb(90, 160, 220);
    const QList<QImage> frames(3, flatImage(QSize(40, 30), colour));
    const DecodedGif decoded = decodeWithGiflib(encodeGif(frames, 6));
    QVERIFY(decoded.ok);
    QCOMPARE(decoded.palette[0], colour);
    for (std::size_t i = 1; i < 256; ++i)
        QCOMPARE(decoded.palette[i], qRgb(0, 0, 0));
    for (const QByteArray &indices : decoded.indices)
        QCOMPARE(indices, QByteArray(40 * 30, '\0'));
}

void TestGifEncoder::paletteIsChosenByPopularityOfSampledPixels()
{
    // 1000 × 1000 pixels are sampled every second row and column: blue sits exactly on the
    // sampled pixels, red on all the others, so red never enters the palette although it
    // covers three quarters of the picture.
    QImage frame = flatImage(QSize(1000, 1000), qRgb(255, 0, 0));
    for (int y = 0; y < 1000; y += 2)
        for (int x = 0; x < 1000; x += 2)
            frame.setPixel(x, y, qRgb(0, 0, 255));
    // Among the sampled pixels, green is second and teal third.
    for (int x = 0; x < 200; x += 2)
        frame.setPixel(x, 0, qRgb(0, 255, 0));
    for (int x = 200; x < 250; x += 2)
        frame.setPixel(x, 0, qRgb(0, 200, 200));

    const DecodedGif decoded = decodeWithGiflib(encodeGif({frame}, 10));
    QVERIFY(decoded.ok);
    QCOMPARE(decoded.palette[0], qRgb(0, 0, 255));
    QCOMPARE(decoded.palette[1], qRgb(0, 255, 0));
    QCOMPARE(decoded.palette[2], qRgb(0, 200, 200));
    QCOMPARE(decoded.palette[3], qRgb(0, 0, 0));
    // Red is nearer to the black fillers (first filler wins) than to blue, green or teal.
    QCOMPARE(int(decoded.indices[0][1]), 3);
}

void TestGifEncoder::colourCellSharesOneIndex()
{
    // Every colour of the frame is in the palette, yet colours that differ only in their three
    // low bits per channel fall into one 15-bit cell and must share its index.
    const QList<QRgb> bases = {qRgb(0, 0, 0), qRgb(64, 128, 200), qRgb(248, 8, 96)};
    QImage frame(8 * 8, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < frame.width(); ++x)
            frame.setPixel(x, y, bases[y] | (x & 7) | ((x >> 3) << 8) | ((x & 7) << 16));
    const DecodedGif decoded = decodeWithGiflib(encodeGif({frame}, 10));
    QVERIFY(decoded.ok);
    for (int y = 0; y < 3; ++y) {
        const QByteArray row = decoded.indices[0].mid(y * frame.width(), frame.width());
        QCOMPARE(row, QByteArray(frame.width(), row[0]));
    }
}

void TestGifEncoder::literalCodesWithPeriodicClear_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QList<int>>("clearPositions");
    QTest::newRow("1") << 1 << QList<int>{0};
    QTest::newRow("250") << 250 << QList<int>{0};
    QTest::newRow("251") << 251 << QList<int>{0, 251};
    QTest::newRow("500") << 500 << QList<int>{0, 251};
    QTest::newRow("501") << 501 << QList<int>{0, 251, 502};
    // Around 2040 codes the writer starts a new batch of sub-blocks.
    for (const int pixels : {2029, 2030, 2031, 5000}) {
        QList<int> clears;
        for (int position = 0; clears.size() * 250 < pixels; position += 251)
            clears.append(position);
        QTest::addRow("%d", pixels) << pixels << clears;
    }
}

void TestGifEncoder::literalCodesWithPeriodicClear()
{
    QFETCH(int, pixels);
    QFETCH(QList<int>, clearPositions);
    // Two colours in a known pattern, so every literal is checked against its pixel.
    QImage frame = flatImage(QSize(pixels, 1), qRgb(250, 250, 250));
    for (int x = 0; x < pixels; x += 3)
        frame.setPixel(x, 0, qRgb(20, 20, 20));
    const QByteArray gif = encodeGif({frame}, 10);
    const DecodedGif decoded = decodeWithGiflib(gif);
    QVERIFY(decoded.ok);
    QCOMPARE(uchar(gif[frameDataOffset]), uchar(0x08));

    qsizetype end = 0;
    const QList<int> codes = readNineBitCodes(joinSubBlocks(gif, frameDataOffset + 1, &end));
    QCOMPARE(end, gif.size() - 1);
    QCOMPARE(codes.size(), pixels + clearPositions.size() + 1);
    QCOMPARE(codes.back(), 257);
    int x = 0;
    for (int i = 0; i + 1 < codes.size(); ++i) {
        if (clearPositions.contains(i))
            QCOMPARE(codes[i], 256);
        else
            QCOMPARE(codes[i], expectedIndex(frame.pixel(x++, 0), decoded.palette));
    }
}

void TestGifEncoder::delayIsClamped_data()
{
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("written");
    QTest::newRow("negative") << -5 << 1;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("25 fps") << 4 << 4;
    QTest::newRow("largest") << 65535 << 65535;
    QTest::newRow("above") << 70000 << 65535;
}

void TestGifEncoder::delayIsClamped()
{
    QFETCH(int, delay);
    QFETCH(int, written);
    const DecodedGif decoded =
        decodeWithGiflib(encodeGif(QList<QImage>(3, flatImage(QSize(5, 5), qRgb(9, 9, 9))), delay));
    QVERIFY(decoded.ok);
    QCOMPARE(decoded.delays, QList<int>(3, written));
}

void TestGifEncoder::singleFrameStillLoops()
{
    const QByteArray gif = encodeGif({flatImage(QSize(3, 2), qRgb(1, 200, 3))}, 20);
    const DecodedGif decoded = decodeWithGiflib(gif);
    QVERIFY(decoded.ok);
    QCOMPARE(decoded.indices.size(), 1);
    QVERIFY(decoded.loopsForever);
    QBuffer buffer;
    buffer.setData(gif);
    QImageReader reader(&buffer, "gif");
    QVERIFY(reader.canRead());
    QCOMPARE(reader.loopCount(), -1);
}

void TestGifEncoder::progressRunsFromFiveToHundred_data()
{
    QTest::addColumn<int>("frameCount");
    QTest::addColumn<int>("threads");
    QTest::newRow("1 frame") << 1 << 1;
    QTest::newRow("3 frames") << 3 << 1;
    QTest::newRow("7 frames, 3 threads") << 7 << 3;
    QTest::newRow("40 frames, 4 threads") << 40 << 4;
}

void TestGifEncoder::progressRunsFromFiveToHundred()
{
    QFETCH(int, frameCount);
    QFETCH(int, threads);
    QList<int> reports;
    const Qt::HANDLE caller = QThread::currentThreadId();
    bool onCaller = true;
    const GifProgress record = [&](int percent) {
        reports.append(percent);
        onCaller = onCaller && QThread::currentThreadId() == caller;
    };
    GifEncodeOptions options;
    options.threads = threads;
    encodeGif(screenLikeFrames(frameCount, QSize(64, 48)), 10, record, options);

    QList<int> expected{5};
    for (int i = 0; i < frameCount; ++i)
        expected.append(10 + (i + 1) * 90 / frameCount);
    QCOMPARE(reports, expected);
    QCOMPARE(reports.back(), 100);
    QVERIFY(onCaller);
}

void TestGifEncoder::stopEndsTheEncodingEarly_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("stopAfter"); // progress reports before the stop is asked for
    QTest::newRow("before the first frame") << 1 << 1;
    QTest::newRow("after a frame") << 1 << 2;
    QTest::newRow("before the first frame, 3 threads") << 3 << 1;
}

void TestGifEncoder::stopEndsTheEncodingEarly()
{
    QFETCH(int, threads);
    QFETCH(int, stopAfter);
    const int frameCount = 40;
    QList<int> reports;
    GifEncodeOptions options;
    options.threads = threads;
    options.stopRequested = [&] { return reports.size() >= stopAfter; };
    const QByteArray gif = encodeGif(
        screenLikeFrames(frameCount, QSize(64, 48)), 10,
        [&](int percent) { reports.append(percent); }, options);
    QVERIFY(gif.isEmpty());
    QCOMPARE(reports.size(), stopAfter);
}

void TestGifEncoder::threadCountDoesNotChangeBytes()
{
    const QList<QImage> frames = screenLikeFrames(9, QSize(257, 130));
    GifEncodeOptions serial;
    serial.threads = 1;
    const QByteArray reference = encodeGif(frames, 6, {}, serial);
    QVERIFY(decodeWithGiflib(reference).ok);
    for (const int threads : {2, 4, 16}) {
        GifEncodeOptions parallel;
        parallel.threads = threads;
        QVERIFY2(encodeGif(frames, 6, {}, parallel) == reference,
                 qPrintable(QString::number(threads)));
    }
    QVERIFY(encodeGif(frames, 6) == reference);
}

void TestGifEncoder::storedFramesGiveTheSameBytes()
{
    // Keyframes every 4 frames and a budget of one frame, so that encoding threads read
    // differences and keyframes back from memory and from the spill file.
    const QList<QImage> frames = screenLikeFrames(11, QSize(257, 130));
    FrameStore::Options options;
    options.keyframeInterval = 4;
    options.memoryBudget = 1;
    FrameStore store(options);
    for (const QImage &frame : frames) {
        QVERIFY(store.append(frame));
        store.waitUntilStored();
    }
    QVERIFY(store.diskBytes() > 0);
    const QByteArray reference = encodeGif(frames, 6);
    for (const int threads : {1, 3}) {
        GifEncodeOptions encoding;
        encoding.threads = threads;
        QVERIFY2(encodeStoredGif(store.snapshot(), 6, {}, encoding) == reference,
                 qPrintable(QString::number(threads)));
    }
    QVERIFY(encodeStoredGif(FrameStore().snapshot(), 6, {}).isEmpty());
}

void TestGifEncoder::inputFormatDoesNotChangeBytes_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("ARGB32") << QImage::Format_ARGB32;
    QTest::newRow("ARGB32 premultiplied") << QImage::Format_ARGB32_Premultiplied;
    QTest::newRow("RGB888") << QImage::Format_RGB888;
    QTest::newRow("RGB16") << QImage::Format_RGB16;
    QTest::newRow("Indexed8") << QImage::Format_Indexed8;
}

void TestGifEncoder::inputFormatDoesNotChangeBytes()
{
    QFETCH(QImage::Format, format);
    // Large enough that sampling skips pixels, so the sampled rows see the same conversion as
    // the mapped frames.
    QList<QImage> converted;
    for (QImage frame : screenLikeFrames(3, QSize(640, 480))) {
        if (format == QImage::Format_ARGB32 || format == QImage::Format_ARGB32_Premultiplied) {
            frame = frame.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < frame.height(); y += 5)
                for (int x = 0; x < frame.width(); ++x)
                    frame.setPixel(x, y, (frame.pixel(x, y) & 0xFFFFFFu) | 0x80000000u);
        }
        converted.append(frame.convertToFormat(format));
    }
    QList<QImage> rgb32;
    for (const QImage &frame : converted)
        rgb32.append(frame.convertToFormat(QImage::Format_RGB32));
    QVERIFY(encodeGif(converted, 4) == encodeGif(rgb32, 4));
}

void TestGifEncoder::oddFrameSizesAreFittedToFirstFrame()
{
    const QRgb colour = qRgb(30, 144, 255);
    const QList<QImage> frames = {flatImage(QSize(20, 10), colour), flatImage(QSize(8, 4), colour),
                                  flatImage(QSize(50, 30), colour), QImage()};
    const QByteArray gif = encodeGif(frames, 10);
    const DecodedGif decoded = decodeWithGiflib(gif);
    QVERIFY(decoded.ok);
    QCOMPARE(decoded.indices.size(), 4);
    const auto indexAt = [&](int frame, int x, int y) {
        return int(uchar(decoded.indices[frame][y * 20 + x]));
    };
    // Only the colour is ever sampled; black padding maps to the first filler.
    QCOMPARE(decoded.palette[0], colour);
    const int colourIndex = 0;
    const int blackIndex = 1;
    QCOMPARE(indexAt(1, 7, 3), colourIndex);
    QCOMPARE(indexAt(1, 8, 3), blackIndex);
    QCOMPARE(indexAt(1, 7, 4), blackIndex);
    QCOMPARE(decoded.indices[2], QByteArray(200, char(colourIndex)));
    QCOMPARE(decoded.indices[3], QByteArray(200, char(blackIndex)));
    QCOMPARE(decodeWithQt(gif).size(), 4);
}

void TestGifEncoder::widthAboveHeaderLimitIsCut()
{
    QImage frame = flatImage(QSize(70000, 2), qRgb(0, 0, 200));
    frame.setPixel(65534, 1, qRgb(200, 0, 0));
    const QByteArray gif = encodeGif({frame}, 10);
    QCOMPARE(le16(gif, 6), 65535);
    QCOMPARE(le16(gif, frameDataOffset - 5), 65535);
    const DecodedGif decoded = decodeWithGiflib(gif);
    QVERIFY(decoded.ok);
    QCOMPARE(decoded.indices[0].size(), 2 * 65535);
    const QByteArray &indices = decoded.indices[0];
    QCOMPARE(decoded.palette[std::size_t(uchar(indices.back()))], qRgb(200, 0, 0));
    QCOMPARE(decoded.palette[std::size_t(uchar(indices[65535 + 65533]))], qRgb(0, 0, 200));
}

QTEST_MAIN(TestGifEncoder)
#include "tst_gifencoder.moc"
