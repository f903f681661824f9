#pragma once

#include "framecodec.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <mutex>
#include <vector>

class SpillFile;

// Compressed frames in recording order: in memory up to a budget, beyond it in a spill file made
// on first need. One thread appends; any thread reads the chunks appended so far.
class ChunkStore
{
public:
    struct Info
    {
        FrameShape shape;
        bool keyframe = false;
    };

    ChunkStore(qint64 memoryBudget, const QString &spillFolder);
    ~ChunkStore();
    ChunkStore(const ChunkStore &) = delete;
    ChunkStore &operator=(const ChunkStore &) = delete;

    // When the spill file cannot be made or written, the chunk stays in memory beyond the budget
    // and isFull() turns true, so that the caller stops adding and the overrun stays bounded.
    void append(const QByteArray &data, const Info &info);
    bool isFull() const;

    Info info(qsizetype index) const;
    // The bytes of an appended chunk; empty when they cannot be read back.
    QByteArray data(qsizetype index) const;

    qint64 memoryBytes() const;
    qint64 diskBytes() const;

private:
    struct Entry
    {
        Info info;
        QByteArray data; // empty while on disk
        qint64 size = 0;
        bool onDisk = false;
        quint64 offset = 0;
    };

    bool spill(const QByteArray &data, quint64 &offset);

    const qint64 memoryBudget;
    const QString spillFolder;
    mutable std::mutex mutex;
    std::vector<Entry> entries;
    qint64 inMemory = 0;
    bool full = false;
    // Made and written by the appending thread only; readers use positional reads.
    std::unique_ptr<SpillFile> file;
    quint64 fileEnd = 0;
};
