#include "ConnectionGuard.h"

#include <QPointer>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

namespace {

class SocketWatch : public QObject {
public:
    SocketWatch(QTcpSocket* socket, const ConnectionLimits& limits) : QObject(socket), m_limits(limits) {
        m_idle.setSingleShot(true);
        m_idle.setInterval(limits.idleTimeoutMs);
        connect(&m_idle, &QTimer::timeout, socket, &QAbstractSocket::abort);
        connect(socket, &QIODevice::readyRead, this, [this, socket] {
            // Unread bytes are counted again on the next signal; that only errs
            // towards closing early, after far more than any request needs.
            m_received += socket->bytesAvailable();
            if (m_received > m_limits.maxRequestBytes) {
                // After the HTTP server's own handler has run on this signal.
                QMetaObject::invokeMethod(socket, &QAbstractSocket::abort, Qt::QueuedConnection);
                return;
            }
            m_idle.start();
        });
        connect(socket, &QIODevice::bytesWritten, this, [this] { m_idle.start(); });
        m_idle.start();
    }
    qint64* received() { return &m_received; }

private:
    ConnectionLimits m_limits;
    QTimer m_idle;
    qint64 m_received = 0;
};

} // namespace

ConnectionGuard::ConnectionGuard(const ConnectionLimits& limits, QObject* parent)
    : QObject(parent), m_limits(limits) {}

bool ConnectionGuard::admit(QTcpSocket* socket) {
    const QString client = socket->peerAddress().toString();
    if (m_open >= m_limits.maxConnections || m_perClient.value(client) >= m_limits.maxPerClient)
        return false;
    ++m_open;
    ++m_perClient[client];
    connect(socket, &QObject::destroyed, this, [this, client, socket] {
        m_received.remove(socket);
        --m_open;
        auto it = m_perClient.find(client);
        if (it != m_perClient.end() && --*it <= 0)
            m_perClient.erase(it);
    });
    m_received.insert(socket, (new SocketWatch(socket, m_limits))->received());
    return true;
}

void ConnectionGuard::requestReceived(QTcpSocket* socket) {
    // Bytes of later requests that came in the same read are already counted;
    // that only errs towards closing early, well past any honest request.
    if (qint64* received = m_received.value(socket))
        *received = 0;
}

GuardedTcpServer::GuardedTcpServer(ConnectionGuard* guard, QObject* parent)
    : QTcpServer(parent), m_guard(guard) {}

void GuardedTcpServer::setTls(const QSslConfiguration& configuration) {
    m_tls = configuration;
    m_useTls = true;
}

void GuardedTcpServer::incomingConnection(qintptr descriptor) {
    if (!m_useTls) {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor) || !m_guard->admit(socket)) {
            socket->abort();
            delete socket;
            return;
        }
        addPendingConnection(socket);
        return;
    }

    auto* socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor) || !m_guard->admit(socket)) {
        socket->abort();
        delete socket;
        return;
    }
    socket->setSslConfiguration(m_tls);
    // Until the handshake is done the socket is ours to clean up; after that
    // the HTTP server owns it.
    auto* handshake = new QObject(socket);
    connect(socket, &QSslSocket::encrypted, handshake, [this, socket, handshake] {
        delete handshake;
        addPendingConnection(socket);
    });
    connect(socket, &QAbstractSocket::disconnected, handshake, [socket] { socket->deleteLater(); });
    connect(socket, &QAbstractSocket::errorOccurred, handshake, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    connect(socket, &QSslSocket::sslErrors, handshake, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->startServerEncryption();
}
