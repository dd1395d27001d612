#include "RegisterLookup.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

RegisterLookup::RegisterLookup(const Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_network(this), m_cache(settings.cacheSize) {
    m_clock.start();
    m_network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
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
    request.setMaximumRedirectsAllowed(3);
    QNetworkReply* reply = m_network.get(request);

    // The transfer time-out of Qt counts silence only; a register that drips
    // bytes must not hold the answer longer than the whole time-out either.
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, [reply] {
        reply->setProperty("lorvenaTimedOut", true);
        reply->abort();
    });
    deadline->start(m_settings.timeoutMs);

    connect(reply, &QNetworkReply::readyRead, reply, [this, reply] {
        if (reply->bytesAvailable() > m_settings.maxReplyBytes) {
            reply->setProperty("lorvenaTooLong", true);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, key] {
        reply->deleteLater();
        RegisterAnswer answer;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->property("lorvenaTimedOut").toBool())
            answer = RegisterAnswer::failed(QStringLiteral("registr neodpověděl včas"));
        else if (reply->property("lorvenaTooLong").toBool())
            answer = RegisterAnswer::failed(QStringLiteral("odpověď registru je příliš dlouhá"));
        else if (reply->error() != QNetworkReply::NoError && status == 0)
            answer = RegisterAnswer::failed(QStringLiteral("registr není dostupný"));
        else if (status != 200)
            answer = RegisterAnswer::failed(QStringLiteral("registr odpověděl stavem %1").arg(status));
        else
            answer = parseRegisterReply(reply->readAll());
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
