#include "AnswerCache.h"

AnswerCache::AnswerCache(int capacity) : m_capacity(qMax(0, capacity)) {}

std::optional<RegisterAnswer> AnswerCache::find(const QString& key, qint64 now) const {
    const auto it = m_entries.constFind(key);
    if (it == m_entries.constEnd() || it->expiresAt <= now)
        return std::nullopt;
    return it->answer;
}

void AnswerCache::insert(const QString& key, const RegisterAnswer& answer, qint64 expiresAt, qint64 now) {
    if (m_capacity == 0 || expiresAt <= now)
        return;
    remove(key);
    if (size() >= m_capacity)
        dropExpired(now);
    // Everything left is live: give up the answer that would have gone first.
    while (size() >= m_capacity && !m_byExpiry.empty())
        remove(m_byExpiry.begin()->second);
    m_entries.insert(key, Entry{answer, expiresAt});
    m_byExpiry.emplace(expiresAt, key);
}

void AnswerCache::remove(const QString& key) {
    const auto it = m_entries.find(key);
    if (it == m_entries.end())
        return;
    auto [first, last] = m_byExpiry.equal_range(it->expiresAt);
    for (auto i = first; i != last; ++i) {
        if (i->second == key) {
            m_byExpiry.erase(i);
            break;
        }
    }
    m_entries.erase(it);
}

void AnswerCache::dropExpired(qint64 now) {
    while (!m_byExpiry.empty() && m_byExpiry.begin()->first <= now) {
        m_entries.remove(m_byExpiry.begin()->second);
        m_byExpiry.erase(m_byExpiry.begin());
    }
}
