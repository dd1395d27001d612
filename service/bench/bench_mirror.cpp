// Figures for the local copy of the register, on loopback only: 10 000 000
// generated documents in the three lists, downloaded from a stand-in, read,
// indexed and mapped; then lookups in the index, and requests per second of
// questions the copy answers beside questions the cache answers, in one run.
// Run it by hand, it is not a test.
#include "InvalidList.h"
#include "ListArchives.h"
#include "RegisterCopy.h"
#include "RegisterMirror.h"
#include "ServiceServer.h"
#include "StandInRegister.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

// Resident and peak resident memory of this process, in MiB.
double statusMiB(const char* field) {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}
// Processor time of this thread: the machine may be busy with others.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void resetPeak() {
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

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

// Keeps one connection busy with one request after another.
class Connection {
public:
    Connection(quint16 port, std::function<QByteArray()> nextPath, int* answers, int* failures,
               std::function<void()> done)
        : m_nextPath(std::move(nextPath)), m_answers(answers), m_failures(failures), m_done(std::move(done)) {
        QObject::connect(&m_socket, &QTcpSocket::connected, [this] { sendNext(); });
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { read(); });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }

private:
    void sendNext() {
        const QByteArray path = m_nextPath();
        if (path.isEmpty()) {
            m_socket.disconnectFromHost();
            m_done();
            return;
        }
        m_buffer.clear();
        m_socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    }
    void read() {
        m_buffer += m_socket.readAll();
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0 || m_buffer.size() < end + 5)
            return;
        ++*m_answers;
        if (!m_buffer.startsWith("HTTP/1.1 200") || m_buffer.at(end + 4) == '0')
            ++*m_failures;
        sendNext();
    }

    QTcpSocket m_socket;
    std::function<QByteArray()> m_nextPath;
    int* m_answers;
    int* m_failures;
    std::function<void()> m_done;
    QByteArray m_buffer;
};

