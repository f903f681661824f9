#include "../app/modalresponder.h"
#include "exportframefeed.h"
#include "mediaprobe.h"
#include "mp4recorder.h"
#include "muxer.h"
#include "settingskeys.h"
#include "sinesoundserver.h"
#include "storyboardtimeline.h"
#include "videorecord.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A screen of one colour that changes with every grab, a cursor far away, and the test's clock.
struct FakeWorld
{
    qint64 now = 0;
    int grabs = 0;
    // Where the save dialog saves.
    QString savePath;

    VideoRecord::Environment environment(const QString &appDir)
    {
        VideoRecord::Environment environment;
        environment.grab = [this](QScreen *, const QRect &area) {
            QPixmap picture(area.size());
            picture.fill(QColor::fromHsv(grabs++ * 13 % 360, 200, 200));
            return picture;
        };
        environment.cursor = [] { return CapturedCursor{}; };
        environment.pointer = [] { return QPoint(-1000, -1000); };
        environment.clock = [this] { return now; };
        environment.muxer = [appDir] { return findMuxer(appDir, {}); };
        environment.askSavePath = [this](const QString &, const QString &) { return savePath; };
        return environment;
    }
};

// The muxer where the search looks last: two folders above the program's, under
// build_scripts/win_libs. The script runs the body with the muxer's arguments.
void placeMuxer(const QString &appDir, const QString &body)
{
    const QString folder = QDir(appDir).absoluteFilePath("../../build_scripts/win_libs");
    QVERIFY(QDir().mkpath(folder));
    QFile script(folder + QLatin1Char('/') + muxerProgramName());
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList filesIn(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files);
}

} // namespace

class TestMp4Export : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void silentExportIsEvenlySpacedAndNeverMuxed_data();
    void silentExportIsEvenlySpacedAndNeverMuxed();
    void audioIsMuxedIntoTheEditedVideo_data();
    void audioIsMuxedIntoTheEditedVideo();
    void soundIsKeptWhenItCannotBePutIn();
    void destroyedWhileMuxingLeavesNoFile();
    void emptyExportChangesNothing();
    void tinyQueueStillTakesEveryFrame();

private:
    // A recorder in editing, after an MP4 recording of a few frames at irregular times.
    void recordMp4(std::unique_ptr<VideoRecord> &recorder, bool microphone,
                   const QString &framerate = "25");
    static void waitForResult(VideoRecord &recorder);

    SineSoundServer sound;
    QByteArray originalTemp;
    std::unique_ptr<QTemporaryDir> temp;
    std::unique_ptr<QTemporaryDir> tree;
    QString appDir;
    FakeWorld world;
};

void TestMp4Export::initTestCase()
{
    originalTemp = qgetenv("TMPDIR");
    QVERIFY2(sound.start(), "the private PulseAudio server did not start");
}

void TestMp4Export::init()
{
    settingsStore().clear();
    // A temporary folder of each test's own shows every file the recorder leaves behind.
    temp = std::make_unique<QTemporaryDir>();
    qputenv("TMPDIR", temp->path().toLocal8Bit());
    tree = std::make_unique<QTemporaryDir>();
    appDir = tree->filePath("build/bin");
    QVERIFY(QDir().mkpath(appDir));
    world = {};
}

void TestMp4Export::cleanup()
{
    qputenv("TMPDIR", originalTemp);
}

void TestMp4Export::recordMp4(std::unique_ptr<VideoRecord> &recorder, bool microphone,
                              const QString &framerate)
{
    QSettings settings = settingsStore();
    settings.setValue(SettingsKeys::VideoFormat, "mp4");
    settings.setValue(SettingsKeys::VideoFramerate, framerate);
    settings.setValue(SettingsKeys::RecordMicrophone, microphone);
    settings.setValue(SettingsKeys::VideoRecorderPosition, QPoint(100, 100));
    settings.setValue(SettingsKeys::VideoRecorderCaptureSize, QSize(320, 240));
    settings.sync();
    recorder = std::make_unique<VideoRecord>(world.environment(appDir));
    recorder->show();
    recorder->on_bt_start_rec_clicked();
    // Capture times far from the frame rate's even steps.
    for (const qint64 time : {0, 7, 90, 95, 300, 310, 480, 700, 710, 900}) {
        world.now = time;
        QTest::qWait(40);
        QVERIFY(
            QTest::qWaitFor([&] { return recorder->recordedFrames().queuedCount() == 0; }, 5000));
        recorder->captureFrame();
    }
    recorder->on_bt_start_rec_clicked();
    const auto *play = recorder->findChild<QWidget *>("playWidget");
    QTRY_VERIFY_WITH_TIMEOUT(play->isVisible(), 30000);
}

