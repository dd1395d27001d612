// Figures for the settings store and the start of the program.
//   bench_startup            store figures, then the start of both windows
//   bench_startup window     (internal) shows the main window, prints ms, exits
//   bench_startup bare       (internal) shows a bare Qt window, prints ms, exits
#include "app/Windows.h"
#include "app/main.h"
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

int showAndReport(QWidget& w, qint64 startNs) {
    w.show();
    QTimer::singleShot(0, [startNs] {
        const double ms = (QDateTime::currentMSecsSinceEpoch() * 1e6 - double(startNs)) / 1e6;
        std::printf("%.1f\n", ms);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

double startOnce(const QString& mode, const QString& appData) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("APPDATA"), appData);
    env.insert(QStringLiteral("LORVENA_BENCH_START_NS"),
               QString::number(QDateTime::currentMSecsSinceEpoch() * 1000000LL));
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), {mode});
    p.waitForFinished(30000);
    return p.readAllStandardOutput().trimmed().toDouble();
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

    std::vector<double> mainStarts, bareStarts;
    for (int i = 0; i < 5; ++i) {
        mainStarts.push_back(startOnce(QStringLiteral("window"), dir.path()));
        bareStarts.push_back(startOnce(QStringLiteral("bare"), dir.path()));
    }
    std::printf("process start to window shown: main window median %.1f ms, bare Qt window median %.1f ms\n",
                median(mainStarts), median(bareStarts));
    return 0;
}
