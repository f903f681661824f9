#include "../app/modalresponder.h"
#include "gifencoder.h"
#include "mediaprobe.h"
#include "recorderlayout.h"
#include "recordersettingspopup.h"
#include "recorderworld.h"
#include "recordinglimits.h"
#include "settingskeys.h"
#include "videoeditor.h"
#include "videorecord.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <csignal>
#include <memory>
#include <optional>

namespace {

// Counts the recorder's status lines, which go to the debug log.
int statusLines = 0;
QtMessageHandler previousHandler = nullptr;

void countStatusLines(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("Recording Status:")))
        ++statusLines;
    previousHandler(type, context, message);
}

QString gifFailureEvent()
{
    return QStringLiteral("ec=VideoRecordsFails&ea=Failed&el=Format_gif_Framerate_25_OS_") +
           QSysInfo::prettyProductName();
}

// Files of this process may not grow beyond a few bytes while it lives, whoever runs the test
// (root included): writes come up short as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit small = previous;
        small.rlim_cur = bytes;
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};

QStringList recorderFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("videostream*")}, QDir::Files);
}

} // namespace

class TestVideoRecord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { temporaryFolder = qgetenv("TMPDIR"); }
    void init();

    void maxRecordingSeconds_data();
    void maxRecordingSeconds();
    void buttonTexts_data();
    void buttonTexts();
    void storedChoicesOutsideTheListAreReplaced();
    void groupLayout();
    void dragsStayInBounds();
    void storedGeometryPlacesTheGroup_data();
    void storedGeometryPlacesTheGroup();

    void framesCarryCursorAndClicks_data();
    void framesCarryCursorAndClicks();
    void gifStopsAtTheFrameLimit();
    void gifStopsAtTheTimeLimit_data();
    void gifStopsAtTheTimeLimit();
    void gifFailuresAreLoggedAndReported_data();
    void gifFailuresAreLoggedAndReported();
    void gifRecordingBecomesAFile();
    void mp4IsFinalisedOnceWithEvenSize();
    void mp4ThatCannotStartIsRefusedAtOnce_data();
    void mp4ThatCannotStartIsRefusedAtOnce();
    void mp4EncoderFailingMidwayKeepsTheFrames();
    void choicesHoldUntilTheRecordingIsFinalised_data();
    void choicesHoldUntilTheRecordingIsFinalised();
    void storedCaptureSizeIsTheArea_data();
    void storedCaptureSizeIsTheArea();
    void closingDuringEncodingReturnsAtOnceAndLeavesNoFile_data();
    void closingDuringEncodingReturnsAtOnceAndLeavesNoFile();

private:
    std::unique_ptr<VideoRecord> shownRecorder(FakeWorld &world, const QString &format,
                                               const QSize &captureSize = QSize(300, 200));
    static void captureStored(VideoRecord &recorder);

    QByteArray temporaryFolder;
};

void TestVideoRecord::init()
{
    settingsStore().clear();
    qputenv("TMPDIR", temporaryFolder);
}

std::unique_ptr<VideoRecord> TestVideoRecord::shownRecorder(FakeWorld &world, const QString &format,
                                                            const QSize &captureSize)
{
    storeRecorderPlacement(format, captureSize);
    auto recorder = std::make_unique<VideoRecord>(world.environment());
    recorder->show();
    return recorder;
}

// One frame through the store: the compressor may drop frames that come faster than it works.
void TestVideoRecord::captureStored(VideoRecord &recorder)
{
    QVERIFY(QTest::qWaitFor([&] { return recorder.recordedFrames().queuedCount() == 0; }, 5000));
    recorder.captureFrame();
}

void TestVideoRecord::maxRecordingSeconds_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("framerate");
    QTest::addColumn<int>("seconds");
    QTest::newRow("gif 5") << "gif"
                           << "5" << 120;
    QTest::newRow("gif 15") << "gif"
                            << "15" << 40;
    QTest::newRow("gif 25") << "gif"
                            << "25" << 24;
    QTest::newRow("gif unparsable counts as 1 fps") << "gif"
                                                    << "fast" << 600;
    QTest::newRow("gif below 2 counts as 1 fps") << "gif"
                                                 << "1" << 600;
    QTest::newRow("mp4 5") << "mp4"
                           << "5" << 300;
    QTest::newRow("mp4 25") << "mp4"
                            << "25" << 300;
}

