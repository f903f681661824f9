#pragma once

#include "framestore.h"
#include "videoannotation.h"

#include <QList>

#include <functional>

// Paints the annotations into copies of a recording's frames, as the export writes them. Frames
// are read one at a time and the baked ones go into a frame store of their own, so that a long
// recording never lies decoded in memory at once.
class AnnotationBake
{
public:
    // Called on the baking thread after every third frame and after the last one.
    using Progress = std::function<void(qsizetype framesDone, qsizetype frameCount)>;
    // Asked after every frame; true ends the bake early with an empty result.
    using StopRequested = std::function<bool()>;

    AnnotationBake(FrameStore::Snapshot frames, QList<qint64> frameTimes,
                   QList<VideoAnnotation> annotations);

    // The baked frames; one per frame that has a time. Empty when stopped, or when the store
    // cannot take the frames (no room left on the disk).
    FrameStore::Snapshot run(const Progress &progress = {}, const StopRequested &stop = {},
                             const FrameStore::Options &storeOptions = {}) const;

private:
    FrameStore::Snapshot frames;
    QList<qint64> frameTimes;
    QList<VideoAnnotation> annotations;
};
