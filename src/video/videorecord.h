#pragma once

#include "backgroundworker.h"
#include "capturecursor.h"
#include "framedecoration.h"
#include "framestore.h"
#include "mousehook.h"
#include "mp4recorder.h"

#include <QElapsedTimer>
#include <QList>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class AnnotationEditor;
class EditorPlayback;
class FramePreview;
struct MuxResult;
class QLabel;
class QMovie;
class QProgressBar;
class QScreen;
class RecorderSettingsPopup;
class StoryboardTimeline;
class VideoEditor;
class VideoExport;

namespace Ui {
class VideoRecord;
}

// The screen recorder: a frameless bar over a capture frame that the user places anywhere on the
// desktop. It records that area into a frame store as GIF or MP4, with the cursor and click
// highlights drawn in, and then becomes the video editor: the result is played back, annotated for
// parts of its time, and saved or uploaded with the annotations baked in. The editing itself is
// done by the small classes it owns (annotation editor, playback, frame preview), the export by
// VideoExport, and VideoHandOff saves or uploads the file.
class VideoRecord : public QWidget
{
    Q_OBJECT

public:
    // What the recorder takes from the outside world; tests put known pictures and times behind
    // it.
    struct Environment
    {
        // The area, in global logical pixels, grabbed from the screen under it.
        std::function<QPixmap(QScreen *screen, const QRect &area)> grab;
        std::function<CapturedCursor()> cursor;
        std::function<QPoint()> pointer;
        // Milliseconds since the recording started; empty means the recorder's own clock.
        std::function<qint64()> clock;
        // The program that puts the recording's audio into an edited video; empty means the
        // usual search beside the program and then in PATH.
        std::function<QString()> muxer;
        // Asks where to save the result, starting at the proposed path; empty when cancelled.
        // Empty means the save dialog.
        std::function<QString(const QString &proposedPath, const QString &extension)> askSavePath;
    };

    // What happens to an edited video once it is written.
    enum class PendingExport
    {
        None,
        Save,
        Upload
    };
    static Environment systemEnvironment();

    explicit VideoRecord(QWidget *parent = nullptr);
    VideoRecord(const Environment &environment, QWidget *parent = nullptr);
    ~VideoRecord() override;

    // The capture label's rectangle in global coordinates: the area that is recorded.
    QRect captureRect() const;
    bool isRecording() const { return recording; }
    QString currentFormat() const { return format; }
    QString currentFramerate() const { return framerate; }
    QString resultPath() const { return tmpFilePath; }
    const FrameStore &recordedFrames() const { return frames; }
    const QList<qint64> &recordedFrameTimes() const { return frameTimes; }
    qint64 recordingDurationMs() const { return durationMs; }
    bool isWorkerRunning() const { return worker.isRunning(); }
    Mp4Recorder *mediaRecorder() const { return mp4Recorder; }
    RecorderSettingsPopup *settingsPopupWindow() const { return settingsPopup; }
    QLabel *captureLabelWindow() const { return captureLabel; }
    QList<QWidget *> borderWindows() const;
    bool isExportingMp4() const;
    bool isMuxing() const;
    PendingExport pendingExportAction() const { return pendingExport; }
    QProgressBar *progressBarWidget() const { return progressBar; }
    VideoEditor *editorWindow() const { return editor; }
    StoryboardTimeline *timelineWidget() const { return timeline; }
    AnnotationEditor *annotationEditor() const { return annotating; }
    EditorPlayback *editorPlayback() const { return playback; }
    QLabel *noticeWidget() const { return noticeLabel; }
    bool isUploading() const { return uploading; }

