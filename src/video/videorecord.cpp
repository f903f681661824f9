#include "videorecord.h"
#include "ui_videorecord.h"

#include "annotationbake.h"
#include "annotationeditor.h"
#include "buttonicon.h"
#include "editorplayback.h"
#include "framepreview.h"
#include "gifencoder.h"
#include "muxer.h"
#include "plainmessage.h"
#include "recorderlayout.h"
#include "recordersettingspopup.h"
#include "recordinglimits.h"
#include "settingskeys.h"
#include "storyboardtimeline.h"
#include "uploadprogress.h"
#include "videoeditor.h"
#include "videoexport.h"
#include "videohandoff.h"
#include "videotempfile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCursor>
#include <QDebug>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QSysInfo>

using namespace RecordingLimits;

namespace {

const QString recordingLabelStyle =
    QStringLiteral("background-color: red;border-radius:5px;margin:5px;");
const QString idleLabelStyle =
    QStringLiteral("background-color: grey;border-radius:5px;margin:5px;");

bool clickHighlightEnabled()
{
    return settingsStore()
        .value(SettingsKeys::ShowClickHighlight, SettingsKeys::ShowClickHighlightDefault)
        .toBool();
}

const char *const colorDialogStyle =
    "QColorDialog, QWidget { background:#666666; color:#ffffff; }"
    "QPushButton { background:#4a4a4a; border:1px solid #888888; border-radius:3px; "
    "padding:4px 12px; } QPushButton:hover { background:#5a5a5a; }"
    "QLineEdit, QSpinBox { background:#555555; border:1px solid #888888; }";

QLabel *companionWindow(QWidget *owner, const QString &name, const QString &style)
{
    auto *window = new QLabel(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                         Qt::WindowDoesNotAcceptFocus);
    window->setObjectName(name);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setFocusPolicy(Qt::NoFocus);
    window->setStyleSheet(style);
    return window;
}

} // namespace

VideoRecord::Environment VideoRecord::systemEnvironment()
{
    Environment environment;
    environment.grab = [](QScreen *screen, const QRect &area) {
        const QRect screenArea = screen->geometry();
        return screen->grabWindow(0, area.x() - screenArea.x(), area.y() - screenArea.y(),
                                  area.width(), area.height());
    };
    environment.cursor = [] { return captureCursor(); };
    environment.pointer = [] { return QCursor::pos(); };
    return environment;
}

VideoRecord::VideoRecord(QWidget *parent) : VideoRecord(systemEnvironment(), parent) {}

VideoRecord::VideoRecord(const Environment &environment, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui(new Ui::VideoRecord), environment(environment)
{
    ui->setupUi(this);
    ui->playWidget->hide();
    ui->lcdNumber->display(QStringLiteral("00:00"));
    ui->bt_settings->setIcon(buttonIcon(QStringLiteral("settings")));
    mp4Recorder = new Mp4Recorder(this);
    createCompanionWindows();
    createEditor();
    createExport();
    loadSettings();
    retranslateUi();

    connect(&mouseHook, &MouseHook::leftButtonPressed, this, &VideoRecord::leftButtonPressed);
    // A coarse timer may fire up to 5 % late on every tick, which at 25 fps loses a frame or two
    // every few seconds.
    captureTimer.setTimerType(Qt::PreciseTimer);
    connect(&captureTimer, &QTimer::timeout, this, &VideoRecord::captureFrame);
    connect(mp4Recorder, &Mp4Recorder::errorOccurred, this, [](const QString &error) {
        qWarning().noquote() << "Audio/video recorder error:" << error;
    });
    connect(mp4Recorder, &Mp4Recorder::recorderStateChanged, this, &VideoRecord::mp4StateChanged);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QWidget::close);
    connect(ui->bt_microphone, &QPushButton::toggled, this, &VideoRecord::toggleMicrophone);
    mousePosTimer.setSingleShot(true);
    mousePosTimer.setInterval(100);
    connect(&mousePosTimer, &QTimer::timeout, this, &VideoRecord::checkMousePos);
}

VideoRecord::~VideoRecord()
{
    if (settingsLoaded)
        storeGeometry();
    // Closing the editor asks for the recorder to go, which it is doing already.
    disconnect(editor, nullptr, this, nullptr);
    editor->close();
    // The MP4 file is complete once its recorder is gone; only then can it be removed.
    delete mp4Recorder;
    mp4Recorder = nullptr;
    delete exporter;
    exporter = nullptr;
    dropResultFile();
    delete ui;
}

