#pragma once

#include <QHash>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

// A loopback stand-in for the register of invalid documents: answers each
// document number the way a test has set, and counts what it was asked.
class StandInRegister : public QTcpServer {
public:
    struct Behaviour {
        QByteArray body;
        int status = 200;
        int delayMs = 0;
        bool drip = false;        // sends the answer a byte every 50 ms
        bool hangUp = false;      // closes the connection without answering
        QByteArray location = {}; // a redirect there, with the request's query appended
        QByteArray contentType = "text/xml; charset=utf-8";
    };

    static QByteArray listed(const QString& number, const QString& since = QStringLiteral("12.1.2024")) {
        return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                              "<doklady_neplatne posl_zmena=\"5.3.2024\" pristi_zmeny=\"6.3.2024\">"
                              "<dotaz typ=\"OP\" cislo=\"%1\" serie=\"\"/>"
                              "<odpoved aktualizovano=\"5.3.2024\" evidovano=\"ano\" evidovano_od=\"%2\"/>"
                              "</doklady_neplatne>")
            .arg(number, since)
            .toUtf8();
    }
    static QByteArray notListed(const QString& number) {
        return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                              "<doklady_neplatne posl_zmena=\"5.3.2024\" pristi_zmeny=\"6.3.2024\">"
                              "<dotaz typ=\"OP\" cislo=\"%1\" serie=\"\"/>"
                              "<odpoved aktualizovano=\"5.3.2024\" evidovano=\"ne\" evidovano_od=\"\"/>"
                              "</doklady_neplatne>")
            .arg(number)
            .toUtf8();
    }
    static QByteArray error(const QString& text, bool badQuery = true) {
        return QStringLiteral(
                   "<?xml version=\"1.0\" encoding=\"utf-8\"?><chyba spatny_dotaz=\"%1\">%2</chyba>")
            .arg(badQuery ? QStringLiteral("ano") : QStringLiteral("ne"), text)
            .toUtf8();
    }

    StandInRegister() {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                serve(socket);
        });
    }

    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/neplatne-doklady/doklady.aspx").arg(serverPort()));
    }

    void answer(const QString& number, const Behaviour& behaviour) { m_behaviours.insert(number, behaviour); }
    void answerListed(const QString& number) { answer(number, {listed(number)}); }
    void answerNotListed(const QString& number) { answer(number, {notListed(number)}); }
    void setDefault(const Behaviour& behaviour) { m_default = behaviour; }
    // Answers a path (or a path with its exact query, "/x?a=1") whatever the document.
    void answerPath(const QString& pathAndQuery, const Behaviour& behaviour) {
        m_paths.insert(pathAndQuery, behaviour);
    }
    QUrl baseUrl() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort())); }

    int requests() const { return m_requests; }
    int requestsFor(const QString& number) const { return m_perNumber.value(number); }
    int requestsForPath(const QString& path) const { return m_perPath.value(path); }
    QUrlQuery lastQuery() const { return m_lastQuery; }
    QString lastPath() const { return m_lastPath; }

private:
    void serve(QTcpSocket* socket) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto* buffer = new QByteArray;
        connect(socket, &QObject::destroyed, [buffer] { delete buffer; });
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (!buffer->contains("\r\n\r\n") || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
            const QUrl target(QString::fromLatin1(requestLine.value(1)));
            m_lastPath = target.path();
            m_lastQuery = QUrlQuery(target);
            const QString number = m_lastQuery.queryItemValue(QStringLiteral("dotaz"));
            ++m_requests;
            ++m_perPath[m_lastPath];
            const QString query = target.query(QUrl::FullyEncoded);
            const QString withQuery = m_lastPath + u'?' + query;
            Behaviour behaviour;
            if (m_paths.contains(withQuery)) {
                behaviour = m_paths.value(withQuery);
            } else if (m_paths.contains(m_lastPath)) {
                behaviour = m_paths.value(m_lastPath);
            } else {
                ++m_perNumber[number];
                behaviour = m_behaviours.value(number, m_default);
            }
            QPointer<QTcpSocket> guarded(socket);
            QTimer::singleShot(behaviour.delayMs, this, [this, guarded, behaviour, query] {
                if (guarded)
                    respond(guarded, behaviour, query);
            });
        });
    }

    void respond(QTcpSocket* socket, const Behaviour& behaviour, const QString& query) {
        if (behaviour.hangUp) {
            socket->abort();
            return;
        }
        QByteArray location;
        if (!behaviour.location.isEmpty()) {
            location = "Location: " + behaviour.location +
                       (query.isEmpty() ? QByteArray() : "?" + query.toLatin1()) + "\r\n";
        }
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(behaviour.status) +
                           " Stand-in\r\nContent-Type: " + behaviour.contentType + "\r\n" + location +
                           "Content-Length: " + QByteArray::number(behaviour.body.size()) +
                           "\r\nConnection: close\r\n\r\n" + behaviour.body;
        if (!behaviour.drip) {
            socket->write(reply);
            socket->disconnectFromHost();
            return;
        }
        auto* timer = new QTimer(socket);
        auto* rest = new QByteArray(reply);
        connect(timer, &QObject::destroyed, [rest] { delete rest; });
        connect(timer, &QTimer::timeout, socket, [socket, timer, rest] {
            socket->write(rest->left(1));
            rest->remove(0, 1);
            if (rest->isEmpty()) {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        timer->start(50);
    }

    QHash<QString, Behaviour> m_behaviours;
    QHash<QString, Behaviour> m_paths;
    QHash<QString, int> m_perPath;
    Behaviour m_default{notListed(QString())};
    int m_requests = 0;
    QHash<QString, int> m_perNumber;
    QUrlQuery m_lastQuery;
    QString m_lastPath;
};