void load(const char* name, quint16 port, int connections, const std::function<QByteArray()>& nextPath) {
    int answers = 0, failures = 0, open = connections;
    QEventLoop loop;
    std::vector<std::unique_ptr<Connection>> clients;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < connections; ++i) {
        clients.push_back(std::make_unique<Connection>(port, nextPath, &answers, &failures, [&] {
            if (--open == 0)
                loop.quit();
        }));
    }
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("  %-52s %7d answers in %5.2f s = %7.0f/s, failures %d\n", name, answers, seconds,
                answers / seconds, failures);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const qint64 total = argc > 1 ? QByteArray(argv[1]).toLongLong() : 10000000;
    // Shares of the lists as the register has them roughly: most cards without a series.
    const qint64 counts[kListKinds] = {total * 7 / 10, total / 10, total - total * 7 / 10 - total / 10};
    std::printf("generating %lld documents (%lld cards, %lld cards with a series, %lld passports)\n",
                static_cast<long long>(total), static_cast<long long>(counts[0]),
                static_cast<long long>(counts[1]), static_cast<long long>(counts[2]));

    // Present numbers come from a lower range, absent ones from above it.
    std::mt19937_64 random(20261211);
    std::vector<DocumentQuery> present; // a sample, for the lookups
    QByteArray zips[kListKinds];
    QElapsedTimer clock;
    clock.start();
    for (int list = 0; list < kListKinds; ++list) {
        QByteArray text;
        text.reserve(counts[list] * 24);
        for (qint64 i = 0; i < counts[list]; ++i) {
            QByteArray number;
            if (list == 0)
                number = QByteArray::number(100000000 + random() % 800000000);
            else if (list == 1)
                number = QByteArray::number(100000 + random() % 800000) + ';' + char('A' + random() % 26) +
                         char('A' + random() % 26);
            else
                number = QByteArray::number(10000000 + random() % 80000000);
            const int day = 1 + int(random() % 28), month = 1 + int(random() % 12),
                      year = 2000 + int(random() % 27);
            text += number + ';' + (day < 10 ? "0" : "") + QByteArray::number(day) + '.' +
                    (month < 10 ? "0" : "") + QByteArray::number(month) + '.' + QByteArray::number(year) +
                    "\r\n";
            if (i % 50 == 0 && present.size() < 200000)
                present.push_back({QString::fromLatin1(QByteArray(number).replace(";", "")),
                                   list == 2 ? QStringLiteral("4") : QStringLiteral("0")});
        }
        const qsizetype csv = text.size();
        zips[list] = zipOf(listFileName(ListKind(list)), text);
        std::printf("  %-12s %9lld B of list, %9lld B zipped\n", qPrintable(listFileName(ListKind(list))),
                    static_cast<long long>(csv), static_cast<long long>(zips[list].size()));
    }
    std::printf("  generated and zipped in %.1f s\n\n", clock.elapsed() / 1000.0);

    QThread registerThread;
    StandInRegister* stand = onThread(registerThread, [] { return new StandInRegister; });
    QMetaObject::invokeMethod(
        stand,
        [stand, &zips] {
            stand->setDefault({StandInRegister::notListed(QStringLiteral("0")), 200, 0});
            for (int i = 0; i < kListKinds; ++i) {
                stand->answerPath(QStringLiteral("/neplatne-doklady/ViewFile.aspx?typ_dokladu=%1").arg(i),
                                  {zips[i], 200, 0, false, false, {}, "application/zip"});
            }
        },
        Qt::BlockingQueuedConnection);

    QTemporaryDir directory;
    ServiceOptions options;
    options.port = 0;
    options.registerUrl = stand->url();
    options.ratePerSecond = 1e6;
    options.burst = 1e6;
    options.limits.maxPerClient = 1000;
    options.mirrorDirectory = directory.path();
    options.mirrorSourceUrl =
        QUrl(stand->baseUrl().toString() + QStringLiteral("/neplatne-doklady/ViewFile.aspx"));

    // Download, unpack, read, sort, write and map, as the service does it.
    std::printf("first download into an empty folder\n");
    const double rssBefore = statusMiB("VmRSS:");
    resetPeak();
    QThread serviceThread;
    clock.restart();
    bool refreshed = false;
    QString message;
    std::atomic<bool> finished = false;
    ServiceServer* service = onThread(serviceThread, [&] {
        auto* server = new ServiceServer(options);
        QObject::connect(
            server->mirroredLookup().mirror(), &RegisterMirror::refreshed, server,
            [&](bool ok, const QString& text) {
                refreshed = ok;
                message = text;
                finished = true;
            },
            Qt::DirectConnection);
        QString error;
        if (!server->start(&error))
            qFatal("%s", qPrintable(error));
        return server;
    });
    while (!finished)
        QThread::msleep(20);
    const double refreshSeconds = clock.elapsed() / 1000.0;
    if (!refreshed)
        qFatal("%s", qPrintable(message));
    const QString index = QDir(directory.path()).filePath(QString::fromLatin1(RegisterMirror::kIndexName));
    std::printf("  %s\n  download to answering copy %.1f s; peak memory during it %.0f MiB over the %.0f MiB "
                "before\n\n",
                qPrintable(message), refreshSeconds, statusMiB("VmHWM:") - rssBefore, rssBefore);

    // The parts on their own.
    std::printf("the parts on their own\n");
    {
        QTemporaryDir parts;
        RegisterCopy::Lists lists;
        clock.restart();
        double cpu = threadSeconds();
        for (int i = 0; i < kListKinds; ++i) {
            const QString path = parts.filePath(QStringLiteral("%1.zip").arg(i));
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(zips[i]);
            file.close();
            ListArchive archive = readListArchive(path, ListKind(i));
            if (!archive.error.isEmpty())
                qFatal("%s", qPrintable(archive.error));
            lists[i] = std::move(archive.entries);
        }
        std::printf("  unpack and read the three lists   %6.2f s (processor %.2f s)\n",
                    clock.elapsed() / 1000.0, threadSeconds() - cpu);
        clock.restart();
        cpu = threadSeconds();
        QString error;
        if (!RegisterCopy::write(parts.filePath(QStringLiteral("x.idx")), QDateTime::currentDateTimeUtc(),
                                 lists, &error))
            qFatal("%s", qPrintable(error));
        std::printf("  sort and write the index          %6.2f s (processor %.2f s)\n",
                    clock.elapsed() / 1000.0, threadSeconds() - cpu);
    }
    const double rssMapped = statusMiB("VmRSS:");
    clock.restart();
    QString error;
    const auto copy = RegisterCopy::open(index, &error);
    std::printf("  map and check the index at start  %6.3f s (the file in the page cache)\n",
                clock.nsecsElapsed() / 1e9);
    std::printf("  index %lld B for %lld documents = %.2f B each; resident after a second mapping +%.0f MiB "
                "(file pages, shared)\n\n",
                static_cast<long long>(copy->fileSize()), static_cast<long long>(copy->documents()),
                double(copy->fileSize()) / double(copy->documents()), statusMiB("VmRSS:") - rssMapped);

    // Lookups in the index itself.
    std::printf("lookups in the index\n");
    {
        // Random numbers where the cards lie: nearly all of them not listed.
        std::vector<DocumentQuery> randomCards;
        std::mt19937_64 other(7);
        for (size_t i = 0; i < present.size(); ++i)
            randomCards.push_back({QString::number(100000000 + other() % 800000000), QStringLiteral("0")});
        for (const auto& [name, queries] :
             {std::pair{"listed", &present}, std::pair{"random card numbers", &randomCards}}) {
            qint64 found = 0;
            clock.restart();
            const double cpu = threadSeconds();
            const int rounds = 5;
            for (int round = 0; round < rounds; ++round) {
                for (const DocumentQuery& query : *queries)
                    found += copy->look(query).verdict == RegisterCopy::Verdict::Listed;
            }
            const double seconds = clock.nsecsElapsed() / 1e9;
            const double processor = threadSeconds() - cpu;
            std::printf(
                "  %-20s %8zu lookups in %5.3f s = %5.2f million/s; by processor time %5.2f million/s "
                "(found %lld)\n",
                name, queries->size() * rounds, seconds, queries->size() * rounds / seconds / 1e6,
                queries->size() * rounds / processor / 1e6, static_cast<long long>(found));
        }
    }

    // Requests through the service: the cache answers green passports the
    // register was asked about once; the copy answers new questions.
    std::printf("\nrequests, 8 connections\n");
    const quint16 port = service->port();
    int warm = 0;
    load("cache warm-up: 100 green passports (register asked)", port, 10, [&]() -> QByteArray {
        return warm < 100 ? "/overeni-dokladu/simple/?number=G" + QByteArray::number(warm++) + "&type=5"
                          : QByteArray();
    });
    const int requests = 40000;
    int sent = 0;
    load("cached answers (green passports)", port, 8, [&]() -> QByteArray {
        return sent < requests
                   ? "/overeni-dokladu/simple/?number=G" + QByteArray::number(sent++ % 100) + "&type=5"
                   : QByteArray();
    });
    sent = 0;
    load("new questions answered by the copy (half listed)", port, 8, [&]() -> QByteArray {
        if (sent >= requests)
            return {};
        const int i = sent++;
        if (i % 2 == 0)
            return "/overeni-dokladu/simple/?number=" + QByteArray::number(900000000 + i) + "&type=0";
        const DocumentQuery& listed = present[size_t(i) % present.size()];
        return "/overeni-dokladu/simple/?number=" + listed.number.toLatin1() +
               "&type=" + listed.type.toLatin1();
    });
    sent = 0;
    load("both mixed, half and half", port, 8, [&]() -> QByteArray {
        if (sent >= requests)
            return {};
        const int i = sent++;
        return i % 2 ? "/overeni-dokladu/simple/?number=G" + QByteArray::number(i % 100) + "&type=5"
                     : "/overeni-dokladu/simple/?number=" + QByteArray::number(910000000 + i) + "&type=0";
    });
    qint64 upstream = 0, fromCopy = 0;
    QMetaObject::invokeMethod(
        service,
        [&] {
            upstream = service->lookup().upstreamRequests();
            fromCopy = service->mirroredLookup().copyAnswers();
        },
        Qt::BlockingQueuedConnection);
    std::printf("\nquestions sent to the register in all: %lld; answered by the copy: %lld\n",
                static_cast<long long>(upstream), static_cast<long long>(fromCopy));

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
