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
        bool drip = false;   // sends the answer a byte every 50 ms
        bool hangUp = false; // closes the connection without answering
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

    int requests() const { return m_requests; }
    int requestsFor(const QString& number) const { return m_perNumber.value(number); }
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
            ++m_perNumber[number];
            const Behaviour behaviour = m_behaviours.value(number, m_default);
            QPointer<QTcpSocket> guarded(socket);
            QTimer::singleShot(behaviour.delayMs, this, [this, guarded, behaviour] {
                if (guarded)
                    respond(guarded, behaviour);
            });
        });
    }

    void respond(QTcpSocket* socket, const Behaviour& behaviour) {
        if (behaviour.hangUp) {
            socket->abort();
            return;
        }
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(behaviour.status) +
                           " Stand-in\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: " +
                           QByteArray::number(behaviour.body.size()) + "\r\nConnection: close\r\n\r\n" +
                           behaviour.body;
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
    Behaviour m_default{notListed(QString())};
    int m_requests = 0;
    QHash<QString, int> m_perNumber;
    QUrlQuery m_lastQuery;
    QString m_lastPath;
};