void TestVideoRecord::maxRecordingSeconds()
{
    QFETCH(QString, format);
    QFETCH(QString, framerate);
    QFETCH(int, seconds);
    QCOMPARE(
        RecordingLimits::maxRecordingSeconds(format, RecordingLimits::framesPerSecond(framerate)),
        seconds);
}

void TestVideoRecord::buttonTexts_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("framerate");
    QTest::addColumn<QStringList>("formatTexts");    // gif, mp4
    QTest::addColumn<QStringList>("framerateTexts"); // 5, 15, 25
    QTest::newRow("gif at 5") << "gif"
                              << "5" << QStringList{"GIF\n2:00", "MP4\n5:00"}
                              << QStringList{"5 FPS\n2:00", "15 FPS\n0:40", "25 FPS\n0:24"};
    QTest::newRow("gif at 15") << "gif"
                               << "15" << QStringList{"GIF\n0:40", "MP4\n5:00"}
                               << QStringList{"5 FPS\n2:00", "15 FPS\n0:40", "25 FPS\n0:24"};
    QTest::newRow("mp4 at 25") << "mp4"
                               << "25" << QStringList{"GIF\n0:24", "MP4\n5:00"}
                               << QStringList{"5 FPS\n5:00", "15 FPS\n5:00", "25 FPS\n5:00"};
}

void TestVideoRecord::buttonTexts()
{
    QFETCH(QString, format);
    QFETCH(QString, framerate);
    QFETCH(QStringList, formatTexts);
    QFETCH(QStringList, framerateTexts);
    VideoRecord recorder;
    recorder.changeFormat(format);
    recorder.changeFramerate(framerate);
    const RecorderSettingsPopup *popup = recorder.settingsPopupWindow();
    const QStringList formats = RecorderSettingsPopup::formats();
    for (int i = 0; i < formats.size(); ++i) {
        const QPushButton *button = popup->formatButton(formats.at(i));
        QCOMPARE(button->text(), formatTexts.at(i));
        QCOMPARE(
            button->toolTip(),
            QStringLiteral("Maximum recording time: %1").arg(formatTexts.at(i).section('\n', 1)));
    }
    const QStringList framerates = RecorderSettingsPopup::framerates();
    for (int i = 0; i < framerates.size(); ++i) {
        const QPushButton *button = popup->framerateButton(framerates.at(i));
        QCOMPARE(button->text(), framerateTexts.at(i));
        QCOMPARE(button->toolTip(),
                 QStringLiteral("%1 FPS, maximum recording time: %2")
                     .arg(framerates.at(i), framerateTexts.at(i).section('\n', 1)));
    }
    QCOMPARE(recorder.findChild<QLabel *>("label_format")->text(), format.toUpper());
    // The microphone belongs to MP4 recordings only.
    QCOMPARE(recorder.findChild<QPushButton *>("bt_microphone")->isVisibleTo(&recorder),
             format == "mp4");
    QCOMPARE(settingsStore().value(SettingsKeys::VideoFormat).toString(), format);
    QCOMPARE(settingsStore().value(SettingsKeys::VideoFramerate).toString(), framerate);
}

void TestVideoRecord::storedChoicesOutsideTheListAreReplaced()
{
    settingsStore().setValue(SettingsKeys::VideoFramerate, "30");
    settingsStore().setValue(SettingsKeys::VideoFormat, "webm");
    VideoRecord recorder;
    QCOMPARE(recorder.currentFramerate(), QString("25"));
    QCOMPARE(recorder.currentFormat(), QString("mp4"));
    QVERIFY(recorder.settingsPopupWindow()->framerateButton("25")->isChecked());
    QVERIFY(!recorder.settingsPopupWindow()->framerateButton("15")->isChecked());
    QVERIFY(recorder.settingsPopupWindow()->formatButton("mp4")->isChecked());
    QCOMPARE(settingsStore().value(SettingsKeys::VideoFramerate).toString(), QString("25"));
    QCOMPARE(settingsStore().value(SettingsKeys::VideoFormat).toString(), QString("mp4"));

    // The format accepts its two values only.
    recorder.changeFormat("avi");
    QCOMPARE(recorder.currentFormat(), QString("mp4"));
}

