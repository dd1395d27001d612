// What the journal of issued numbers costs.
//   bench_journal
// A twelve-label print batch (copy verifications, recorded instead of
// printed) with and without its journal rows, opening a journal of 100 000
// rows as the program does on its first print after start, and reading them
// all as the journal window does when it opens.
#include "JournalSupport.h"

#include "journal/JournalRecorder.h"
#include "settings/SettingsCatalogue.h"
#include "support/RecordingJob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

double printBatch(SettingsStore& s, Journal* journal) {
    const int next = Key::bookCounter(1).integer(s);
    RecordingJob job;
    std::optional<JournalRecorder> recorder;
    if (journal)
        recorder.emplace(*journal);
    QElapsedTimer t;
    t.start();
    ClauseBatch(s, ClauseKind::CopyVerification, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                journalFields(next, 40))
        .run(job, copyParticulars(), ClauseBatch::Mode::Print, recorder ? &*recorder : nullptr);
    return msSince(t);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("APPDATA", QFile::encodeName(dir.path()));
    writeJournalOffice();
    SettingsStore s(DataDir::settingsFile());

    constexpr int kRuns = 31;
    std::vector<double> bare, journaled;
    {
        Journal journal(DataDir::journalFile(), 10, s);
        for (int i = 0; i < kRuns; ++i) {
            bare.push_back(printBatch(s, nullptr));
            journaled.push_back(printBatch(s, &journal));
        }
    }
    std::printf("12-label batch: %.2f ms without the journal, %.2f ms with it (median of %d)\n", median(bare),
                median(journaled), kRuns);

    // 100 000 rows, as about ten years of a busy office.
    {
        Journal journal(DataDir::journalFile(), 10, s);
        QList<JournalEntry> rows;
        const QDateTime start = QDateTime::currentDateTime().addYears(-9);
        for (int n = 0; n < 100000; ++n) {
            JournalEntry e;
            e.time = start.addSecs(qint64(n) * 2800);
            e.designation = QStringLiteral("A/%1/2026").arg(n + 1000);
            e.book = QStringLiteral("1");
            e.number = n + 1000;
            e.year = 2026;
            e.position = 1 + n % 12;
            e.officer = QStringLiteral("Zoz Azira");
            e.counter = QStringLiteral("knihy/ciscokniha1");
            e.state = JournalEntry::State::Printed;
            e.particulars = QJsonObject{{QStringLiteral("outputPages"), 2}};
            rows << e;
        }
        journal.add(rows);
    }
    std::vector<double> opening, page, filtered, whole;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        Journal journal(DataDir::journalFile(), 10, s);
        opening.push_back(msSince(t));
        t.restart();
        const qsizetype first = journal.entries(QString(), 0, 500).size();
        page.push_back(msSince(t));
        t.restart();
        const qsizetype found = journal.entries(QStringLiteral("a/99999/"), 0, 500).size();
        filtered.push_back(msSince(t));
        t.restart();
        const qsizetype all = journal.entries().size();
        whole.push_back(msSince(t));
        if (first != 500 || found != 1 || all < 100000)
            return 1;
    }
    std::printf("journal of 100 000 rows: opened in %.2f ms; the window's first page of 500 rows %.1f ms, "
                "a filter over all rows %.1f ms, all rows (the CSV export) %.0f ms\n",
                median(opening), median(page), median(filtered), median(whole));
    QElapsedTimer t;
    t.start();
    {
        Journal journal(DataDir::journalFile(), 10, s);
        printBatch(s, &journal);
    }
    std::printf("first 12-label batch after start, journal opening included: %.2f ms\n", msSince(t));
    return 0;
}
