#include "TestSupport.h"

#include "clauses/ClauseBatch.h"
#include "printing/SheetGeometry.h"
#include "settings/AppError.h"
#include "settings/FirstStart.h"
#include "settings/SettingsStore.h"
#include "support/RecordingJob.h"

#include <QFile>
#include <functional>

namespace {

// The settings of an office in its first days: the values of a first start,
// copy verifications in book 1 ("A", next number 15), legalizations without
// a book (shared counter 40), position 2 printed last.
void writeOffice() {
    QDir().mkpath(DataDir::directory());
    QVERIFY(
        writeWindowsIni(DataDir::settingsFile(),
                        {"[App]", "last printed=2", "[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]",
                         "VybranaKniha-Vidimace=1", "VybranaKniha-Legalizace=0", "Vidimace-legalizace=40",
                         "[DPJ]", "SchvaleniCisloUsneseni=3/2024", "SchvaleniDatumUsneseni=1.2.2024"}));
    SettingsStore store(DataDir::settingsFile());
    writeFirstStartValues(store);
}

OrderNumbers fields(int copy, int legal) {
    OrderNumbers n;
    n.copyVerification = copy;
    n.legalization = legal;
    n.copyVerificationYear = 2025;
    n.legalizationYear = 2025;
    return n;
}

ClauseParticulars particularsOf(ClauseKind kind) {
    switch (kind) {
    case ClauseKind::CopyVerification: {
        CopyVerificationParticulars p;
        p.date = QDate(2025, 3, 14);
        p.officer = QStringLiteral("Zoz Azira");
        return p;
    }
    case ClauseKind::Legalization: {
        LegalizationParticulars p;
        p.applicant = QStringLiteral("Jan Novák, 07.03.1985, Brno");
        p.address = QStringLiteral("Brno");
        p.documentNumber = QStringLiteral("123456789");
        p.date = QDate(2025, 3, 14);
        return p;
    }
    case ClauseKind::Intention: {
        IntentionParticulars p;
        p.number = QStringLiteral("7/2025");
        p.resolutionNumber = QStringLiteral("12/2025");
        return p;
    }
    case ClauseKind::Approval:
        break;
    }
    ApprovalParticulars p;
    p.statement = QStringLiteral("Schváleno usnesením");
    p.resolutionNumber = QStringLiteral("9/2025");
    p.resolutionDate = QDate(2025, 5, 6);
    return p;
}

QString setting(const SettingsStore& s, const char* section, const char* key) {
    return s.ReadString(QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("<absent>"));
}

// Records what the batch reports, and can act at any of its moments.
struct Listener : BatchListener {
    QStringList events;
    std::function<void(const QString&)> at;
    void note(const QString& event) {
        events << event;
        if (at)
            at(event);
    }
    void issuing(const BatchSummary&) override { note(QStringLiteral("issuing")); }
    void issued(const BatchSummary&) override { note(QStringLiteral("issued")); }
    void positionDrawn(int index, int position) override {
        note(QStringLiteral("drawn %1:%2").arg(index).arg(position));
    }
    void printed(const BatchSummary&) override { note(QStringLiteral("printed")); }
    void rolledBack(const BatchSummary&) override { note(QStringLiteral("rolled back")); }
};

QList<int> firstPositions(int count) {
    QList<int> out;
    for (int n = 1; n <= count; ++n)
        out << n;
    return out;
}

bool drewRunAt(const RecordingSurface& surface, QPoint origin, const QString& text) {
    for (const RecordedRun& r : surface.runs())
        if (r.text == text && r.y >= origin.y() && r.y < origin.y() + 1000 && r.x >= origin.x() &&
            r.x < origin.x() + 2000)
            return true;
    return false;
}

} // namespace

class TestBatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_box = std::make_unique<AppDataSandbox>();
        writeOffice();
    }
    void cleanup() { m_box.reset(); }

    void printsAndStoresTheNumbers_data();
    void printsAndStoresTheNumbers();
    void failureGivesEverythingBack_data();
    void failureGivesEverythingBack();
    void previewIssuesNothing();
    void bothKindsWithoutBookShareTheSequence();
    void municipalClausesIssueNoNumber();
    void numberFieldStopsAtItsLimit();

private:
    std::unique_ptr<AppDataSandbox> m_box;
};

void TestBatch::printsAndStoresTheNumbers_data() {
    QTest::addColumn<int>("labels");
    QTest::newRow("one label") << 1;
    QTest::newRow("three labels") << 3;
    QTest::newRow("a whole sheet") << 12;
}

