#include "benchfigures.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

Spread spreadOf(std::vector<double> values)
{
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2],
            values[std::min(values.size() - 1, values.size() * 99 / 100)], values.back()};
}

Spread measureMs(int runs, const std::function<void()> &work)
{
    work();
    std::vector<double> ms;
    ms.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return spreadOf(std::move(ms));
}

qint64 peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

bool resetPeakResident()
{
    // Linux resets the peak when "5" is written here.
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

double megabytes(qint64 bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}
