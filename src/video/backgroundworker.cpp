#include "backgroundworker.h"

#include <QThread>

void BackgroundWorker::Job::progress(int percent) const
{
    BackgroundWorker *target = worker.data();
    deliver([target, percent] { emit target->progressed(percent); });
}

void BackgroundWorker::Job::deliver(std::function<void()> result) const
{
    // The worker waits for the work before it goes, so it is there while the work posts; a
    // result still queued when it goes is dropped with it.
    QMetaObject::invokeMethod(worker.data(), std::move(result), Qt::QueuedConnection);
}

BackgroundWorker::BackgroundWorker(QObject *parent) : QObject(parent) {}

BackgroundWorker::~BackgroundWorker()
{
    if (!thread)
        return;
    *stopping = true;
    thread->wait();
    delete thread;
}

bool BackgroundWorker::start(std::function<void(const Job &job)> work)
{
    if (thread)
        return false;
    stopping = std::make_shared<std::atomic_bool>(false);
    Job job;
    job.worker = this;
    job.stopping = stopping;
    QThread *started = QThread::create([job, work = std::move(work)] { work(job); });
    thread = started;
    connect(started, &QThread::finished, this, [this, started] {
        if (thread == started)
            thread = nullptr;
        started->deleteLater();
    });
    started->start();
    return true;
}
