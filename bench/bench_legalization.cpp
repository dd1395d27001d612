// The legalization tab as the clerk feels it:
//  - one key release in the applicant line with 100,000 saved clauses
//    (search plus filling the drop-down list), through the real window;
//  - the time from the last key press in the document number to the coloured
//    field, against a service on the loopback interface (the one-second pause
//    after typing included).
#include "UiSupport.h"
#include "app/Windows.h"
#include "app/main.h"
#include "applicant/SavedClauses.h"
#include "settings/AnsiText.h"
#include "settings/DataDir.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* const kGiven[] = {"Jan",   "Petr",   "Eva",      "Jana", "Tomáš",
                              "Lucie", "Martin", "Kateřina", "Jiří", "Věra"};
const char* const kFamily[] = {"Novák",   "Svoboda", "Dvořák", "Černý", "Procházka",
                               "Kučera",  "Veselý",  "Horák",  "Němec", "Marek",
                               "Pokorný", "Růžička", "Beneš",  "Fiala", "Sedláček"};
const char* const kPlace[] = {"Brno", "Praha", "Ostrava", "Plzeň", "Liberec", "Olomouc", "Zlín", "Jihlava"};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * v.size()))];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication();
    QTemporaryDir dir;
    qputenv("APPDATA", QFile::encodeName(dir.path()));
    DataDir::ensureExists();

    QString text;
    for (int i = 0; i < 100000; ++i) {
        const QString name =
            QStringLiteral("%1 %2%3, %4.%5.%6, %7")
                .arg(QString::fromUtf8(kGiven[i % 10]), QString::fromUtf8(kFamily[(i / 10) % 15]),
                     i % 2 ? QStringLiteral("ová") : QString())
                .arg(1 + i % 28)
                .arg(1 + i % 12)
                .arg(1940 + i % 70)
                .arg(QString::fromUtf8(kPlace[i % 8]));
        text += name + QStringLiteral("|0|0|1|Ulice %1, Město|0|%2\r\n").arg(i).arg(100000000 + i);
    }
    QFile f(DataDir::savedClausesFile());
    f.open(QIODevice::WriteOnly);
    f.write(AnsiText::encode(text));
    f.close();

    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = server.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s] {
            s->readAll();
            s->write("HTTP/1.1 200 OK\r\nContent-Length: 1\r\nConnection: close\r\n\r\n2");
            s->disconnectFromHost();
        });
    });
    QFile ini(DataDir::settingsFile());
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[Web]\r\nServer=http://127.0.0.1:%1\r\n").arg(server.serverPort()).toLatin1());
    ini.close();

    {
        // A bare window first, so the figure below is about the clauses alone.
        auto warmUp = createWindows();
    }
    QElapsedTimer start;
    start.start();
    auto form = createWindows();
    std::printf("window with 100,000 saved clauses created in %.1f ms (%lld bytes)\n",
                start.nsecsElapsed() / 1e6, (long long)QFileInfo(DataDir::savedClausesFile()).size());
    child<QTabBar>(form, "TabControl1")->setCurrentIndex(1);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return 1;

    std::vector<double> keyUps;
    const QStringList typed = {QStringLiteral("nov"), QStringLiteral("ová"), QStringLiteral("jan"),
                               QStringLiteral("brn"), QStringLiteral("růž"), QStringLiteral("xyz"),
                               QStringLiteral("ter"), QStringLiteral("1960")};
    for (int round = 0; round < 5; ++round)
        for (const QString& t : typed) {
            child<QComboBox>(form, "ComboBox14")->setEditText(t);
            QElapsedTimer k;
            k.start();
            form->ComboBox14KeyUp(Qt::Key_A);
            keyUps.push_back(k.nsecsElapsed() / 1e6);
            QCoreApplication::processEvents();
        }
    std::printf("key release in the applicant line: median %.2f ms, worst %.2f ms (%zu releases)\n",
                percentile(keyUps, 0.5), percentile(keyUps, 1.0), keyUps.size());

    std::vector<double> checks;
    for (int i = 0; i < 5; ++i) {
        child<QLineEdit>(form, "Edit4")->clear();
        QTest::qWait(50);
        QTest::keyClicks(child<QLineEdit>(form, "Edit4"), QStringLiteral("20512345%1").arg(i));
        QElapsedTimer c;
        c.start();
        while (form->documentCheckState != u"ok" && c.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        checks.push_back(c.nsecsElapsed() / 1e6);
    }
    std::printf("last key press to the coloured field: median %.1f ms (1000 ms of it is the pause)\n",
                percentile(checks, 0.5));
    return 0;
}
