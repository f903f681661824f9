#pragma once

#include <QString>

// The recorder's choices and the limits and timings that follow from them.
namespace RecordingLimits {

inline constexpr int gifFrameLimit = 600;
inline constexpr int mp4SecondsLimit = 300;

// "gif" and "mp4" are kept; any other stored value becomes "mp4".
QString normalisedFormat(const QString &stored);
// "5", "15" and "25" are kept; any other stored value becomes "25".
QString normalisedFramerate(const QString &stored);

// A value that does not parse, or is below 2, counts as 1.
int framesPerSecond(const QString &framerate);
// GIF: 600 frames at the rate; MP4: five minutes at any rate.
int maxRecordingSeconds(const QString &format, int fps);
// Minutes, a colon and the seconds padded to two digits: "0:24", "5:00".
QString durationText(int seconds);

int captureIntervalMs(int fps);
// A GIF frame's delay in hundredths of a second.
int gifDelay(int fps);

} // namespace RecordingLimits