void TestMp4Export::waitForResult(VideoRecord &recorder)
{
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.isExportingMp4() && !recorder.isMuxing(), 30000);
    QVERIFY(!recorder.progressBarWidget()->isVisible());
    QVERIFY(recorder.findChild<QPushButton *>("bt_close")->isEnabled());
    QVERIFY(recorder.findChild<QWidget *>("playWidget")->isEnabled());
}

void TestMp4Export::silentExportIsEvenlySpacedAndNeverMuxed_data()
{
    QTest::addColumn<QString>("framerate");
    QTest::newRow("25 fps") << "25";
    QTest::newRow("15 fps") << "15";
}

void TestMp4Export::silentExportIsEvenlySpacedAndNeverMuxed()
{
    QFETCH(QString, framerate);
    const QString marker = tree->filePath("muxer-ran");
    placeMuxer(appDir, QStringLiteral("touch '%1'").arg(marker));
    std::unique_ptr<VideoRecord> recorder;
    recordMp4(recorder, false, framerate);
    if (QTest::currentTestFailed())
        return;
    const QString recording = recorder->resultPath();
    QVERIFY(QFile::exists(recording));

    const FrameStore::Snapshot baked = recorder->recordedFrames().snapshot();
    QVERIFY(baked.count() >= 10);
    recorder->exportEditedMp4(baked);
    QVERIFY(recorder->isExportingMp4());
    waitForResult(*recorder);

    const QString result = recorder->resultPath();
    QVERIFY2(QFileInfo(result).fileName().startsWith("videostream_edited"), qPrintable(result));
    QVERIFY(!QFile::exists(marker));
    QVERIFY(!QFile::exists(recording));
    QVERIFY(mediaStream(probeMedia(result), "audio").isEmpty());
    const QList<double> times = videoFrameTimes(result);
    QCOMPARE(times.size(), baked.count());
    const double step = 1.0 / framerate.toInt();
    for (int i = 0; i < times.size(); ++i)
        QVERIFY2(qAbs(times[i] - times[0] - i * step) < 0.002,
                 qPrintable(QStringLiteral("frame %1 at %2 s").arg(i).arg(times[i])));
    QCOMPARE(filesIn(temp->path(), "videostream*"), QStringList{QFileInfo(result).fileName()});
}

void TestMp4Export::audioIsMuxedIntoTheEditedVideo_data()
{
    QTest::addColumn<QString>("muxerBody");
    QTest::newRow("real muxer") << "exec ffmpeg -v error \"$@\"";
    // It writes the output, slowly, and then fails: the sound is put in without it.
    QTest::newRow("failing muxer") << "for a; do out=$a; done; sleep 1; touch \"$out\"; exit 3";
    QTest::newRow("no muxer") << QString();
}

void TestMp4Export::audioIsMuxedIntoTheEditedVideo()
{
    QFETCH(QString, muxerBody);
    if (!muxerBody.isEmpty())
        placeMuxer(appDir, muxerBody);
    std::unique_ptr<VideoRecord> recorder;
    recordMp4(recorder, true);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!mediaStream(probeMedia(recorder->resultPath()), "audio").isEmpty());

    recorder->exportEditedMp4(recorder->recordedFrames().snapshot());
    // The muxer runs while the window goes on, with the bar busy.
    QTRY_VERIFY_WITH_TIMEOUT(recorder->isMuxing(), 30000);
    QVERIFY(recorder->progressBarWidget()->isVisible());
    QCOMPARE(recorder->progressBarWidget()->maximum(), 0);
    waitForResult(*recorder);

    const QString result = recorder->resultPath();
    const QJsonObject probe = probeMedia(result);
    QCOMPARE(mediaStream(probe, "video").value("codec_name").toString(), QString("h264"));
    QCOMPARE(mediaStream(probe, "audio").value("codec_name").toString(), QString("aac"));
    QVERIFY2(QFileInfo(result).fileName().startsWith("videostream_muxed"), qPrintable(result));
    // Only the result is left: the recording, and the edited or the muxed file, are gone.
    QCOMPARE(filesIn(temp->path(), "videostream*"), QStringList{QFileInfo(result).fileName()});
    recorder.reset();
    QCOMPARE(filesIn(temp->path(), "videostream*"), QStringList());
}

