#pragma once

#include "RegisterAnswer.h"

#include <QHash>
#include <QString>

#include <map>
#include <optional>

// Recent register answers by query key, each kept until its own expiry, at
// most `capacity` of them: when full, expired answers go first, then the ones
// closest to expiry. Times are milliseconds of a monotonic clock.
class AnswerCache {
public:
    explicit AnswerCache(int capacity);

    std::optional<RegisterAnswer> find(const QString& key, qint64 now) const;
    void insert(const QString& key, const RegisterAnswer& answer, qint64 expiresAt, qint64 now);
    int size() const { return static_cast<int>(m_entries.size()); }

private:
    struct Entry {
        RegisterAnswer answer;
        qint64 expiresAt;
    };
    void remove(const QString& key);
    void dropExpired(qint64 now);

    int m_capacity;
    QHash<QString, Entry> m_entries;
    std::multimap<qint64, QString> m_byExpiry;
};
