#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QAudioOutput;
class QMediaPlayer;

// Plays a recording back in the editor: frames are stepped from memory by a timer at the pace of
// their capture times, or, for an MP4 with sound, follow the clock of the file's audio as it plays.
class EditorPlayback : public QObject
{
    Q_OBJECT

public:
    explicit EditorPlayback(QObject *parent = nullptr);

    // The frame closest to `ms`, the first of equals; 0 without frames.
    static qsizetype nearestFrame(const QList<qint64> &frameTimes, qint64 ms);
    // The pace of frame playback: the mean spacing of the frames within 50 ... 5000 ms.
    static int frameIntervalMs(const QList<qint64> &frameTimes);

    // A recording to play from its first frame, paused. With an audio file the sound is the clock.
    void load(const QList<qint64> &frameTimes, qint64 durationMs, const QString &audioFile);
    // The file whose sound plays; empty for none.
    void setAudioFile(const QString &audioFile);

    bool isPlaying() const { return playing; }
    bool playsAudio() const { return !audio.isEmpty(); }
    qsizetype frame() const { return currentFrame; }
    // The frame shown, clamped to the frames there are.
    qsizetype shownFrame() const;
    // The capture time of the frame shown; 0 without frames.
    qint64 shownTimeMs() const;

    // Starts or pauses; the usage label of what it did ("PlayMP4Audio", "PlayGif", "PauseGif"),
    // or empty without frames.
    QString toggle();
    void stop();
    void advance();
    void seek(qint64 ms);

    QMediaPlayer *mediaPlayer() const { return player; }

signals:
    void frameChanged();
    void playingChanged(bool playing);

private:
    void ensurePlayer();

    QList<qint64> frameTimes;
    qint64 durationMs = 0;
    QString audio;
    qsizetype currentFrame = 0;
    bool playing = false;
    QTimer playbackTimer;
    // Made on the first recording with sound: most recordings never need it.
    QMediaPlayer *player = nullptr;
    QAudioOutput *output = nullptr;
};
