#include "RateLimiter.h"

#include <cmath>

RateLimiter::RateLimiter(double perSecond, double burst, int maxClients)
    : m_perSecond(perSecond), m_burst(qMax(1.0, burst)), m_maxClients(qMax(1, maxClients)) {}

double RateLimiter::tokensAt(const Bucket& bucket, qint64 now) const {
    const double elapsed = qMax<qint64>(0, now - bucket.updated) / 1000.0;
    return qMin(m_burst, bucket.tokens + elapsed * m_perSecond);
}

bool RateLimiter::allow(const QString& client, qint64 now) {
    auto it = m_buckets.find(client);
    if (it == m_buckets.end()) {
        if (m_buckets.size() >= m_maxClients)
            dropFullBuckets(now);
        if (m_buckets.size() >= m_maxClients)
            return false;
        it = m_buckets.insert(client, Bucket{m_burst, now});
    }
    const double tokens = tokensAt(*it, now);
    it->updated = qMax(it->updated, now);
    if (tokens < 1.0) {
        it->tokens = tokens;
        return false;
    }
    it->tokens = tokens - 1.0;
    return true;
}

int RateLimiter::retryAfterSeconds(const QString& client, qint64 now) const {
    const auto it = m_buckets.constFind(client);
    if (it == m_buckets.constEnd() || m_perSecond <= 0)
        return 1;
    const double missing = 1.0 - tokensAt(*it, now);
    return qMax(1, static_cast<int>(std::ceil(missing / m_perSecond)));
}

void RateLimiter::dropFullBuckets(qint64 now) {
    // A full bucket holds no memory of the client worth keeping.
    for (auto it = m_buckets.begin(); it != m_buckets.end();) {
        if (tokensAt(*it, now) >= m_burst)
            it = m_buckets.erase(it);
        else
            ++it;
    }
}