void VideoRecord::createCompanionWindows()
{
    const QString black = QStringLiteral("background-color:#000;");
    leftBorder = companionWindow(this, QStringLiteral("leftBorder"), black);
    rightBorder = companionWindow(this, QStringLiteral("rightBorder"), black);
    bottomBorder = companionWindow(this, QStringLiteral("bottomBorder"), black);
    cornerBorder = companionWindow(this, QStringLiteral("cornerBorder"), black);
    for (QWidget *border : borderWindows())
        border->installEventFilter(this);

    captureLabel = companionWindow(this, QStringLiteral("captureLabel"),
                                   QStringLiteral("background-color:#fff;"));
    captureLabel->setAlignment(Qt::AlignCenter);
    captureLabel->resize(width() - 2 * RecorderLayout::borderWidth, 400);
    loadingMovie = new QMovie(QStringLiteral(":/loading.gif"), QByteArray(), this);
    progressBar = new QProgressBar(captureLabel);
    progressBar->setTextVisible(false);
    progressBar->hide();
    noticeLabel = new QLabel(captureLabel);
    noticeLabel->setStyleSheet(
        QStringLiteral("QLabel { background:#2d8a4e; color:white; padding:6px 12px; "
                       "border-radius:4px; font-weight:bold; }"));
    noticeLabel->hide();

    settingsPopup = new RecorderSettingsPopup(this);
    settingsPopup->setAttribute(Qt::WA_NoMouseReplay);
    connect(settingsPopup, &RecorderSettingsPopup::formatChosen, this, &VideoRecord::changeFormat);
    connect(settingsPopup, &RecorderSettingsPopup::framerateChosen, this,
            &VideoRecord::changeFramerate);
    connect(settingsPopup, &RecorderSettingsPopup::highlightToggled, this,
            &VideoRecord::toggleClickHighlight);
    setBorderCursors();
}

void VideoRecord::createEditor()
{
    editor = new VideoEditor(this);
    timeline = new StoryboardTimeline(this);
    timeline->hide();
    preview = std::make_unique<FramePreview>(captureLabel);
    annotating = new AnnotationEditor(captureLabel, *preview, this);
    playback = new EditorPlayback(this);
    captureLabel->installEventFilter(this);

    connect(editor, &VideoEditor::editorClosed, this, &VideoRecord::editorWindowClosed);
    connect(editor, &VideoEditor::colorClicked, this, &VideoRecord::onColorButtonClicked);
    connect(editor->toolButton(VideoAnnotation::Arrow), &QPushButton::toggled, this,
            &VideoRecord::onArrowToolToggled);
    connect(editor->toolButton(VideoAnnotation::Rectangle), &QPushButton::toggled, this,
            &VideoRecord::onRectangleToolToggled);
    connect(editor->toolButton(VideoAnnotation::Blur), &QPushButton::toggled, this,
            &VideoRecord::onBlurToolToggled);
    connect(editor->toolButton(VideoAnnotation::Text), &QPushButton::toggled, this,
            &VideoRecord::onTextToolToggled);
    connect(timeline, &StoryboardTimeline::seekRequested, this, &VideoRecord::onTimelineSeek);
    connect(timeline, &StoryboardTimeline::rangeChanged, this,
            &VideoRecord::onTimelineRangeChanged);
    connect(annotating, &AnnotationEditor::viewChanged, this, &VideoRecord::showFrame);
    connect(annotating, &AnnotationEditor::bandsChanged, this, &VideoRecord::rebuildBands);
    connect(annotating, &AnnotationEditor::colorChanged, editor, &VideoEditor::showColor);
    connect(playback, &EditorPlayback::frameChanged, this, &VideoRecord::showFrame);
    connect(playback, &EditorPlayback::playingChanged, this, &VideoRecord::refreshPlayButton);
}

void VideoRecord::createExport()
{
    exporter = new VideoExport(
        worker, [this] { return muxerProgram(); }, this);
    connect(&worker, &BackgroundWorker::progressed, progressBar, &QProgressBar::setValue);
    connect(exporter, &VideoExport::progressed, progressBar, &QProgressBar::setValue);
    // The muxer may take up to its time limit; the bar shows that work goes on meanwhile.
    connect(exporter, &VideoExport::muxingStarted, progressBar,
            [this] { progressBar->setRange(0, 0); });
    connect(exporter, &VideoExport::gifBaked, this, &VideoRecord::finishAnnotationsBaked);
    connect(exporter, &VideoExport::framesBaked, this, &VideoRecord::exportEditedMp4);
    connect(exporter, &VideoExport::mp4Written, this, &VideoRecord::takeExportResult);
    connect(exporter, &VideoExport::mp4Failed, this, [this] {
        dropPendingExport();
        showNotice(tr("Could not save file"));
    });
}

bool VideoRecord::isExportingMp4() const
{
    return exporter->isWritingMp4();
}

bool VideoRecord::isMuxing() const
{
    return exporter->isMuxing();
}

QList<QWidget *> VideoRecord::borderWindows() const
{
    return {leftBorder, rightBorder, bottomBorder, cornerBorder};
}

void VideoRecord::setBorderCursors()
{
    leftBorder->setCursor(Qt::ArrowCursor);
    rightBorder->setCursor(Qt::SizeHorCursor);
    bottomBorder->setCursor(Qt::SizeVerCursor);
    cornerBorder->setCursor(Qt::SizeFDiagCursor);
}

void VideoRecord::loadSettings()
{
    QSettings settings = settingsStore();
    const QString storedFormat =
        settings.value(SettingsKeys::VideoFormat, SettingsKeys::VideoFormatDefault).toString();
    const QString storedFramerate =
        settings.value(SettingsKeys::VideoFramerate, SettingsKeys::VideoFramerateDefault)
            .toString();
    format = normalisedFormat(storedFormat);
    framerate = normalisedFramerate(storedFramerate);
    if (format != storedFormat)
        settings.setValue(SettingsKeys::VideoFormat, format);
    if (framerate != storedFramerate)
        settings.setValue(SettingsKeys::VideoFramerate, framerate);
    recordMicrophone =
        settings.value(SettingsKeys::RecordMicrophone, SettingsKeys::RecordMicrophoneDefault)
            .toBool();

    ui->label_format->setText(format.toUpper());
    const QSignalBlocker blocker(ui->bt_microphone);
    ui->bt_microphone->setChecked(recordMicrophone);
    settingsPopup->showChoices(format, framerate, clickHighlightEnabled());
}

