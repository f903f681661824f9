#include "mediaprobe.h"
#include "mp4encoder.h"
#include "mp4recorder.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// Four flat quadrants, so a swapped colour channel or a shifted picture shows at once.
QImage quadrants(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    painter.fillRect(0, 0, w, h, QColor(220, 30, 30));
    painter.fillRect(w, 0, size.width() - w, h, QColor(30, 200, 40));
    painter.fillRect(0, h, w, size.height() - h, QColor(30, 40, 220));
    painter.fillRect(w, h, size.width() - w, size.height() - h, QColor(240, 240, 240));
    return image;
}

bool closeTo(QColor actual, QColor expected)
{
    const int tolerance = 16;
    return qAbs(actual.red() - expected.red()) <= tolerance &&
           qAbs(actual.green() - expected.green()) <= tolerance &&
           qAbs(actual.blue() - expected.blue()) <= tolerance;
}

bool waitForStopped(Mp4Recorder &recorder, int timeoutMs = 30000)
{
    return QTest::qWaitFor([&] { return recorder.recorderState() == Mp4Recorder::StoppedState; },
                           timeoutMs);
}

// Sends each frame, waiting for room whenever the queue refuses one.
void sendAll(Mp4Recorder &recorder, const QImage &frame, const QList<qint64> &timesUs)
{
    for (const qint64 time : timesUs)
        QVERIFY(QTest::qWaitFor([&] { return recorder.sendVideoFrame(frame, time); }, 10000));
}

QList<qint64> evenTimes(int count, int fps)
{
    QList<qint64> times;
    for (int i = 0; i < count; ++i)
        times.append(qint64(i) * 1'000'000 / fps);
    return times;
}

} // namespace

class TestMp4Recorder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void writesH264AtItsSizeAndRate_data();
    void writesH264AtItsSizeAndRate();
    void timeStampsPickFrameSlots();
    void fullQueueRefusesThenSignalsReady();
    void stoppedStateReportedOnceForCompleteFile();
    void destroyedWhileRecordingCompletesFile();
    void audioWithoutInputDeviceGivesSilentFile();
    void unwritableLocationFailsToStart();
    void audioTrackSpansTheVideo();

private:
    QString path(const QString &name) const { return folder->filePath(name); }
    std::unique_ptr<QTemporaryDir> folder;
};

void TestMp4Recorder::initTestCase()
{
    // No sound server: the default audio input does not exist, and none is spawned.
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse/native");
}

void TestMp4Recorder::init()
{
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
}

void TestMp4Recorder::writesH264AtItsSizeAndRate_data()
{
    QTest::addColumn<QSize>("resolution");
    QTest::addColumn<QSize>("frameSize");
    QTest::addColumn<int>("fps");
    QTest::addColumn<QSize>("written");

    QTest::newRow("even, 25 fps") << QSize(320, 240) << QSize(320, 240) << 25 << QSize(320, 240);
    QTest::newRow("odd is cropped, 15 fps")
        << QSize(321, 241) << QSize(321, 241) << 15 << QSize(320, 240);
    QTest::newRow("scaled grab, 5 fps")
        << QSize(160, 121) << QSize(320, 242) << 5 << QSize(160, 120);
}

void TestMp4Recorder::writesH264AtItsSizeAndRate()
{
    QFETCH(QSize, resolution);
    QFETCH(QSize, frameSize);
    QFETCH(int, fps);
    QFETCH(QSize, written);

    const QString file = path("out.mp4");
    Mp4Recorder recorder;
    QSignalSpy errors(&recorder, &Mp4Recorder::errorOccurred);
    QVERIFY(recorder.start({file, resolution, fps, false}));
    const int frameCount = 2 * fps;
    sendAll(recorder, quadrants(frameSize), evenTimes(frameCount, fps));
    recorder.stop();
    QVERIFY(waitForStopped(recorder));
    QCOMPARE(errors.count(), 0);

    const QJsonObject probe = probeMedia(file);
    const QJsonObject video = mediaStream(probe, "video");
    QCOMPARE(video.value("codec_name").toString(), QString("h264"));
    QCOMPARE(video.value("pix_fmt").toString(), QString("yuv420p"));
    QCOMPARE(QSize(video.value("width").toInt(), video.value("height").toInt()), written);
    QCOMPARE(video.value("r_frame_rate").toString(), QStringLiteral("%1/1").arg(fps));
    QCOMPARE(video.value("nb_frames").toString().toInt(), frameCount);
    QVERIFY(mediaStream(probe, "audio").isEmpty());
    const double duration =
        probe.value("format").toObject().value("duration").toString().toDouble();
    QVERIFY2(qAbs(duration - 2.0) <= 0.2, qPrintable(QString::number(duration)));

    const QImage decoded = firstVideoFrame(file);
    QCOMPARE(decoded.size(), written);
    const int w = written.width(), h = written.height();
    QVERIFY(closeTo(decoded.pixelColor(w / 4, h / 4), QColor(220, 30, 30)));
    QVERIFY(closeTo(decoded.pixelColor(3 * w / 4, h / 4), QColor(30, 200, 40)));
    QVERIFY(closeTo(decoded.pixelColor(w / 4, 3 * h / 4), QColor(30, 40, 220)));
    QVERIFY(closeTo(decoded.pixelColor(3 * w / 4, 3 * h / 4), QColor(240, 240, 240)));
}

