#include "mediaprobe.h"
#include "sinesoundserver.h"
#include "xsession.h"

#include <QDir>
#include <QPainter>
#include <QRasterWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gif_lib.h>

#include <memory>

namespace {

constexpr int recordMs = 3000;
const QPoint barPosition(100, 100);
const QSize captureSize(400, 240);

// A small window sliding to and fro across the capture area, so that the frames differ.
class MovingWindow : public QRasterWindow
{
public:
    MovingWindow()
    {
        setFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
        setGeometry(QRect(origin(), QSize(80, 60)));
        connect(&timer, &QTimer::timeout, this, [this] {
            step = (step + 1) % 40;
            setPosition(origin() + QPoint(std::abs(20 - step) * 10, step * 2));
        });
        timer.start(40);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(QRect(QPoint(), size()), QColor(200, 40, 40));
    }

private:
    static QPoint origin() { return barPosition + QPoint(20, 39 + 40); }

    QTimer timer;
    int step = 0;
};

struct GifInfo
{
    int frames = 0;
    QSize size;
};

// The file's frames, or nothing while it is still being written.
GifInfo readGif(const QString &path)
{
    int error = 0;
    GifFileType *file = DGifOpenFileName(qPrintable(path), &error);
    if (!file)
        return {};
    const std::unique_ptr<GifFileType, void (*)(GifFileType *)> closer(
        file, [](GifFileType *f) { DGifCloseFile(f, nullptr); });
    if (DGifSlurp(file) != GIF_OK)
        return {};
    return {file->ImageCount, QSize(file->SWidth, file->SHeight)};
}

} // namespace

// The real binary records a moving window from its tray menu, as a person would: GIF and MP4,
// with a microphone and without.
class VideoEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void barAndCornerAreDraggedAndKept();
    void recordsGif();
    void recordsSilentMp4WithoutSoundServer();
    void recordsMicrophoneIntoMp4();
    void annotationsAreSavedForTheirTime_data();
    void annotationsAreSavedForTheirTime();

private:
    // Starts the program and opens a recorder from the tray menu; returns the bar's frame.
    QRect openRecorder(XSession &session);
    static void storeSettings(const XSession &session, const QString &format, bool microphone);
    // Clicks "• Record" on the bar, waits about three seconds and clicks "◼ Stop".
    static void recordFromBar(const QRect &bar);
    // Records about three seconds and returns a copy of the finished file, or an empty string
    // with the step that failed in `failure`.
    QString record(const QString &format, bool microphone, QTemporaryDir &folder);

    QString failure;
};

void VideoEndToEnd::init()
{
    if (!XSession().isUsable())
        QSKIP("needs an X server and xdotool");
    failure.clear();
}

QRect VideoEndToEnd::openRecorder(XSession &session)
{
    failure = "the program did not start";
    if (!session.start())
        return {};
    failure = "no tray icon appeared";
    const QList<QRect> icons = session.waitForWindows(QSize(64, 64), 10000);
    if (icons.isEmpty())
        return {};
    const QPoint icon = icons.first().center();
    XSession::xdotool({"mousemove", QString::number(icon.x()), QString::number(icon.y())});
    XSession::xdotool({"click", "3"});
    QTest::qWait(700);
    XSession::xdotool({"key", "Down", "Down", "Down", "Return"});
    failure = "the recorder did not open";
    return session.waitForWindowNamed("Video Recorder", 5000);
}

void VideoEndToEnd::storeSettings(const XSession &session, const QString &format, bool microphone)
{
    QDir().mkpath(QFileInfo(session.settingsFile()).path());
    QSettings settings(session.settingsFile(), QSettings::IniFormat);
    settings.setValue("videoFormat", format);
    settings.setValue("videoFramerate", "25");
    settings.setValue("recordMicrophone", microphone);
    settings.setValue("videoRecorderPosition", barPosition);
    settings.setValue("videoRecorderCaptureSize", captureSize);
}

void VideoEndToEnd::recordFromBar(const QRect &bar)
{
    // "• Record" is the bar's first button; it turns into "◼ Stop".
    const QPoint button = bar.topLeft() + QPoint(6 + 37, 19);
    XSession::xdotool({"mousemove", QString::number(button.x()), QString::number(button.y())});
    QTest::qWait(300);
    XSession::xdotool({"click", "1"});
    QTest::qWait(recordMs);
    XSession::xdotool({"click", "1"});
}

