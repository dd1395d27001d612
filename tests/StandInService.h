#pragma once

#include "TestSupport.h"

#include <QPointer>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>

// A stand-in for the maker's web service on the loopback interface. It
// answers every request with what `respond` decides for the request target.
class StandInService : public QObject {
public:
    struct Answer {
        Answer(int status = 200, QByteArray body = {}, int delayMs = 0, bool silent = false)
            : status(status), body(std::move(body)), delayMs(delayMs), silent(silent) {}
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        bool silent = false; // accept and read the request, never answer
        QByteArray headers;  // more header lines, each ending in CR LF
        // When set, it writes the whole answer itself, in its own time.
        std::function<void(QTcpSocket*)> writer;
    };

    explicit StandInService(bool tls = false,
                            const QHostAddress& address = QHostAddress(QHostAddress::LocalHost))
        : m_address(address) {
        if (tls) {
            auto* server = new QSslServer(this);
            QSslConfiguration config = QSslConfiguration::defaultConfiguration();
            config.setLocalCertificate(QSslCertificate(readBytes(testDataPath("tls/standin-cert.pem"))));
            config.setPrivateKey(QSslKey(readBytes(testDataPath("tls/standin-key.pem")), QSsl::Rsa));
            config.setPeerVerifyMode(QSslSocket::VerifyNone);
            server->setSslConfiguration(config);
            m_server = server;
            m_scheme = QStringLiteral("https");
        } else {
            m_server = new QTcpServer(this);
            m_scheme = QStringLiteral("http");
        }
        connect(m_server, &QTcpServer::pendingConnectionAvailable, this, &StandInService::accept);
        m_server->listen(address);
    }

    QString base() const {
        return QStringLiteral("%1://%2:%3").arg(m_scheme, m_address.toString()).arg(m_server->serverPort());
    }
    bool listening() const { return m_server->isListening(); }

    std::function<Answer(const QByteArray& target)> respond = [](const QByteArray&) {
        return Answer{200, "2", 0, false};
    };
    QList<QByteArray> targets;

private:
    void accept() {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            auto read = [this, socket, buffer] {
                *buffer += socket->readAll();
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
                buffer->clear();
                const QByteArray target = requestLine.value(1);
                targets.append(target);
                const Answer answer = respond(target);
                if (answer.silent)
                    return;
                if (answer.writer) {
                    answer.writer(socket);
                    return;
                }
                QPointer<QTcpSocket> guarded(socket);
                QTimer::singleShot(answer.delayMs, this, [guarded, answer] {
                    if (!guarded)
                        return;
                    guarded->write(QByteArrayLiteral("HTTP/1.1 ") + QByteArray::number(answer.status) +
                                   (answer.status == 200 ? " OK" : " Error") +
                                   "\r\nContent-Type: text/html; charset=UTF-8\r\nContent-Length: " +
                                   QByteArray::number(answer.body.size()) + "\r\n" + answer.headers +
                                   "Connection: close\r\n\r\n" + answer.body);
                    guarded->disconnectFromHost();
                });
            };
            connect(socket, &QTcpSocket::readyRead, this, read);
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            read();
        }
    }

    QHostAddress m_address;
    QTcpServer* m_server = nullptr;
    QString m_scheme;
};
