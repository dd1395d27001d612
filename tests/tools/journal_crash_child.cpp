// Prints batches of copy verifications for ever, as fast as it can, each
// through the journal, the settings lock and a recorded sheet; some jobs
// fail. A test kills it at random moments and checks what is left.
#include "clauses/ClauseBatch.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "settings/DataDir.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"
#include "support/RecordingJob.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SettingsStore settings(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 0, settings);
    QRandomGenerator random(quint32(QCoreApplication::applicationPid()));
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;) {
        QList<int> positions;
        const int count = 1 + int(random.bounded(12));
        for (int n = 1; n <= count; ++n)
            positions << n;
        OrderNumbers numbers;
        numbers.copyVerification = Key::bookCounter(1).integer(settings);
        numbers.copyVerificationYear = 2026;
        numbers.legalizationYear = 2026;
        CopyVerificationParticulars p;
        p.date = QDate(2026, 12, 11);
        p.officer = QStringLiteral("Zoz Azira");
        RecordingJob job;
        job.refuseFinish = random.bounded(4) == 0;
        JournalRecorder recorder(journal);
        try {
            ClauseBatch(settings, ClauseKind::CopyVerification, positions, numbers)
                .run(job, p, ClauseBatch::Mode::Print, &recorder);
        } catch (const std::exception&) {
            // a refused page: the numbers went back
        }
    }
}