QString VideoEndToEnd::record(const QString &format, bool microphone, QTemporaryDir &folder)
{
    XSession session;
    session.setEnvironment("TMPDIR", folder.path());
    storeSettings(session, format, microphone);
    MovingWindow moving;
    moving.show();
    const QRect bar = openRecorder(session);
    failure = "the recorder did not open at its stored place";
    if (bar.topLeft() != barPosition)
        return {};

    recordFromBar(bar);

    const QString pattern = "videostream*." + format;
    QString result;
    const bool finished = QTest::qWaitFor(
        [&] {
            const QStringList files = QDir(folder.path()).entryList({pattern}, QDir::Files);
            if (files.isEmpty())
                return false;
            const QString path = folder.filePath(files.first());
            const bool complete = format == "gif" ? readGif(path).frames > 0
                                                  : !mediaStream(probeMedia(path), "video")
                                                         .value("duration")
                                                         .toString()
                                                         .isEmpty();
            if (complete)
                result = path;
            return complete;
        },
        30000);
    failure = "no finished file appeared";
    if (!finished)
        return {};
    failure.clear();
    // The recorder removes its temporary file when it closes: keep a copy.
    const QString kept = folder.filePath("recorded." + format);
    QFile::copy(result, kept);
    return kept;
}

void VideoEndToEnd::barAndCornerAreDraggedAndKept()
{
    XSession session;
    storeSettings(session, "gif", false);
    const QRect bar = openRecorder(session);
    QCOMPARE(bar, QRect(barPosition, QSize(captureSize.width() + 10, 39)));

    // The handle lies between the bar's buttons and its close button.
    const QPoint handle(bar.right() - 40, bar.center().y());
    XSession::drag(handle, handle + QPoint(150, 80));
    const QPoint moved = barPosition + QPoint(150, 80);
    QTRY_COMPARE(session.waitForWindowNamed("Video Recorder", 1000).topLeft(), moved);

    // The corner piece lies below the right border, right of the bottom border.
    const QPoint corner = moved + QPoint(captureSize.width() + 7, 39 + captureSize.height() + 2);
    XSession::drag(corner, corner + QPoint(100, 50));
    const QSize resized = captureSize + QSize(100, 50);
    QTRY_COMPARE(session.waitForWindowNamed("Video Recorder", 1000).width(), resized.width() + 10);

    QSettings stored(session.settingsFile(), QSettings::IniFormat);
    QTRY_COMPARE((stored.sync(), stored.value("videoRecorderCaptureSize").toSize()), resized);
    QCOMPARE(stored.value("videoRecorderPosition").toPoint(), moved);
}

void VideoEndToEnd::recordsGif()
{
    QTemporaryDir folder;
    const QString path = record("gif", false, folder);
    QVERIFY2(!path.isEmpty(), qPrintable(failure));
    const GifInfo gif = readGif(path);
    QCOMPARE(gif.size, captureSize);
    const int expected = recordMs * 25 / 1000;
    QVERIFY2(qAbs(gif.frames - expected) <= expected * 15 / 100,
             qPrintable(QStringLiteral("%1 frames").arg(gif.frames)));
}

void VideoEndToEnd::recordsSilentMp4WithoutSoundServer()
{
    QTemporaryDir folder;
    // No sound server to find, and none started on demand.
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse/native");
    const QString path = record("mp4", true, folder);
    qunsetenv("PULSE_SERVER");
    QVERIFY2(!path.isEmpty(), qPrintable(failure));
    const QJsonObject probe = probeMedia(path);
    const QJsonObject video = mediaStream(probe, "video");
    QCOMPARE(video.value("codec_name").toString(), QString("h264"));
    QCOMPARE(QSize(video.value("width").toInt(), video.value("height").toInt()), captureSize);
    QCOMPARE(video.value("r_frame_rate").toString(), QString("25/1"));
    const double seconds = video.value("duration").toString().toDouble();
    QVERIFY2(qAbs(seconds - recordMs / 1000.0) <= 0.1 * recordMs / 1000.0,
             qPrintable(QString::number(seconds)));
    QVERIFY(mediaStream(probe, "audio").isEmpty());
}

void VideoEndToEnd::recordsMicrophoneIntoMp4()
{
    SineSoundServer sound;
    QVERIFY2(sound.start(), "the private PulseAudio server did not start");
    QTemporaryDir folder;
    const QString path = record("mp4", true, folder);
    QVERIFY2(!path.isEmpty(), qPrintable(failure));
    const QJsonObject audio = mediaStream(probeMedia(path), "audio");
    QCOMPARE(audio.value("codec_name").toString(), QString("aac"));
    const double whole = audioLevelDb(path, "anull", "RMS level dB");
    const double tone = audioLevelDb(path, "bandpass=f=440:width_type=h:w=100", "RMS level dB");
    QVERIFY2(whole > -25, qPrintable(QString::number(whole)));
    QVERIFY2(whole - tone < 3, qPrintable(QStringLiteral("%1 / %2").arg(whole).arg(tone)));
}