void TestMp4Recorder::timeStampsPickFrameSlots()
{
    // Late ticks leave gaps. Ticks that crowd together move on to the next free slot while it is
    // less than one slot after their time; a third tick within 2 ms has none and is dropped.
    const QList<qint64> sentMs = {0, 40, 80, 81, 82, 200, 243, 1000};
    const QList<double> expected = {0.0, 0.04, 0.08, 0.12, 0.2, 0.24, 1.0};

    const QString file = path("times.mp4");
    Mp4Recorder recorder;
    QVERIFY(recorder.start({file, QSize(64, 48), 25, false}));
    QList<qint64> sentUs;
    for (const qint64 ms : sentMs)
        sentUs.append(ms * 1000);
    sendAll(recorder, quadrants(QSize(64, 48)), sentUs);
    recorder.stop();
    QVERIFY(waitForStopped(recorder));

    const QList<double> times = videoFrameTimes(file);
    QCOMPARE(times.size(), expected.size());
    for (int i = 0; i < times.size(); ++i)
        QVERIFY2(qAbs(times[i] - expected[i]) < 0.001,
                 qPrintable(QStringLiteral("frame %1 at %2 s").arg(i).arg(times[i])));
    QCOMPARE(mediaStream(probeMedia(file), "video").value("r_frame_rate").toString(),
             QString("25/1"));
}

