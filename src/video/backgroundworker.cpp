#include "backgroundworker.h"

#include <QThread>

void BackgroundWorker::Job::progress(int percent) const
{
    // The worker waits for the work before it goes, so it is there while the work posts; a
    // report still queued when it goes is dropped with it.
    BackgroundWorker *target = worker.data();
    QMetaObject::invokeMethod(
        target, [target, percent] { emit target->progressed(percent); }, Qt::QueuedConnection);
}

void BackgroundWorker::Job::deliver(std::function<void()> finished) const
{
    *result = std::move(finished);
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
    job.result = std::make_shared<std::function<void()>>();
    QThread *started = QThread::create([job, work = std::move(work)] { work(job); });
    thread = started;
    // The result waits for the thread's end: until then this worker counts as busy, and a result
    // that started further work at once would be refused.
    connect(started, &QThread::finished, this, [this, started, result = job.result] {
        if (thread == started)
            thread = nullptr;
        started->deleteLater();
        if (*result)
            (*result)();
    });
    started->start();
    return true;
}
