#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class ChunkStore;
class FrameReader;

// The frames of one recording, kept compressed so that minutes of full-screen video fit in a
// bounded amount of memory, with the interface of a list of images.
//
// Frames come back bit for bit as appended. RGB32, ARGB32 and ARGB32_Premultiplied images are
// kept as given; other formats are converted to ARGB32 when they have an alpha channel and to
// RGB32 otherwise. Frames may differ in size and format from one another (a recording's area is
// fixed, but nothing here relies on it): a change simply starts a new keyframe.
//
// append() only queues the frame; one thread of the store compresses queued frames in order.
// When that thread falls behind and the queue is full, append() drops the frame, counts it and
// logs it, rather than stall the caller or let memory grow. Compressed frames stay in memory up to
// a budget and go to a private temporary file beyond it. When that file cannot be made or written
// (a full disk), a warning is logged, every frame kept so far stays readable, and further frames
// are refused.
//
// A FrameStore belongs to one thread. Snapshots are cheap, immutable views of the frames appended
// so far, and may be read on any thread while the owner keeps appending or even clears the store.
class FrameStore
{
public:
    struct Options
    {
        // Compressed bytes kept in memory before frames go to the temporary file.
        qint64 memoryBudget = qint64(256) << 20;
        // Every n-th frame is compressed on its own, so that reading any frame restores at most
        // n frames; the others hold their differences to the frame before.
        int keyframeInterval = 10;
        // Frames appended but not compressed yet, the one in the compressor included.
        int queueCapacity = 8;
        int compressionLevel = 1;
        // Where the temporary file goes; empty means the system's temporary folder.
        QString spillFolder;
        // Runs on the compressing thread before each frame: stands in for a slow machine in tests.
        std::function<void()> beforeCompress;
    };

    class Snapshot;

    FrameStore();
    explicit FrameStore(const Options &options);
    ~FrameStore();
    FrameStore(const FrameStore &) = delete;
    FrameStore &operator=(const FrameStore &) = delete;

    // False when the frame is null, or was dropped (queue full, or no room left): whoever keeps
    // data per frame (capture times) keeps it only for frames taken. The image is shared, not
    // copied, until it is compressed, so one that wraps memory of the caller's must not be
    // written to meanwhile.
    bool append(const QImage &frame);
    // As append(), but waits for the compressor instead of dropping the frame when the queue is
    // full: for producers that may go only as fast as the frames are stored. False for a null frame
    // or when no room is left.
    bool appendWaiting(const QImage &frame);
    qsizetype count() const;
    qsizetype size() const { return count(); }
    bool isEmpty() const { return count() == 0; }
    // A null image for an index out of range, or for a frame that cannot be read back.
    QImage at(qsizetype index) const;
    void clear();
    Snapshot snapshot() const;

    // Frames refused since the last clear, null ones aside.
    qsizetype droppedCount() const { return dropped; }
    // The budget is used up and the temporary file failed: no further frames are taken.
    bool isFull() const;
    // Frames appended but not stored yet; append() refuses frames while it is at the capacity.
    qsizetype queuedCount() const;
    // Blocks until every queued frame is compressed and stored.
    void waitUntilStored();
    qint64 memoryBytes() const;
    qint64 diskBytes() const;

private:
    struct Pipeline;

    bool enqueue(const QImage &frame, bool waitForRoom);
    void noteDrop(bool full);

    Options options;
    std::unique_ptr<Pipeline> pipeline;
    std::unique_ptr<FrameReader> reader;
    qsizetype dropped = 0;
    qsizetype droppedInRow = 0;
};

class FrameStore::Snapshot
{
public:
    Snapshot();
    ~Snapshot();
    // A copy reads on its own, so copies handed to different threads do not wait for each other;
    // a moved-from snapshot is empty.
    Snapshot(const Snapshot &other);
    Snapshot &operator=(const Snapshot &other);
    Snapshot(Snapshot &&other) noexcept;
    Snapshot &operator=(Snapshot &&other) noexcept;

    qsizetype count() const { return stored + pending.size(); }
    qsizetype size() const { return count(); }
    bool isEmpty() const { return count() == 0; }
    // Safe from any thread; a null image for an index out of range or a frame that cannot be read.
    QImage at(qsizetype index) const;

private:
    friend class FrameStore;
    Snapshot(std::shared_ptr<const ChunkStore> chunks, qsizetype stored, QList<QImage> pending);

    std::shared_ptr<const ChunkStore> chunks;
    qsizetype stored = 0;
    // Frames still queued for the compressor when the snapshot was taken.
    QList<QImage> pending;
    std::unique_ptr<FrameReader> reader;
};
