#pragma once

#include "AnswerCache.h"
#include "DocumentQuery.h"
#include "RegisterAnswer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

#include <functional>
#include <vector>

// Asks the register of invalid documents, with a bounded wait, a short cache
// and one shared request for every caller waiting on the same document.
class RegisterLookup : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QUrl registerUrl;
        int timeoutMs = 5000;
        int cacheTtlMs = 60000;
        int failureTtlMs = 5000; // failures are kept briefly: a register that is down is not hammered
        int cacheSize = 10000;
        int maxPending = 64; // distinct documents asked at once; more get no answer at once
        qint64 maxReplyBytes = 64 * 1024;
    };
    using Callback = std::function<void(const RegisterAnswer&)>;

    explicit RegisterLookup(const Settings& settings, QObject* parent = nullptr);

    // Calls back with the answer, at once on a cache hit, otherwise when the
    // register has answered, failed or run out of time.
    void lookup(const DocumentQuery& query, Callback callback);

    // The register's address for one query.
    QUrl requestUrl(const DocumentQuery& query) const;

    qint64 upstreamRequests() const { return m_upstreamRequests; }
    qint64 cacheHits() const { return m_cacheHits; }

private:
    void finish(const QString& key, const RegisterAnswer& answer);

    Settings m_settings;
    QNetworkAccessManager m_network;
    AnswerCache m_cache;
    QElapsedTimer m_clock;
    QHash<QString, std::vector<Callback>> m_waiting;
    qint64 m_upstreamRequests = 0;
    qint64 m_cacheHits = 0;
};