    // Bakes the annotations into copies of the frames on a worker, writes the result as the new
    // temporary file and then saves or uploads it.
    void startAnnotationsBake(PendingExport action);

signals:
    void emitAnalitycs(QString val);

public slots:
    void on_bt_start_rec_clicked();
    void on_bt_close_clicked();
    void tick();
    void captureFrame();
    void on_bt_settings_clicked();
    void changeFormat(QString value);
    void changeFramerate(QString value);
    void checkMousePos();
    void on_bt_play_pause_clicked();
    void on_bt_save_clicked();
    void on_bt_upload_clicked();
    void removeTmpFile();
    void finishEncoding(QByteArray gifData);
    void finishAnnotationsBaked(QByteArray gifData);
    void advancePlayback();
    void onTimelineSeek(qint64 ms);
    void onTimelineRangeChanged(int bandIndex, qint64 startMs, qint64 endMs);
    void onArrowToolToggled(bool checked);
    void onRectangleToolToggled(bool checked);
    void onBlurToolToggled(bool checked);
    void onTextToolToggled(bool checked);
    void onColorButtonClicked();
    // Left-button presses anywhere on the desktop, from the mouse hook.
    void leftButtonPressed(QPoint globalPosition);
    // Writes the baked frames as the new, silent MP4, evenly spaced at the frame rate, and then
    // gives it the recording's audio.
    void exportEditedMp4(FrameStore::Snapshot bakedFrames);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void loadSettings();
    void createCompanionWindows();
    void createEditor();
    void retranslateUi();
    void refreshButtonTexts();
    void refreshMicrophoneButton();
    void refreshPlayButton();
    void setBorderCursors();
    void toggleMicrophone(bool on);
    void toggleClickHighlight(bool on);
    void applyStoredGeometry();
    QSize smallestCaptureSize() const;
    void setCaptureSize(const QSize &size);
    void layoutGroup();
    void storeGeometry() const;
    void startRecording();
    // False when the file cannot be written; the encoder's error tells why.
    bool startMp4Recording();
    void stopRecording();
    void resetBar();
    void normaliseTimes();
    void showBusy(bool determinate);
    void hideBusy();
    void hideCaptureLabel();
    void showNotice(const QString &text);
    // Moving, resizing and the recording's choices (format, frame rate, microphone) wait while a
    // recording runs or is being saved: what it was started with is what it is finalised with.
    bool setupLocked() const;
    void finalizeRecording();
    void finalizeMp4Recording();
    // The encoder failed after the start: the recording goes on to the editor from its frames,
    // which are written as a new video when it is saved or uploaded.
    void keepFramesOfFailedMp4();
    // The frames must be written as a new file first: the annotations changed since the last
    // export, or there is no file of the recording.
    bool needsExport() const;
    void mp4StateChanged(Mp4Recorder::RecorderState state);
    void failGif(const char *reason);
    void enterEditing();
    void createExport();
    QString muxerProgram() const;
    void holdControlsForExport();
    void releaseControlsAfterExport();
    // The export ended without a new file: the pending action is dropped.
    void dropPendingExport();
    void takeExportResult(const MuxResult &result);
    void runPendingExport();
    void handOffUpload();
    void openSaveDialog();
    QString askSavePath(const QString &proposedPath, const QString &extension) const;
    void showEditor();
    void toolToggled(int kind, bool checked);
    void rebuildBands();
    void showFrame();
    void placeProgressBar();
    void stopPlayback();
    void editorWindowClosed();
    // Removes the temporary files, the result unless the uploader holds it.
    void dropResultFile();
    qint64 elapsedMs() const;
    QString usageLabel() const;
    int fps() const;

    Ui::VideoRecord *ui;
    Environment environment;

    QString format;
    QString framerate;
    bool recordMicrophone = false;
    bool recording = false;
    int elapsedSeconds = 0;
    QString tmpFilePath;
    FrameStore frames;
    QList<qint64> frameTimes;
    QList<ClickMark> clicks;
    qint64 durationMs = 0;
    QElapsedTimer recordingClock;
    QTimer captureTimer;
    QTimer secondTimer;
    MouseHook mouseHook;
    bool settingsLoaded = false;
    // The window is closing: a stopped recording is not turned into a result.
    bool closing = false;
    // Encodes the recording and bakes the exports; declared after the frames, which it reads.
    BackgroundWorker worker;
    // The file has been handed to the uploader, which removes it when done.
    bool uploading = false;
    // The recorded area's size: the edited video keeps it however the editor shows the frames.
    QSize recordedSize;
    // The capture area the user set; in the editor the label takes the size of the editor's view.
    QSize captureSize;

    Mp4Recorder *mp4Recorder = nullptr;
    bool mp4Finalized = false;
    // The recording has sound, held by soundSource: the result itself, or the file before it when
    // an export could not put the sound in.
    bool hasAudio = false;
    QString soundSource;
    VideoExport *exporter = nullptr;
    PendingExport pendingExport = PendingExport::None;

    QWidget *leftBorder = nullptr;
    QWidget *rightBorder = nullptr;
    QWidget *bottomBorder = nullptr;
    QWidget *cornerBorder = nullptr;
    QLabel *captureLabel = nullptr;
    QProgressBar *progressBar = nullptr;
    QMovie *loadingMovie = nullptr;
    RecorderSettingsPopup *settingsPopup = nullptr;
    QLabel *noticeLabel = nullptr;
    QTimer mousePosTimer;

    // A drag of the bar's handle or of a border in progress.
    QPoint pressOffset;
    bool movingBar = false;
    QWidget *resizingBorder = nullptr;
    QPoint resizePress;
    QSize resizeStartSize;

    VideoEditor *editor = nullptr;
    StoryboardTimeline *timeline = nullptr;
    std::unique_ptr<FramePreview> preview;
    AnnotationEditor *annotating = nullptr;
    EditorPlayback *playback = nullptr;
    // The annotations' revision the running bake paints.
    quint64 bakedRevision = 0;
};