void VideoRecord::retranslateUi()
{
    ui->bt_close->setToolTip(tr("Close"));
    ui->bt_settings->setToolTip(tr("Format and frame rate"));
    ui->bt_microphone->setAccessibleName(tr("Record microphone"));
    settingsPopup->setCaptions(tr("Format:"), tr("Framerate:"), tr("Highlight clicks"));
    refreshButtonTexts();
    refreshMicrophoneButton();
    refreshPlayButton();
}

void VideoRecord::refreshButtonTexts()
{
    const int rate = fps();
    for (const QString &choice : RecorderSettingsPopup::formats()) {
        const QString time = durationText(maxRecordingSeconds(choice, rate));
        QPushButton *button = settingsPopup->formatButton(choice);
        button->setText(choice.toUpper() + QLatin1Char('\n') + time);
        button->setToolTip(tr("Maximum recording time: %1").arg(time));
    }
    for (const QString &choice : RecorderSettingsPopup::framerates()) {
        const QString time = durationText(maxRecordingSeconds(format, framesPerSecond(choice)));
        QPushButton *button = settingsPopup->framerateButton(choice);
        button->setText(tr("%1 FPS\n%2").arg(choice, time));
        button->setToolTip(tr("%1 FPS, maximum recording time: %2").arg(choice, time));
    }
}

void VideoRecord::refreshMicrophoneButton()
{
    QPushButton *button = ui->bt_microphone;
    button->setVisible(format == QLatin1String("mp4"));
    button->setIcon(style()->standardIcon(recordMicrophone ? QStyle::SP_MediaVolume
                                                           : QStyle::SP_MediaVolumeMuted));
    button->setToolTip(recordMicrophone ? tr("Microphone on") : tr("Microphone off"));
    button->setEnabled(!setupLocked());
}

