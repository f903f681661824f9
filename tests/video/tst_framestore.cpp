#include "framecodec.h"
#include "framestore.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <functional>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Screen-like frames that change from one to the next: a still background, a block that moves and
// a patch of noise. Every byte is set, the alpha byte of RGB32 included, so that nothing the store
// might normalise goes unnoticed.
QImage testFrame(int index, QSize size, QImage::Format format)
{
    QImage frame(size, format);
    QRandomGenerator random(quint32(index) + 1);
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<quint32 *>(frame.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const bool block = x / 8 == index % (size.width() / 8) && y < size.height() / 2;
            const bool noise = x < size.width() / 3 && y >= size.height() / 2;
            row[x] = noise ? random.generate() : block ? 0x80ff2040u : 0x11d0d8e0u + quint32(y);
        }
    }
    return frame;
}

QList<QImage> testFrames(int count, QSize size, QImage::Format format)
{
    QList<QImage> frames;
    for (int i = 0; i < count; ++i)
        frames.append(testFrame(i, size, format));
    return frames;
}

bool sameBits(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.width()) * 4) != 0)
            return false;
    return true;
}

FrameStore::Options smallOptions(const QString &folder)
{
    FrameStore::Options options;
    options.spillFolder = folder;
    options.keyframeInterval = 4;
    options.queueCapacity = 64;
    return options;
}

// This process's open descriptors that lead into the folder, deleted files included.
QStringList openFilesIn(const QString &folder)
{
    QStringList found;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &link :
         descriptors.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const ssize_t length = ::readlink(QFile::encodeName(link.absoluteFilePath()).constData(),
                                          target, sizeof target);
        if (length > 0 && QString::fromLocal8Bit(target, length).startsWith(folder + '/'))
            found.append(link.absoluteFilePath());
    }
    return found;
}

} // namespace

class TestFrameStore : public QObject
{
    Q_OBJECT

private slots:
    void givesBackIdenticalPixelsInAnyOrder_data();
    void givesBackIdenticalPixelsInAnyOrder();
    void damagedDataGivesNoFrame();
    void snapshotReadsOnAnotherThreadWhileAppending();
    void spillFileIsPrivateAndLeavesNothingBehind();
    void dropsFramesWhenCompressionFallsBehind();
    void waitingAppendKeepsEveryFrame();
    void keepsFramesAndRefusesMoreWhenSpillFileFails_data();
    void keepsFramesAndRefusesMoreWhenSpillFileFails();

private:
    QTemporaryDir folder;
};

void TestFrameStore::givesBackIdenticalPixelsInAnyOrder_data()
{
    QTest::addColumn<QList<QImage>>("frames");
    QTest::addColumn<QList<QImage>>("expected");

    // Wider than a few cells of the difference map and not a multiple of them.
    const QSize size(300, 37);
    for (const auto format :
         {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied}) {
        const QList<QImage> frames = testFrames(30, size, format);
        QTest::addRow("format %d", int(format)) << frames << frames;
    }

    QList<QImage> rgb888;
    QList<QImage> asRgb32;
    for (const QImage &frame : testFrames(12, size, QImage::Format_RGB32)) {
        rgb888.append(frame.convertToFormat(QImage::Format_RGB888));
        asRgb32.append(rgb888.last().convertToFormat(QImage::Format_RGB32));
    }
    QTest::newRow("other format kept as RGB32") << rgb888 << asRgb32;

    QList<QImage> mixed = testFrames(10, size, QImage::Format_RGB32);
    mixed += testFrames(7, QSize(40, 90), QImage::Format_ARGB32);
    mixed += testFrames(6, size, QImage::Format_RGB32);
    QTest::newRow("size and format change") << mixed << mixed;
}

void TestFrameStore::givesBackIdenticalPixelsInAnyOrder()
{
    QFETCH(QList<QImage>, frames);
    QFETCH(QList<QImage>, expected);

    // A budget of a few frames: the rest crosses over to the temporary file.
    FrameStore::Options options = smallOptions(folder.path());
    options.memoryBudget = 8 * 1024;
    FrameStore store(options);
    for (const QImage &frame : frames)
        QVERIFY(store.append(frame));
    QCOMPARE(store.count(), frames.size());
    store.waitUntilStored();
    QVERIFY(store.memoryBytes() > 0);
    QVERIFY(store.diskBytes() > 0);

    for (qsizetype i = 0; i < expected.size(); ++i)
        QVERIFY2(sameBits(store.at(i), expected.at(i)), qPrintable(QString::number(i)));

    // Backwards, jumps within and across keyframe intervals, repeats.
    const FrameStore::Snapshot snapshot = store.snapshot();
    QList<qsizetype> order;
    for (qsizetype i = expected.size() - 1; i >= 0; --i)
        order.append(i);
    QRandomGenerator random(7);
    for (int n = 0; n < 40; ++n)
        order.append(random.bounded(int(expected.size())));
    for (const qsizetype i : order)
        QVERIFY2(sameBits(snapshot.at(i), expected.at(i)), qPrintable(QString::number(i)));

    QVERIFY(store.at(-1).isNull());
    QVERIFY(store.at(expected.size()).isNull());
    store.clear();
    QCOMPARE(store.count(), 0);
    QVERIFY(sameBits(snapshot.at(3), expected.at(3)));
}

