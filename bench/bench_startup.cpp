// Figures for the settings store and the start of the program.
//   bench_startup            store figures, then the start of both windows: with
//                            the usual data, 100 000 saved clauses, a 1 MB settings file
//   bench_startup window     (internal) shows the main window, prints ms and KiB, exits
//   bench_startup bare       (internal) shows a bare Qt window, prints ms and KiB, exits
#include "app/Windows.h"
#include "app/main.h"
#include "settings/AnsiText.h"
#include "settings/DataDir.h"
#include "settings/FirstStart.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Resident memory in KiB, or 0 where /proc is not there.
long long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

int showAndReport(QWidget& w, qint64 startNs) {
    w.show();
    QTimer::singleShot(0, [startNs] {
        const double ms = (QDateTime::currentMSecsSinceEpoch() * 1e6 - double(startNs)) / 1e6;
        std::printf("%.1f %lld\n", ms, residentKiB());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

struct Start {
    double ms = 0;
    double mb = 0;
};

Start startOnce(const QString& mode, const QString& appData) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("APPDATA"), appData);
    env.insert(QStringLiteral("LORVENA_BENCH_START_NS"),
               QString::number(QDateTime::currentMSecsSinceEpoch() * 1000000LL));
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), {mode});
    p.waitForFinished(30000);
    const QList<QByteArray> figures = p.readAllStandardOutput().trimmed().split(' ');
    return {figures.value(0).toDouble(), figures.value(1).toDouble() / 1024.0};
}

// Medians of five starts of each window, taken in turn so that the machine's
// moods fall on both alike.
void compareStarts(const char* label, const QString& appData) {
    std::vector<double> mainMs, bareMs, mainMb, bareMb;
    for (int i = 0; i < 5; ++i) {
        const Start main = startOnce(QStringLiteral("window"), appData);
        const Start bare = startOnce(QStringLiteral("bare"), appData);
        mainMs.push_back(main.ms);
        mainMb.push_back(main.mb);
        bareMs.push_back(bare.ms);
        bareMb.push_back(bare.mb);
    }
    std::printf("%-22s first paint %.1f ms, bare %.1f ms (%.2fx); memory %.1f MB, bare %.1f MB (%.2fx)\n",
                label, median(mainMs), median(bareMs), median(mainMs) / median(bareMs), median(mainMb),
                median(bareMb), median(mainMb) / median(bareMb));
}

// Saved clauses as the program writes them, with Czech letters.
QByteArray savedClauseLines(int count) {
    const QStringList given = {QStringLiteral("Jan"), QStringLiteral("Tomáš"), QStringLiteral("Jiří"),
                               QStringLiteral("Kateřina"), QStringLiteral("Šárka")};
    const QStringList surnames = {QStringLiteral("Novák"), QStringLiteral("Dvořáková"),
                                  QStringLiteral("Černý"), QStringLiteral("Růžička"),
                                  QStringLiteral("Šťastná")};
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1 %2 %3, %4.%5.%6, České Budějovice|0|1|%7|Žižkova %3, Plzeň|0|%8\r\n")
                    .arg(given[i % 5], surnames[(i / 5) % 5])
                    .arg(i)
                    .arg(1 + i % 28)
                    .arg(1 + i % 12)
                    .arg(1930 + i % 78)
                    .arg(1 + i % 2)
                    .arg(100000000 + i);
    return AnsiText::encode(text);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    if (mode == u"window" || mode == u"bare") {
        const qint64 start = qEnvironmentVariable("LORVENA_BENCH_START_NS").toLongLong();
        QApplication app(argc, argv);
        if (mode == u"bare") {
            QWidget w;
            w.resize(371, 700);
            return showAndReport(w, start);
        }
        setUpApplication();
        auto form = createWindows();
        return showAndReport(*form, start);
    }

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("APPDATA", QFile::encodeName(dir.path()));
    DataDir::ensureExists();
    SettingsStore store(DataDir::settingsFile());
    writeFirstStartValues(store);
    for (int i = 1; i <= 10; ++i) {
        store.WriteString(QStringLiteral("Knihy"), QStringLiteral("Kniha%1").arg(i),
                          QStringLiteral("K%1").arg(i));
        store.WriteString(QStringLiteral("Knihy"), QStringLiteral("cisloKniha%1").arg(i),
                          QString::number(100 + i));
    }
    std::vector<double> reads, writes;
    QElapsedTimer t;
    for (int i = 0; i < 200; ++i) {
        t.start();
        store.ReadString(QStringLiteral("Knihy"), QStringLiteral("cisloKniha7"), QStringLiteral("1"));
        reads.push_back(t.nsecsElapsed() / 1000.0);
        t.start();
        store.WriteString(QStringLiteral("Knihy"), QStringLiteral("cisloKniha7"), QString::number(i));
        writes.push_back(t.nsecsElapsed() / 1000.0);
    }
    std::printf("settings file: %lld bytes\n", (long long)QFileInfo(store.path()).size());
    std::printf("ReadString:  median %.1f us\n", median(reads));
    std::printf("WriteString: median %.1f us (atomic replace under a lock, flushed to disk)\n",
                median(writes));

    compareStarts("usual data:", dir.path());

    const QString clauses = DataDir::savedClausesFile();
    if (!writeFile(clauses, savedClauseLines(100000)))
        return 1;
    compareStarts("100 000 saved clauses:", dir.path());
    if (!writeFile(clauses, {}))
        return 1;

    // Notes kept by hand in a section of their own, up to a megabyte.
    QFile ini(store.path());
    if (!ini.open(QIODevice::ReadOnly))
        return 1;
    QString text = AnsiText::decode(ini.readAll()) + QStringLiteral("[Poznamky]\r\n");
    ini.close();
    for (int k = 0; text.size() < 1024 * 1024; ++k)
        text += QStringLiteral("Poznamka%1=Poznámka číslo %1 o žadateli, který přišel v úterý\r\n").arg(k);
    if (!writeFile(store.path(), AnsiText::encode(text)))
        return 1;
    std::vector<double> bigReads;
    for (int i = 0; i < 20; ++i) {
        t.start();
        store.ReadString(QStringLiteral("Knihy"), QStringLiteral("cisloKniha7"), QStringLiteral("1"));
        bigReads.push_back(t.nsecsElapsed() / 1000.0);
    }
    std::printf("ReadString of a %lld-byte file: first %.1f us, median %.1f us\n",
                (long long)QFileInfo(store.path()).size(), bigReads.front(), median(bigReads));
    compareStarts("1 MB settings file:", dir.path());
    return 0;
}
