// Load figures for the web service, on loopback only: answers per second when
// the cache answers, and latency when every question waits for a slow register.
// Bounded in count and time; run it by hand, it is not a test.
#include "ServiceServer.h"
#include "StandInRegister.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Keeps one connection busy: a request, its whole answer, the next request.
class Connection {
public:
    Connection(quint16 port, std::function<QByteArray()> nextPath, std::vector<double>* latencies,
               std::function<void()> done)
        : m_nextPath(std::move(nextPath)), m_latencies(latencies), m_done(std::move(done)) {
        QObject::connect(&m_socket, &QTcpSocket::connected, [this] { sendNext(); });
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { read(); });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }
    int failures() const { return m_failures; }

private:
    void sendNext() {
        const QByteArray path = m_nextPath();
        if (path.isEmpty()) {
            m_socket.disconnectFromHost();
            m_done();
            return;
        }
        m_buffer.clear();
        m_clock.start();
        m_socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    }
    void read() {
        m_buffer += m_socket.readAll();
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const qsizetype lengthAt = m_buffer.indexOf("Content-Length: ");
        const qsizetype lengthEnd = m_buffer.indexOf("\r\n", lengthAt);
        const int length = m_buffer.mid(lengthAt + 16, lengthEnd - lengthAt - 16).toInt();
        if (m_buffer.size() < end + 4 + length)
            return;
        if (!m_buffer.startsWith("HTTP/1.1 200"))
            ++m_failures;
        m_latencies->push_back(m_clock.nsecsElapsed() / 1e6);
        sendNext();
    }

    QTcpSocket m_socket;
    std::function<QByteArray()> m_nextPath;
    std::vector<double>* m_latencies;
    std::function<void()> m_done;
    QByteArray m_buffer;
    QElapsedTimer m_clock;
    int m_failures = 0;
};

struct Run {
    double seconds = 0;
    int failures = 0;
    std::vector<double> latencies;
};

// `connections` clients in parallel until `nextPath` runs dry or the time is up.
Run load(quint16 port, int connections, const std::function<QByteArray()>& nextPath, int limitMs) {
    Run run;
    int open = connections;
    QEventLoop loop;
    std::vector<std::unique_ptr<Connection>> clients;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < connections; ++i) {
        clients.push_back(std::make_unique<Connection>(port, nextPath, &run.latencies, [&] {
            if (--open == 0)
                loop.quit();
        }));
    }
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    run.seconds = clock.nsecsElapsed() / 1e9;
    for (const auto& client : clients)
        run.failures += client->failures();
    return run;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(p * (values.size() - 1) + 0.5))];
}

void report(const char* name, const Run& run) {
    std::printf("%-44s %6zu answers in %5.2f s = %8.0f/s   latency ms p50 %6.2f  p95 %6.2f  max %6.2f  "
                "failures %d\n",
                name, run.latencies.size(), run.seconds, run.latencies.size() / run.seconds,
                percentile(run.latencies, 0.5), percentile(run.latencies, 0.95),
                run.latencies.empty() ? 0.0 : *std::max_element(run.latencies.begin(), run.latencies.end()),
                run.failures);
}

// Runs the service (and the stand-in register) on threads of their own, so the
// clients here do not share their event loop.
template <typename Make> auto onThread(QThread& thread, Make make) {
    decltype(make()) object = nullptr;
    thread.start();
    auto* anchor = new QObject;
    anchor->moveToThread(&thread);
    QMetaObject::invokeMethod(
        anchor, [&] { object = make(); }, Qt::BlockingQueuedConnection);
    anchor->deleteLater();
    return object;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QThread registerThread;
    StandInRegister* stand = onThread(registerThread, [] { return new StandInRegister; });
    const QUrl registerUrl = stand->url();
    QMetaObject::invokeMethod(
        stand,
        [stand] {
            stand->setDefault({StandInRegister::notListed(QStringLiteral("0")), 200, 200});
        },
        Qt::BlockingQueuedConnection);

    ServiceOptions options;
    options.port = 0;
    options.registerUrl = registerUrl;
    options.ratePerSecond = 1e6;
    options.burst = 1e6;
    options.limits.maxPerClient = 1000;
    QThread serviceThread;
    ServiceServer* service = onThread(serviceThread, [&options] {
        auto* server = new ServiceServer(options);
        QString error;
        if (!server->start(&error))
            qFatal("%s", qPrintable(error));
        return server;
    });
    const quint16 port = service->port();
    std::printf("service on 127.0.0.1:%u, stand-in register delaying every answer by 200 ms\n\n",
                unsigned(port));

    // Warm the cache with 100 documents, then ask only for those.
    int warm = 0;
    report("cache warm-up (100 misses, 10 connections)",
           load(
               port, 10,
               [&]() -> QByteArray {
                   return warm < 100
                              ? "/overeni-dokladu/simple/?number=W" + QByteArray::number(warm++) + "&type=0"
                              : QByteArray();
               },
               10000));
    for (int connections : {1, 8, 32}) {
        int sent = 0;
        const int total = 20000;
        const Run run = load(
            port, connections,
            [&]() -> QByteArray {
                if (sent >= total)
                    return {};
                return "/overeni-dokladu/simple/?number=W" + QByteArray::number(sent++ % 100) + "&type=0";
            },
            15000);
        report(qPrintable(QStringLiteral("cache hits, %1 connections").arg(connections)), run);
    }

    // Every question new: each waits for the register.
    for (int connections : {8, 64}) {
        int sent = 0;
        const int total = 4 * connections;
        const Run run = load(
            port, connections,
            [&]() -> QByteArray {
                if (sent >= total)
                    return {};
                return "/overeni-dokladu/simple/?number=M" + QByteArray::number(connections) + "X" +
                       QByteArray::number(sent++) + "&type=4";
            },
            15000);
        report(qPrintable(QStringLiteral("misses, slow register, %1 connections").arg(connections)), run);
    }

    // Everyone asking about the same new document at once: one question to the register.
    {
        int sent = 0;
        const Run run = load(
            port, 50,
            [&]() -> QByteArray {
                return sent++ < 50 ? QByteArray("/overeni-dokladu/simple/?number=SAME1&type=0")
                                   : QByteArray();
            },
            15000);
        report("same new document, 50 connections at once", run);
    }
    qint64 upstream = 0;
    QMetaObject::invokeMethod(
        service, [&] { upstream = service->lookup().upstreamRequests(); }, Qt::BlockingQueuedConnection);
    std::printf("\nquestions sent to the register in all: %lld\n", static_cast<long long>(upstream));

    QMetaObject::invokeMethod(
        service, [service] { delete service; }, Qt::BlockingQueuedConnection);
    QMetaObject::invokeMethod(
        stand, [stand] { delete stand; }, Qt::BlockingQueuedConnection);
    serviceThread.quit();
    registerThread.quit();
    serviceThread.wait();
    registerThread.wait();
    return 0;
}
