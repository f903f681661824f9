// Five minutes of full-HD screen recording through the frame store: peak memory, disk, the cost of
// appending on the recording thread, how fast frames are compressed, and reading frames back.

#include "benchfigures.h"
#include "framestore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr QSize frameSize(1920, 1080);
constexpr int fps = 25;
constexpr QRect scrollWindow(60, 50, 900, 700);
constexpr int titleHeight = 28;
constexpr QSize movingSize(640, 420);
constexpr QRect videoPatch(1360, 700, 480, 270);

QImage textImage(QSize size, QColor background, int firstLine)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setPen(QColor(30, 30, 30));
    for (int line = 0; 16 + line * 18 < size.height(); ++line)
        painter.drawText(QPoint(12, 16 + line * 18),
                         QStringLiteral("%1  int value = compute(%2, \"text\"); // status %3")
                             .arg(firstLine + line, 4)
                             .arg(line * 7)
                             .arg(line % 5));
    return image;
}

void drawTitle(QPainter &painter, QRect window, const QString &title)
{
    painter.fillRect(QRect(window.topLeft(), QSize(window.width(), titleHeight)),
                     QColor(60, 64, 72));
    painter.setPen(Qt::white);
    painter.drawText(window.topLeft() + QPoint(10, 19), title);
}

// Screen-like content made cheaply from pictures drawn once: an editor whose text scrolls, a
// window that moves across the desktop and a video playing in a corner. Frame i is always the
// same picture, so frames read back can be checked against a fresh copy.
class ScreenContent
{
public:
    ScreenContent()
        : scrollText(textImage(QSize(scrollWindow.width(), 3600), QColor(250, 250, 248), 1)),
          noise(std::size_t(videoPatch.width()) * videoPatch.height() * 2)
    {
        // A panel along the top and a wallpaper that darkens towards the bottom.
        desktop = QImage(frameSize, QImage::Format_RGB32);
        QPainter painter(&desktop);
        QLinearGradient wallpaper(QPointF(0, 0), QPointF(0, frameSize.height()));
        wallpaper.setStops({{0, QColor(48, 96, 120)}, {0.6, QColor(30, 50, 70)}, {1, Qt::black}});
        painter.fillRect(desktop.rect(), wallpaper);
        painter.fillRect(QRect(QPoint(), QSize(frameSize.width(), 24)), QColor(24, 24, 28));
        drawTitle(painter, scrollWindow, QStringLiteral("editor.cpp"));

        moving = QImage(movingSize, QImage::Format_RGB32);
        QPainter windowPainter(&moving);
        windowPainter.drawImage(QPoint(0, titleHeight),
                                textImage(movingSize, QColor(255, 252, 220), 500));
        drawTitle(windowPainter, QRect(QPoint(), movingSize), QStringLiteral("Notes"));

        QRandomGenerator random(1);
        for (quint8 &value : noise)
            value = quint8(random.bounded(24));
    }

    QImage frame(int index) const
    {
        QImage frame = desktop.copy();
        QPainter painter(&frame);
        const int bodyHeight = scrollWindow.height() - titleHeight;
        const int scroll = (index * 3) % (scrollText.height() - bodyHeight);
        painter.drawImage(scrollWindow.topLeft() + QPoint(0, titleHeight), scrollText,
                          QRect(0, scroll, scrollWindow.width(), bodyHeight));
        const int travel = 2 * (frameSize.width() - movingSize.width());
        const int x = (index * 6) % travel;
        painter.drawImage(QPoint(std::min(x, travel - x), 300 + (index * 2) % 300), moving);
        painter.end();
        drawVideo(frame, index);
        return frame;
    }

private:
    // A moving gradient with grain: changes everywhere in every frame, a little, like video.
    void drawVideo(QImage &frame, int index) const
    {
        const std::size_t offset = std::size_t(index) * 7919 % (noise.size() / 2);
        for (int y = 0; y < videoPatch.height(); ++y) {
            auto *row =
                reinterpret_cast<QRgb *>(frame.scanLine(videoPatch.top() + y)) + videoPatch.left();
            const quint8 *grain = noise.data() + offset + std::size_t(y) * videoPatch.width();
            for (int x = 0; x < videoPatch.width(); ++x)
                row[x] = qRgb((x + index * 4) / 2 % 200 + grain[x], (y + index) % 200 + grain[x],
                              120 + (x + y) % 64 + grain[x]);
        }
    }

    QImage desktop;
    QImage scrollText;
    QImage moving;
    std::vector<quint8> noise;
};

bool sameBits(const QImage &a, const QImage &b)
{
    return a.size() == b.size() && a.format() == b.format() &&
           std::memcmp(a.constBits(), b.constBits(), std::size_t(a.sizeInBytes())) == 0;
}