void TestMp4Recorder::fullQueueRefusesThenSignalsReady()
{
    Mp4Recorder recorder;
    Mp4Recorder::Settings settings{path("queue.mp4"), QSize(1920, 1080), 25, false};
    settings.queueLimit = 1;
    QVERIFY(recorder.start(settings));
    QSignalSpy ready(&recorder, &Mp4Recorder::readyToSendVideoFrame);

    const QImage frame = quadrants(QSize(1920, 1080));
    int accepted = 0;
    while (accepted < 50 && recorder.sendVideoFrame(frame, accepted * 40'000))
        ++accepted;
    QVERIFY2(accepted < 50, "a queue of one frame never refused a 1080p frame");
    QCOMPARE(ready.count(), 0);
    QVERIFY(ready.wait(10000));
    QVERIFY(recorder.sendVideoFrame(frame, accepted * 40'000));

    recorder.stop();
    QVERIFY(waitForStopped(recorder));
    QCOMPARE(mediaStream(probeMedia(path("queue.mp4")), "video").value("nb_frames").toString(),
             QString::number(accepted + 1));
}

void TestMp4Recorder::stoppedStateReportedOnceForCompleteFile()
{
    const QString file = path("once.mp4");
    Mp4Recorder recorder;
    QList<Mp4Recorder::RecorderState> states;
    int framesWhenStopped = -1;
    connect(
        &recorder, &Mp4Recorder::recorderStateChanged, this, [&](Mp4Recorder::RecorderState state) {
            states.append(state);
            if (state == Mp4Recorder::StoppedState)
                framesWhenStopped =
                    mediaStream(probeMedia(file), "video").value("nb_frames").toString().toInt();
        });
    QVERIFY(recorder.start({file, QSize(96, 64), 25, false}));
    sendAll(recorder, quadrants(QSize(96, 64)), evenTimes(10, 25));
    recorder.stop();
    recorder.stop();
    QVERIFY(!recorder.sendVideoFrame(quadrants(QSize(96, 64)), 400'000));
    QVERIFY(waitForStopped(recorder));
    recorder.stop();
    QTest::qWait(200);

    const QList<Mp4Recorder::RecorderState> expected = {Mp4Recorder::RecordingState,
                                                        Mp4Recorder::StoppedState};
    QCOMPARE(states, expected);
    QCOMPARE(framesWhenStopped, 10);
}

void TestMp4Recorder::destroyedWhileRecordingCompletesFile()
{
    const QString file = path("destroyed.mp4");
    {
        Mp4Recorder recorder;
        QVERIFY(recorder.start({file, QSize(96, 64), 25, false}));
        sendAll(recorder, quadrants(QSize(96, 64)), evenTimes(5, 25));
    }
    QCOMPARE(mediaStream(probeMedia(file), "video").value("nb_frames").toString(), QString("5"));
}

void TestMp4Recorder::audioWithoutInputDeviceGivesSilentFile()
{
    const QString file = path("silent.mp4");
    Mp4Recorder recorder;
    QSignalSpy errors(&recorder, &Mp4Recorder::errorOccurred);
    QVERIFY(recorder.start({file, QSize(96, 64), 25, true}));
    QVERIFY(!recorder.hasAudio());
    sendAll(recorder, quadrants(QSize(96, 64)), evenTimes(10, 25));
    recorder.stop();
    QVERIFY(waitForStopped(recorder));
    QCOMPARE(errors.count(), 0);
    const QJsonObject probe = probeMedia(file);
    QVERIFY(!mediaStream(probe, "video").isEmpty());
    QVERIFY(mediaStream(probe, "audio").isEmpty());
}

void TestMp4Recorder::unwritableLocationFailsToStart()
{
    Mp4Recorder recorder;
    QSignalSpy errors(&recorder, &Mp4Recorder::errorOccurred);
    QSignalSpy states(&recorder, &Mp4Recorder::recorderStateChanged);
    QVERIFY(!recorder.start({path("missing/folder/out.mp4"), QSize(96, 64), 25, false}));
    QCOMPARE(errors.count(), 1);
    QVERIFY(!recorder.errorString().isEmpty());
    QCOMPARE(states.count(), 0);
    QCOMPARE(recorder.recorderState(), Mp4Recorder::StoppedState);
    QVERIFY(!recorder.sendVideoFrame(quadrants(QSize(96, 64)), 0));

    // The recorder is usable again afterwards.
    QVERIFY(recorder.start({path("next.mp4"), QSize(96, 64), 25, false}));
    recorder.stop();
    QVERIFY(waitForStopped(recorder));
    QVERIFY(QFileInfo::exists(path("next.mp4")));
}

void TestMp4Recorder::audioTrackSpansTheVideo()
{
    // A device that starts 300 ms late and then delivers only half a second of a tone.
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    QByteArray tone(format.bytesForDuration(500'000), Qt::Uninitialized);
    auto *samples = reinterpret_cast<qint16 *>(tone.data());
    for (int i = 0; i < tone.size() / 2; ++i)
        samples[i] = qint16(10000 * std::sin(2 * M_PI * 440 * i / 44100.0));

    const QString file = path("late.mp4");
    Mp4Encoder encoder;
    QVERIFY(encoder.open({file, QSize(64, 48), 25, format}));
    const QImage frame = quadrants(QSize(64, 48));
    for (const qint64 time : evenTimes(50, 25))
        QVERIFY(encoder.writeVideo(frame, time));
    QVERIFY(encoder.writeAudio(tone, 300'000));
    QVERIFY2(encoder.finish(), qPrintable(encoder.errorString()));

    const QJsonObject audio = mediaStream(probeMedia(file), "audio");
    QVERIFY2(qAbs(audio.value("duration").toString().toDouble() - 2.0) < 0.05,
             qPrintable(audio.value("duration").toString()));
    const auto peak = [&](const char *trim) {
        return audioLevelDb(file, QStringLiteral("atrim=%1").arg(trim), "Peak level dB");
    };
    // Edges stay clear of the encoder's transform blocks, which smear a few milliseconds.
    QVERIFY(peak("0:0.2") < -60);
    QVERIFY(peak("0.35:0.75") > -15);
    QVERIFY(peak("0.9:2") < -60);
}

QTEST_MAIN(TestMp4Recorder)
#include "tst_mp4recorder.moc"
