#pragma once

#include <QAudioFormat>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

class QAudioSource;
class QIODevice;

// The default audio input, read in small steps while it runs. The device that start() returns
// is polled on a timer because it need not announce its data with readyRead.
class Microphone : public QObject
{
    Q_OBJECT
public:
    explicit Microphone(QObject *parent = nullptr);
    ~Microphone() override;

    // Picks the default input and its format; false when there is no input device.
    bool open();
    QAudioFormat format() const;
    // Time 0 of the start times in captured() is this call.
    void start();
    // Delivers what the device still holds, then stops it.
    void stop();

signals:
    // Interleaved samples in format(); startUs is the time of the first one since start().
    void captured(const QByteArray &pcm, qint64 startUs);

private:
    void read();

    std::unique_ptr<QAudioSource> source;
    QIODevice *device = nullptr;
    QTimer pollTimer;
    QElapsedTimer clock;
};
