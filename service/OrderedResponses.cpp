#include "OrderedResponses.h"

#include <QTcpSocket>

OrderedResponses::OrderedResponses(QObject* parent) : QObject(parent) {}

OrderedResponses::Ticket OrderedResponses::enqueue(QTcpSocket* socket, QHttpServerResponder&& responder,
                                                   bool headOnly) {
    auto it = m_queues.find(socket);
    if (it == m_queues.end()) {
        it = m_queues.emplace(socket, std::deque<Slot>()).first;
        connect(socket, &QObject::destroyed, this, [this, socket] {
            const auto gone = m_queues.find(socket);
            if (gone == m_queues.end())
                return;
            for (const Slot& slot : gone->second)
                m_connectionOf.remove(slot.ticket);
            m_queues.erase(gone);
        });
    }
    if (static_cast<int>(it->second.size()) >= kMaxWaitingPerConnection) {
        socket->abort();
        return 0;
    }
    const Ticket ticket = m_next++;
    Slot slot;
    slot.ticket = ticket;
    slot.responder = std::make_unique<QHttpServerResponder>(std::move(responder));
    slot.headOnly = headOnly;
    it->second.push_back(std::move(slot));
    m_connectionOf.insert(ticket, socket);
    return ticket;
}

void OrderedResponses::answer(Ticket ticket, const Reply& reply) {
    QTcpSocket* socket = m_connectionOf.value(ticket);
    if (!socket)
        return;
    for (Slot& slot : m_queues[socket]) {
        if (slot.ticket == ticket) {
            slot.ready = true;
            slot.reply = reply;
            break;
        }
    }
    flush(socket);
}

void OrderedResponses::flush(QTcpSocket* socket) {
    auto it = m_queues.find(socket);
    bool sent = false;
    while (it != m_queues.end() && !it->second.empty() && it->second.front().ready) {
        Slot slot = std::move(it->second.front());
        it->second.pop_front();
        m_connectionOf.remove(slot.ticket);
        // The responder keeps a guarded pointer to its socket; it is null once
        // the client has gone, and writing then would crash.
        if (slot.responder->socket()) {
            send(*slot.responder, slot.reply, slot.headOnly);
            sent = true;
        }
        it = m_queues.find(socket);
    }
    if (sent && it != m_queues.end() && it->second.empty())
        Q_EMIT allAnswered(socket);
}

void OrderedResponses::send(QHttpServerResponder& responder, const Reply& reply, bool headOnly) {
    responder.writeStatusLine(reply.status);
    responder.writeHeader("Content-Type", reply.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
    for (const auto& header : reply.headers)
        responder.writeHeader(header.first, header.second);
    // The end of the header block; a HEAD answer stops there.
    responder.writeBody(headOnly ? QByteArray() : reply.body);
}
