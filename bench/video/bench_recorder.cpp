// Recording pace under X11: the recorder window records 20 s of a 1280x720 area at 25 fps to MP4
// while another process animates screen-like content under it; then the ffmpeg program grabs the
// same area at the same rate with x11grab and libx264 (preset veryfast). For each: frames captured
// as a share of those expected, the spread of the intervals between them, and CPU seconds per
// recorded second.

#include "screenlike.h"
#include "settingskeys.h"
#include "videorecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>
#include <QProcess>
#include <QRasterWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int fps = 25;
constexpr int seconds = 20;
constexpr QSize area(1280, 720);
const QPoint barPosition(100, 50);
// Below the bar, inside the left border.
const QPoint areaTopLeft = barPosition + QPoint(5, 39);

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

void wait(int ms)
{
    QEventLoop loop;
    // A coarse timer of 20 s may end a second early.
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Condition> bool waitFor(Condition condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        wait(20);
    }
    return true;
}

// The whole screen, repainted at the frame rate with a window moving across text.
class ContentWindow : public QRasterWindow
{
public:
    explicit ContentWindow(QSize size) : content(size)
    {
        setFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
        setGeometry(QRect(QPoint(), size));
        connect(&timer, &QTimer::timeout, this, [this] {
            ++step;
            update();
        });
        timer.start(1000 / fps);
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, content.frame(step)); }

private:
    ScreenLikeContent content;
    QTimer timer;
    int step = 0;
};

struct Pacing
{
    int frames = 0;
    double meanMs = 0;
    double deviationMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
    double cpuPerSecond = 0;
};

Pacing pacingOf(const QList<double> &timesMs, double cpu)
{
    Pacing pacing;
    pacing.frames = int(timesMs.size());
    pacing.cpuPerSecond = cpu / seconds;
    QList<double> intervals;
    for (qsizetype i = 1; i < timesMs.size(); ++i)
        intervals.append(timesMs[i] - timesMs[i - 1]);
    if (intervals.isEmpty())
        return pacing;
    double sum = 0;
    for (double interval : intervals)
        sum += interval;
    pacing.meanMs = sum / intervals.size();
    double squares = 0;
    for (double interval : intervals)
        squares += (interval - pacing.meanMs) * (interval - pacing.meanMs);
    pacing.deviationMs = std::sqrt(squares / intervals.size());
    std::sort(intervals.begin(), intervals.end());
    pacing.p99Ms = intervals[std::min(intervals.size() - 1, qsizetype(intervals.size() * 0.99))];
    pacing.maxMs = intervals.last();
    return pacing;
}

// Presentation times of the file's video packets, in ms.
QList<double> packetTimes(const QString &path)
{
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                            "packet=pts_time", "-of", "csv=p=0", path});
    probe.waitForFinished(60000);
    QList<double> times;
    for (const QByteArray &line : probe.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty())
            times.append(line.trimmed().toDouble() * 1000);
    std::sort(times.begin(), times.end());
    return times;
}

Pacing recordWithRecorder(qsizetype *dropped, int *written)
{
    QSettings settings = settingsStore();
    settings.setValue(SettingsKeys::VideoFormat, "mp4");
    settings.setValue(SettingsKeys::VideoFramerate, QString::number(fps));
    settings.setValue(SettingsKeys::VideoRecorderPosition, barPosition);
    settings.setValue(SettingsKeys::VideoRecorderCaptureSize, area);
    settings.sync();

    VideoRecord recorder;
    recorder.show();
    wait(1000);
    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer between;
    between.start();
    recorder.on_bt_start_rec_clicked();
    wait(seconds * 1000);
    recorder.on_bt_start_rec_clicked();
    const double elapsed = between.elapsed() / 1000.0;
    waitFor([&] { return recorder.mediaRecorder()->recorderState() == Mp4Recorder::StoppedState; },
            120000);
    const double cpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    QList<double> times;
    for (qint64 t : recorder.recordedFrameTimes())
        times.append(double(t));
    std::printf("recorder: frames span %.2f s of the %.2f s between start and stop\n",
                recorder.recordingDurationMs() / 1000.0, elapsed);
    *dropped = recorder.recordedFrames().droppedCount();
    *written = int(packetTimes(recorder.resultPath()).size());
    return pacingOf(times, cpu);
}

Pacing recordWithFfmpeg(const QString &path)
{
    const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString input = qEnvironmentVariable("DISPLAY") +
                          QStringLiteral("+%1,%2").arg(areaTopLeft.x()).arg(areaTopLeft.y());
    ffmpeg.start("ffmpeg", {"-y",
                            "-v",
                            "error",
                            "-f",
                            "x11grab",
                            "-framerate",
                            QString::number(fps),
                            "-video_size",
                            QStringLiteral("%1x%2").arg(area.width()).arg(area.height()),
                            "-i",
                            input,
                            "-t",
                            QString::number(seconds),
                            "-c:v",
                            "libx264",
                            "-preset",
                            "veryfast",
                            "-pix_fmt",
                            "yuv420p",
                            path});
    ffmpeg.waitForFinished(seconds * 1000 + 120000);
    const double cpu = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    return pacingOf(packetTimes(path), cpu);
}

void print(const char *name, const Pacing &pacing)
{
    const int expected = fps * seconds;
    std::printf("%-22s %5d of %d frames (%5.1f %%), interval mean %5.1f ms, sd %5.1f ms, "
                "p99 %5.1f ms, max %6.1f ms, CPU %.3f s per recorded s\n",
                name, pacing.frames, expected, 100.0 * pacing.frames / expected, pacing.meanMs,
                pacing.deviationMs, pacing.p99Ms, pacing.maxMs, pacing.cpuPerSecond);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    // The recorder's settings and temporary files stay out of the user's.
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("TMPDIR", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--content") {
        ContentWindow content(QGuiApplication::primaryScreen()->size());
        content.show();
        return app.exec();
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::printf("bench_recorder needs an X server\n");
        return 0;
    }

    QProcess content;
    content.start(QCoreApplication::applicationFilePath(), {"--content"});
    content.waitForStarted();
    wait(1500);

    qsizetype dropped = 0;
    int written = 0;
    const Pacing ours = recordWithRecorder(&dropped, &written);
    const Pacing peer = recordWithFfmpeg(home.filePath("x11grab.mp4"));
    content.kill();
    content.waitForFinished();

    std::printf("Recording pace: %dx%d at %d fps for %d s, screen-like content moving under it\n",
                area.width(), area.height(), fps, seconds);
    print("recorder (frame store)", ours);
    std::printf("%-22s %5d frames in the MP4 file, %lld dropped by the frame store\n", "", written,
                static_cast<long long>(dropped));
    print("ffmpeg x11grab", peer);
    if (peer.cpuPerSecond > 0)
        std::printf("CPU ratio recorder / ffmpeg: %.2f\n", ours.cpuPerSecond / peer.cpuPerSecond);
    return 0;
}
