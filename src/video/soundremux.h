#pragma once

#include <QString>

#include <functional>

// Writes a new MP4 at `output` from the first video stream of `edited` and the first audio stream
// of `recording`, both copied as they are. The sound ends with the picture; the picture is never
// cut. Returns an empty string on success, otherwise what failed, and the output is removed then.
// `stopRequested`, asked between packets, ends the work early as a failure.
QString remuxSound(const QString &edited, const QString &recording, const QString &output,
                   const std::function<bool()> &stopRequested = {});