namespace {

// Pixels of the editor's first colour, (255, 60, 60), as a video encoder leaves them.
int annotationPixels(const QImage &frame, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = frame.pixelColor(x, y);
            count += pixel.red() > 190 && pixel.green() < 120 && pixel.blue() < 120;
        }
    return count;
}

} // namespace

void VideoEndToEnd::annotationsAreSavedForTheirTime_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("muxerOnPath");
    QTest::newRow("gif") << "gif" << true;
    QTest::newRow("mp4 with microphone") << "mp4" << true;
    // The program puts the sound in itself.
    QTest::newRow("mp4 with microphone, no ffmpeg") << "mp4" << false;
}

// Records, draws an arrow in the left half and types a text in the right half from the middle of
// the recording on, and saves: the saved frames show both from there on and nothing before, and
// an MP4 keeps its sound.
void VideoEndToEnd::annotationsAreSavedForTheirTime()
{
    QFETCH(QString, format);
    QFETCH(bool, muxerOnPath);
    const bool microphone = format == "mp4";
    SineSoundServer sound;
    if (microphone)
        QVERIFY2(sound.start(), "the private PulseAudio server did not start");
    XSession session;
    const QTemporaryDir emptyFolder;
    if (!muxerOnPath)
        session.setEnvironment("PATH", emptyFolder.path());
    storeSettings(session, format, microphone);
    const QRect bar = openRecorder(session);
    QVERIFY2(bar.isValid(), qPrintable(failure));
    recordFromBar(bar);

    const QRect editor = session.waitForWindowNamed("Video editor", 30000);
    QVERIFY2(editor.isValid(), "the editor did not open");
    session.focusWindowNamed("Video editor");
    // The frame lies centred above the timeline (64 pixels) and the toolbar (44).
    const QRect view(editor.topLeft(), QSize(editor.width(), editor.height() - 64 - 44));
    const QPoint frame = view.topLeft() + QPoint((view.width() - captureSize.width()) / 2,
                                                 (view.height() - captureSize.height()) / 2);
    const auto clickAt = [](const QPoint &point) {
        XSession::xdotool({"mousemove", QString::number(point.x()), QString::number(point.y())});
        XSession::xdotool({"click", "1"});
    };
    // The tool buttons are 34 pixels square, 6 apart, from 8 pixels in.
    const auto toolAt = [&](int kind) {
        return QPoint(editor.left() + 8 + 17 + kind * 40, editor.bottom() - 21);
    };
    // Half way along the timeline's strip.
    clickAt(QPoint(editor.center().x(), view.bottom() + 20));
    QTest::qWait(200);
    clickAt(toolAt(0));
    QTest::qWait(200);
    XSession::drag(frame + QPoint(30, 40), frame + QPoint(170, 200));
    clickAt(toolAt(3));
    QTest::qWait(200);
    clickAt(frame + QPoint(230, 100));
    QTest::qWait(200);
    XSession::type("Hi there");
    clickAt(toolAt(3));
    QTest::qWait(200);

    session.focusWindowNamed("Video editor");
    XSession::key("ctrl+s");
    QVERIFY2(session.waitForWindowNamed("Save As", 30000).isValid(), "no save dialog opened");
    session.focusWindowNamed("Save As");
    XSession::key("ctrl+a");
    XSession::type("annotated");
    XSession::key("Return");
    QVERIFY(session.waitUntilNoWindowNamed("Save As", 5000));
    const QString saved = session.home() + "/Desktop/Quorvel/annotated." + format;
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), 10000);

    const QList<QImage> frames = videoFrames(saved);
    const QList<double> times = videoFrameTimes(saved);
    QVERIFY(frames.size() > 40);
    QCOMPARE(frames.size(), times.size());
    const QRect left(0, 0, captureSize.width() / 2, captureSize.height());
    const QRect right(captureSize.width() / 2, 0, captureSize.width() / 2, captureSize.height());
    const double middle = recordMs / 2000.0;
    for (qsizetype i = 0; i < frames.size(); ++i) {
        const double t = times.at(i) - times.first();
        const int arrow = annotationPixels(frames.at(i), left);
        const int text = annotationPixels(frames.at(i), right);
        const QString what =
            QStringLiteral("frame at %1 s: %2 and %3 pixels").arg(t).arg(arrow).arg(text);
        if (t < middle - 0.5)
            QVERIFY2(arrow == 0 && text == 0, qPrintable(what));
        else if (t > middle + 0.5)
            QVERIFY2(arrow > 200 && text > 40, qPrintable(what));
    }
    if (microphone)
        QCOMPARE(mediaStream(probeMedia(saved), "audio").value("codec_name").toString(),
                 QString("aac"));
}

QTEST_MAIN(VideoEndToEnd)
#include "tst_video_e2e.moc"
