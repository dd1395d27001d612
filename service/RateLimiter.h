#pragma once

#include <QHash>
#include <QString>

// A token bucket per client: `burst` requests at once, refilled at `perSecond`.
// The table of clients is bounded; when it is full of clients that are still
// drawing on their buckets, a new client is refused until some bucket refills.
// Times are milliseconds of a monotonic clock.
class RateLimiter {
public:
    RateLimiter(double perSecond, double burst, int maxClients = 50000);

    // Takes one token for the client; false when none is left.
    bool allow(const QString& client, qint64 now);
    // Whole seconds until the client has a token again (at least 1).
    int retryAfterSeconds(const QString& client, qint64 now) const;
    int clients() const { return static_cast<int>(m_buckets.size()); }

private:
    struct Bucket {
        double tokens;
        qint64 updated;
    };
    double tokensAt(const Bucket& bucket, qint64 now) const;
    void dropFullBuckets(qint64 now);

    double m_perSecond;
    double m_burst;
    int m_maxClients;
    QHash<QString, Bucket> m_buckets;
};