// Copy verifications in book 1 from number 15: every label gets its own
// number, the book's counter and the field move past the last one, the
// legalization field (no book) stays.
void TestBatch::printsAndStoresTheNumbers() {
    QFETCH(int, labels);
    SettingsStore s(DataDir::settingsFile());
    ClauseBatch batch(s, ClauseKind::CopyVerification, firstPositions(labels), fields(15, 40));
    RecordingJob job;
    Listener listener;
    QStringList onDisk;
    listener.at = [&](const QString& event) {
        if (event == u"issuing" || event == u"issued")
            onDisk << setting(SettingsStore(DataDir::settingsFile()), "Knihy", "cisloKniha1");
    };
    const BatchSummary summary =
        batch.run(job, particularsOf(ClauseKind::CopyVerification), ClauseBatch::Mode::Print, &listener);

    QVERIFY(job.started && job.finished);
    QCOMPARE(summary.issued.size(), labels);
    QCOMPARE(summary.numbers, fields(15 + labels, 40));
    QCOMPARE(setting(s, "Knihy", "cisloKniha1"), QString::number(15 + labels));
    QCOMPARE(setting(s, "Cislovani", "Vidimace-legalizace"), QStringLiteral("40"));
    QCOMPARE(setting(s, "App", "last printed"), QString::number(labels));
    const SheetGeometry geometry = SheetGeometry::read(s);
    QStringList expectedEvents{QStringLiteral("issuing"), QStringLiteral("issued")};
    for (int i = 0; i < labels; ++i) {
        QCOMPARE(summary.issued[i].number, 15 + i);
        QCOMPARE(summary.issued[i].designation, QStringLiteral("A/%1/2025").arg(15 + i));
        QVERIFY2(drewRunAt(job.surface, geometry.textOrigin(i + 1), summary.issued[i].designation),
                 qPrintable(summary.issued[i].designation));
        expectedEvents << QStringLiteral("drawn %1:%2").arg(i).arg(i + 1);
    }
    expectedEvents << QStringLiteral("printed");
    QCOMPARE(listener.events, expectedEvents);
    // Nothing reaches the file before the numbers are all issued, and all of
    // them before the job starts.
    QCOMPARE(onDisk, (QStringList{"15", QString::number(15 + labels)}));
}

void TestBatch::failureGivesEverythingBack_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("rolledBack");
    for (ClauseKind kind : {ClauseKind::CopyVerification, ClauseKind::Legalization, ClauseKind::Approval}) {
        const QByteArray name = caption(kind).toUtf8();
        QTest::newRow(name + ": job cannot start") << int(kind) << "start" << true;
        QTest::newRow(name + ": printer stops after the third label") << int(kind) << "third" << true;
        QTest::newRow(name + ": counters cannot be written") << int(kind) << "store" << false;
        QTest::newRow(name + ": job cannot be handed over") << int(kind) << "finish" << true;
    }
}

// Whatever fails, the file ends byte for byte as before (counters, last
// printed, the remembered approval) and no field value comes back.
void TestBatch::failureGivesEverythingBack() {
    QFETCH(int, kind);
    QFETCH(QString, failure);
    QFETCH(bool, rolledBack);
    const QByteArray before = readBytes(DataDir::settingsFile());
    SettingsStore s(DataDir::settingsFile());
    ClauseBatch batch(s, ClauseKind(kind), {1, 2, 5, 6, 7}, fields(15, 40));

    RecordingJob job;
    job.refuseStart = failure == u"start";
    job.refuseFinish = failure == u"finish";
    Listener listener;
    listener.at = [&](const QString& event) {
        if (failure == u"third" && event == u"drawn 2:5")
            job.surface.failNextText = true;
        // The data directory goes away (a network drive, say) just as the
        // counters are to be written.
        if (failure == u"store" && event == u"issuing")
            QVERIFY(QDir().rename(DataDir::directory(), m_box->root() + QStringLiteral("/away")));
    };
    bool thrown = false;
    try {
        batch.run(job, particularsOf(ClauseKind(kind)), ClauseBatch::Mode::Print, &listener);
    } catch (const AppError&) {
        thrown = true;
    }
    if (failure == u"store")
        QVERIFY(QDir().rename(m_box->root() + QStringLiteral("/away"), DataDir::directory()));
    QFile::remove(DataDir::settingsFile() + QStringLiteral(".lock"));
    QVERIFY(thrown);
    QCOMPARE(listener.events.contains(QStringLiteral("rolled back")), rolledBack);
    QVERIFY(!listener.events.contains(QStringLiteral("printed")));
    if (failure == u"third")
        QCOMPARE(listener.events.filter(QStringLiteral("drawn")).size(), 3);
    QCOMPARE(readBytes(DataDir::settingsFile()), before);
}

