#include "framestore.h"

#include "chunkstore.h"
#include "framecodec.h"
#include "framereader.h"

#include <QDebug>
#include <QDir>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

// The queue and the compressing thread of one recording. A fresh one replaces it on clear(), so
// that snapshots of the old frames keep their chunks while the thread is gone.
struct FrameStore::Pipeline
{
    explicit Pipeline(const Options &options)
        : chunks(std::make_shared<ChunkStore>(options.memoryBudget, options.spillFolder.isEmpty()
                                                                        ? QDir::tempPath()
                                                                        : options.spillFolder)),
          worker([this, options] { run(options); })
    {
    }

    ~Pipeline()
    {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        worker.join();
    }

    void run(const Options &options);

    const std::shared_ptr<ChunkStore> chunks;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable drained;
    // Appended frames not stored yet; the front one is in the compressor.
    std::deque<QImage> pending;
    qsizetype stored = 0;
    bool stopping = false;
    std::thread worker; // last, so that it starts on a complete object
};

void FrameStore::Pipeline::run(const Options &options)
{
    FrameCompressor compressor(options.compressionLevel);
    const int keyframeInterval = std::max(1, options.keyframeInterval);
    QImage previous;
    for (qsizetype index = 0;; ++index) {
        QImage frame;
        {
            std::unique_lock lock(mutex);
            wake.wait(lock, [this] { return stopping || !pending.empty(); });
            if (stopping)
                return;
            frame = pending.front();
        }
        if (options.beforeCompress)
            options.beforeCompress();
        const FrameShape shape = FrameShape::of(frame);
        const bool keyframe = index % keyframeInterval == 0 || FrameShape::of(previous) != shape;
        chunks->append(compressor.compress(frame, keyframe ? nullptr : &previous),
                       {shape, keyframe});
        previous = frame;
        {
            std::lock_guard lock(mutex);
            pending.pop_front();
            ++stored;
        }
        drained.notify_all();
    }
}

FrameStore::FrameStore() : FrameStore(Options()) {}

FrameStore::FrameStore(const Options &options) : options(options)
{
    clear();
}

FrameStore::~FrameStore() = default;

bool FrameStore::append(const QImage &frame)
{
    return enqueue(frame, false);
}

bool FrameStore::appendWaiting(const QImage &frame)
{
    return enqueue(frame, true);
}

bool FrameStore::enqueue(const QImage &frame, bool waitForRoom)
{
    if (frame.isNull())
        return false;
    const QImage kept = storableFrame(frame);
    {
        std::unique_lock lock(pipeline->mutex);
        const auto capacity = qsizetype(std::max(1, options.queueCapacity));
        if (waitForRoom)
            pipeline->drained.wait(lock, [this, capacity] {
                return qsizetype(pipeline->pending.size()) < capacity || pipeline->chunks->isFull();
            });
        const bool full = pipeline->chunks->isFull();
        if (full || qsizetype(pipeline->pending.size()) >= capacity) {
            noteDrop(full);
            return false;
        }
        pipeline->pending.push_back(kept);
    }
    pipeline->wake.notify_one();
    if (droppedInRow > 0) {
        qWarning().noquote() << QStringLiteral(
                                    "Frame store: %1 frames dropped in a row (%2 in all)")
                                    .arg(droppedInRow)
                                    .arg(dropped);
        droppedInRow = 0;
    }
    return true;
}

void FrameStore::noteDrop(bool full)
{
    ++dropped;
    if (droppedInRow++ == 0)
        qWarning().noquote() << QStringLiteral(
                                    "Frame store: dropping frames, %1 (%2 dropped in all)")
                                    .arg(full ? QStringLiteral("no room is left")
                                              : QStringLiteral("compression is behind"))
                                    .arg(dropped);
}

qsizetype FrameStore::count() const
{
    std::lock_guard lock(pipeline->mutex);
    return pipeline->stored + qsizetype(pipeline->pending.size());
}

QImage FrameStore::at(qsizetype index) const
{
    {
        std::lock_guard lock(pipeline->mutex);
        if (index < 0 || index >= pipeline->stored + qsizetype(pipeline->pending.size()))
            return {};
        if (index >= pipeline->stored)
            return pipeline->pending.at(std::size_t(index - pipeline->stored));
    }
    return reader->frame(index);
}

void FrameStore::clear()
{
    reader.reset();
    pipeline.reset();
    pipeline = std::make_unique<Pipeline>(options);
    reader = std::make_unique<FrameReader>(pipeline->chunks);
    dropped = 0;
    droppedInRow = 0;
}

FrameStore::Snapshot FrameStore::snapshot() const
{
    std::lock_guard lock(pipeline->mutex);
    return Snapshot(pipeline->chunks, pipeline->stored,
                    QList<QImage>(pipeline->pending.begin(), pipeline->pending.end()));
}

bool FrameStore::isFull() const
{
    return pipeline->chunks->isFull();
}

qsizetype FrameStore::queuedCount() const
{
    std::lock_guard lock(pipeline->mutex);
    return qsizetype(pipeline->pending.size());
}

void FrameStore::waitUntilStored()
{
    std::unique_lock lock(pipeline->mutex);
    pipeline->drained.wait(lock, [this] { return pipeline->pending.empty(); });
}

qint64 FrameStore::memoryBytes() const
{
    return pipeline->chunks->memoryBytes();
}

qint64 FrameStore::diskBytes() const
{
    return pipeline->chunks->diskBytes();
}

FrameStore::Snapshot::Snapshot() = default;

FrameStore::Snapshot::~Snapshot() = default;

FrameStore::Snapshot::Snapshot(std::shared_ptr<const ChunkStore> chunks, qsizetype stored,
                               QList<QImage> pending)
    : chunks(std::move(chunks)), stored(stored), pending(std::move(pending)),
      reader(std::make_unique<FrameReader>(this->chunks))
{
}

FrameStore::Snapshot::Snapshot(const Snapshot &other)
    : chunks(other.chunks), stored(other.stored), pending(other.pending),
      reader(chunks ? std::make_unique<FrameReader>(chunks) : nullptr)
{
}

FrameStore::Snapshot &FrameStore::Snapshot::operator=(const Snapshot &other)
{
    if (this != &other)
        *this = Snapshot(other);
    return *this;
}

FrameStore::Snapshot::Snapshot(Snapshot &&other) noexcept
    : chunks(std::move(other.chunks)), stored(std::exchange(other.stored, 0)),
      pending(std::move(other.pending)), reader(std::move(other.reader))
{
    other.pending.clear();
}

FrameStore::Snapshot &FrameStore::Snapshot::operator=(Snapshot &&other) noexcept
{
    chunks = std::move(other.chunks);
    stored = std::exchange(other.stored, 0);
    pending = std::move(other.pending);
    other.pending.clear();
    reader = std::move(other.reader);
    return *this;
}

QImage FrameStore::Snapshot::at(qsizetype index) const
{
    if (index < 0 || index >= count())
        return {};
    if (index >= stored)
        return pending.at(index - stored);
    return reader->frame(index);
}