void TestVideoRecord::groupLayout()
{
    const RecorderLayout layout =
        RecorderLayout::around(QRect(100, 50, 410, 39), QSize(400, 300), 0);
    QCOMPARE(layout.settingsPopup, QPoint(220, 95));
    QCOMPARE(layout.leftBorder, QRect(100, 89, 5, 300));
    QCOMPARE(layout.rightBorder, QRect(505, 89, 5, 300));
    QCOMPARE(layout.captureArea, QRect(105, 89, 400, 300));
    QCOMPARE(layout.bottomBorder, QRect(100, 389, 405, 5));
    QCOMPARE(layout.cornerPiece, QRect(505, 389, 5, 5));
    QCOMPARE(layout.progressBar, QRect(20, 274, 360, 16));
    // A timeline in the group lengthens the side borders and pushes the area down.
    const RecorderLayout withTimeline =
        RecorderLayout::around(QRect(100, 50, 410, 39), QSize(400, 300), 60);
    QCOMPARE(withTimeline.leftBorder.height(), 360);
    QCOMPARE(withTimeline.captureArea.top(), 149);
    QCOMPARE(withTimeline.bottomBorder.top(), 449);
}

void TestVideoRecord::dragsStayInBounds()
{
    const QSize start(400, 300);
    const QSize minimum = minimumCaptureSize(330);
    QCOMPARE(minimum, QSize(320, 100));
    QCOMPARE(barWidthFor(minimum.width()), 330);
    QCOMPARE(draggedCaptureSize(start, QPoint(50, 70), true, false, minimum), QSize(450, 300));
    QCOMPARE(draggedCaptureSize(start, QPoint(50, 70), false, true, minimum), QSize(400, 370));
    QCOMPARE(draggedCaptureSize(start, QPoint(-500, -500), true, true, minimum), minimum);

    const QSize bar(410, 39), desktop(1920, 1080);
    QCOMPARE(clampedBarPosition(QPoint(-20, -5), bar, 300, desktop, 0), QPoint(0, 0));
    QCOMPARE(clampedBarPosition(QPoint(5000, 5000), bar, 300, desktop, 0), QPoint(1510, 741));
    QCOMPARE(clampedBarPosition(QPoint(10, 3), bar, 300, desktop, 24), QPoint(10, 24));
}

void TestVideoRecord::storedGeometryPlacesTheGroup_data()
{
    QTest::addColumn<QVariant>("captureSize");
    QTest::addColumn<QVariant>("oldWindowSize");
    QTest::addColumn<QRect>("captureRect");
    QTest::newRow("capture size") << QVariant(QSize(400, 300)) << QVariant()
                                  << QRect(205, 189, 400, 300);
    QTest::newRow("older window size")
        << QVariant() << QVariant(QSize(500, 420)) << QRect(205, 189, 490, 400);
    QTest::newRow("unusable capture size")
        << QVariant(QSize(0, 300)) << QVariant(QSize(350, 39)) << QRect(205, 189, 340, 400);
}

