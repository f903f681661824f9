#pragma once

#include "framecodec.h"

#include <QImage>

#include <memory>
#include <mutex>

class ChunkStore;

// Turns stored chunks back into frames. It remembers the last frame it made, so that reading
// forward (playback, baking, encoding) costs one difference per frame and a jump costs at most one
// keyframe interval. Threads that share one reader take turns.
class FrameReader
{
public:
    explicit FrameReader(std::shared_ptr<const ChunkStore> chunks);

    // index must be below the chunk count; a null image when the frame cannot be restored.
    QImage frame(qsizetype index) const;

private:
    QImage restore(qsizetype index) const;

    const std::shared_ptr<const ChunkStore> chunks;
    mutable std::mutex mutex;
    mutable FrameDecompressor decompressor;
    mutable qsizetype lastIndex = -1;
    mutable QImage last;
};
