#pragma once

#include "framestore.h"

#include <QImage>

class Mp4Recorder;

// Baked frames on their way into an MP4 recorder, evenly spaced at the frame rate. Frames are
// decoded from the store one at a time, as the recorder takes them, so that a long video never
// lies decoded in memory at once.
class ExportFrameFeed
{
public:
    ExportFrameFeed() = default;
    // A rate below 1 counts as 1.
    ExportFrameFeed(FrameStore::Snapshot frames, int fps);

    // The presentation time of the frame, in milliseconds.
    static qint64 frameTimeMs(qsizetype index, int fps);

    // Sends frames until the recorder refuses one or all are sent; true once every frame is.
    bool sendTo(Mp4Recorder &recorder);
    qsizetype sentCount() const { return next; }
    qsizetype count() const { return frames.count(); }

private:
    FrameStore::Snapshot frames;
    int fps = 1;
    qsizetype next = 0;
    // The decoded frame the recorder refused last, offered again on the next call.
    QImage refused;
};