void TestMp4Export::soundIsKeptWhenItCannotBePutIn()
{
    std::unique_ptr<VideoRecord> recorder;
    recordMp4(recorder, true);
    if (QTest::currentTestFailed())
        return;
    const QString recording = recorder->resultPath();
    QFile file(recording);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QByteArray sound = file.readAll();
    // Unreadable for a while: no muxer can take the sound from it.
    file.resize(0);
    file.write("not a video");
    file.close();

    ModalResponder responder({acknowledge()});
    recorder->exportEditedMp4(recorder->recordedFrames().snapshot());
    waitForResult(*recorder);
    QVERIFY(responder.finished());
    QVERIFY2(responder.messages.value(0).contains("could not be put into the edited video"),
             qPrintable(responder.messages.value(0)));
    QVERIFY(mediaStream(probeMedia(recorder->resultPath()), "audio").isEmpty());
    QVERIFY(QFile::exists(recording));
    bool microphoneBand = false;
    for (const TimelineBand &band : recorder->timelineWidget()->timelineBands())
        microphoneBand |= band.label == "Microphone";
    QVERIFY(microphoneBand);

    // Readable again: the next save, though nothing changed, puts the sound in.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(sound);
    file.close();
    world.savePath = temp->filePath("saved.mp4");
    recorder->on_bt_save_clicked();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(world.savePath), 30000);
    QCOMPARE(mediaStream(probeMedia(world.savePath), "audio").value("codec_name").toString(),
             QString("aac"));
    QVERIFY(!QFile::exists(recording));
    QCOMPARE(filesIn(temp->path(), "videostream*"),
             QStringList{QFileInfo(recorder->resultPath()).fileName()});
}

void TestMp4Export::destroyedWhileMuxingLeavesNoFile()
{
    placeMuxer(appDir, "for a; do out=$a; done; touch \"$out\"; exec sleep 30");
    std::unique_ptr<VideoRecord> recorder;
    recordMp4(recorder, true);
    if (QTest::currentTestFailed())
        return;
    recorder->exportEditedMp4(recorder->recordedFrames().snapshot());
    QTRY_VERIFY_WITH_TIMEOUT(recorder->isMuxing(), 30000);
    QTRY_COMPARE(filesIn(temp->path(), "videostream_muxed*").size(), 1);
    QElapsedTimer clock;
    clock.start();
    recorder.reset();
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(filesIn(temp->path(), "videostream*"), QStringList());
}

void TestMp4Export::emptyExportChangesNothing()
{
    std::unique_ptr<VideoRecord> recorder;
    recordMp4(recorder, false);
    if (QTest::currentTestFailed())
        return;
    const QString recording = recorder->resultPath();
    recorder->exportEditedMp4({});
    QVERIFY(!recorder->isExportingMp4());
    QCOMPARE(recorder->resultPath(), recording);
    QCOMPARE(recorder->pendingExportAction(), VideoRecord::PendingExport::None);
    waitForResult(*recorder);
    QCOMPARE(filesIn(temp->path(), "videostream*"), QStringList{QFileInfo(recording).fileName()});
}

void TestMp4Export::tinyQueueStillTakesEveryFrame()
{
    FrameStore store;
    QImage frame(640, 480, QImage::Format_RGB32);
    for (int i = 0; i < 40; ++i) {
        // Noise keeps the encoder slower than the feed.
        QRandomGenerator(i).fillRange(reinterpret_cast<quint32 *>(frame.bits()),
                                      frame.sizeInBytes() / 4);
        QVERIFY(QTest::qWaitFor([&] { return store.queuedCount() == 0; }, 5000));
        QVERIFY(store.append(frame));
    }
    store.waitUntilStored();

    const QString file = temp->filePath("feed.mp4");
    Mp4Recorder recorder;
    Mp4Recorder::Settings settings{file, frame.size(), 25};
    settings.queueLimit = 1;
    QVERIFY(recorder.start(settings));
    ExportFrameFeed feed(store.snapshot(), 25);
    QVERIFY(!feed.sendTo(recorder));
    connect(&recorder, &Mp4Recorder::readyToSendVideoFrame, this, [&] {
        if (feed.sendTo(recorder))
            recorder.stop();
    });
    QVERIFY(QTest::qWaitFor([&] { return recorder.recorderState() == Mp4Recorder::StoppedState; },
                            30000));
    QCOMPARE(feed.sentCount(), 40);
    QCOMPARE(videoFrameTimes(file).size(), 40);
}

QTEST_MAIN(TestMp4Export)
#include "tst_mp4export.moc"
