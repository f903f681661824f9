#include "framereader.h"

#include "chunkstore.h"

#include <QDebug>

FrameReader::FrameReader(std::shared_ptr<const ChunkStore> chunks) : chunks(std::move(chunks)) {}

QImage FrameReader::frame(qsizetype index) const
{
    std::lock_guard lock(mutex);
    const QImage image = restore(index);
    if (image.isNull())
        qWarning().noquote()
            << QStringLiteral("Frame store: frame %1 cannot be restored").arg(index);
    lastIndex = image.isNull() ? -1 : index;
    last = image;
    return image;
}

QImage FrameReader::restore(qsizetype index) const
{
    // The first chunk is always a keyframe, so the walk back ends.
    qsizetype start = index;
    while (start != lastIndex && !chunks->info(start).keyframe)
        --start;
    QImage image = start == lastIndex
                       ? last
                       : decompressor.keyframe(chunks->data(start), chunks->info(start).shape);
    for (qsizetype i = start + 1; i <= index && !image.isNull(); ++i)
        if (!decompressor.applyDelta(chunks->data(i), image))
            image = QImage();
    return image;
}