void TestVideoRecord::storedGeometryPlacesTheGroup()
{
    QFETCH(QVariant, captureSize);
    QFETCH(QVariant, oldWindowSize);
    QFETCH(QRect, captureRect);
    QSettings settings = settingsStore();
    settings.setValue(SettingsKeys::VideoRecorderPosition, QPoint(200, 150));
    if (captureSize.isValid())
        settings.setValue(SettingsKeys::VideoRecorderCaptureSize, captureSize);
    if (oldWindowSize.isValid())
        settings.setValue(SettingsKeys::VideoRecorderSize, oldWindowSize);
    settings.sync();

    VideoRecord recorder;
    recorder.show();
    QCOMPARE(recorder.pos(), QPoint(200, 150));
    QCOMPARE(recorder.width(), captureRect.width() + 10);
    QCOMPARE(recorder.captureRect(), captureRect);
    const QList<QWidget *> borders = recorder.borderWindows();
    QCOMPARE(borders.at(1)->geometry(),
             QRect(captureRect.right() + 1, 189, 5, captureRect.height()));
    QCOMPARE(borders.at(3)->geometry().topLeft(),
             QPoint(captureRect.right() + 1, captureRect.bottom() + 1));

    recorder.move(230, 160);
    QCOMPARE(recorder.captureRect().topLeft(), QPoint(235, 199));
    QCOMPARE(settingsStore().value(SettingsKeys::VideoRecorderPosition).toPoint(),
             QPoint(230, 160));
    QCOMPARE(settingsStore().value(SettingsKeys::VideoRecorderCaptureSize).toSize(),
             captureRect.size());
}

void TestVideoRecord::framesCarryCursorAndClicks_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("clickInside");
    QTest::addColumn<bool>("highlight");
    QTest::addColumn<int>("ageMs");
    QTest::addColumn<bool>("marked");
    QTest::newRow("fresh click") << 1.0 << true << true << 0 << true;
    QTest::newRow("fading click at 1.5x") << 1.5 << true << true << 200 << true;
    QTest::newRow("nearly faded") << 1.0 << true << true << 300 << true;
    QTest::newRow("gone after 325 ms") << 1.0 << true << true << 326 << false;
    QTest::newRow("outside the area") << 1.0 << false << true << 0 << false;
    QTest::newRow("highlights off") << 1.5 << true << false << 0 << false;
}

void TestVideoRecord::framesCarryCursorAndClicks()
{
    QFETCH(qreal, scale);
    QFETCH(bool, clickInside);
    QFETCH(bool, highlight);
    QFETCH(int, ageMs);
    QFETCH(bool, marked);
    settingsStore().setValue(SettingsKeys::ShowClickHighlight, highlight);
    FakeWorld world;
    world.scale = scale;
    auto recorder = shownRecorder(world, "gif");
    const QRect area = recorder->captureRect();
    world.pointer = area.topLeft() + QPoint(50, 40);
    recorder->on_bt_start_rec_clicked();
    QVERIFY(recorder->isRecording());

    world.now = 1000;
    const QPoint click(150, 100);
    recorder->leftButtonPressed(clickInside ? area.topLeft() + click
                                            : area.topLeft() - QPoint(3, 3));
    world.now = 1000 + ageMs;
    recorder->captureFrame();
    const QImage frame = recorder->recordedFrames().at(recorder->recordedFrames().count() - 1);
    QCOMPARE(frame.size(), (QSizeF(area.size()) * scale).toSize());

    const auto at = [scale](qreal v) { return int(std::lround(v * scale)); };
    // The cursor's picture, scaled with the grab, has its hot spot under the pointer.
    const QRect cursorBox(at(50) - at(2), at(40) - at(2), at(8), at(8));
    QCOMPARE(frame.pixel(cursorBox.topLeft()), qRgb(255, 0, 0));
    QCOMPARE(frame.pixel(cursorBox.bottomRight()), qRgb(255, 0, 0));
    QCOMPARE(frame.pixel(cursorBox.topLeft() - QPoint(1, 1)), background);
    QCOMPARE(frame.pixel(cursorBox.bottomRight() + QPoint(1, 1)), background);

    const QPoint centre(at(click.x()), at(click.y()));
    // Radii are in grabbed pixels whatever the scale.
    const int radius = int(std::lround(7 + 18 * ageMs / 325.0));
    const QRgb dot = frame.pixel(centre);
    const QRgb ring = frame.pixel(centre + QPoint(radius, 0));
    if (marked) {
        QVERIFY2(qRed(dot) > qBlue(dot), qPrintable(QString::number(dot, 16)));
        QVERIFY2(qRed(ring) > qBlue(ring), qPrintable(QString::number(ring, 16)));
    }
    // Nothing but the cursor and the expected marks differs from the grab.
    int changed = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) != background && !cursorBox.contains(x, y))
                ++changed;
    if (!marked)
        QCOMPARE(changed, 0);
    else
        QVERIFY(changed > 0 && changed < 4 * 27 * 27);
    recorder->close();
}