void VideoRecord::refreshPlayButton()
{
    const bool playing = playback->isPlaying();
    ui->bt_play_pause->setText(QString());
    ui->bt_play_pause->setIcon(
        style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    ui->bt_play_pause->setToolTip(playing ? tr("Pause") : tr("Play"));
}

void VideoRecord::toggleMicrophone(bool on)
{
    recordMicrophone = on;
    settingsStore().setValue(SettingsKeys::RecordMicrophone, on);
    refreshMicrophoneButton();
}

void VideoRecord::toggleClickHighlight(bool on)
{
    settingsStore().setValue(SettingsKeys::ShowClickHighlight, on);
}

void VideoRecord::on_bt_start_rec_clicked()
{
    if (recording)
        stopRecording();
    else
        startRecording();
}

void VideoRecord::on_bt_close_clicked()
{
    closing = true;
    if (recording)
        stopRecording();
    close();
}

void VideoRecord::on_bt_settings_clicked()
{
    if (setupLocked())
        return;
    if (settingsPopup->isVisible()) {
        settingsPopup->hide();
        return;
    }
    settingsPopup->showChoices(format, framerate, clickHighlightEnabled());
    settingsPopup->adjustSize();
    settingsPopup->move(RecorderLayout::around(geometry(), captureLabel->size(), 0).settingsPopup);
    settingsPopup->show();
}

void VideoRecord::changeFormat(QString value)
{
    if (!RecorderSettingsPopup::formats().contains(value) || setupLocked())
        return;
    format = value;
    settingsStore().setValue(SettingsKeys::VideoFormat, format);
    ui->label_format->setText(format.toUpper());
    refreshButtonTexts();
    refreshMicrophoneButton();
}

void VideoRecord::changeFramerate(QString value)
{
    if (setupLocked())
        return;
    framerate = value;
    settingsStore().setValue(SettingsKeys::VideoFramerate, framerate);
    refreshButtonTexts();
}

void VideoRecord::checkMousePos()
{
    const QPoint pointer = QCursor::pos();
    for (QWidget *window :
         {static_cast<QWidget *>(this), rightBorder, bottomBorder, cornerBorder}) {
        if (window->isVisible() && window->frameGeometry().contains(pointer)) {
            if (!window->isActiveWindow())
                window->activateWindow();
            break;
        }
    }
    mousePosTimer.start();
}

int VideoRecord::fps() const
{
    return framesPerSecond(framerate);
}

qint64 VideoRecord::elapsedMs() const
{
    return environment.clock ? environment.clock() : recordingClock.elapsed();
}

QString VideoRecord::usageLabel() const
{
    return QStringLiteral("Format_%1_Framerate_%2").arg(format, framerate);
}

QRect VideoRecord::captureRect() const
{
    if (captureLabel->isWindow())
        return captureLabel->frameGeometry();
    return QRect(captureLabel->mapToGlobal(QPoint()), captureLabel->size());
}

void VideoRecord::startRecording()
{
    for (QWidget *border : borderWindows())
        border->setCursor(Qt::ArrowCursor);
    ui->moveBar->setCursor(Qt::ArrowCursor);
    ui->lcdNumber->display(QStringLiteral("00:00"));

    recording = true;
    elapsedSeconds = 0;
    ui->bt_microphone->setEnabled(false);
    mouseHook.install();
    ui->record_label->setStyleSheet(recordingLabelStyle);
    ui->bt_start_rec->setText(tr("◼ Stop"));
    settingsPopup->hide();

    frames.clear();
    frameTimes.clear();
    clicks.clear();
    tmpFilePath.clear();
    durationMs = 0;
    mp4Finalized = false;
    hasAudio = false;
    soundSource.clear();

    // An MP4 that cannot be written is known before anything is recorded: the user hears of it
    // now, not after minutes of recording for nothing.
    if (format == QLatin1String("mp4") && !startMp4Recording()) {
        mouseHook.uninstall();
        resetBar();
        qDebug().noquote() << "Recording Status: Failed! (MP4 recorder could not start)"
                           << mp4Recorder->errorString();
        showPlainMessage(tr("The MP4 recording cannot start: %1").arg(mp4Recorder->errorString()));
        return;
    }

    recordingClock.restart();
    captureTimer.start(captureIntervalMs(fps()));
    connect(&secondTimer, &QTimer::timeout, this, &VideoRecord::tick, Qt::UniqueConnection);
    secondTimer.start(1000);
    emit emitAnalitycs(QStringLiteral("ec=VideoButtons&ea=StartRecord&el=") + usageLabel());
}

bool VideoRecord::startMp4Recording()
{
    tmpFilePath = VideoTempFile::newPath("/videostream%1.mp4");
    recordedSize = captureRect().size();
    Mp4Recorder::Settings settings;
    settings.location = tmpFilePath;
    settings.resolution = recordedSize;
    settings.frameRate = fps();
    settings.audio = recordMicrophone;
    if (mp4Recorder->start(settings))
        return true;
    tmpFilePath.clear();
    return false;
}

void VideoRecord::tick()
{
    if (!recording) {
        elapsedSeconds = 0;
        ui->lcdNumber->display(QStringLiteral("00:00"));
        return;
    }
    ++elapsedSeconds;
    const bool odd = elapsedSeconds % 2 == 1;
    ui->lcdNumber->display(QStringLiteral("%1%2%3")
                               .arg(elapsedSeconds / 60, 2, 10, QLatin1Char('0'))
                               .arg(odd ? QLatin1Char(':') : QLatin1Char(' '))
                               .arg(elapsedSeconds % 60, 2, 10, QLatin1Char('0')));
    ui->record_label->setStyleSheet(odd ? idleLabelStyle : recordingLabelStyle);
    if (elapsedSeconds >= maxRecordingSeconds(format, fps()))
        stopRecording();
}

void VideoRecord::captureFrame()
{
    if (!recording)
        return;
    const QRect area = captureRect();
    QScreen *screen = QGuiApplication::screenAt(
        QPoint((area.left() + area.right()) / 2, (area.top() + area.bottom()) / 2));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const qint64 t = elapsedMs();
    const QPixmap grabbed = environment.grab(screen, area);
    if (grabbed.isNull())
        return;

    QImage frame = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
    // The marks are placed in grabbed pixels, whatever the screen's scale.
    frame.setDevicePixelRatio(1);
    drawCursorIntoFrame(frame, area, environment.cursor(), environment.pointer());
    if (clickHighlightEnabled())
        drawClickHighlights(frame, area.size(), clicks, t);

    if (frames.append(frame))
        frameTimes.append(t);
    if (format == QLatin1String("mp4") &&
        mp4Recorder->recorderState() == Mp4Recorder::RecordingState)
        mp4Recorder->sendVideoFrame(frame, t * 1000);
    if (format == QLatin1String("gif") && frames.count() >= gifFrameLimit)
        stopRecording();
}

void VideoRecord::leftButtonPressed(QPoint globalPosition)
{
    if (!recording || !clickHighlightEnabled())
        return;
    const QRect area = captureRect();
    if (area.contains(globalPosition))
        clicks.append({globalPosition - area.topLeft(), elapsedMs()});
}

void VideoRecord::stopRecording()
{
    emit emitAnalitycs(QStringLiteral("ec=VideoButtons&ea=Stop&el=") + usageLabel());
    secondTimer.stop();
    captureTimer.stop();
    recording = false;
    mouseHook.uninstall();
    ui->bt_start_rec->setText(tr("Saving..."));
    if (frames.droppedCount() > 0)
        qWarning().noquote()
            << QStringLiteral("Recording: %1 frames dropped").arg(frames.droppedCount());

    if (format != QLatin1String("mp4")) {
        finalizeRecording();
    } else if (mp4Recorder->recorderState() == Mp4Recorder::RecordingState) {
        if (!closing)
            showBusy(false);
        mp4Recorder->stop();
    } else {
        // The file never opened: no stopped state will follow.
        finalizeMp4Recording();
    }
}

void VideoRecord::resetBar()
{
    ui->bt_start_rec->setText(tr("• Record"));
    ui->moveBar->setCursor(Qt::SizeAllCursor);
    setBorderCursors();
    ui->record_label->setStyleSheet(idleLabelStyle);
    recording = false;
    refreshMicrophoneButton();
    disconnect(&secondTimer, &QTimer::timeout, this, &VideoRecord::tick);
    secondTimer.stop();
    ui->lcdNumber->display(QStringLiteral("00:00"));
}

void VideoRecord::normaliseTimes()
{
    const qint64 t0 = frameTimes.first();
    for (qint64 &time : frameTimes)
        time = std::max<qint64>(0, time - t0);
    for (ClickMark &click : clicks)
        click.timeMs = std::max<qint64>(0, click.timeMs - t0);
    durationMs = frameTimes.last() + captureIntervalMs(fps());
}

void VideoRecord::showBusy(bool determinate)
{
    progressBar->setRange(0, determinate ? 100 : 0);
    progressBar->setValue(0);
    progressBar->show();
    ui->bt_start_rec->setEnabled(false);
    ui->bt_close->setEnabled(false);
    refreshMicrophoneButton();
    captureLabel->setStyleSheet(QStringLiteral("background-color:#fff;"));
    captureLabel->setWindowOpacity(0.75);
    captureLabel->setMovie(loadingMovie);
    loadingMovie->start();
    captureLabel->show();
}

void VideoRecord::hideBusy()
{
    progressBar->hide();
    ui->bt_start_rec->setEnabled(true);
    ui->bt_close->setEnabled(true);
    refreshMicrophoneButton();
}

void VideoRecord::hideCaptureLabel()
{
    loadingMovie->stop();
    captureLabel->setMovie(nullptr);
    captureLabel->hide();
}

void VideoRecord::failGif(const char *reason)
{
    qDebug().noquote()
        << QStringLiteral("Recording Status: Failed! (%1)").arg(QLatin1String(reason));
    emit emitAnalitycs(
        QStringLiteral("ec=VideoRecordsFails&ea=Failed&el=Format_gif_Framerate_%1_OS_%2")
            .arg(framerate, QSysInfo::prettyProductName()));
}

void VideoRecord::finalizeRecording()
{
    resetBar();
    if (frames.isEmpty()) {
        failGif("no frames captured");
        return;
    }
    if (closing)
        return;
    normaliseTimes();
    const int delay = gifDelay(fps());
    showBusy(true);
    worker.start([this, delay, snapshot = frames.snapshot()](const BackgroundWorker::Job &job) {
        // A recorder that closes meanwhile stops the encoder instead of waiting for the file.
        const QByteArray gif =
            encodeStoredGif(snapshot, delay, [&job](int percent) { job.progress(percent); },
                            {0, [&job] { return job.stopRequested(); }});
        // Delivered only while the worker, and so the recorder that owns it, is there.
        job.deliver([this, gif] { finishEncoding(gif); });
    });
}

void VideoRecord::finishEncoding(QByteArray gifData)
{
    hideBusy();
    if (gifData.isEmpty()) {
        failGif("encode error");
        hideCaptureLabel();
        return;
    }
    const QString path = VideoTempFile::newPath("/videostream%1.gif");
    if (!VideoTempFile::writeWhole(path, gifData)) {
        failGif("could not write file");
        hideCaptureLabel();
        return;
    }
    tmpFilePath = path;
    enterEditing();
    qDebug().noquote() << "Recording Status: Successful!";
}

void VideoRecord::mp4StateChanged(Mp4Recorder::RecorderState state)
{
    if (state != Mp4Recorder::StoppedState)
        return;
    if (!recording && format == QLatin1String("mp4") && !tmpFilePath.isEmpty())
        finalizeMp4Recording();
}

void VideoRecord::finalizeMp4Recording()
{
    if (mp4Finalized)
        return;
    mp4Finalized = true;
    hasAudio = mp4Recorder->hasAudio();
    resetBar();
    hideBusy();
    if (!frames.isEmpty() && QFile::exists(tmpFilePath)) {
        normaliseTimes();
        if (hasAudio)
            soundSource = tmpFilePath;
        if (!closing)
            enterEditing();
        qDebug().noquote() << "Recording Status: Successful!";
        return;
    }
    if (!frames.isEmpty()) {
        keepFramesOfFailedMp4();
        return;
    }
    qDebug().noquote() << "Recording Status: Failed! (MP4 recorder produced no file)"
                       << mp4Recorder->errorString();
    QFile::remove(tmpFilePath);
    tmpFilePath.clear();
    hideCaptureLabel();
}

void VideoRecord::keepFramesOfFailedMp4()
{
    const QString error = mp4Recorder->errorString();
    qWarning().noquote() << "Recording: the MP4 encoder failed, the frames are kept:" << error;
    const bool soundLost = hasAudio;
    hasAudio = false;
    tmpFilePath.clear();
    normaliseTimes();
    if (closing)
        return;
    enterEditing();
    QString text = tr("The MP4 encoder failed during the recording: %1\nEvery recorded frame is "
                      "kept: the video is written from them when you save or upload it.")
                       .arg(error);
    if (soundLost)
        text += QLatin1Char('\n') + tr("The sound could not be kept.");
    showPlainMessage(text);
}

void VideoRecord::exportEditedMp4(FrameStore::Snapshot bakedFrames)
{
    // One edited video at a time.
    if (exporter->isWritingMp4() || exporter->isMuxing())
        return;
    holdControlsForExport();
    exporter->writeMp4(std::move(bakedFrames), fps(), recordedSize,
                       hasAudio ? soundSource : QString());
}

QString VideoRecord::muxerProgram() const
{
    return environment.muxer ? environment.muxer()
                             : findMuxer(QCoreApplication::applicationDirPath(), systemPathDirs());
}

void VideoRecord::takeExportResult(const MuxResult &result)
{
    // A new file without the recording's sound leaves the sound in the file that holds it, for
    // the next export to try again.
    const bool soundLeftOut = hasAudio && !result.hasAudio;
    const QStringList previous{tmpFilePath, soundSource};
    tmpFilePath = result.path;
    if (hasAudio && !soundLeftOut)
        soundSource = result.path;
    // The player lets go of a file before it is removed.
    playback->setAudioFile(soundSource);
    for (const QString &old : previous)
        if (!old.isEmpty() && old != soundSource)
            QFile::remove(old);
    annotating->exported(bakedRevision);
    if (soundLeftOut)
        showPlainMessage(tr("The sound could not be put into the edited video, so it has none. "
                            "The recording keeps its sound: saving or uploading again tries once "
                            "more."));
    runPendingExport();
}

void VideoRecord::runPendingExport()
{
    const PendingExport action = std::exchange(pendingExport, PendingExport::None);
    releaseControlsAfterExport();
    if (action == PendingExport::Save)
        openSaveDialog();
    else if (action == PendingExport::Upload)
        handOffUpload();
}

void VideoRecord::dropPendingExport()
{
    pendingExport = PendingExport::None;
    releaseControlsAfterExport();
}

void VideoRecord::holdControlsForExport()
{
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->show();
    progressBar->raise();
    ui->playWidget->setEnabled(false);
    ui->bt_close->setEnabled(false);
}

void VideoRecord::releaseControlsAfterExport()
{
    progressBar->hide();
    ui->playWidget->setEnabled(true);
    ui->bt_close->setEnabled(true);
}

void VideoRecord::handOffUpload()
{
    if (tmpFilePath.isEmpty() || !QFile::exists(tmpFilePath))
        return;
    const QString path = tmpFilePath;
    UploadProgress *popup = VideoHandOff::startUpload(path);
    // The popup has told the user why it cannot read the file; the video stays here.
    if (!popup)
        return;
    connect(popup, &UploadProgress::uploadDone, this, [this, path] {
        if (tmpFilePath == path)
            tmpFilePath.clear();
    });
    uploading = true;
    ui->bt_save->setEnabled(false);
    ui->bt_upload->setEnabled(false);
    close();
    popup->show();
    popup->setFocus();
    popup->raise();
    emit emitAnalitycs(QStringLiteral("ec=VideoButtons&ea=SaveUpload&el=Upload"));
}

void VideoRecord::enterEditing()
{
    playback->load(frameTimes, durationMs, hasAudio ? soundSource : QString());
    ui->recordWidget->hide();
    ui->playWidget->show();
    loadingMovie->stop();
    captureLabel->setMovie(nullptr);
    captureLabel->setStyleSheet(QStringLiteral("background-color:#000;"));
    captureLabel->setWindowOpacity(1.0);
    preview->forget();
    annotating->reset(durationMs);
    rebuildBands();
    timeline->setFrames(TimelineFrames::of(frames.snapshot()), durationMs);
    timeline->setPlayhead(0);
    timeline->show();
    showEditor();
    refreshPlayButton();
    showFrame();
}

void VideoRecord::showEditor()
{
    const QSize frameSize = frames.at(0).size();
    captureLabel->setMinimumSize(1, 1);
    captureLabel->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The label takes the room the window gives it; the frame is fitted into it.
    captureLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    captureLabel->setFocusPolicy(Qt::ClickFocus);
    ui->bt_save->setShortcut(QKeySequence::Save);
    editor->host(captureLabel, timeline, ui->playWidget, ui->bt_close);
    settingsPopup->hide();
    for (QWidget *border : borderWindows())
        border->hide();
    hide();

    const QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 720);
    const QSize wanted(frameSize.width(), frameSize.height() + timeline->height() +
                                              editor->toolbar()->sizeHint().height());
    const QSize size = wanted.boundedTo(available.size()).expandedTo(editor->minimumSize());
    editor->resize(size);
    editor->move(available.center() - QPoint(size.width() / 2, size.height() / 2));
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void VideoRecord::placeProgressBar()
{
    progressBar->setGeometry(20, captureLabel->height() - 26, captureLabel->width() - 40, 16);
}

void VideoRecord::showFrame()
{
    if (frames.isEmpty() || captureLabel->isWindow())
        return;
    const qint64 ms = playback->shownTimeMs();
    preview->show(frames, playback->shownFrame(), ms, annotating->annotationList(),
                  annotating->decorations());
    timeline->setPlayhead(ms);
}

void VideoRecord::rebuildBands()
{
    const bool microphone = format == QLatin1String("mp4") && hasAudio;
    timeline->setBands(annotating->bands(microphone ? std::optional(durationMs) : std::nullopt));
    timeline->ensureBandVisible(annotating->selected());
    showFrame();
}

void VideoRecord::on_bt_play_pause_clicked()
{
    const QString usage = playback->toggle();
    if (!usage.isEmpty())
        emit emitAnalitycs(QStringLiteral("ec=VideoButtons&ea=PlayPause&el=") + usage);
}

void VideoRecord::advancePlayback()
{
    playback->advance();
}

void VideoRecord::stopPlayback()
{
    playback->stop();
}

void VideoRecord::onTimelineSeek(qint64 ms)
{
    playback->seek(ms);
}

void VideoRecord::onTimelineRangeChanged(int bandIndex, qint64 startMs, qint64 endMs)
{
    annotating->setBandRange(bandIndex, startMs, endMs);
}

void VideoRecord::onArrowToolToggled(bool checked)
{
    toolToggled(VideoAnnotation::Arrow, checked);
}

void VideoRecord::onRectangleToolToggled(bool checked)
{
    toolToggled(VideoAnnotation::Rectangle, checked);
}

void VideoRecord::onBlurToolToggled(bool checked)
{
    toolToggled(VideoAnnotation::Blur, checked);
}

void VideoRecord::onTextToolToggled(bool checked)
{
    toolToggled(VideoAnnotation::Text, checked);
}

void VideoRecord::toolToggled(int kind, bool checked)
{
    editor->showTool(kind, checked);
    annotating->setToolChecked(kind, checked, playback->shownTimeMs());
}

void VideoRecord::onColorButtonClicked()
{
    QColorDialog dialog(annotating->color(), editor);
    dialog.setWindowTitle(tr("Select color"));
    dialog.setStyleSheet(QLatin1String(colorDialogStyle));
    if (dialog.exec() == QDialog::Accepted)
        annotating->chooseColor(dialog.selectedColor());
}

bool VideoRecord::needsExport() const
{
    return annotating->isDirty() || tmpFilePath.isEmpty() || !QFile::exists(tmpFilePath) ||
           (hasAudio && soundSource != tmpFilePath);
}

void VideoRecord::on_bt_save_clicked()
{
    if (needsExport())
        startAnnotationsBake(PendingExport::Save);
    else
        openSaveDialog();
}

void VideoRecord::on_bt_upload_clicked()
{
    if (uploading)
        return;
    if (needsExport())
        startAnnotationsBake(PendingExport::Upload);
    else
        handOffUpload();
}

void VideoRecord::startAnnotationsBake(PendingExport action)
{
    if (worker.isRunning() || frames.isEmpty())
        return;
    stopPlayback();
    annotating->commitText();
    pendingExport = action;
    holdControlsForExport();
    bakedRevision = annotating->revision();
    exporter->bake(AnnotationBake(frames.snapshot(), frameTimes, annotating->annotationList()),
                   fps(), format == QLatin1String("mp4"));
}

void VideoRecord::finishAnnotationsBaked(QByteArray gifData)
{
    if (gifData.isEmpty()) {
        dropPendingExport();
        return;
    }
    const QString path = VideoTempFile::newPath("/videostream_edited%1.gif");
    if (!VideoTempFile::writeWhole(path, gifData)) {
        // Saving or uploading the previous file would pass off a video without the annotations
        // as the edited one.
        dropPendingExport();
        showNotice(tr("Could not save file"));
        return;
    }
    QFile::remove(tmpFilePath);
    tmpFilePath = path;
    annotating->exported(bakedRevision);
    runPendingExport();
}

QString VideoRecord::askSavePath(const QString &proposedPath, const QString &extension) const
{
    return environment.askSavePath ? environment.askSavePath(proposedPath, extension)
                                   : VideoHandOff::askSavePath(proposedPath, extension);
}

void VideoRecord::openSaveDialog()
{
    if (tmpFilePath.isEmpty() || !QFile::exists(tmpFilePath))
        return;
    const QString extension = format;
    const QString path = askSavePath(
        VideoHandOff::proposedSavePath(VideoHandOff::saveFolder(), extension), extension);
    if (!path.isEmpty())
        showNotice(VideoHandOff::saveCopy(tmpFilePath, path, extension)
                       ? tr("File saved successfully")
                       : tr("Could not save file"));
    emit emitAnalitycs(QStringLiteral("ec=VideoButtons&ea=SaveUpload&el=Save"));
}

void VideoRecord::showNotice(const QString &text)
{
    noticeLabel->setText(text);
    noticeLabel->adjustSize();
    noticeLabel->move((captureLabel->width() - noticeLabel->width()) / 2, 12);
    noticeLabel->show();
    noticeLabel->raise();
    QTimer::singleShot(2500, noticeLabel, &QWidget::hide);
}

void VideoRecord::removeTmpFile()
{
    uploading = false;
    dropResultFile();
    deleteLater();
}

void VideoRecord::dropResultFile()
{
    // The sound's file is the recorder's alone unless it is the result itself.
    if (!soundSource.isEmpty() && soundSource != tmpFilePath)
        QFile::remove(soundSource);
    soundSource.clear();
    if (uploading || tmpFilePath.isEmpty())
        return;
    QFile::remove(tmpFilePath);
    tmpFilePath.clear();
}

void VideoRecord::editorWindowClosed()
{
    // While the bar is shown the recorder lives on; in editing the editor is all there is.
    if (!isHidden())
        return;
    dropResultFile();
    deleteLater();
}

bool VideoRecord::setupLocked() const
{
    return recording || !ui->bt_start_rec->isEnabled();
}

bool VideoRecord::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == captureLabel && !captureLabel->isWindow()) {
        if (event->type() == QEvent::Resize) {
            placeProgressBar();
            showFrame();
        }
        return annotating->handleViewEvent(event, playback->shownTimeMs()) ||
               QWidget::eventFilter(watched, event);
    }
    if (watched == leftBorder || !borderWindows().contains(qobject_cast<QWidget *>(watched)))
        return QWidget::eventFilter(watched, event);
    auto *border = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && !setupLocked()) {
            resizingBorder = border;
            resizePress = mouse->globalPosition().toPoint();
            resizeStartSize = captureLabel->size();
        }
        return true;
    }
    case QEvent::MouseMove:
        if (resizingBorder == border) {
            const QPoint offset =
                static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - resizePress;
            setCaptureSize(draggedCaptureSize(resizeStartSize, offset, border != bottomBorder,
                                              border != rightBorder, smallestCaptureSize()));
        }
        return true;
    case QEvent::MouseButtonRelease:
        resizingBorder = nullptr;
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void VideoRecord::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !setupLocked() &&
        childAt(event->position().toPoint()) == ui->moveBar) {
        movingBar = true;
        pressOffset = event->globalPosition().toPoint() - pos();
    }
    QWidget::mousePressEvent(event);
}