// A preview draws what the print would, with the same designations, and
// leaves the file alone.
void TestBatch::previewIssuesNothing() {
    const QByteArray before = readBytes(DataDir::settingsFile());
    SettingsStore s(DataDir::settingsFile());
    RecordingJob previewJob;
    Listener listener;
    const BatchSummary preview =
        ClauseBatch(s, ClauseKind::Legalization, {4, 9}, fields(15, 40))
            .run(previewJob, particularsOf(ClauseKind::Legalization), ClauseBatch::Mode::Preview, &listener);
    QCOMPARE(readBytes(DataDir::settingsFile()), before);
    QCOMPARE(listener.events, (QStringList{"drawn 0:4", "drawn 1:9"}));

    RecordingJob printJob;
    const BatchSummary printed = ClauseBatch(s, ClauseKind::Legalization, {4, 9}, fields(15, 40))
                                     .run(printJob, particularsOf(ClauseKind::Legalization));
    QCOMPARE(preview.numbers, printed.numbers);
    QCOMPARE(preview.issued.size(), 2);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(preview.issued[i].designation, printed.issued[i].designation);
    QCOMPARE(previewJob.surface.runs().size(), printJob.surface.runs().size());
    QCOMPARE(setting(s, "Cislovani", "Vidimace-legalizace"), QStringLiteral("42"));
}

void TestBatch::bothKindsWithoutBookShareTheSequence() {
    SettingsStore s(DataDir::settingsFile());
    s.WriteString(QStringLiteral("Cislovani"), QStringLiteral("VybranaKniha-Vidimace"), QStringLiteral("0"));
    RecordingJob job;
    const BatchSummary summary = ClauseBatch(s, ClauseKind::CopyVerification, {1, 2}, fields(40, 40))
                                     .run(job, particularsOf(ClauseKind::CopyVerification));
    QCOMPARE(summary.issued[0].designation, QStringLiteral("40/2025"));
    QCOMPARE(summary.issued[1].designation, QStringLiteral("41/2025"));
    QCOMPARE(summary.numbers, fields(42, 42));
    QCOMPARE(setting(s, "Cislovani", "Vidimace-legalizace"), QStringLiteral("42"));
    QCOMPARE(setting(s, "Knihy", "cisloKniha1"), QStringLiteral("15"));
}

void TestBatch::municipalClausesIssueNoNumber() {
    SettingsStore s(DataDir::settingsFile());
    RecordingJob job;
    const BatchSummary summary = ClauseBatch(s, ClauseKind::Approval, {11}, fields(15, 40))
                                     .run(job, particularsOf(ClauseKind::Approval));
    QVERIFY(summary.issued.isEmpty());
    QCOMPARE(summary.numbers, fields(15, 40));
    QCOMPARE(setting(s, "App", "last printed"), QStringLiteral("11"));
    QCOMPARE(setting(s, "DPJ", "SchvaleniCisloUsneseni"), QStringLiteral("9/2025"));
    QCOMPARE(setting(s, "DPJ", "SchvaleniDatumUsneseni"), QStringLiteral("6.5.2025"));
    QCOMPARE(setting(s, "Knihy", "cisloKniha1"), QStringLiteral("15"));
}

// The copy-verification field ends at 100000: further clauses carry 100000 again.
void TestBatch::numberFieldStopsAtItsLimit() {
    SettingsStore s(DataDir::settingsFile());
    RecordingJob job;
    const BatchSummary summary = ClauseBatch(s, ClauseKind::CopyVerification, {1, 2, 3}, fields(99999, 40))
                                     .run(job, particularsOf(ClauseKind::CopyVerification));
    QCOMPARE(summary.issued[0].designation, QStringLiteral("A/99999/2025"));
    QCOMPARE(summary.issued[1].designation, QStringLiteral("A/100000/2025"));
    QCOMPARE(summary.issued[2].designation, QStringLiteral("A/100000/2025"));
    QCOMPARE(summary.numbers.copyVerification, 100000);
    QCOMPARE(setting(s, "Knihy", "cisloKniha1"), QStringLiteral("100000"));
}

QTEST_MAIN(TestBatch)
#include "tst_batch.moc"