void TestVideoRecord::gifStopsAtTheFrameLimit()
{
    FakeWorld world;
    auto recorder = shownRecorder(world, "gif", QSize(290, 100));
    recorder->on_bt_start_rec_clicked();
    while (recorder->isRecording() && recorder->recordedFrames().count() < 700)
        captureStored(*recorder);
    QCOMPARE(recorder->recordedFrames().count(), 600);
    QCOMPARE(recorder->recordedFrameTimes().size(), 600);
    QVERIFY(!recorder->isRecording());
    QTRY_VERIFY_WITH_TIMEOUT(!recorder->resultPath().isEmpty(), 60000);
}

void TestVideoRecord::gifStopsAtTheTimeLimit_data()
{
    QTest::addColumn<QString>("framerate");
    QTest::addColumn<int>("seconds");
    QTest::newRow("5 fps") << "5" << 120;
    QTest::newRow("15 fps") << "15" << 40;
    QTest::newRow("25 fps") << "25" << 24;
}

void TestVideoRecord::gifStopsAtTheTimeLimit()
{
    QFETCH(QString, framerate);
    QFETCH(int, seconds);
    settingsStore().setValue(SettingsKeys::VideoFramerate, framerate);
    FakeWorld world;
    auto recorder = shownRecorder(world, "gif");
    recorder->on_bt_start_rec_clicked();
    for (int i = 1; i < seconds; ++i)
        recorder->tick();
    QVERIFY(recorder->isRecording());
    QTest::ignoreMessage(QtDebugMsg, "Recording Status: Failed! (no frames captured)");
    recorder->tick();
    QVERIFY(!recorder->isRecording());
}

void TestVideoRecord::gifFailuresAreLoggedAndReported_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("no frames") << "no frames captured";
    QTest::newRow("encoder") << "encode error";
    QTest::newRow("file") << "could not write file";
}

void TestVideoRecord::gifFailuresAreLoggedAndReported()
{
    QFETCH(QString, failure);
    FakeWorld world;
    auto recorder = shownRecorder(world, "gif");
    QSignalSpy events(recorder.get(), &VideoRecord::emitAnalitycs);
    const QString log = QStringLiteral("Recording Status: Failed! (%1)").arg(failure);
    QTest::ignoreMessage(QtDebugMsg, qPrintable(log));
    if (failure == "no frames captured") {
        // Started and stopped before the first capture tick.
        recorder->on_bt_start_rec_clicked();
        recorder->on_bt_start_rec_clicked();
    } else if (failure == "encode error") {
        recorder->finishEncoding(QByteArray());
    } else {
        const FileSizeLimit limit(3);
        recorder->finishEncoding(QByteArray("GIF89a"));
        QCOMPARE(recorderFilesIn(QDir::tempPath()), QStringList());
    }
    QVERIFY(!events.isEmpty());
    QCOMPARE(events.last().first().toString(), gifFailureEvent());
    QVERIFY(recorder->resultPath().isEmpty());
    QVERIFY(!recorder->captureLabelWindow()->isVisible());
    QVERIFY(recorder->findChild<QPushButton *>("bt_start_rec")->isEnabled());
}

