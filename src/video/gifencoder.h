#pragma once

#include "framestore.h"

#include <QByteArray>
#include <QImage>
#include <QList>

#include <functional>

using GifProgress = std::function<void(int percent)>;

// Encodes the frames as one looping GIF89a file with a shared 256-colour palette. Every frame
// is written at the first frame's size; delay is in hundredths of a second. progress, when set,
// is called on the calling thread. Returns an empty array when there is nothing to encode.
QByteArray encodeGif(const QList<QImage> &frames, int delay, const GifProgress &progress = {});

struct GifEncodeOptions
{
    // Threads that map and pack frames; 0 picks one per core. The bytes do not depend on it.
    int threads = 0;
    // Asked on the calling thread as the frames go; true ends the encoding early with an empty
    // array (the frames being encoded are finished first), so that a caller who goes away need
    // not wait for the whole file.
    std::function<bool()> stopRequested;
};

QByteArray encodeGif(const QList<QImage> &frames, int delay, const GifProgress &progress,
                     const GifEncodeOptions &options);

// The frames of a store, read through the snapshot one at a time by each encoding thread, so that
// they are never all decoded at once. Frames are taken to be of the first frame's size, as a
// recording's are.
QByteArray encodeStoredGif(const FrameStore::Snapshot &frames, int delay,
                           const GifProgress &progress, const GifEncodeOptions &options = {});
