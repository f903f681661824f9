#pragma once

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

// Runs one piece of work at a time on a thread of its own. The work touches no widget: it posts
// its progress and hands its result back to the GUI thread through this object. Going away, it
// asks the work to stop and waits for it, so what the work reads stays alive while it runs.
class BackgroundWorker : public QObject
{
    Q_OBJECT

public:
    // What the work sees of its worker, from the work's own thread.
    class Job
    {
    public:
        // Shown as the progressed() signal.
        void progress(int percent) const;
        // Runs `result` on the GUI thread once the work has ended, so that whatever it starts may
        // start further work at once; dropped when the worker is gone by then. The last one given
        // counts.
        void deliver(std::function<void()> result) const;
        // The worker is going: the work should end early.
        bool stopRequested() const { return stopping->load(); }

    private:
        friend class BackgroundWorker;
        QPointer<BackgroundWorker> worker;
        std::shared_ptr<std::atomic_bool> stopping;
        // Written by the work's thread, read on the GUI thread after that thread has finished.
        std::shared_ptr<std::function<void()>> result;
    };

    explicit BackgroundWorker(QObject *parent = nullptr);
    ~BackgroundWorker() override;

    bool isRunning() const { return thread != nullptr; }
    // Refused (false) while other work runs.
    bool start(std::function<void(const Job &job)> work);

signals:
    void progressed(int percent);

private:
    QThread *thread = nullptr;
    std::shared_ptr<std::atomic_bool> stopping;
};
