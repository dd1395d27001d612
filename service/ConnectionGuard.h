#pragma once

#include <QHash>
#include <QObject>
#include <QSslConfiguration>
#include <QTcpServer>

class QTcpSocket;
class ConnectionWatch;

struct ConnectionLimits {
    int maxConnections = 512;
    int maxPerClient = 32;
    int idleTimeoutMs = 30000;
    // From the moment a connection waits for a request (accepted, or all its
    // answers sent) to the end of that request's head; bytes trickling in do
    // not extend it.
    int headerTimeoutMs = 5000;
    // The service takes short GET requests only; a request (or what a client
    // sends without ever finishing one) larger than this has no business here.
    qint64 maxRequestBytes = 64 * 1024;
};

// Watches every accepted connection: refuses clients over the connection
// limits, and closes a connection that stays silent, sends too much, or takes
// too long over the head of a request. When all connections are taken, the
// one that has waited longest for a request head gives way to a newcomer, so
// slow clients cannot hold the service.
class ConnectionGuard : public QObject {
    Q_OBJECT
public:
    explicit ConnectionGuard(const ConnectionLimits& limits, QObject* parent = nullptr);

    // Starts watching the socket; false (and nothing watched) when it is over the limits.
    bool admit(QTcpSocket* socket);
    // A whole request has arrived on the socket: the size limit starts afresh
    // and the head deadline stops until its answers are out.
    void requestReceived(QTcpSocket* socket);
    // Every request on the socket has been answered: it waits for the next one.
    void answered(QTcpSocket* socket);
    int openConnections() const { return m_open; }
    const ConnectionLimits& limits() const { return m_limits; }

private:
    ConnectionWatch* longestWaitingForHead() const;
    void release(QTcpSocket* socket);

    ConnectionLimits m_limits;
    int m_open = 0;
    QHash<QString, int> m_perClient;
    QHash<QTcpSocket*, ConnectionWatch*> m_watches;
};

// Hands accepted connections, plain or after the TLS handshake, to whoever
// takes pending connections (the HTTP server), each under the guard.
class GuardedTcpServer : public QTcpServer {
    Q_OBJECT
public:
    GuardedTcpServer(ConnectionGuard* guard, QObject* parent = nullptr);
    // With a configuration holding a certificate and key, connections speak TLS.
    void setTls(const QSslConfiguration& configuration);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    ConnectionGuard* m_guard;
    QSslConfiguration m_tls;
    bool m_useTls = false;
};