void VideoRecord::mouseReleaseEvent(QMouseEvent *event)
{
    movingBar = false;
    QWidget::mouseReleaseEvent(event);
}

void VideoRecord::mouseMoveEvent(QMouseEvent *event)
{
    if (movingBar) {
        const QScreen *primary = QGuiApplication::primaryScreen();
        if (primary)
            move(clampedBarPosition(event->globalPosition().toPoint() - pressOffset, size(),
                                    captureLabel->height(), primary->virtualGeometry().size(),
                                    primary->availableGeometry().top()));
    }
    QWidget::mouseMoveEvent(event);
}

void VideoRecord::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    layoutGroup();
}

void VideoRecord::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutGroup();
}

void VideoRecord::closeEvent(QCloseEvent *event)
{
    closing = true;
    if (recording)
        stopRecording();
    stopPlayback();
    settingsPopup->hide();
    for (QWidget *border : borderWindows())
        border->hide();
    captureLabel->hide();
    editor->close();
    dropResultFile();
    event->accept();
}

void VideoRecord::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!settingsLoaded) {
        applyStoredGeometry();
        settingsLoaded = true;
    }
    if (ui->recordWidget->isVisible())
        for (QWidget *border : borderWindows())
            border->show();
    mousePosTimer.start();
}

void VideoRecord::applyStoredGeometry()
{
    const QSettings settings = settingsStore();
    QSize capture = settings.value(SettingsKeys::VideoRecorderCaptureSize).toSize();
    if (capture.width() <= 0 || capture.height() <= 0) {
        const QSize window = settings.value(SettingsKeys::VideoRecorderSize, size()).toSize();
        capture = QSize(std::max(1, window.width() - 2 * RecorderLayout::borderWidth),
                        std::max(RecorderLayout::minimumCaptureHeight, captureLabel->height()));
    }
    setCaptureSize(draggedCaptureSize(capture, QPoint(), true, true, smallestCaptureSize()));

    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    const QRect available = primary->availableGeometry();
    const QPoint centred(available.center().x() - width() / 2,
                         available.center().y() - (height() + captureLabel->height()) / 2);
    const QPoint wanted = settings.value(SettingsKeys::VideoRecorderPosition, centred).toPoint();
    move(clampedBarPosition(wanted, size(), captureLabel->height(),
                            primary->virtualGeometry().size(), available.top()));
    layoutGroup();
}

