#include "recordinglimits.h"

#include <algorithm>

namespace RecordingLimits {

QString normalisedFormat(const QString &stored)
{
    return stored == QLatin1String("gif") ? stored : QStringLiteral("mp4");
}

QString normalisedFramerate(const QString &stored)
{
    if (stored == QLatin1String("5") || stored == QLatin1String("15"))
        return stored;
    return QStringLiteral("25");
}

int framesPerSecond(const QString &framerate)
{
    bool ok = false;
    const int fps = framerate.toInt(&ok);
    return ok && fps >= 2 ? fps : 1;
}

int maxRecordingSeconds(const QString &format, int fps)
{
    if (format == QLatin1String("gif"))
        return gifFrameLimit / std::max(1, fps);
    return mp4SecondsLimit;
}

QString durationText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int captureIntervalMs(int fps)
{
    return std::max(1, 1000 / std::max(1, fps));
}

int gifDelay(int fps)
{
    return std::max(1, 100 / std::max(1, fps));
}

} // namespace RecordingLimits