void TestVideoRecord::gifRecordingBecomesAFile()
{
    FakeWorld world;
    auto recorder = shownRecorder(world, "gif");
    QSignalSpy events(recorder.get(), &VideoRecord::emitAnalitycs);
    recorder->on_bt_start_rec_clicked();
    for (int i = 0; i < 5; ++i) {
        world.now = 500 + i * 40;
        captureStored(*recorder);
    }
    recorder->on_bt_start_rec_clicked();
    QVERIFY(recorder->isWorkerRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!recorder->isWorkerRunning(), 30000);
    const QString path = recorder->resultPath();
    QVERIFY(path.startsWith(QDir::tempPath() + "/videostream"));
    QVERIFY(path.endsWith(".gif"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(6) == "GIF89a");
    // Times start at the first frame; the duration adds one frame interval. The capture timer
    // may have added a frame at a time the clock already showed.
    const QList<qint64> times = recorder->recordedFrameTimes();
    QVERIFY(times.size() >= 5);
    QCOMPARE(times.first(), 0);
    QCOMPARE(times.last(), 160);
    QCOMPARE(recorder->recordingDurationMs(), 200);
    QCOMPARE(events.at(0).first().toString(),
             QString("ec=VideoButtons&ea=StartRecord&el=Format_gif_Framerate_25"));
    QCOMPARE(events.at(1).first().toString(),
             QString("ec=VideoButtons&ea=Stop&el=Format_gif_Framerate_25"));
    QVERIFY(recorder->findChild<QWidget *>("playWidget")->isVisibleTo(recorder.get()));
    QVERIFY(!recorder->findChild<QWidget *>("recordWidget")->isVisibleTo(recorder.get()));
    QVERIFY(!recorder->captureLabelWindow()->pixmap().isNull());

    recorder->close();
    QVERIFY(!QFile::exists(path));
}

void TestVideoRecord::mp4IsFinalisedOnceWithEvenSize()
{
    FakeWorld world;
    auto recorder = shownRecorder(world, "mp4", QSize(341, 201));
    recorder->on_bt_start_rec_clicked();
    for (int i = 0; i < 10; ++i) {
        world.now = i * 40;
        captureStored(*recorder);
    }
    statusLines = 0;
    previousHandler = qInstallMessageHandler(countStatusLines);
    recorder->on_bt_start_rec_clicked();
    QTRY_COMPARE_WITH_TIMEOUT(statusLines, 1, 30000);
    const QString path = recorder->resultPath();
    QVERIFY(path.endsWith(".mp4"));
    // A stopped state reported again changes nothing.
    emit recorder->mediaRecorder()->recorderStateChanged(Mp4Recorder::StoppedState);
    QTest::qWait(50);
    qInstallMessageHandler(previousHandler);
    QCOMPARE(statusLines, 1);
    QCOMPARE(recorder->resultPath(), path);

    const QJsonObject video = mediaStream(probeMedia(path), "video");
    QCOMPARE(video.value("codec_name").toString(), QString("h264"));
    QCOMPARE(video.value("width").toInt(), 340);
    QCOMPARE(video.value("height").toInt(), 200);
    QVERIFY(mediaStream(probeMedia(path), "audio").isEmpty());
    recorder->close();
    QVERIFY(!QFile::exists(path));
}

void TestVideoRecord::mp4ThatCannotStartIsRefusedAtOnce_data()
{
    QTest::addColumn<QString>("cause");
    QTest::newRow("temporary folder is a file") << "folder";
    QTest::newRow("file cannot grow") << "size";
}

void TestVideoRecord::mp4ThatCannotStartIsRefusedAtOnce()
{
    QFETCH(QString, cause);
    FakeWorld world;
    auto recorder = shownRecorder(world, "mp4");
    QTemporaryFile notAFolder;
    QVERIFY(notAFolder.open());
    ModalResponder responder({acknowledge()});
    {
        std::optional<FileSizeLimit> limit;
        if (cause == "size")
            limit.emplace(0);
        else
            qputenv("TMPDIR", notAFolder.fileName().toLocal8Bit());
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Recording Status: Failed! \\(MP4 "
                                                            "recorder could not start\\)"));
        recorder->on_bt_start_rec_clicked();
    }
    // Told before a single frame is recorded for nothing.
    QVERIFY(responder.finished());
    QVERIFY2(responder.messages.value(0).startsWith("The MP4 recording cannot start: "),
             qPrintable(responder.messages.value(0)));
    QVERIFY(!recorder->isRecording());
    QVERIFY(recorder->resultPath().isEmpty());
    qputenv("TMPDIR", temporaryFolder);
    QCOMPARE(recorderFilesIn(QDir::tempPath()), QStringList());
    const auto *start = recorder->findChild<QPushButton *>("bt_start_rec");
    QCOMPARE(start->text(), QString("• Record"));
    QVERIFY(start->isEnabled());
    QVERIFY(recorder->findChild<QPushButton *>("bt_microphone")->isEnabled());
}