QSize VideoRecord::smallestCaptureSize() const
{
    return minimumCaptureSize(std::max(minimumWidth(), layout()->minimumSize().width()));
}

void VideoRecord::setCaptureSize(const QSize &size)
{
    captureSize = size;
    captureLabel->setFixedSize(size);
    resize(barWidthFor(size.width()), RecorderLayout::barHeight);
    layoutGroup();
}

void VideoRecord::layoutGroup()
{
    if (!captureLabel)
        return;
    const RecorderLayout layout = RecorderLayout::around(geometry(), captureLabel->size(), 0);
    settingsPopup->move(layout.settingsPopup);
    leftBorder->setGeometry(layout.leftBorder);
    rightBorder->setGeometry(layout.rightBorder);
    bottomBorder->setGeometry(layout.bottomBorder);
    cornerBorder->setGeometry(layout.cornerPiece);
    // In the editor the label lies in the editor's window, which places it.
    if (captureLabel->isWindow()) {
        captureLabel->move(layout.captureArea.topLeft());
        progressBar->setGeometry(layout.progressBar);
    }
    if (settingsLoaded)
        storeGeometry();
}

void VideoRecord::storeGeometry() const
{
    QSettings settings = settingsStore();
    settings.setValue(SettingsKeys::VideoRecorderPosition, pos());
    settings.setValue(SettingsKeys::VideoRecorderCaptureSize, captureSize);
    settings.sync();
}
