#pragma once

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

// What a test client got back from the service.
struct Fetched {
    int status = 0;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray contentType;
    QByteArray body;
    QList<QNetworkReply::RawHeaderPair> headers;

    QByteArray header(const QByteArray& name) const {
        for (const auto& pair : headers) {
            if (pair.first.compare(name, Qt::CaseInsensitive) == 0)
                return pair.second;
        }
        return {};
    }
};

inline Fetched collect(QNetworkReply* reply, int timeoutMs = 5000) {
    if (!reply->isFinished()) {
        QSignalSpy finished(reply, &QNetworkReply::finished);
        finished.wait(timeoutMs);
    }
    Fetched fetched;
    fetched.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    fetched.error = reply->error();
    fetched.contentType = reply->rawHeader("Content-Type");
    fetched.body = reply->readAll();
    fetched.headers = reply->rawHeaderPairs();
    reply->deleteLater();
    return fetched;
}

inline Fetched fetch(QNetworkAccessManager& network, const QUrl& url,
                     const QList<QPair<QByteArray, QByteArray>>& headers = {}) {
    QNetworkRequest request(url);
    for (const auto& header : headers)
        request.setRawHeader(header.first, header.second);
    return collect(network.get(request));
}

// Sends raw bytes on a fresh connection and returns what comes back until the
// service closes the connection or the time is up.
struct RawExchange {
    QByteArray received;
    bool closedByService = false;
};

inline RawExchange rawExchange(quint16 port, const QByteArray& data, int waitMs = 1000,
                               const QHostAddress& from = QHostAddress()) {
    RawExchange result;
    QTcpSocket socket;
    if (!from.isNull())
        socket.bind(from);
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(2000))
        return result;
    socket.write(data);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < waitMs) {
        if (socket.state() != QAbstractSocket::ConnectedState) {
            result.closedByService = true;
            break;
        }
        QSignalSpy readable(&socket, &QIODevice::readyRead);
        if (socket.bytesAvailable() == 0)
            readable.wait(qMax<int>(1, qMin<qint64>(50, waitMs - clock.elapsed())));
        if (socket.isOpen())
            result.received += socket.readAll();
    }
    if (socket.isOpen())
        result.received += socket.readAll();
    return result;
}
