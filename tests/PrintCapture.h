#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

// Jobs sent to the "lorvena-capture" CUPS queue land in this folder as
// job-N.pdf with job-N.title beside them.
inline const QString kCaptureDir = QStringLiteral("/var/tmp/lorvena-capture");

// True when the capture queue is the default destination; the reason otherwise.
inline bool captureQueueReady(QString& reason) {
    if (QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty()) {
        reason = QStringLiteral("CUPS is not installed (no lpstat)");
        return false;
    }
    QProcess p;
    p.start(QStringLiteral("lpstat"), {QStringLiteral("-d")});
    p.waitForFinished(5000);
    if (!QString::fromLocal8Bit(p.readAllStandardOutput()).contains(QStringLiteral("lorvena-capture"))) {
        reason = QStringLiteral("the capture queue lorvena-capture is not the default destination "
                                "(run tests/cups/setup-capture-queue.sh as root)");
        return false;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        reason = QStringLiteral("pdftotext is missing (poppler-utils)");
        return false;
    }
    return true;
}

// Skips the test without a capture queue, except where CI demands it.
#define REQUIRE_CAPTURE_QUEUE()                                                                              \
    do {                                                                                                     \
        QString reason_;                                                                                     \
        if (!captureQueueReady(reason_)) {                                                                   \
            if (qEnvironmentVariableIsSet("LORVENA_REQUIRE_CUPS"))                                           \
                QFAIL(qPrintable(reason_));                                                                  \
            QSKIP(qPrintable(reason_));                                                                      \
        }                                                                                                    \
    } while (false)

inline QStringList capturedJobs() {
    QStringList jobs = QDir(kCaptureDir).entryList({QStringLiteral("job-*.pdf")}, QDir::Files);
    std::sort(jobs.begin(), jobs.end(), [](const QString& a, const QString& b) {
        return a.mid(4).section(u'.', 0, 0).toInt() < b.mid(4).section(u'.', 0, 0).toInt();
    });
    return jobs;
}

// Waits for a job that was not among `before`; returns its PDF path or empty.
inline QString waitForNewJob(const QStringList& before, int timeoutMs = 20000) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        for (const QString& job : capturedJobs())
            if (!before.contains(job))
                return kCaptureDir + u'/' + job;
        QTest::qWait(100);
    }
    return {};
}

inline QString jobTitle(const QString& pdfPath) {
    QFile f(QString(pdfPath).replace(QStringLiteral(".pdf"), QStringLiteral(".title")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

struct PdfWord {
    QString text;
    double xMin, yMin, xMax, yMax; // points from the top-left of the page
    int page;
};

// Every word of a PDF with its box, read by pdftotext -bbox.
inline QList<PdfWord> pdfWords(const QString& pdfPath, int* pages = nullptr) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    p.waitForFinished(20000);
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> out;
    int page = 0;
    for (const QString& line : xml.split(u'\n')) {
        if (line.contains(QStringLiteral("<page ")))
            ++page;
        const auto m = word.match(line);
        if (m.hasMatch()) {
            QString text = m.captured(5);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
            out << PdfWord{text,
                           m.captured(1).toDouble(),
                           m.captured(2).toDouble(),
                           m.captured(3).toDouble(),
                           m.captured(4).toDouble(),
                           page};
        }
    }
    if (pages)
        *pages = page;
    return out;
}

inline double pointsToMm(double pt) {
    return pt * 25.4 / 72.0;
}
