#include "exportframefeed.h"

#include "mp4recorder.h"

#include <algorithm>

ExportFrameFeed::ExportFrameFeed(FrameStore::Snapshot frames, int fps)
    : frames(std::move(frames)), fps(std::max(1, fps))
{
}

qint64 ExportFrameFeed::frameTimeMs(qsizetype index, int fps)
{
    return qint64(index) * 1000 / std::max(1, fps);
}

bool ExportFrameFeed::sendTo(Mp4Recorder &recorder)
{
    while (next < frames.count()) {
        const QImage frame = refused.isNull() ? frames.at(next) : std::exchange(refused, QImage());
        if (!recorder.sendVideoFrame(frame, frameTimeMs(next, fps) * 1000)) {
            refused = frame;
            return false;
        }
        ++next;
    }
    return true;
}