void TestFrameStore::damagedDataGivesNoFrame()
{
    const QImage first = testFrame(0, QSize(200, 48), QImage::Format_RGB32);
    const QImage second = testFrame(1, QSize(200, 48), QImage::Format_RGB32);
    FrameCompressor compressor(1);
    FrameDecompressor decompressor;
    const QByteArray keyframe = compressor.compress(first);
    const QByteArray delta = compressor.compress(second, &first);
    QVERIFY(sameBits(decompressor.keyframe(keyframe, FrameShape::of(first)), first));
    const auto restoreDelta = [&](const QByteArray &data) {
        QImage frame = first;
        return decompressor.applyDelta(data, frame) ? frame : QImage();
    };
    QVERIFY(sameBits(restoreDelta(delta), second));
    QVERIFY(sameBits(first, testFrame(0, QSize(200, 48), QImage::Format_RGB32)));

    const std::function<QImage(const QByteArray &)> restorers[] = {
        [&](const QByteArray &data) { return decompressor.keyframe(data, FrameShape::of(first)); },
        restoreDelta};
    const QByteArray compressed[] = {keyframe, delta};
    for (int kind = 0; kind < 2; ++kind) {
        const QByteArray &data = compressed[kind];
        QByteArray flipped = data;
        flipped[flipped.size() / 2] = char(flipped.at(flipped.size() / 2) ^ 0x10);
        for (const QByteArray &damaged : {flipped, data.left(data.size() - 3)})
            QVERIFY(restorers[kind](damaged).isNull());
    }
    const FrameShape otherShape{32, 48, QImage::Format_RGB32};
    QVERIFY(decompressor.keyframe(keyframe, otherShape).isNull());
}

void TestFrameStore::snapshotReadsOnAnotherThreadWhileAppending()
{
    FrameStore::Options options = smallOptions(folder.path());
    options.memoryBudget = 16 * 1024;
    FrameStore store(options);
    const QList<QImage> frames = testFrames(60, QSize(80, 50), QImage::Format_RGB32);
    for (int i = 0; i < 20; ++i)
        store.append(frames.at(i));

    const FrameStore::Snapshot snapshot = store.snapshot();
    QCOMPARE(snapshot.count(), 20);
    std::atomic<int> mismatches{0};
    std::atomic<int> reads{0};
    std::thread reader([&] {
        for (int round = 0; round < 4; ++round)
            for (qsizetype i = snapshot.count() - 1; i >= 0; i -= 3, ++reads)
                if (!sameBits(snapshot.at(i), frames.at(i)))
                    ++mismatches;
    });
    for (int i = 20; i < frames.size(); ++i) {
        QVERIFY(store.append(frames.at(i)));
        QVERIFY(sameBits(store.at(i / 2), frames.at(i / 2)));
    }
    QCOMPARE(snapshot.count(), 20);
    QVERIFY(snapshot.at(20).isNull());
    store.clear();
    reader.join();
    QCOMPARE(mismatches.load(), 0);
    QVERIFY(reads.load() > 0);
}

