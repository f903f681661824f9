#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <memory>

class Microphone;

// Records frames handed to it one by one into an MP4 file, with the default microphone when
// asked. Encoding runs on a thread of its own behind a short queue: sendVideoFrame() refuses a
// frame while the queue is full and readyToSendVideoFrame() follows once there is room, so a slow
// encoder or disk costs frames instead of memory or the caller's time.
//
// Errors are reported by errorOccurred() as they happen; the state stays RecordingState until
// stop(), and StoppedState is reported once, after the file is complete (or removed when it
// failed), so a caller that finalises on the stopped state always gets there exactly once.
class Mp4Recorder : public QObject
{
    Q_OBJECT
public:
    enum RecorderState
    {
        StoppedState,
        RecordingState
    };
    Q_ENUM(RecorderState)

    struct Settings
    {
        QString location;
        QSize resolution;
        int frameRate = 25;
        // Records the default audio input when there is one; without one the file is silent.
        bool audio = false;
        // Frames waiting for the encoder before sendVideoFrame() refuses more.
        int queueLimit = 8;
    };

    explicit Mp4Recorder(QObject *parent = nullptr);
    // Completes a running recording before returning; emits nothing.
    ~Mp4Recorder() override;

    // Opens the file and starts the microphone; time 0 of the frame time stamps is this call.
    // Returns false after errorOccurred() when the file cannot be written; the state stays stopped.
    bool start(const Settings &settings);
    // False when the frame is refused: not recording, stopping, or the queue is full.
    bool sendVideoFrame(const QImage &frame, qint64 timestampUs);
    void stop();

    RecorderState recorderState() const;
    // The current or last file has a microphone track.
    bool hasAudio() const;
    QString errorString() const;

signals:
    void recorderStateChanged(Mp4Recorder::RecorderState state);
    void errorOccurred(const QString &errorString);
    void readyToSendVideoFrame();

private:
    void reportError(const QString &error);
    void finished(const QString &newError, int droppedFrames);

    struct Worker;
    std::unique_ptr<Worker> worker;
    std::unique_ptr<Microphone> microphone;
    RecorderState state = StoppedState;
    bool stopping = false;
    bool audioTrack = false;
    QString lastError;
};
