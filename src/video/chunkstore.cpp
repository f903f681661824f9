#include "chunkstore.h"

#include "spillfile.h"

#include <QDebug>
#include <QDir>

#include <string>

ChunkStore::ChunkStore(qint64 memoryBudget, const QString &spillFolder)
    : memoryBudget(memoryBudget), spillFolder(spillFolder)
{
}

ChunkStore::~ChunkStore() = default;

void ChunkStore::append(const QByteArray &data, const Info &info)
{
    Entry entry{info, data, data.size()};
    bool fits = false;
    {
        std::lock_guard lock(mutex);
        fits = full || inMemory + data.size() <= memoryBudget;
    }
    entry.onDisk = !fits && spill(data, entry.offset);
    if (entry.onDisk)
        entry.data.clear();
    std::lock_guard lock(mutex);
    if (entry.onDisk)
        fileEnd = entry.offset + quint64(entry.size);
    else
        inMemory += entry.size;
    entries.push_back(std::move(entry));
}

bool ChunkStore::spill(const QByteArray &data, quint64 &offset)
{
    std::string error;
    if (!file)
        file = SpillFile::create(QDir::toNativeSeparators(spillFolder).toStdString(), error);
    if (file && file->write(fileEnd, data.constData(), std::size_t(data.size()), error)) {
        offset = fileEnd;
        return true;
    }
    qWarning().noquote() << QStringLiteral("Frame store: cannot keep frames in the temporary "
                                           "folder %1 (%2); no further frames are kept")
                                .arg(QDir::toNativeSeparators(spillFolder),
                                     QString::fromStdString(error));
    std::lock_guard lock(mutex);
    full = true;
    return false;
}

bool ChunkStore::isFull() const
{
    std::lock_guard lock(mutex);
    return full;
}

ChunkStore::Info ChunkStore::info(qsizetype index) const
{
    std::lock_guard lock(mutex);
    return entries.at(std::size_t(index)).info;
}

QByteArray ChunkStore::data(qsizetype index) const
{
    Entry entry;
    {
        std::lock_guard lock(mutex);
        entry = entries.at(std::size_t(index));
    }
    if (!entry.onDisk)
        return entry.data;
    QByteArray bytes(entry.size, Qt::Uninitialized);
    std::string error;
    if (file->read(entry.offset, bytes.data(), std::size_t(bytes.size()), error))
        return bytes;
    qWarning().noquote() << QStringLiteral("Frame store: cannot read frame %1 back (%2)")
                                .arg(index)
                                .arg(QString::fromStdString(error));
    return {};
}

qint64 ChunkStore::memoryBytes() const
{
    std::lock_guard lock(mutex);
    return inMemory;
}

qint64 ChunkStore::diskBytes() const
{
    std::lock_guard lock(mutex);
    return qint64(fileEnd);
}
