#include "mediaprobe.h"
#include "mp4recorder.h"
#include "sinesoundserver.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtTest>

namespace {

double secondsOf(const QJsonObject &stream, const char *key)
{
    return stream.value(key).toString().toDouble();
}

} // namespace

class TestMp4Audio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void microphoneToneIsRecordedInStep();

private:
    SineSoundServer sound;
};

void TestMp4Audio::initTestCase()
{
    QVERIFY2(sound.start(), "the private PulseAudio server did not start");
    QVERIFY2(!QMediaDevices::defaultAudioInput().isNull(), "the sine source is no audio input");
}

void TestMp4Audio::cleanupTestCase()
{
    sound.stop();
}

void TestMp4Audio::microphoneToneIsRecordedInStep()
{
    QTemporaryDir folder;
    const QString file = folder.filePath("tone.mp4");
    Mp4Recorder recorder;
    QSignalSpy errors(&recorder, &Mp4Recorder::errorOccurred);
    QVERIFY(recorder.start({file, QSize(160, 120), 25, true}));
    QVERIFY(recorder.hasAudio());

    // Two seconds of frames in real time, as the capture timer delivers them.
    QImage frame(160, 120, QImage::Format_RGB32);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 50; ++i) {
        frame.fill(QColor::fromHsv(i * 7, 200, 200));
        QVERIFY(QTest::qWaitFor([&] { return clock.elapsed() >= i * 40; }, 1000));
        QVERIFY(recorder.sendVideoFrame(frame, clock.nsecsElapsed() / 1000));
    }
    recorder.stop();
    QVERIFY(QTest::qWaitFor([&] { return recorder.recorderState() == Mp4Recorder::StoppedState; },
                            30000));
    QCOMPARE(errors.count(), 0);

    const QJsonObject probe = probeMedia(file);
    const QJsonObject video = mediaStream(probe, "video");
    const QJsonObject audio = mediaStream(probe, "audio");
    QCOMPARE(audio.value("codec_name").toString(), QString("aac"));
    // Silence stands in for the device's start-up, so both tracks begin and end together.
    QVERIFY2(qAbs(secondsOf(audio, "start_time")) < 0.05,
             qPrintable(audio.value("start_time").toString()));
    QVERIFY2(qAbs(secondsOf(audio, "duration") - secondsOf(video, "duration")) < 0.25,
             qPrintable(audio.value("duration").toString()));

    // The sine source plays at about -9 dB; nearly all of it lies around 440 Hz.
    const double whole = audioLevelDb(file, "anull", "RMS level dB");
    const double tone = audioLevelDb(file, "bandpass=f=440:width_type=h:w=100", "RMS level dB");
    const double above = audioLevelDb(file, "highpass=f=2000", "RMS level dB");
    QVERIFY2(whole > -20, qPrintable(QString::number(whole)));
    QVERIFY2(whole - tone < 3, qPrintable(QStringLiteral("%1 / %2").arg(whole).arg(tone)));
    QVERIFY2(whole - above > 15, qPrintable(QStringLiteral("%1 / %2").arg(whole).arg(above)));
}

QTEST_MAIN(TestMp4Audio)
#include "tst_mp4audio.moc"