void TestFrameStore::spillFileIsPrivateAndLeavesNothingBehind()
{
    QTemporaryDir spill;
    FrameStore::Options options = smallOptions(spill.path());
    options.memoryBudget = 0;
    auto store = std::make_unique<FrameStore>(options);
    const QList<QImage> frames = testFrames(8, QSize(64, 64), QImage::Format_RGB32);
    for (const QImage &frame : frames)
        store->append(frame);
    store->waitUntilStored();
    QVERIFY(store->diskBytes() > 0);

    // Nameless from the start: a crash now would leave nothing in the folder.
    QVERIFY(QDir(spill.path())
                .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    const QStringList open = openFilesIn(spill.path());
    QCOMPARE(open.size(), 1);
    struct stat status
    {
    };
    QCOMPARE(::stat(open.first().toLocal8Bit().constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));

    // A snapshot keeps the file as long as it reads from it; then the space is given back.
    auto snapshot = std::make_unique<FrameStore::Snapshot>(store->snapshot());
    store.reset();
    QVERIFY(sameBits(snapshot->at(7), frames.at(7)));
    QCOMPARE(openFilesIn(spill.path()).size(), 1);
    snapshot.reset();
    QVERIFY(openFilesIn(spill.path()).isEmpty());
}

void TestFrameStore::dropsFramesWhenCompressionFallsBehind()
{
    QSemaphore entered;
    QSemaphore release;
    FrameStore::Options options = smallOptions(folder.path());
    options.queueCapacity = 2;
    options.beforeCompress = [&] {
        entered.release();
        release.acquire();
    };
    FrameStore store(options);
    const QList<QImage> frames = testFrames(6, QSize(32, 32), QImage::Format_RGB32);

    QVERIFY(store.append(frames.at(0)));
    entered.acquire(); // frame 0 is in the compressor, which is stuck
    QVERIFY(store.append(frames.at(1)));
    QTest::ignoreMessage(QtWarningMsg,
                         "Frame store: dropping frames, compression is behind (1 dropped in all)");
    QVERIFY(!store.append(frames.at(2)));
    QVERIFY(!store.append(frames.at(3)));
    QCOMPARE(store.droppedCount(), 2);
    QCOMPARE(store.count(), 2);

    release.release(1000);
    store.waitUntilStored();
    QTest::ignoreMessage(QtWarningMsg, "Frame store: 2 frames dropped in a row (2 in all)");
    QVERIFY(store.append(frames.at(4)));
    store.waitUntilStored();
    QCOMPARE(store.count(), 3);
    for (const auto &[index, original] : {std::pair{0, 0}, {1, 1}, {2, 4}})
        QVERIFY(sameBits(store.at(index), frames.at(original)));
}

void TestFrameStore::waitingAppendKeepsEveryFrame()
{
    FrameStore::Options options = smallOptions(folder.path());
    options.queueCapacity = 2;
    // A compressor far slower than the producer fills the queue at once.
    options.beforeCompress = [] { std::this_thread::sleep_for(std::chrono::milliseconds(3)); };
    FrameStore store(options);
    const QList<QImage> frames = testFrames(12, QSize(32, 32), QImage::Format_RGB32);
    for (const QImage &frame : frames)
        QVERIFY(store.appendWaiting(frame));
    QVERIFY(!store.appendWaiting(QImage()));
    store.waitUntilStored();
    QCOMPARE(store.droppedCount(), 0);
    QCOMPARE(store.count(), frames.size());
    for (int i = 0; i < frames.size(); ++i)
        QVERIFY(sameBits(store.at(i), frames.at(i)));
}

void TestFrameStore::keepsFramesAndRefusesMoreWhenSpillFileFails_data()
{
    QTest::addColumn<QString>("spillFolder");
    QTest::addColumn<rlim_t>("fileSizeLimit");
    QTest::addColumn<QString>("reason");

    QTest::newRow("disk full") << folder.path() << rlim_t(40 * 1024) << "File too large";
    QTest::newRow("no folder") << folder.filePath(QStringLiteral("missing")) << RLIM_INFINITY
                               << "No such file or directory";
}

void TestFrameStore::keepsFramesAndRefusesMoreWhenSpillFileFails()
{
    QFETCH(QString, spillFolder);
    QFETCH(rlim_t, fileSizeLimit);
    QFETCH(QString, reason);

    // A file size limit makes writes beyond it fail as on a full disk, on a real file.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = std::min(fileSizeLimit, saved.rlim_max);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto restore = qScopeGuard([&] {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    });

    // The compressor waits until every frame is queued, so all of them are taken before it fails.
    QSemaphore queued;
    FrameStore::Options options = smallOptions(spillFolder);
    options.memoryBudget = 8 * 1024;
    options.beforeCompress = [&] {
        queued.acquire();
        queued.release();
    };
    FrameStore store(options);
    // Mostly noise, so that each frame takes about 8 KB and the limit is reached part way.
    const QList<QImage> frames = testFrames(20, QSize(96, 64), QImage::Format_RGB32);
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(QStringLiteral("^Frame store: cannot keep frames in the "
                                          "temporary folder .* \\(.*%1\\); no further "
                                          "frames are kept$")
                               .arg(reason)));
    for (const QImage &frame : frames)
        QVERIFY(store.append(frame));
    queued.release();
    store.waitUntilStored();
    QVERIFY(store.isFull());

    QTest::ignoreMessage(QtWarningMsg,
                         "Frame store: dropping frames, no room is left (1 dropped in all)");
    QVERIFY(!store.append(frames.first()));
    QCOMPARE(store.count(), frames.size());
    for (qsizetype i = frames.size() - 1; i >= 0; --i)
        QVERIFY2(sameBits(store.at(i), frames.at(i)), qPrintable(QString::number(i)));
}

QTEST_GUILESS_MAIN(TestFrameStore)
#include "tst_framestore.moc"
