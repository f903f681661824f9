#include "microphone.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>

namespace {

constexpr int pollIntervalMs = 20;

} // namespace

Microphone::Microphone(QObject *parent) : QObject(parent)
{
    pollTimer.setInterval(pollIntervalMs);
    pollTimer.setTimerType(Qt::PreciseTimer);
    connect(&pollTimer, &QTimer::timeout, this, &Microphone::read);
}

Microphone::~Microphone() = default;

bool Microphone::open()
{
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (input.isNull())
        return false;
    QAudioFormat format = input.preferredFormat();
    if (format.channelCount() > 2) {
        QAudioFormat stereo = format;
        stereo.setChannelCount(2);
        if (input.isFormatSupported(stereo))
            format = stereo;
    }
    if (!format.isValid())
        return false;
    source = std::make_unique<QAudioSource>(input, format);
    return true;
}

QAudioFormat Microphone::format() const
{
    return source ? source->format() : QAudioFormat();
}

void Microphone::start()
{
    if (!source)
        return;
    clock.start();
    device = source->start();
    if (device)
        pollTimer.start();
}

void Microphone::stop()
{
    if (!device)
        return;
    read();
    pollTimer.stop();
    source->stop();
    device = nullptr;
}

void Microphone::read()
{
    const QByteArray pcm = device->readAll();
    if (pcm.isEmpty())
        return;
    const qint64 durationUs = source->format().durationForBytes(qint32(pcm.size()));
    emit captured(pcm, clock.nsecsElapsed() / 1000 - durationUs);
}
