#include "BoundedGet.h"

#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>

BoundedGet::BoundedGet(QNetworkAccessManager* network, const QNetworkRequest& request, int timeoutMs,
                       qint64 maxBytes, QIODevice* sink, QObject* parent)
    : QObject(parent), m_network(network), m_request(request), m_sink(sink), m_maxBytes(maxBytes),
      m_url(request.url()) {
    m_request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // Qt's own transfer time-out counts silence only; a server that drips bytes
    // must not hold the answer longer than the whole time-out either.
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { fail(Failure::TimedOut); });
    m_deadline.start(timeoutMs);
    send();
}

BoundedGet::~BoundedGet() {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void BoundedGet::send() {
    m_request.setUrl(m_url);
    m_reply = m_network->get(m_request);
    connect(m_reply, &QNetworkReply::readyRead, this, &BoundedGet::take);
    connect(m_reply, &QNetworkReply::finished, this, &BoundedGet::finished);
}

void BoundedGet::take() {
    if (!m_reply || m_done)
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400)
        return; // the body of a redirect is not wanted
    if (m_received + m_reply->bytesAvailable() > m_maxBytes) {
        fail(Failure::TooLong);
        return;
    }
    const QByteArray data = m_reply->readAll();
    m_received += data.size();
    if (m_sink)
        m_sink->write(data);
    else
        m_body += data;
}

void BoundedGet::finished() {
    if (!m_reply || m_done)
        return;
    QNetworkReply* reply = m_reply;
    reply->deleteLater();
    m_reply = nullptr;
    m_status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray location = reply->rawHeader("Location");
    if (m_status >= 300 && m_status < 400 && !location.isEmpty()) {
        const QUrl target = m_url.resolved(QUrl::fromEncoded(location));
        if (!target.isValid() || target.host().isEmpty() ||
            target.scheme().compare(m_url.scheme(), Qt::CaseInsensitive) != 0) {
            fail(Failure::RefusedRedirect);
            return;
        }
        if (++m_redirects > kMaxRedirects) {
            fail(Failure::TooManyRedirects);
            return;
        }
        m_url = target;
        send();
        return;
    }
    if (reply->error() != QNetworkReply::NoError && m_status == 0) {
        fail(Failure::Unreachable);
        return;
    }
    if (reply->error() != QNetworkReply::NoError && m_status == 200) {
        fail(Failure::Broken);
        return;
    }
    take();
    if (m_done)
        return;
    fail(m_status == 200 ? Failure::None : Failure::Status);
}

void BoundedGet::fail(Failure failure) {
    if (m_done)
        return;
    m_done = true;
    m_failure = failure;
    m_deadline.stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    emit done();
}

QString BoundedGet::failureText(const QString& what) const {
    switch (m_failure) {
    case Failure::None:
        break;
    case Failure::TimedOut:
        return QStringLiteral("%1 neodpověděl včas").arg(what);
    case Failure::TooLong:
        return QStringLiteral("%1: odpověď je příliš dlouhá").arg(what);
    case Failure::Broken:
        return QStringLiteral("%1: přenos se přerušil").arg(what);
    case Failure::RefusedRedirect:
        return QStringLiteral("%1 přesměrovává na jiné schéma adresy").arg(what);
    case Failure::TooManyRedirects:
        return QStringLiteral("%1 přesměrovává více než %2krát").arg(what).arg(kMaxRedirects);
    case Failure::Unreachable:
        return QStringLiteral("%1 není dostupný").arg(what);
    case Failure::Status:
        return QStringLiteral("%1 odpověděl stavem %2").arg(what).arg(m_status);
    }
    return {};
}
