#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

// Median, 99th percentile and worst of a series of timings.
struct Spread
{
    double median = 0;
    double p99 = 0;
    double max = 0;
};

Spread spreadOf(std::vector<double> values);
// Runs the work once to warm up, then `runs` times, timing each run in milliseconds.
Spread measureMs(int runs, const std::function<void()> &work);

// The peak resident memory of the process so far, -1 where the system does not tell.
qint64 peakResidentBytes();
// Starts the peak over from the present resident memory, so that a later peakResidentBytes() is
// the peak of what ran in between; false where the system cannot do that.
bool resetPeakResident();

double megabytes(qint64 bytes);
