#pragma once

#include "ConnectionGuard.h"
#include "MirroredLookup.h"
#include "OrderedResponses.h"
#include "RateLimiter.h"
#include "RegisterLookup.h"
#include "ServiceOptions.h"
#include "SiteContent.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>

// The maker's web service: the document check against the register of invalid
// documents, its result page and the help pages.
class ServiceServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit ServiceServer(const ServiceOptions& options, QObject* parent = nullptr);

    // Listens on the configured address and port (TLS when a certificate is given).
    bool start(QString* error);
    quint16 port() const { return m_port; }

    const RegisterLookup& lookup() const { return m_lookup; }
    MirroredLookup& mirroredLookup() { return m_check; }
    const ConnectionGuard& guard() const { return m_guard; }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    QString clientOf(const QHttpServerRequest& request) const;
    void dispatch(OrderedResponses::Ticket ticket, const QString& path, const QUrlQuery& query);
    void answerDocument(OrderedResponses::Ticket ticket, const QUrlQuery& query, bool page);

    ServiceOptions m_options;
    SiteContent m_site;
    RegisterLookup m_lookup;
    MirroredLookup m_check;
    RateLimiter m_limiter;
    ConnectionGuard m_guard;
    OrderedResponses m_responses;
    QElapsedTimer m_clock;
    quint16 m_port = 0;
};
