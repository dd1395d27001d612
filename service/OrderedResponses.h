#pragma once

#include <QByteArray>
#include <QHash>
#include <QHttpServerResponder>
#include <QList>
#include <QObject>
#include <QPair>

#include <deque>
#include <memory>
#include <unordered_map>

class QTcpSocket;

struct Reply {
    QHttpServerResponder::StatusCode status = QHttpServerResponder::StatusCode::Ok;
    QByteArray contentType;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
};

// Answers on one connection go out in the order the requests came, even when
// a later request is answered before an earlier one waiting for the register.
// A connection that closes takes its unanswered requests with it; answers
// that come afterwards are dropped.
class OrderedResponses : public QObject {
    Q_OBJECT
public:
    using Ticket = quint64;
    static constexpr int kMaxWaitingPerConnection = 32;

    explicit OrderedResponses(QObject* parent = nullptr);

    // 0 when the connection already has too many requests waiting (it is then closed).
    Ticket enqueue(QTcpSocket* socket, QHttpServerResponder&& responder, bool headOnly);
    void answer(Ticket ticket, const Reply& reply);
    int waiting() const { return static_cast<int>(m_connectionOf.size()); }

Q_SIGNALS:
    // Every request that came on the socket has its answer written.
    void allAnswered(QTcpSocket* socket);

private:
    struct Slot {
        Ticket ticket = 0;
        std::unique_ptr<QHttpServerResponder> responder;
        bool headOnly = false;
        bool ready = false;
        Reply reply;
    };
    void flush(QTcpSocket* socket);
    static void send(QHttpServerResponder& responder, const Reply& reply, bool headOnly);

    Ticket m_next = 1;
    std::unordered_map<QTcpSocket*, std::deque<Slot>> m_queues;
    QHash<Ticket, QTcpSocket*> m_connectionOf;
};