void TestVideoRecord::mp4EncoderFailingMidwayKeepsTheFrames()
{
    FakeWorld world;
    world.noisy = true;
    storeRecorderPlacement("mp4", QSize(320, 240));
    VideoRecord::Environment environment = world.environment();
    const QTemporaryDir folder;
    const QString saved = folder.filePath("kept.mp4");
    environment.askSavePath = [saved](const QString &, const QString &) { return saved; };
    VideoRecord recorder(environment);
    recorder.show();
    ModalResponder responder({acknowledge()});
    {
        // Room for the file's start only: the encoder fails after some frames, as on a full disk.
        const FileSizeLimit limit(64 * 1024);
        recorder.on_bt_start_rec_clicked();
        QVERIFY(recorder.isRecording());
        for (int i = 0; i < 30; ++i) {
            world.now = i * 40;
            captureStored(recorder);
        }
        recorder.on_bt_start_rec_clicked();
        QTRY_VERIFY_WITH_TIMEOUT(responder.finished(), 30000);
    }
    QVERIFY2(responder.messages.value(0).contains("Every recorded frame is kept"),
             qPrintable(responder.messages.value(0)));
    QVERIFY(recorder.editorWindow()->isVisible());
    QVERIFY(recorder.resultPath().isEmpty());
    // The capture timer may have added frames of its own.
    const qsizetype recorded = recorder.recordedFrames().count();
    QVERIFY(recorded >= 30);

    // Saving writes the video from the kept frames.
    recorder.on_bt_save_clicked();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), 30000);
    QCOMPARE(videoFrameTimes(saved).size(), recorded);
}

void TestVideoRecord::choicesHoldUntilTheRecordingIsFinalised_data()
{
    QTest::addColumn<QString>("format");
    // What the user tries while the bar says "Saving...": "gif", "mp4", a rate, or "microphone".
    QTest::addColumn<QStringList>("attempts");
    QTest::newRow("mp4, then GIF") << "mp4" << QStringList{"gif"};
    QTest::newRow("gif, then MP4 with the microphone") << "gif" << QStringList{"mp4", "microphone"};
    QTest::newRow("gif, then 5 fps") << "gif" << QStringList{"5"};
}

void TestVideoRecord::choicesHoldUntilTheRecordingIsFinalised()
{
    QFETCH(QString, format);
    QFETCH(QStringList, attempts);
    FakeWorld world;
    auto recorder = shownRecorder(world, format);
    recorder->on_bt_start_rec_clicked();
    for (int i = 0; i < 5; ++i) {
        world.now = i * 40;
        captureStored(*recorder);
    }
    recorder->on_bt_start_rec_clicked();
    // Saving: the GIF encoder or the MP4 recorder is still at work.
    QVERIFY(!recorder->findChild<QPushButton *>("bt_start_rec")->isEnabled());

    // As a user would: the gear button, then whatever the popup or the bar offers.
    RecorderSettingsPopup *popup = recorder->settingsPopupWindow();
    auto *microphone = recorder->findChild<QPushButton *>("bt_microphone");
    recorder->findChild<QPushButton *>("bt_settings")->click();
    QVERIFY(!popup->isVisible());
    for (const QString &attempt : attempts) {
        if (attempt == "microphone") {
            QVERIFY(!microphone->isEnabled());
            if (microphone->isVisible() && microphone->isEnabled())
                microphone->click();
        } else if (popup->isVisible()) {
            QPushButton *choice = popup->formatButton(attempt) ? popup->formatButton(attempt)
                                                               : popup->framerateButton(attempt);
            choice->click();
        }
    }

    QTRY_VERIFY_WITH_TIMEOUT(recorder->editorWindow()->isVisible(), 30000);
    QCOMPARE(recorder->currentFormat(), format);
    QCOMPARE(recorder->currentFramerate(), QString("25"));
    QVERIFY(recorder->resultPath().endsWith("." + format));
    QCOMPARE(settingsStore().value(SettingsKeys::VideoFormat).toString(), format);
    QVERIFY(!settingsStore().value(SettingsKeys::RecordMicrophone, false).toBool());
}

