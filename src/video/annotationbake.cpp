#include "annotationbake.h"

#include "annotationpainter.h"

#include <algorithm>

AnnotationBake::AnnotationBake(FrameStore::Snapshot frames, QList<qint64> frameTimes,
                               QList<VideoAnnotation> annotations)
    : frames(std::move(frames)), frameTimes(std::move(frameTimes)),
      annotations(std::move(annotations))
{
}

FrameStore::Snapshot AnnotationBake::run(const Progress &progress, const StopRequested &stop,
                                         const FrameStore::Options &storeOptions) const
{
    const qsizetype count = std::min(frames.count(), frameTimes.count());
    // The store compresses on a thread of its own while this one decodes and paints the next
    // frame, so a bake keeps two cores busy.
    FrameStore baked(storeOptions);
    for (qsizetype i = 0; i < count; ++i) {
        // Every frame in the one format the painters use, whether or not anything is painted on
        // it: a change of format would cost the store a keyframe.
        QImage frame = frames.at(i).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (frame.isNull())
            return {};
        paintAnnotationsAt(frame, frameTimes.at(i), annotations);
        if (!baked.appendWaiting(frame))
            return {};
        if (progress && (i % 3 == 0 || i == count - 1))
            progress(i + 1, count);
        if (stop && stop())
            return {};
    }
    baked.waitUntilStored();
    return baked.snapshot();
}
