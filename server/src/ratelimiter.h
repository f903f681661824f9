#pragma once

// Requests per minute per key (an address, a token), as a token bucket that refills steadily.
// Each server process counts for itself.

#include <QHash>
#include <QMutex>
#include <QString>

class RateLimiter
{
public:
    // False when the key has used up its allowance; a limit of 0 or less allows everything.
    bool allow(const QString &key, int perMinute, qint64 nowMs);

private:
    struct Bucket
    {
        double tokens = 0;
        qint64 updatedMs = 0;
    };
    void forgetIdle(qint64 nowMs);

    QMutex mutex;
    QHash<QString, Bucket> buckets;
    qint64 lastSweepMs = 0;
};
