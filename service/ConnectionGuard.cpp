#include "ConnectionGuard.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

class ConnectionWatch : public QObject {
public:
    ConnectionWatch(QTcpSocket* socket, QString client, const ConnectionLimits& limits)
        : QObject(socket), m_socket(socket), m_client(std::move(client)), m_limits(limits) {
        m_idle.setSingleShot(true);
        m_idle.setInterval(limits.idleTimeoutMs);
        connect(&m_idle, &QTimer::timeout, socket, &QAbstractSocket::abort);
        m_head.setSingleShot(true);
        m_head.setInterval(limits.headerTimeoutMs);
        connect(&m_head, &QTimer::timeout, socket, &QAbstractSocket::abort);
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
        connect(socket, &QIODevice::bytesWritten, this, [this, socket] {
            m_idle.start();
            // The head deadline of the next request starts once the last
            // answer has left, not while a slow reader still takes it in.
            if (m_waitingForHead && !m_head.isActive() && socket->bytesToWrite() == 0)
                startHeadDeadline();
        });
        m_idle.start();
        startHeadDeadline();
    }

    void requestReceived() {
        // Bytes of later requests that came in the same read are already counted;
        // that only errs towards closing early, well past any honest request.
        m_received = 0;
        m_waitingForHead = false;
        m_head.stop();
    }
    void answered() {
        m_waitingForHead = true;
        if (m_socket->bytesToWrite() == 0)
            startHeadDeadline();
    }
    // Since when the connection has waited for a request head; -1 while it is
    // busy with a request or still sending an answer.
    qint64 waitingSince() const { return m_head.isActive() ? m_headStart : -1; }
    QTcpSocket* socket() const { return m_socket; }
    const QString& client() const { return m_client; }

private:
    void startHeadDeadline() {
        m_waitingForHead = true;
        // One clock for all connections, fine enough to order a burst of them.
        m_headStart = QDeadlineTimer::current().deadlineNSecs();
        m_head.start();
    }

    QTcpSocket* m_socket;
    QString m_client;
    ConnectionLimits m_limits;
    QTimer m_idle;
    QTimer m_head;
    qint64 m_headStart = 0;
    qint64 m_received = 0;
    bool m_waitingForHead = true;
};

ConnectionGuard::ConnectionGuard(const ConnectionLimits& limits, QObject* parent)
    : QObject(parent), m_limits(limits) {}

bool ConnectionGuard::admit(QTcpSocket* socket) {
    const QString client = socket->peerAddress().toString();
    if (m_perClient.value(client) >= m_limits.maxPerClient)
        return false;
    if (m_open >= m_limits.maxConnections) {
        ConnectionWatch* oldest = longestWaitingForHead();
        if (!oldest)
            return false; // every connection is busy with a request: nobody is stalling
        // Its socket object goes later, whoever owns it; its place is free now.
        QTcpSocket* evicted = oldest->socket();
        release(evicted);
        evicted->abort();
    }
    ++m_open;
    ++m_perClient[client];
    m_watches.insert(socket, new ConnectionWatch(socket, client, m_limits));
    connect(socket, &QObject::destroyed, this, [this, socket] { release(socket); });
    return true;
}

void ConnectionGuard::release(QTcpSocket* socket) {
    const auto watch = m_watches.find(socket);
    if (watch == m_watches.end())
        return;
    const QString client = (*watch)->client();
    m_watches.erase(watch);
    --m_open;
    auto it = m_perClient.find(client);
    if (it != m_perClient.end() && --*it <= 0)
        m_perClient.erase(it);
}

void ConnectionGuard::requestReceived(QTcpSocket* socket) {
    if (ConnectionWatch* watch = m_watches.value(socket))
        watch->requestReceived();
}

void ConnectionGuard::answered(QTcpSocket* socket) {
    if (ConnectionWatch* watch = m_watches.value(socket))
        watch->answered();
}

ConnectionWatch* ConnectionGuard::longestWaitingForHead() const {
    ConnectionWatch* oldest = nullptr;
    for (ConnectionWatch* watch : m_watches) {
        const qint64 since = watch->waitingSince();
        if (since >= 0 && (!oldest || since < oldest->waitingSince()))
            oldest = watch;
    }
    return oldest;
}

GuardedTcpServer::GuardedTcpServer(ConnectionGuard* guard, QObject* parent)
    : QTcpServer(parent), m_guard(guard) {
    // A burst of clients waits in the system's queue for the next accept
    // instead of having its connection attempts dropped and retried seconds later.
    setListenBacklogSize(qMax(listenBacklogSize(), guard->limits().maxConnections));
}

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
