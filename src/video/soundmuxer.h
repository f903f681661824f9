#pragma once

#include "muxer.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

// Puts the recording's sound into the edited video without blocking the caller's thread: with the
// outside muxer when there is one, and when there is none or its run fails, by copying the streams
// itself, so that a missing or broken program does not cost the sound. The outcome is a
// MuxerProcess's: the output with the sound, or the edited file when nothing put it in.
// finished() reports it once, from the event loop. Destroyed before that, it stops the work and
// removes the output.
class SoundMuxer : public QObject
{
    Q_OBJECT
public:
    explicit SoundMuxer(QObject *parent = nullptr);
    ~SoundMuxer() override;

    // An empty `program` goes straight to the copy of our own.
    void start(const QString &program, const QString &editedPath, const QString &recordingPath,
               const QString &outputPath);

signals:
    void finished(const MuxResult &result);

private:
    void remux();
    void conclude(const QString &error);

    MuxerProcess *process = nullptr;
    std::thread thread;
    std::atomic_bool stopping{false};
    bool running = false;
    QString edited;
    QString recording;
    QString output;
};