void TestVideoRecord::storedCaptureSizeIsTheArea_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("editorSize");
    QTest::newRow("editor resized") << QSize(400, 200) << 1.0 << QSize(1000, 700);
    QTest::newRow("small area, editor at its minimum") << QSize(320, 100) << 1.0 << QSize();
    QTest::newRow("scaled display") << QSize(400, 200) << 1.5 << QSize();
}

void TestVideoRecord::storedCaptureSizeIsTheArea()
{
    QFETCH(QSize, area);
    QFETCH(qreal, scale);
    QFETCH(QSize, editorSize);
    FakeWorld world;
    world.scale = scale;
    storeRecorderPlacement("gif", area);
    // Twice: a size that grew in the editor would grow again with every recording.
    for (int round = 0; round < 2; ++round) {
        QPointer<VideoRecord> recorder = new VideoRecord(world.environment());
        recorder->show();
        QCOMPARE(recorder->captureRect().size(), area);
        recorder->on_bt_start_rec_clicked();
        for (int i = 0; i < 3; ++i) {
            world.now = i * 40;
            captureStored(*recorder);
        }
        recorder->on_bt_start_rec_clicked();
        QTRY_VERIFY_WITH_TIMEOUT(recorder->editorWindow()->isVisible(), 30000);
        if (editorSize.isValid())
            recorder->editorWindow()->resize(editorSize);
        QTest::qWait(20);
        recorder->editorWindow()->close();
        QTRY_VERIFY(recorder.isNull());
        QCOMPARE(settingsStore().value(SettingsKeys::VideoRecorderCaptureSize).toSize(), area);
    }
}

void TestVideoRecord::closingDuringEncodingReturnsAtOnceAndLeavesNoFile_data()
{
    QTest::addColumn<bool>("bake");
    QTest::newRow("first encode") << false;
    QTest::newRow("bake of the edited GIF") << true;
}

void TestVideoRecord::closingDuringEncodingReturnsAtOnceAndLeavesNoFile()
{
    QFETCH(bool, bake);
    FakeWorld world;
    // Noise is slow to read back from the store: these frames take seconds to encode.
    world.noisy = true;
    // Many small frames: the encoder stops between frames, so one frame is what it may finish.
    auto owned = shownRecorder(world, "gif", QSize(640, 360));
    QPointer<VideoRecord> recorder = owned.release();
    recorder->setAttribute(Qt::WA_DeleteOnClose);
    recorder->on_bt_start_rec_clicked();
    for (int i = 0; i < 160; ++i)
        captureStored(*recorder);
    recorder->on_bt_start_rec_clicked();
    if (bake) {
        QTRY_VERIFY_WITH_TIMEOUT(recorder->editorWindow()->isVisible(), 120000);
        recorder->startAnnotationsBake(VideoRecord::PendingExport::Save);
    }
    const FrameStore::Snapshot frames = recorder->recordedFrames().snapshot();
    // The encoder has started (the bake's own work is the first quarter): its whole work is
    // still to come.
    QTRY_VERIFY_WITH_TIMEOUT(recorder->progressBarWidget()->value() >= (bake ? 28 : 5), 60000);
    QVERIFY(recorder->isWorkerRunning());
    QElapsedTimer clock;
    clock.start();
    if (bake)
        recorder->editorWindow()->close();
    else
        recorder->close();
    QTRY_VERIFY(recorder.isNull());
    const qint64 closeMs = clock.elapsed();
    QTest::qWait(100);
    QCOMPARE(recorderFilesIn(QDir::tempPath()), QStringList());

    // Against a whole encoding of the same frames on this machine now: waiting for the encoder
    // to finish would take about that long.
    clock.restart();
    QVERIFY(!encodeStoredGif(frames, 4, {}).isEmpty());
    const qint64 encodeMs = clock.elapsed();
    QVERIFY2(
        closeMs < encodeMs / 2,
        qPrintable(
            QStringLiteral("closed in %1 ms, an encoding takes %2 ms").arg(closeMs).arg(encodeMs)));
}

QTEST_MAIN(TestVideoRecord)
#include "tst_videorecord.moc"
