// MP4 recording speed at 1920x1080 on screen-like content: seconds of video written per second
// of wall time, frames handed over as fast as the recorder takes them; against the ffmpeg
// program encoding the same frames from a pipe with libx264 at the same preset.

#include "mp4recorder.h"
#include "screenlike.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr QSize frameSize(1920, 1080);
constexpr int fps = 25;
constexpr int frameCount = 250;
// Distinct pictures, played forth and back so the motion stays smooth without holding
// 250 full frames in memory.
constexpr int distinctFrames = 60;

// Of this process and of the children it has waited for.
double cpuSeconds()
{
    const auto seconds = [](int who) {
        rusage usage{};
        getrusage(who, &usage);
        return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
               usage.ru_stime.tv_usec / 1e6;
    };
    return seconds(RUSAGE_SELF) + seconds(RUSAGE_CHILDREN);
}

const QImage &pictureAt(const QList<QImage> &pictures, int i)
{
    const int period = 2 * (int(pictures.size()) - 1);
    const int step = i % period;
    return pictures[step < pictures.size() ? step : period - step];
}

struct Run
{
    double wallSeconds = 0;
    double cpuSeconds = 0;
    qint64 bytes = 0;
    bool ok = false;
};

// Runs the recording and fills in the figures around it; the recording says whether it worked.
template <typename Recording> Run measure(const QString &path, Recording recording)
{
    Run run;
    const double cpuAtStart = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    run.ok = recording();
    run.wallSeconds = clock.nsecsElapsed() / 1e9;
    run.cpuSeconds = cpuSeconds() - cpuAtStart;
    run.bytes = QFileInfo(path).size();
    run.ok = run.ok && run.bytes > 0;
    return run;
}

bool recordWithMp4Recorder(const QList<QImage> &pictures, const QString &path)
{
    Mp4Recorder recorder;
    QEventLoop loop;
    QObject::connect(&recorder, &Mp4Recorder::readyToSendVideoFrame, &loop, &QEventLoop::quit);
    QObject::connect(&recorder, &Mp4Recorder::recorderStateChanged, &loop, &QEventLoop::quit);
    bool failed = false;
    QObject::connect(&recorder, &Mp4Recorder::errorOccurred, [&](const QString &error) {
        std::printf("recorder error: %s\n", qPrintable(error));
        failed = true;
    });
    if (!recorder.start({path, frameSize, fps, false}))
        return false;
    for (int i = 0; i < frameCount && !failed; ++i)
        while (!recorder.sendVideoFrame(pictureAt(pictures, i), qint64(i) * 1'000'000 / fps))
            loop.exec();
    recorder.stop();
    while (recorder.recorderState() != Mp4Recorder::StoppedState)
        loop.exec();
    return !failed;
}

bool recordWithFfmpeg(const QString &ffmpeg, const QList<QImage> &pictures, const QString &path)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(ffmpeg, ffmpegRawFrameInput(frameSize, fps, "-") +
                              QStringList{"-c:v", "libx264", "-preset", "veryfast", "-pix_fmt",
                                          "yuv420p", "-movflags", "+faststart", path});
    if (!process.waitForStarted())
        return false;
    for (int i = 0; i < frameCount; ++i) {
        const QImage &picture = pictureAt(pictures, i);
        process.write(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes());
        while (process.bytesToWrite() > 0)
            if (!process.waitForBytesWritten(-1))
                return false;
    }
    process.closeWriteChannel();
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The median of three runs: the machine is shared, and one run can be caught by other work.
template <typename Recording> Run medianRun(const QString &path, Recording recording)
{
    std::array<Run, 3> runs;
    for (Run &run : runs)
        if (!(run = measure(path, recording)).ok)
            return run;
    std::sort(runs.begin(), runs.end(),
              [](const Run &a, const Run &b) { return a.wallSeconds < b.wallSeconds; });
    return runs[1];
}

void print(const char *name, const Run &run)
{
    const double videoSeconds = double(frameCount) / fps;
    std::printf("%-12s %.2f s of video per wall second (%.1f frames/s, %.3f s, median of 3), "
                "%.2f CPU s per video s, %.2f MB\n",
                name, videoSeconds / run.wallSeconds, frameCount / run.wallSeconds, run.wallSeconds,
                run.cpuSeconds / videoSeconds, run.bytes / (1024.0 * 1024.0));
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const ScreenLikeContent content(frameSize);
    QList<QImage> pictures;
    for (int i = 0; i < distinctFrames; ++i)
        pictures.append(content.frame(i));

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    std::printf("%d frames of %dx%d at %d fps (%.0f s of video), %d threads\n", frameCount,
                frameSize.width(), frameSize.height(), fps, double(frameCount) / fps,
                QThread::idealThreadCount());
    const QString path = folder.filePath("bench.mp4");
    const Run ours = medianRun(path, [&] { return recordWithMp4Recorder(pictures, path); });
    if (!ours.ok) {
        std::printf("Mp4Recorder: recording failed\n");
        return 1;
    }
    print("Mp4Recorder:", ours);

    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty()) {
        std::printf("ffmpeg comparison skipped: no ffmpeg\n");
        return 0;
    }
    const Run peer = medianRun(path, [&] { return recordWithFfmpeg(ffmpeg, pictures, path); });
    if (!peer.ok) {
        std::printf("ffmpeg: failed\n");
        return 1;
    }
    print("ffmpeg:", peer);
    std::printf("Mp4Recorder is %.2fx as fast as ffmpeg and uses %.2fx its CPU time\n",
                peer.wallSeconds / ours.wallSeconds, ours.cpuSeconds / peer.cpuSeconds);
    return 0;
}
