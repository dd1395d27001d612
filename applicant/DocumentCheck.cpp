#include "applicant/DocumentCheck.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

// The proxy the system is set up with, for this client only.
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        return systemProxyForQuery(query);
    }
};

QUrl pageUrl(const QString& base, const QString& path, const QString& number, const QString& series,
             const QString& typeCode) {
    QString root = base;
    while (root.endsWith(u'/'))
        root.chop(1);
    QUrl url(root + path);
    url.setQuery(QStringLiteral("number=") + QString::fromLatin1(QUrl::toPercentEncoding(number + series)) +
                     QStringLiteral("&type=") + QString::fromLatin1(QUrl::toPercentEncoding(typeCode)),
                 QUrl::StrictMode);
    return url;
}

} // namespace

std::optional<DocumentCheckDisplay> DocumentCheckResult::display() const {
    if (kind != Kind::Answer)
        return std::nullopt;
    return DocumentCheck::displayFor(body);
}

DocumentCheck::DocumentCheck(QString baseUrl, QObject* parent)
    : QObject(parent), m_base(std::move(baseUrl)), m_timer(new QTimer(this)) {
    qRegisterMetaType<DocumentCheckResult>();
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!m_reply)
            return;
        m_timedOut = true;
        m_reply->abort();
    });
}

DocumentCheck::~DocumentCheck() {
    cancel();
}

std::optional<QString> DocumentCheck::typeCode(int documentKind) {
    switch (documentKind) {
    case 0:
        return QStringLiteral("0"); // občanský průkaz
    case 2:
        return QStringLiteral("4"); // cestovní pas, centrálně vydávaný
    case 3:
        return QStringLiteral("5"); // cestovní pas, vydaný okresním úřadem
    default:
        return std::nullopt;
    }
}

QUrl DocumentCheck::requestUrl(const QString& base, const QString& number, const QString& series,
                               const QString& typeCode) {
    return pageUrl(base, QStringLiteral("/overeni-dokladu/simple/"), number, series, typeCode);
}

QUrl DocumentCheck::resultPageUrl(const QString& base, const QString& number, const QString& series,
                                  const QString& typeCode) {
    return pageUrl(base, QStringLiteral("/overeni-dokladu/vysledek-overeni/"), number, series, typeCode);
}

std::optional<DocumentCheckDisplay> DocumentCheck::displayFor(const QString& body) {
    if (body == u"0")
        return DocumentCheckDisplay{
            QColor(255, 243, 205),
            QStringLiteral("Server MVČR ohlásil chybu ověření - více informací po kliknutí na tlačítko Info"),
            QStringLiteral("error")};
    if (body == u"1")
        return DocumentCheckDisplay{
            QColor(248, 215, 218),
            QStringLiteral("Pozor - doklad byl nalezen v databázi neplatných dokladů MVČR"),
            QStringLiteral("danger")};
    if (body == u"2")
        return DocumentCheckDisplay{QColor(212, 237, 218),
                                    QStringLiteral("Doklad nebyl nalezen v databázi neplatných dokladů MVČR"),
                                    QStringLiteral("ok")};
    return std::nullopt;
}

bool DocumentCheck::start(int documentKind, const QString& number, const QString& series) {
    cancel();
    const std::optional<QString> code = typeCode(documentKind);
    if (!code || number.isEmpty())
        return false;

    QNetworkRequest request(requestUrl(m_base, number, series, *code));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    // TLS errors are left unhandled on purpose: they fail the request.
    // The network access is made for the first check: most starts of the
    // program never check a document.
    if (!m_manager) {
        m_manager = new QNetworkAccessManager(this);
        m_manager->setProxyFactory(new SystemProxyFactory);
    }
    QNetworkReply* reply = m_manager->get(request);
    // Qt stops reading from the connection once this much waits unread, so an
    // endless body never piles up in memory before it is cut off.
    reply->setReadBufferSize(kMaxBodyBytes + 1);
    const quint64 generation = m_generation;
    m_reply = reply;
    m_timedOut = false;
    m_oversized = false;
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { cutOffWhenOversized(reply); });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { cutOffWhenOversized(reply); });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, generation] { onReplyFinished(reply, generation); });
    // Started once and never restarted: bytes that keep trickling in do not
    // extend it.
    m_timer->start(m_timeoutMs);
    return true;
}

void DocumentCheck::cancel() {
    ++m_generation;
    m_timer->stop();
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->abort();
    }
}

void DocumentCheck::cutOffWhenOversized(QNetworkReply* reply) {
    if (reply != m_reply || reply->isFinished())
        return;
    // A redirect's page is never read as the answer; the deadline bounds it.
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() / 100 == 3)
        return;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (reply->bytesAvailable() > kMaxBodyBytes ||
        (length.isValid() && length.toLongLong() > kMaxBodyBytes)) {
        m_oversized = true;
        reply->abort();
    }
}

void DocumentCheck::onReplyFinished(QNetworkReply* reply, quint64 generation) {
    reply->deleteLater();
    if (generation != m_generation)
        return; // an earlier check, superseded
    m_timer->stop();
    m_reply = nullptr;

    DocumentCheckResult result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int code = status.toInt();
    if (m_timedOut) {
        result.kind = DocumentCheckResult::Kind::Failure;
        result.errorText = QStringLiteral("time-out");
    } else if (m_oversized || reply->bytesAvailable() > kMaxBodyBytes) {
        result.kind = DocumentCheckResult::Kind::Oversized;
        result.errorText = QStringLiteral("answer longer than %1 bytes").arg(kMaxBodyBytes);
    } else if (reply->error() == QNetworkReply::NoError && code >= 200 && code < 300) {
        result.kind = DocumentCheckResult::Kind::Answer;
        result.body = QString::fromUtf8(reply->readAll());
    } else if (status.isValid()) {
        // Also a redirect that was not followed: its page is not the service's answer.
        result.kind = DocumentCheckResult::Kind::HttpError;
        result.body = QString::fromUtf8(reply->readAll());
        result.errorText = reply->errorString();
    } else {
        result.kind = DocumentCheckResult::Kind::Failure;
        result.errorText = reply->errorString();
    }
    Q_EMIT finished(result);
}
