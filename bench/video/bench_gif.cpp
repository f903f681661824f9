// GIF encoding speed on a recording of screen-like content, against ffmpeg on the same frames.

#include "gifencoder.h"
#include "screenlike.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr int frameCount = 150;
constexpr QSize frameSize(1920, 1080);
constexpr int fps = 25;

QList<QImage> screenLikeRecording()
{
    const ScreenLikeContent content(frameSize);
    QList<QImage> frames;
    for (int i = 0; i < frameCount; ++i)
        frames.append(content.frame(i));
    return frames;
}

// The median of three runs: the machine is shared, and one run can be caught by other work.
double secondsToEncode(const QList<QImage> &frames, int threads, QByteArray *gif)
{
    GifEncodeOptions options;
    options.threads = threads;
    std::array<double, 3> seconds{};
    for (double &run : seconds) {
        QElapsedTimer timer;
        timer.start();
        *gif = encodeGif(frames, 100 / fps, {}, options);
        run = timer.nsecsElapsed() / 1e9;
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[1];
}

// How long an encoding goes on once it is asked to stop half way through, in seconds: what a
// recorder closed during its encoding waits for.
double secondsToStop(const QList<QImage> &frames, double wholeSeconds)
{
    QElapsedTimer timer;
    std::atomic<qint64> askedNs{-1};
    GifEncodeOptions options;
    options.stopRequested = [&askedNs] { return askedNs >= 0; };
    timer.start();
    std::thread asker([&] {
        std::this_thread::sleep_for(std::chrono::duration<double>(wholeSeconds / 2));
        askedNs = timer.nsecsElapsed();
    });
    encodeGif(frames, 100 / fps, {}, options);
    const qint64 returnedNs = timer.nsecsElapsed();
    asker.join();
    return (returnedNs - askedNs) / 1e9;
}

bool writeRawVideo(const QList<QImage> &frames, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QImage &frame : frames)
        if (file.write(reinterpret_cast<const char *>(frame.constBits()), frame.sizeInBytes()) !=
            frame.sizeInBytes())
            return false;
    return true;
}

// Runs ffmpeg on the raw frames; returns the seconds it took, or a negative value on failure.
double secondsForFfmpeg(const QString &ffmpeg, const QString &raw, const QStringList &filter,
                        const QString &output)
{
    const QStringList arguments =
        ffmpegRawFrameInput(frameSize, fps, raw) + filter + QStringList{output};
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(ffmpeg, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e9;
}

double megabytes(qint64 bytes)
{
    return bytes / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QList<QImage> frames = screenLikeRecording();
    std::printf("%d frames of %dx%d, %d threads\n", frameCount, frameSize.width(),
                frameSize.height(), QThread::idealThreadCount());

    QByteArray gif;
    const double single = secondsToEncode(frames, 1, &gif);
    const double ours = secondsToEncode(frames, 0, &gif);
    std::printf("encodeGif, 1 thread:   %7.1f frames/s (%.3f s, median of 3)\n",
                frameCount / single, single);
    std::printf("encodeGif, all cores:  %7.1f frames/s (%.3f s, median of 3), %.1f MB\n",
                frameCount / ours, ours, megabytes(gif.size()));
    std::printf("encodeGif, stopped half way: returns %.0f ms after the request\n",
                secondsToStop(frames, ours) * 1000);

    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    QTemporaryDir folder;
    if (ffmpeg.isEmpty() || !folder.isValid()) {
        std::printf("ffmpeg comparison skipped: no ffmpeg or no temporary folder\n");
        return 0;
    }
    const QString raw = folder.filePath("frames.raw");
    if (!writeRawVideo(frames, raw)) {
        std::printf("ffmpeg comparison skipped: could not write %s\n", qPrintable(raw));
        return 0;
    }

    struct Peer
    {
        const char *name;
        QStringList filter;
    };
    const Peer peers[] = {
        {"ffmpeg plain", {}},
        {"ffmpeg palettegen",
         {"-filter_complex", "[0:v]split[a][b];[a]palettegen[p];[b][p]paletteuse"}},
    };
    int status = 0;
    for (const Peer &peer : peers) {
        const QString output = folder.filePath(QStringLiteral("%1.gif").arg(peer.name));
        const double seconds = secondsForFfmpeg(ffmpeg, raw, peer.filter, output);
        if (seconds < 0) {
            std::printf("%s: failed\n", peer.name);
            status = 1;
            continue;
        }
        std::printf("%-18s     %7.1f frames/s (%.3f s), %.1f MB; encodeGif is %.1fx faster\n",
                    peer.name, frameCount / seconds, seconds, megabytes(QFileInfo(output).size()),
                    seconds / ours);
    }
    return status;
}
