#include "RegisterLookup.h"

#include "BoundedGet.h"

#include <QCoreApplication>
#include <QNetworkRequest>

RegisterLookup::RegisterLookup(const Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_network(this), m_cache(settings.cacheSize) {
    m_clock.start();
}

QUrl RegisterLookup::requestUrl(const DocumentQuery& query) const {
    QUrl url = m_settings.registerUrl;
    QUrlQuery items(url);
    items.removeAllQueryItems(QStringLiteral("dotaz"));
    items.removeAllQueryItems(QStringLiteral("doklad"));
    items.addQueryItem(QStringLiteral("dotaz"), query.number);
    items.addQueryItem(QStringLiteral("doklad"), query.type);
    url.setQuery(items);
    return url;
}

void RegisterLookup::lookup(const DocumentQuery& query, Callback callback) {
    const QString key = query.key();
    if (auto cached = m_cache.find(key, m_clock.elapsed())) {
        ++m_cacheHits;
        callback(*cached);
        return;
    }
    auto waiting = m_waiting.find(key);
    if (waiting != m_waiting.end()) {
        waiting->push_back(std::move(callback));
        return;
    }
    if (m_waiting.size() >= m_settings.maxPending) {
        callback(RegisterAnswer::failed(QStringLiteral("registr je přetížen dotazy")));
        return;
    }
    m_waiting[key].push_back(std::move(callback));
    ++m_upstreamRequests;

    QNetworkRequest request(requestUrl(query));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Lorvena-sluzba/%1").arg(QCoreApplication::applicationVersion()));
    request.setRawHeader("Accept", "text/xml, application/xml");
    auto* get =
        new BoundedGet(&m_network, request, m_settings.timeoutMs, m_settings.maxReplyBytes, nullptr, this);
    connect(get, &BoundedGet::done, this, [this, get, key] {
        get->deleteLater();
        const RegisterAnswer answer =
            get->failure() == BoundedGet::Failure::None
                ? parseRegisterReply(get->body())
                : RegisterAnswer::failed(get->failureText(QStringLiteral("registr")));
        finish(key, answer);
    });
}

void RegisterLookup::finish(const QString& key, const RegisterAnswer& answer) {
    const qint64 now = m_clock.elapsed();
    const bool failed = answer.outcome == RegisterAnswer::Outcome::Failed;
    m_cache.insert(
        key, answer,
        now + (failed ? qMin(m_settings.failureTtlMs, m_settings.cacheTtlMs) : m_settings.cacheTtlMs), now);
    const std::vector<Callback> callbacks = m_waiting.take(key);
    for (const auto& callback : callbacks)
        callback(answer);
}
