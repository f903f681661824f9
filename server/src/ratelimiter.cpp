#include "ratelimiter.h"

#include <algorithm>

namespace {

constexpr qint64 MinuteMs = 60 * 1000;

} // namespace

bool RateLimiter::allow(const QString &key, int perMinute, qint64 nowMs)
{
    if (perMinute <= 0)
        return true;
    QMutexLocker lock(&mutex);
    forgetIdle(nowMs);
    auto it = buckets.find(key);
    if (it == buckets.end())
        it = buckets.insert(key, {double(perMinute), nowMs});
    Bucket &bucket = *it;
    const double refill = double(nowMs - bucket.updatedMs) * perMinute / MinuteMs;
    bucket.tokens = std::min(double(perMinute), bucket.tokens + std::max(0.0, refill));
    bucket.updatedMs = nowMs;
    if (bucket.tokens < 1)
        return false;
    bucket.tokens -= 1;
    return true;
}

void RateLimiter::forgetIdle(qint64 nowMs)
{
    // A bucket untouched for a minute is full again: dropping it changes nothing.
    if (nowMs - lastSweepMs < MinuteMs)
        return;
    lastSweepMs = nowMs;
    for (auto it = buckets.begin(); it != buckets.end();)
        it = nowMs - it->updatedMs >= MinuteMs ? buckets.erase(it) : std::next(it);
}
