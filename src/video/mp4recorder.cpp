#include "mp4recorder.h"

#include "microphone.h"
#include "mp4encoder.h"

#include <QDebug>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct Mp4Recorder::Worker
{
    struct Job
    {
        enum Kind
        {
            Video,
            Audio,
            Finish
        } kind;
        QImage image;
        QByteArray pcm;
        qint64 timeUs = 0;
    };

    explicit Worker(int limit) : queueLimit(std::max(1, limit)) {}

    bool pushFrame(const QImage &image, qint64 timeUs)
    {
        std::lock_guard lock(mutex);
        if (queuedFrames >= queueLimit) {
            refused = true;
            return false;
        }
        ++queuedFrames;
        jobs.push_back({Job::Video, image, {}, timeUs});
        wake.notify_one();
        return true;
    }

    void push(Job job)
    {
        std::lock_guard lock(mutex);
        jobs.push_back(std::move(job));
        wake.notify_one();
    }

    void run(Mp4Recorder *owner)
    {
        bool reported = false;
        const auto newError = [&] {
            const QString error = reported ? QString() : encoder.errorString();
            reported = true;
            return error;
        };
        for (;;) {
            Job job;
            bool ready = false;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [this] { return !jobs.empty(); });
                job = std::move(jobs.front());
                jobs.pop_front();
                if (job.kind == Job::Video) {
                    --queuedFrames;
                    ready = std::exchange(refused, false);
                }
            }
            if (ready)
                QMetaObject::invokeMethod(
                    owner, [owner] { emit owner->readyToSendVideoFrame(); }, Qt::QueuedConnection);
            bool ok = true;
            switch (job.kind) {
            case Job::Video:
                ok = encoder.writeVideo(job.image, job.timeUs);
                break;
            case Job::Audio:
                ok = encoder.writeAudio(job.pcm, job.timeUs);
                break;
            case Job::Finish: {
                const QString error = encoder.finish() ? QString() : newError();
                const int dropped = encoder.droppedFrames();
                QMetaObject::invokeMethod(
                    owner, [owner, error, dropped] { owner->finished(error, dropped); },
                    Qt::QueuedConnection);
                return;
            }
            }
            if (!ok && !reported)
                QMetaObject::invokeMethod(
                    owner, [owner, error = newError()] { owner->reportError(error); },
                    Qt::QueuedConnection);
        }
    }

    Mp4Encoder encoder;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> jobs;
    const int queueLimit;
    int queuedFrames = 0;
    bool refused = false;
};

Mp4Recorder::Mp4Recorder(QObject *parent) : QObject(parent) {}

Mp4Recorder::~Mp4Recorder()
{
    if (!worker)
        return;
    if (microphone)
        microphone->stop();
    if (!stopping)
        worker->push({Worker::Job::Finish, {}, {}, 0});
    worker->thread.join();
}

bool Mp4Recorder::start(const Settings &settings)
{
    if (worker) {
        reportError(QStringLiteral("A recording is already running"));
        return false;
    }
    lastError.clear();
    if (settings.audio) {
        microphone = std::make_unique<Microphone>();
        if (!microphone->open())
            microphone.reset();
    }
    auto starting = std::make_unique<Worker>(settings.queueLimit);
    const Mp4Encoder::Options options{settings.location, settings.resolution, settings.frameRate,
                                      microphone ? microphone->format() : QAudioFormat()};
    if (!starting->encoder.open(options)) {
        microphone.reset();
        reportError(starting->encoder.errorString());
        return false;
    }
    worker = std::move(starting);
    audioTrack = worker->encoder.hasAudio();
    worker->thread = std::thread(&Worker::run, worker.get(), this);
    stopping = false;
    state = RecordingState;
    if (microphone) {
        connect(microphone.get(), &Microphone::captured, this,
                [this](const QByteArray &pcm, qint64 startUs) {
                    worker->push({Worker::Job::Audio, {}, pcm, startUs});
                });
        microphone->start();
    }
    emit recorderStateChanged(state);
    return true;
}

bool Mp4Recorder::sendVideoFrame(const QImage &frame, qint64 timestampUs)
{
    if (state != RecordingState || stopping)
        return false;
    // Nothing to encode; refusing it would leave a caller waiting for room that is there.
    if (frame.isNull())
        return true;
    return worker->pushFrame(frame, timestampUs);
}

void Mp4Recorder::stop()
{
    if (state != RecordingState || stopping)
        return;
    stopping = true;
    if (microphone) {
        microphone->stop();
        microphone.reset();
    }
    worker->push({Worker::Job::Finish, {}, {}, 0});
}

Mp4Recorder::RecorderState Mp4Recorder::recorderState() const
{
    return state;
}

bool Mp4Recorder::hasAudio() const
{
    return audioTrack;
}

QString Mp4Recorder::errorString() const
{
    return lastError;
}

void Mp4Recorder::reportError(const QString &error)
{
    lastError = error;
    emit errorOccurred(error);
}

void Mp4Recorder::finished(const QString &newError, int droppedFrames)
{
    worker->thread.join();
    worker.reset();
    stopping = false;
    state = StoppedState;
    if (droppedFrames > 0)
        qWarning() << "MP4 recorder:" << droppedFrames
                   << "frames came before their time slot was free and were dropped";
    if (!newError.isEmpty())
        reportError(newError);
    emit recorderStateChanged(state);
}
