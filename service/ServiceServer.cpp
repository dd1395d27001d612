#include "ServiceServer.h"

#include "Pages.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpSocket>

namespace {

using Status = QHttpServerResponder::StatusCode;

RegisterLookup::Settings lookupSettings(const ServiceOptions& options) {
    RegisterLookup::Settings settings;
    settings.registerUrl = options.registerUrl;
    settings.timeoutMs = options.registerTimeoutMs;
    settings.cacheTtlMs = options.cacheTtlMs;
    settings.cacheSize = options.cacheSize;
    return settings;
}

RegisterMirror::Settings mirrorSettings(const ServiceOptions& options) {
    RegisterMirror::Settings settings;
    settings.directory = options.mirrorDirectory;
    settings.sourceUrl = options.mirrorSourceUrl;
    settings.maxAgeHours = options.mirrorMaxAgeHours;
    return settings;
}

ConnectionLimits connectionLimits(const ServiceOptions& options) {
    ConnectionLimits limits = options.limits;
    // A connection waiting for the register is not idle.
    limits.idleTimeoutMs = qMax(limits.idleTimeoutMs, options.registerTimeoutMs + 1000);
    return limits;
}

Reply htmlReply(const QByteArray& html, Status status = Status::Ok) {
    Reply reply;
    reply.status = status;
    reply.contentType = "text/html; charset=utf-8";
    reply.body = html;
    reply.headers = {{"Content-Security-Policy", "default-src 'none'; style-src 'unsafe-inline'"},
                     {"X-Content-Type-Options", "nosniff"},
                     {"Cache-Control", "no-cache"}};
    return reply;
}

Reply digitReply(char digit) {
    Reply reply;
    reply.contentType = "text/plain";
    reply.body = QByteArray(1, digit);
    reply.headers = {{"X-Content-Type-Options", "nosniff"}, {"Cache-Control", "no-store"}};
    return reply;
}

// IPv6 clients get a whole /64 from their provider; counting them per address
// would give each of them millions of buckets.
QString clientKey(const QHostAddress& address) {
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4)
        return QHostAddress(v4).toString();
    Q_IPV6ADDR v6 = address.toIPv6Address();
    for (int i = 8; i < 16; ++i)
        v6[i] = 0;
    return QHostAddress(v6).toString() + QStringLiteral("/64");
}

bool loadTls(const ServiceOptions& options, QSslConfiguration* configuration, QString* error) {
    const auto certificates = QSslCertificate::fromPath(options.certificateFile, QSsl::Pem);
    if (certificates.isEmpty()) {
        *error = QStringLiteral("Certifikát nelze načíst: %1").arg(options.certificateFile);
        return false;
    }
    QFile keyFile(options.keyFile);
    if (!keyFile.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Klíč nelze načíst: %1").arg(options.keyFile);
        return false;
    }
    const QByteArray keyPem = keyFile.readAll();
    QSslKey key;
    for (auto algorithm : {QSsl::Rsa, QSsl::Ec}) {
        key = QSslKey(keyPem, algorithm, QSsl::Pem);
        if (!key.isNull())
            break;
    }
    if (key.isNull()) {
        *error = QStringLiteral("Klíč nelze načíst: %1").arg(options.keyFile);
        return false;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(certificates.first());
    tls.setLocalCertificateChain(certificates);
    tls.setPrivateKey(key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    *configuration = tls;
    return true;
}

} // namespace

ServiceServer::ServiceServer(const ServiceOptions& options, QObject* parent)
    : QAbstractHttpServer(parent), m_options(options), m_site(options.installerFiles),
      m_lookup(lookupSettings(options)), m_check(&m_lookup, mirrorSettings(options)),
      m_limiter(options.ratePerSecond, options.burst), m_guard(connectionLimits(options)) {
    m_clock.start();
    connect(&m_responses, &OrderedResponses::allAnswered, &m_guard, &ConnectionGuard::answered);
}

bool ServiceServer::start(QString* error) {
    auto* server = new GuardedTcpServer(&m_guard, this);
    if (m_options.tls()) {
        QSslConfiguration tls;
        if (!loadTls(m_options, &tls, error)) {
            delete server;
            return false;
        }
        server->setTls(tls);
    }
    if (!server->listen(m_options.address, m_options.port)) {
        *error = QStringLiteral("Nelze naslouchat na %1:%2: %3")
                     .arg(m_options.address.toString())
                     .arg(m_options.port)
                     .arg(server->errorString());
        delete server;
        return false;
    }
    m_port = server->serverPort();
    bind(server);
    m_check.start();
    return true;
}

QString ServiceServer::clientOf(const QHttpServerRequest& request) const {
    const QHostAddress peer = request.remoteAddress();
    if (m_options.trustForwarded && peer.isLoopback()) {
        // The proxy appends the address it saw; anything before it came from the client.
        const QList<QByteArray> hops = request.value("X-Forwarded-For").split(',');
        QHostAddress forwarded;
        if (forwarded.setAddress(QString::fromLatin1(hops.last().trimmed())))
            return clientKey(forwarded);
    }
    return clientKey(peer);
}

bool ServiceServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    m_guard.requestReceived(socket);
    const auto method = request.method();
    const bool head = method == QHttpServerRequest::Method::Head;
    const OrderedResponses::Ticket ticket = m_responses.enqueue(socket, makeResponder(request, socket), head);
    if (ticket == 0)
        return true;

    const QString client = clientOf(request);
    const qint64 now = m_clock.elapsed();
    if (!m_limiter.allow(client, now)) {
        Reply reply;
        reply.status = Status::TooManyRequests;
        reply.contentType = "text/plain; charset=utf-8";
        reply.body = QStringLiteral("Příliš mnoho požadavků, zkuste to za chvíli znovu.").toUtf8();
        reply.headers = {{"Retry-After", QByteArray::number(m_limiter.retryAfterSeconds(client, now))},
                         {"Cache-Control", "no-store"}};
        m_responses.answer(ticket, reply);
        return true;
    }
    if (method != QHttpServerRequest::Method::Get && !head) {
        Reply reply = htmlReply(Pages::methodNotAllowed(), Status::MethodNotAllowed);
        reply.headers.append(qMakePair(QByteArray("Allow"), QByteArray("GET, HEAD")));
        m_responses.answer(ticket, reply);
        return true;
    }
    dispatch(ticket, request.url().path(), request.query());
    return true;
}

void ServiceServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    const auto ticket = m_responses.enqueue(socket, makeResponder(request, socket), false);
    if (ticket != 0)
        m_responses.answer(ticket, htmlReply(Pages::notFound(), Status::NotFound));
}

void ServiceServer::dispatch(OrderedResponses::Ticket ticket, const QString& path, const QUrlQuery& query) {
    auto is = [&path](QLatin1String route) {
        // Both with and without the closing slash.
        return path == route || (route.endsWith(u'/') && path == route.chopped(1));
    };
    if (is(QLatin1String("/overeni-dokladu/simple/"))) {
        answerDocument(ticket, query, false);
    } else if (is(QLatin1String("/overeni-dokladu/vysledek-overeni/"))) {
        answerDocument(ticket, query, true);
    } else if (path == u"/files/lorvena-manual.pdf") {
        Reply reply;
        reply.contentType = "application/pdf";
        reply.body = m_site.manualPdf();
        reply.headers = {{"Content-Disposition", "inline; filename=\"lorvena-manual.pdf\""},
                         {"X-Content-Type-Options", "nosniff"}};
        m_responses.answer(ticket, reply);
    } else if (is(QLatin1String("/stav/"))) {
        Reply reply;
        reply.contentType = "text/plain; charset=utf-8";
        reply.body = (m_check.status().join(u'\n') + u'\n').toUtf8();
        reply.headers = {{"X-Content-Type-Options", "nosniff"}, {"Cache-Control", "no-store"}};
        m_responses.answer(ticket, reply);
    } else if (path == u"/" || path.isEmpty()) {
        m_responses.answer(ticket, htmlReply(m_site.homePage()));
    } else if (is(QLatin1String("/casto-kladene-dotazy/"))) {
        m_responses.answer(ticket, htmlReply(m_site.faqPage()));
    } else if (is(QLatin1String("/download/"))) {
        m_responses.answer(ticket, htmlReply(m_site.downloadPage()));
    } else if (is(QLatin1String("/edoklady/"))) {
        m_responses.answer(ticket, htmlReply(m_site.edokladyPage()));
    } else if (const SiteContent::Download* file = m_site.downloadAt(path)) {
        Reply reply;
        reply.contentType = file->contentType;
        reply.body = file->data;
        reply.headers = {{"Content-Disposition", "attachment; filename=\"" + file->name.toUtf8() + '"'},
                         {"X-Content-Type-Options", "nosniff"}};
        m_responses.answer(ticket, reply);
    } else {
        m_responses.answer(ticket, htmlReply(Pages::notFound(), Status::NotFound));
    }
}

void ServiceServer::answerDocument(OrderedResponses::Ticket ticket, const QUrlQuery& query, bool page) {
    const auto document = documentQueryFrom(query);
    if (!document) {
        m_responses.answer(ticket, page ? htmlReply(Pages::unsupportedQuery(query)) : digitReply('0'));
        return;
    }
    m_check.check(*document, [this, ticket, page, document = *document](const RegisterAnswer& answer) {
        m_responses.answer(ticket,
                           page ? htmlReply(Pages::result(document, answer)) : digitReply(answer.digit()));
    });
}