double cpuMilliseconds(clockid_t clock)
{
    timespec time{};
    clock_gettime(clock, &time);
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

double millisecondsSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Appends every frame as fast as the store takes them; waiting for room in the queue is not counted
// as append time.
void recordFlatOut(FrameStore &store, const ScreenContent &content, int frameCount)
{
    const FrameStore::Options defaults;
    std::vector<double> appendMs;
    double generateMs = 0;
    const double processCpuStart = cpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID);
    const double ownCpuStart = cpuMilliseconds(CLOCK_THREAD_CPUTIME_ID);
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < frameCount; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage frame = content.frame(i);
        generateMs += millisecondsSince(timer);
        while (store.queuedCount() >= defaults.queueCapacity)
            QThread::usleep(500);
        timer.restart();
        store.append(frame);
        appendMs.push_back(millisecondsSince(timer));
    }
    store.waitUntilStored();
    const double seconds = wall.nsecsElapsed() / 1e9;
    // Everything but this thread is the store's compressor.
    const double compressorCpuMs = cpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID) - processCpuStart -
                                   (cpuMilliseconds(CLOCK_THREAD_CPUTIME_ID) - ownCpuStart);
    const Spread append = spreadOf(appendMs);
    std::printf("append on the recording thread: median %.3f ms, p99 %.3f ms, max %.3f ms\n",
                append.median, append.p99, append.max);
    std::printf("compression keeps up with %.1f frames/s (%.2fx the %d fps needed; %d frames in "
                "%.1f s, making the frames took %.1f s of it)\n",
                frameCount / seconds, frameCount / seconds / fps, fps, frameCount, seconds,
                generateMs / 1000);
    std::printf("compressor CPU: %.1f ms per frame, %.0f%% of one core at %d fps\n",
                compressorCpuMs / frameCount, compressorCpuMs / frameCount * fps / 10, fps);
}

// Appends at the recording's pace, as the recorder does, and counts frames the store refuses.
void recordPaced(const ScreenContent &content, int frameCount)
{
    FrameStore store;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < frameCount; ++i) {
        const qint64 due = qint64(i) * 1000 / fps;
        while (clock.elapsed() < due)
            QThread::msleep(1);
        store.append(content.frame(i));
    }
    store.waitUntilStored();
    std::printf("paced at %d fps for %d s: %lld of %d frames kept, %lld dropped\n", fps,
                frameCount / fps, static_cast<long long>(store.count()), frameCount,
                static_cast<long long>(store.droppedCount()));
}

void readBack(const FrameStore &store, const ScreenContent &content, int frameCount)
{
    QRandomGenerator random(2);
    std::vector<double> randomMs;
    int identical = 0;
    const int samples = std::min(frameCount, 100);
    for (int n = 0; n < samples; ++n) {
        const int index = random.bounded(frameCount);
        QElapsedTimer timer;
        timer.start();
        const QImage frame = store.at(index);
        randomMs.push_back(millisecondsSince(timer));
        if (n < 20)
            identical += sameBits(frame, content.frame(index));
    }
    const int start = random.bounded(std::max(1, frameCount - 250));
    const int run = std::min(250, frameCount - start);
    QElapsedTimer timer;
    timer.start();
    for (int i = start; i < start + run; ++i)
        store.at(i);
    const double sequentialMs = millisecondsSince(timer) / run;
    const Spread read = spreadOf(randomMs);
    std::printf("random frame read: median %.1f ms, p99 %.1f ms; in order (playback): %.1f ms per "
                "frame\n",
                read.median, read.p99, sequentialMs);
    std::printf("frames checked bit for bit against the originals: %d of %d identical\n", identical,
                std::min(samples, 20));
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const int seconds = quick ? 20 : 300;
    const int frameCount = seconds * fps;

    const ScreenContent content;
    std::printf("%d s of %dx%d at %d fps (%d frames)%s, %d cores\n", seconds, frameSize.width(),
                frameSize.height(), fps, frameCount, quick ? " [--quick]" : "",
                QThread::idealThreadCount());
    FrameStore store;
    recordFlatOut(store, content, frameCount);
    const qint64 raw = qint64(frameCount) * frameSize.width() * frameSize.height() * 4;
    const qint64 kept = store.memoryBytes() + store.diskBytes();
    std::printf("kept: %.0f MB in memory, %.0f MB on disk (%.1f KB per frame; %.0f MB "
                "uncompressed, %.0fx smaller)\n",
                megabytes(store.memoryBytes()), megabytes(store.diskBytes()),
                kept / 1024.0 / frameCount, megabytes(raw),
                double(raw) / std::max<qint64>(1, kept));
    readBack(store, content, frameCount);
    const qint64 peak = peakResidentBytes();
    std::printf("peak resident memory (VmHWM): %.0f MB (target <= 1024 MB, limit 2048 MB)\n",
                megabytes(peak));
    store.clear();
    recordPaced(content, (quick ? 4 : 20) * fps);
    return peak > 0 && peak <= qint64(2048) << 20 ? 0 : 1;
}
