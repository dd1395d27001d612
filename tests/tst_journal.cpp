#include "JournalSupport.h"
#include "UiSupport.h"

#include "clauses/ParticularsJson.h"
#include "journal/JournalRecorder.h"
#include "journal/JournalWindow.h"
#include "printing/SheetGeometry.h"
#include "settings/AppError.h"
#include "settings/DurableFile.h"
#include "settings/SettingsCatalogue.h"
#include "support/RecordingJob.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSet>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <sys/stat.h>

namespace {

QString counterName() {
    return journalCounterName(Key::issuedBookCounter(QStringLiteral("1")));
}

// One batch of copy verifications on the given positions, through the journal.
BatchSummary printCopies(SettingsStore& s, Journal& journal, QList<int> positions, int firstNumber,
                         RecordingJob& job) {
    JournalRecorder recorder(journal);
    ClauseBatch batch(s, ClauseKind::CopyVerification, std::move(positions), journalFields(firstNumber, 40));
    return batch.run(job, copyParticulars(), ClauseBatch::Mode::Print, &recorder);
}

// A row of the journal as another program would have left it.
JournalEntry row(int number, int year, JournalEntry::State state, const QDateTime& time) {
    JournalEntry e;
    e.time = time;
    e.designation = QStringLiteral("A/%1/%2").arg(number).arg(year);
    e.book = QStringLiteral("1");
    e.number = number;
    e.year = year;
    e.position = 1;
    e.counter = counterName();
    e.counterBefore = number;
    e.counterAfter = number + 1;
    e.state = state;
    e.particulars = particularsToJson(copyParticulars());
    return e;
}

QList<std::tuple<QString, int, int>> runsOf(const RecordingSurface& surface) {
    QList<std::tuple<QString, int, int>> out;
    for (const RecordedRun& r : surface.runs())
        out << std::tuple(r.text, r.x, r.y);
    return out;
}

// Makes every later insert into the journal fail, as a full disk would.
void breakJournalWrites(const QString& path) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("breaker"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER plna BEFORE INSERT ON vydana "
                                      "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("breaker"));
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_box = std::make_unique<AppDataSandbox>();
        writeJournalOffice();
    }
    void cleanup() { m_box.reset(); }

    void rowsFollowTheJob_data();
    void rowsFollowTheJob();
    void failedJournalWriteStoresNothing();
    void counterThatCannotBeStoredLeavesNoRow();
    void reissueNeedsTheClerksWord();
    void secondRunningCopyIsCaught();
    void whatTheJournalKnows_data();
    void whatTheJournalKnows();
    void openingSettlesAnEndedProgram_data();
    void openingSettlesAnEndedProgram();
    void filterFindsRows_data();
    void filterFindsRows();
    void oldRowsGoAfterTheirYears();
    void readableByItsOwnerOnly();
    void reprintDrawsTheSameClause();
    void csvForCzechSpreadsheets();
    void killedWhilePrintingLeavesNoNumberTwice();

    void windowQuestionBeforeReissue();
    void windowListsFiltersReprintsAndExports();

private:
    std::unique_ptr<AppDataSandbox> m_box;
};

void TestJournal::rowsFollowTheJob_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("counterAfter");
    QTest::newRow("printed") << "" << int(JournalEntry::State::Printed) << "18";
    QTest::newRow("job cannot start") << "start" << int(JournalEntry::State::NotPrinted) << "15";
    QTest::newRow("printer stops mid-sheet") << "text" << int(JournalEntry::State::NotPrinted) << "15";
    QTest::newRow("spooler refuses the page") << "finish" << int(JournalEntry::State::NotPrinted) << "15";
}

// Every issued number has its row with the particulars it was drawn from;
// a job that fails gives its numbers back and says so in its rows.
void TestJournal::rowsFollowTheJob() {
    QFETCH(QString, failure);
    QFETCH(int, state);
    QFETCH(QString, counterAfter);
    SettingsStore s(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 10, s);
    RecordingJob job;
    job.refuseStart = failure == u"start";
    job.surface.failNextText = failure == u"text";
    job.refuseFinish = failure == u"finish";
    bool failed = false;
    try {
        printCopies(s, journal, {2, 5, 9}, 15, job);
    } catch (const AppError&) {
        failed = true;
    }
    QCOMPARE(failed, !failure.isEmpty());
    QCOMPARE(Key::bookCounter(1).text(s), counterAfter);

    const QList<JournalEntry> rows = journal.entries();
    QCOMPARE(rows.size(), 3);
    const QStringList designations{rows[2].designation, rows[1].designation, rows[0].designation};
    QCOMPARE(designations, QStringList({"A/15/2026", "A/16/2026", "A/17/2026"}));
    QCOMPARE(rows[2].position, 2);
    QCOMPARE(rows[0].position, 9);
    for (const JournalEntry& e : rows) {
        QCOMPARE(int(e.state), state);
        QCOMPARE(e.kind, ClauseKind::CopyVerification);
        QCOMPARE(e.book, QStringLiteral("1"));
        QCOMPARE(e.year, 2026);
        QCOMPARE(e.officer, QStringLiteral("Zoz Azira"));
        QVERIFY(qAbs(e.time.secsTo(QDateTime::currentDateTime())) < 60);
        // The office and place come from the settings, as the batch drew them.
        const QJsonObject drawn = journal.entry(e.id)->particulars;
        QCOMPARE(drawn.value(QStringLiteral("place")).toString(), QStringLiteral("Lhota"));
        QCOMPARE(drawn.value(QStringLiteral("outputPages")).toInt(), 2);
        QCOMPARE(e.subject, QStringLiteral("kopie, počet listů 2"));
    }
}

// A journal that cannot take the rows stops the batch before any counter
// moves or anything is drawn.
void TestJournal::failedJournalWriteStoresNothing() {
    SettingsStore s(DataDir::settingsFile());
    const QByteArray before = readBytes(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 10, s);
    breakJournalWrites(DataDir::journalFile());
    RecordingJob job;
    try {
        printCopies(s, journal, {1, 2}, 15, job);
        QFAIL("the batch went on without its journal");
    } catch (const AppError& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Unable to write to ")), qPrintable(e.message()));
    }
    QVERIFY(!job.started);
    QCOMPARE(readBytes(DataDir::settingsFile()), before);
    QVERIFY(journal.entries().isEmpty());
}

// The rows are written first; when the settings file then refuses the
// counters, the numbers were never issued and their rows go at once.
void TestJournal::counterThatCannotBeStoredLeavesNoRow() {
    SettingsStore s(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 10, s);
    const QByteArray before = readBytes(DataDir::settingsFile());
    static const DurableFile::DiskCalls shortWrite{
        [](QFile& file, const char* data, qint64 size) { return file.write(data, size / 2); },
        [](QFile&) { return true; }};
    const DurableFile::DiskCalls* previous = DurableFile::setDiskCallsForTesting(&shortWrite);
    RecordingJob job;
    bool failed = false;
    try {
        printCopies(s, journal, {1, 2, 3}, 15, job);
    } catch (const AppError&) {
        failed = true;
    }
    DurableFile::setDiskCallsForTesting(previous);
    QVERIFY(failed);
    QVERIFY(!job.started);
    QCOMPARE(readBytes(DataDir::settingsFile()), before);
    QVERIFY(journal.entries().isEmpty());
    // And the same numbers print without a question once the disk takes them.
    printCopies(s, journal, {1, 2, 3}, 15, job);
    QCOMPARE(journal.entries().size(), 3);
}

// Numbers below the counter are refused until the clerk accepts them, with
// nothing written; accepted, they print and are journaled again.
void TestJournal::reissueNeedsTheClerksWord() {
    SettingsStore s(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 10, s);
    RecordingJob first;
    printCopies(s, journal, {1, 2}, 15, first);
    QCOMPARE(Key::bookCounter(1).text(s), QStringLiteral("17"));
    const QByteArray settingsBefore = readBytes(DataDir::settingsFile());

    JournalRecorder recorder(journal);
    ClauseBatch batch(s, ClauseKind::CopyVerification, {3, 4, 5}, journalFields(15, 40));
    const QList<IssuedNumber> asked = batch.reissues(&recorder);
    QCOMPARE(asked.size(), 2); // 17 is the next number, not a reissue
    QCOMPARE(asked[0].designation, QStringLiteral("A/15/2026"));
    const JournalEntry earlier = journal.entries().last();
    QCOMPARE(reissueQuestion({asked[0]}, &journal),
             QStringLiteral("Číslo A/15/2026 již bylo vydáno %1 v %2 (vidimace). Vytisknout je znovu?")
                 .arg(earlier.time.toString(QStringLiteral("d.M.yyyy")),
                      earlier.time.toString(QStringLiteral("H:mm"))));
    QVERIFY2(reissueQuestion(asked, &journal)
                 .startsWith(QStringLiteral("Čísla A/15/2026 a A/16/2026 již byla vydána")),
             qPrintable(reissueQuestion(asked, &journal)));
    QCOMPARE(reissueQuestion({asked[0]}, nullptr),
             QStringLiteral("Číslo A/15/2026 již bylo vydáno. Vytisknout je znovu?"));

    RecordingJob refused;
    try {
        batch.run(refused, copyParticulars(), ClauseBatch::Mode::Print, &recorder);
        QFAIL("numbers were printed again without the clerk's word");
    } catch (const ReissueNeeded& e) {
        QCOMPARE(e.numbers().size(), 2);
    }
    QVERIFY(!refused.started);
    QCOMPARE(readBytes(DataDir::settingsFile()), settingsBefore);
    QCOMPARE(journal.entries().size(), 2);

    batch.acceptReissue(asked);
    RecordingJob accepted;
    batch.run(accepted, copyParticulars(), ClauseBatch::Mode::Print, &recorder);
    QVERIFY(accepted.finished);
    QCOMPARE(journal.entries().size(), 5);
    QCOMPARE(Key::bookCounter(1).text(s), QStringLiteral("18"));
}

// Two copies of the program on one data folder: the second, whose field
// still shows the number the first has just printed, is stopped and told
// when that number was printed.
void TestJournal::secondRunningCopyIsCaught() {
    SettingsStore first(DataDir::settingsFile());
    SettingsStore second(DataDir::settingsFile());
    Journal firstJournal(DataDir::journalFile(), 10, first);
    Journal secondJournal(DataDir::journalFile(), 10, second);
    JournalRecorder secondRecorder(secondJournal);
    // The second copy's window was filled before the first one printed.
    ClauseBatch stale(second, ClauseKind::CopyVerification, {1, 2}, journalFields(15, 40));
    QVERIFY(stale.reissues(&secondRecorder).isEmpty());

    RecordingJob job;
    printCopies(first, firstJournal, {1, 2, 3}, 15, job);
    RecordingJob secondJob;
    try {
        stale.run(secondJob, copyParticulars(), ClauseBatch::Mode::Print, &secondRecorder);
        QFAIL("the second copy printed the first one's numbers");
    } catch (const ReissueNeeded& e) {
        QCOMPARE(e.numbers().size(), 2);
        QVERIFY2(reissueQuestion(e.numbers(), &secondJournal).contains(QStringLiteral("(vidimace)")),
                 qPrintable(reissueQuestion(e.numbers(), &secondJournal)));
    }
    QVERIFY(!secondJob.started);
    QCOMPARE(Key::bookCounter(1).text(second), QStringLiteral("18"));
    QCOMPARE(secondJournal.entries().size(), 3);
}

void TestJournal::whatTheJournalKnows_data() {
    QTest::addColumn<QList<int>>("printed"); // numbers of 2026 in the journal
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("knowledge");
    const int issued = int(Journal::Knowledge::Issued);
    const int notIssued = int(Journal::Knowledge::NotIssued);
    const int unknown = int(Journal::Knowledge::Unknown);
    QTest::newRow("in the journal") << QList<int>{20, 21, 22} << 21 << 2026 << issued;
    QTest::newRow("a new year begins again") << QList<int>{20, 21, 22} << 1 << 2027 << notIssued;
    QTest::newRow("before the journal began") << QList<int>{20, 21, 22} << 5 << 2026 << unknown;
    QTest::newRow("a gap the journal covers") << QList<int>{20, 22} << 21 << 2026 << notIssued;
    QTest::newRow("an earlier year") << QList<int>{20} << 30 << 2025 << unknown;
    QTest::newRow("empty journal") << QList<int>{} << 3 << 2026 << unknown;
}

void TestJournal::whatTheJournalKnows() {
    QFETCH(QList<int>, printed);
    QFETCH(int, number);
    QFETCH(int, year);
    QFETCH(int, knowledge);
    SettingsStore s(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 10, s);
    QList<JournalEntry> rows;
    for (int n : printed)
        rows << row(n, 2026, JournalEntry::State::Printed, QDateTime::currentDateTime());
    // A number whose print failed went back: it was not issued.
    rows << row(number, year, JournalEntry::State::NotPrinted, QDateTime::currentDateTime());
    journal.add(rows);
    QCOMPARE(int(journal.earlierIssue(counterName(), number, year).knowledge), knowledge);
}

void TestJournal::openingSettlesAnEndedProgram_data() {
    QTest::addColumn<QString>("counter");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<int>("state"); // -1: the row is gone
    // The row says the batch found 15 and stores 16.
    QTest::newRow("ended before the counter moved") << "15" << 300 << -1;
    QTest::newRow("ended while printing") << "16" << 300 << int(JournalEntry::State::Interrupted);
    QTest::newRow("another copy still printing") << "16" << 0 << int(JournalEntry::State::Printing);
}

void TestJournal::openingSettlesAnEndedProgram() {
    QFETCH(QString, counter);
    QFETCH(int, ageSeconds);
    QFETCH(int, state);
    SettingsStore s(DataDir::settingsFile());
    Key::bookCounter(1).write(s, counter);
    {
        Journal journal(DataDir::journalFile(), 10, s);
        QList<JournalEntry> rows{
            row(15, 2026, JournalEntry::State::Printing, QDateTime::currentDateTime().addSecs(-ageSeconds)),
            row(14, 2026, JournalEntry::State::Printed, QDateTime::currentDateTime())};
        rows[0].counterBefore = 15;
        rows[0].counterAfter = 16;
        journal.add(rows);
    }
    Journal journal(DataDir::journalFile(), 10, s);
    const QList<JournalEntry> rows = journal.entries(); // newest first: 14, then 15
    QCOMPARE(rows.first().number, 14);
    QCOMPARE(rows.first().state, JournalEntry::State::Printed); // an ended print touches no other row
    if (state < 0) {
        QCOMPARE(rows.size(), 1);
    } else {
        QCOMPARE(rows.size(), 2);
        QCOMPARE(int(rows.last().state), state);
    }
}

void TestJournal::filterFindsRows_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("numbers"); // newest first
    QTest::newRow("everything") << "" << QList<int>{4, 3, 2, 1};
    QTest::newRow("designation") << "A/2/" << QList<int>{2};
    QTest::newRow("Czech capitals") << "čERNÝ" << QList<int>{3};
    QTest::newRow("document number") << "AB1234" << QList<int>{3};
    QTest::newRow("officer") << "malá" << QList<int>{4, 3};
    QTest::newRow("date as shown") << "05.03.2026" << QList<int>{1};
    QTest::newRow("date without zeros") << "5.3.2026 9:07" << QList<int>{1};
    QTest::newRow("a percent sign is a letter") << "100%" << QList<int>{4};
    QTest::newRow("an underscore is a letter") << "A_2" << QList<int>{};
}

void TestJournal::filterFindsRows() {
    QFETCH(QString, filter);
    QFETCH(QList<int>, numbers);
    SettingsStore s(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 0, s);
    QList<JournalEntry> rows;
    for (int n = 1; n <= 4; ++n)
        rows << row(n, 2026, JournalEntry::State::Printed, QDateTime(QDate(2026, 3, 4 + n), QTime(9, 7)));
    rows[2].applicant = QStringLiteral("Petr Černý, 1.1.1970, Lhota");
    rows[2].documentNumber = QStringLiteral("ab123456");
    rows[2].officer = QStringLiteral("Eva Malá");
    rows[3].officer = QStringLiteral("Eva Malá");
    rows[3].applicant = QStringLiteral("Sleva 100%");
    journal.add(rows);
    QList<int> found;
    for (const JournalEntry& e : journal.entries(filter))
        found << e.number;
    QCOMPARE(found, numbers);
    // A page of the same rows.
    QList<int> page;
    for (const JournalEntry& e : journal.entries(filter, 1, 2))
        page << e.number;
    QCOMPARE(page, numbers.mid(1, 2));
}

void TestJournal::oldRowsGoAfterTheirYears() {
    SettingsStore s(DataDir::settingsFile());
    {
        Journal journal(DataDir::journalFile(), 0, s);
        const QDateTime now = QDateTime::currentDateTime();
        QList<JournalEntry> rows{row(1, 2015, JournalEntry::State::Printed, now.addYears(-11)),
                                 row(2, 2017, JournalEntry::State::Printed, now.addYears(-9)),
                                 row(3, 2026, JournalEntry::State::Printed, now)};
        journal.add(rows);
    }
    QCOMPARE(Journal(DataDir::journalFile(), 0, s).entries().size(), 3); // 0 keeps everything
    QList<int> kept;
    for (const JournalEntry& e : Journal(DataDir::journalFile(), 10, s).entries())
        kept << e.number;
    QCOMPARE(kept, QList<int>({3, 2}));
}

void TestJournal::readableByItsOwnerOnly() {
    SettingsStore s(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 10, s);
    RecordingJob job;
    printCopies(s, journal, {1}, 15, job);
    for (const QString& suffix : {QString(), QStringLiteral("-wal")}) {
        struct stat st {};
        QVERIFY2(::stat(QFile::encodeName(DataDir::journalFile() + suffix).constData(), &st) == 0,
                 qPrintable(suffix));
        QCOMPARE(int(st.st_mode & 0777), 0600);
    }
    // A file made readable by others (a restored backup, say) is closed again.
    QFile::setPermissions(DataDir::journalFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ReadOther | QFileDevice::ReadGroup);
    Journal again(DataDir::journalFile(), 10, s);
    QCOMPARE(
        int(QFile::permissions(DataDir::journalFile()) & (QFileDevice::ReadOther | QFileDevice::ReadGroup)),
        0);
}

// A reprint from the journal draws exactly what the first print drew at
// that position, even when the settings have changed since.
void TestJournal::reprintDrawsTheSameClause() {
    SettingsStore s(DataDir::settingsFile());
    Journal journal(DataDir::journalFile(), 10, s);
    RecordingJob first;
    JournalRecorder recorder(journal);
    ClauseBatch(s, ClauseKind::Legalization, {4}, journalFields(15, 40))
        .run(first, legalParticulars(), ClauseBatch::Mode::Print, &recorder);
    const QByteArray settingsBefore = readBytes(DataDir::settingsFile());

    Key::place().write(s, QStringLiteral("Jiné Město"));
    const JournalEntry e = *journal.entry(journal.entries().first().id);
    QCOMPARE(e.applicant, legalParticulars().applicant);
    QCOMPARE(e.documentNumber, QStringLiteral("123456789"));
    const std::optional<ClauseParticulars> particulars = particularsFromJson(e.kind, e.particulars);
    QVERIFY(particulars);
    RecordingJob again;
    drawAgain(again, SheetGeometry::read(s), {ReprintedClause{4, *particulars, e.designation}});
    QVERIFY(again.finished);
    QCOMPARE(runsOf(again.surface), runsOf(first.surface));
    QVERIFY(!runsOf(again.surface).isEmpty());
    QCOMPARE(Key::sharedCounter().text(s), QStringLiteral("41"));
    Q_UNUSED(settingsBefore);
    QVERIFY(!particularsFromJson(ClauseKind::Legalization, particularsToJson(copyParticulars())));
}

void TestJournal::csvForCzechSpreadsheets() {
    JournalEntry a =
        row(7, 2026, JournalEntry::State::Printed, QDateTime(QDate(2026, 12, 11), QTime(10, 15)));
    a.kind = ClauseKind::Legalization;
    a.designation = QStringLiteral("7/2026");
    a.book = QStringLiteral("0");
    a.applicant = QStringLiteral("Jan \"Honza\" Novák; Brno");
    a.officer = QStringLiteral("Eva Malá");
    JournalEntry b =
        row(16, 2026, JournalEntry::State::Reprinted, QDateTime(QDate(2026, 12, 1), QTime(8, 5)));
    b.officer = QStringLiteral("Zoz Azira");
    const QByteArray csv = journalCsv({a, b});
    const QByteArray expected =
        QByteArray("\xEF\xBB\xBF") + QStringLiteral("Datum a čas;Druh;Označení;Kniha;Pořadové "
                                                    "číslo;Rok;Pozice;Ověřující;Žadatel nebo listina;Stav\r\n"
                                                    "11.12.2026 10:15;legalizace;7/2026;0;7;2026;1;Eva "
                                                    "Malá;\"Jan \"\"Honza\"\" Novák; Brno\";vytištěno\r\n"
                                                    "01.12.2026 08:05;vidimace;A/16/2026;1;16;2026;1;Zoz "
                                                    "Azira;kopie, počet listů 2;vytištěno znovu\r\n")
                                         .toUtf8();
    QCOMPARE(csv, expected);
}

// kill -9 at random moments of printing: after each, the next start finds
// every number below the counter exactly once among the issued rows.
void TestJournal::killedWhilePrintingLeavesNoNumberTwice() {
    const QString child = qEnvironmentVariable("LORVENA_CRASH_CHILD");
    QVERIFY2(QFile::exists(child), "the crash child is not built");
    QRandomGenerator random(20261211);
    int rowsSeen = 0;
    for (int round = 0; round < 20; ++round) {
        QProcess p;
        p.start(child, {});
        QVERIFY(p.waitForStarted());
        QVERIFY(p.waitForReadyRead(10000)); // "ready": the journal is open
        QTest::qWait(20 + int(random.bounded(250)));
        p.kill();
        QVERIFY(p.waitForFinished());

        SettingsStore s(DataDir::settingsFile());
        Journal journal(DataDir::journalFile(), 0, s);
        const int counter = Key::bookCounter(1).integer(s);
        QList<int> issued;
        for (const JournalEntry& e : journal.entries())
            if (e.state != JournalEntry::State::NotPrinted)
                issued << e.number;
        std::sort(issued.begin(), issued.end());
        QList<int> expected;
        for (int n = 15; n < counter; ++n)
            expected << n;
        QCOMPARE(issued, expected);
        rowsSeen = int(journal.entries().size());
    }
    QVERIFY2(rowsSeen > 12, "the child printed too little to show anything");
}

// In the window: a number printed already is printed again only after OK.
void TestJournal::windowQuestionBeforeReissue() {
    QTemporaryDir out;
    auto f = createWindows();
    const QString pdf = printToPdf(*f, out.filePath("tisk.pdf"));
    child<QSpinBox>(f, "SpinEdit5")->setValue(2026);
    BookWindowCloser closer(*f);
    mark(*f, {1});
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 15);
    QTest::mouseClick(child<QToolButton>(f, "Button1"), Qt::LeftButton);
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(readSetting("Knihy", "cisloKniha1"), QStringLiteral("16"));

    QFile::remove(pdf);
    const QByteArray settingsBefore = readBytes(DataDir::settingsFile());
    child<QSpinBox>(f, "SpinEdit2")->setValue(15);
    mark(*f, {2});
    {
        MessageBoxAnswerer cancel(QStringLiteral("Zrušit"));
        QTest::mouseClick(child<QToolButton>(f, "Button1"), Qt::LeftButton);
        QCOMPARE(cancel.texts.size(), 1);
        QVERIFY2(cancel.texts[0].startsWith(QStringLiteral("Číslo A/15/2026 již bylo vydáno ")) &&
                     cancel.texts[0].endsWith(QStringLiteral(" (vidimace). Vytisknout je znovu?")),
                 qPrintable(cancel.texts[0]));
    }
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(readBytes(DataDir::settingsFile()), settingsBefore);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 15);
    QCOMPARE(f->journal().entries().size(), 1);
    {
        MessageBoxAnswerer ok;
        QTest::mouseClick(child<QToolButton>(f, "Button1"), Qt::LeftButton);
        QCOMPARE(ok.texts.size(), 1);
    }
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(f->journal().entries().size(), 2);
    QCOMPARE(f->journal().entries().first().designation, QStringLiteral("A/15/2026"));
}

void TestJournal::windowListsFiltersReprintsAndExports() {
    QTemporaryDir out;
    auto f = createWindows();
    const QString pdf = printToPdf(*f, out.filePath("tisk.pdf"));
    BookWindowCloser closer(*f);
    child<QSpinBox>(f, "SpinEdit5")->setValue(2026);
    child<QSpinBox>(f, "SpinEdit6")->setValue(2026);
    mark(*f, {1, 2});
    QTest::mouseClick(child<QToolButton>(f, "Button1"), Qt::LeftButton);
    // A legalization straight into the journal, as a clerk's earlier print.
    QList<JournalEntry> legal{row(40, 2026, JournalEntry::State::Printed, QDateTime::currentDateTime())};
    legal[0].kind = ClauseKind::Legalization;
    legal[0].designation = QStringLiteral("40/2026");
    legal[0].applicant = legalParticulars().applicant;
    legal[0].particulars = particularsToJson(legalParticulars());
    f->journal().add(legal);

    QAction* open = f->menuBar()->findChild<QAction*>(QStringLiteral("Denik1"));
    QVERIFY(open);
    QCOMPARE(open->text(), QStringLiteral("&Deník vydaných čísel"));
    open->trigger();
    TForm6* journal = f->Form6;
    QVERIFY(journal && journal->isVisible());
    QCOMPARE(journal->windowTitle(), QStringLiteral("Deník vydaných čísel"));
    auto* grid = child<QTableView>(journal, "Grid1");
    QCOMPARE(grid->model()->rowCount(), 3);
    auto cell = [grid](int r, int c) { return grid->model()->index(r, c).data().toString(); };
    QCOMPARE(cell(0, JournalModel::Designation), QStringLiteral("40/2026")); // newest first
    QCOMPARE(cell(1, JournalModel::Designation), QStringLiteral("A/16/2026"));
    QCOMPARE(cell(1, JournalModel::Kind), QStringLiteral("vidimace"));
    QCOMPARE(cell(1, JournalModel::State), QStringLiteral("vytištěno"));
    QCOMPARE(cell(0, JournalModel::Subject), legalParticulars().applicant);

    auto* filter = child<QLineEdit>(journal, "Edit1");
    filter->setText(QStringLiteral("novák"));
    QTRY_COMPARE(grid->model()->rowCount(), 1);
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("A/15"));
    QTRY_COMPARE(grid->model()->rowCount(), 1);
    filter->setText(QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
    QTRY_COMPARE(grid->model()->rowCount(), 3);
    filter->clear();
    QTRY_COMPARE(grid->model()->rowCount(), 3);

    // Reprint A/15/2026 on position 7: no number is issued, a reprint row is written.
    const QString counterBefore = readSetting("Knihy", "cisloKniha1");
    QFile::remove(pdf);
    grid->selectRow(2);
    {
        MessageBoxAnswerer answerer;
        mark(*f, {6, 7});
        child<QPushButton>(journal, "Button1")->click();
        QCOMPARE(answerer.texts.size(), 1); // two marked for one entry
        QVERIFY(!QFile::exists(pdf));
        mark(*f, {7});
        grid->selectRow(2);
        child<QPushButton>(journal, "Button1")->click();
        QCOMPARE(answerer.texts.size(), 1);
    }
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(readSetting("Knihy", "cisloKniha1"), counterBefore);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 17);
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(cell(0, JournalModel::Designation), QStringLiteral("A/15/2026"));
    QCOMPARE(cell(0, JournalModel::State), QStringLiteral("vytištěno znovu"));
    QCOMPARE(f->journal().entries().first().position, 7);
    QCOMPARE(readSetting("App", "last printed"), QStringLiteral("7"));

    // Export: the file dialog is answered with a path in a folder of the test's own.
    const QString csv = out.filePath("denik.csv");
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&answer, csv] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        answer.stop();
        // As the clerk would: the folder chosen, then the name typed.
        dialog->setDirectory(QFileInfo(csv).absolutePath());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(QFileInfo(csv).fileName());
        static_cast<QDialog*>(dialog)->accept();
    });
    answer.start();
    child<QPushButton>(journal, "Button2")->click();
    const QByteArray bytes = readBytes(csv);
    QVERIFY2(
        bytes.startsWith(QByteArray("\xEF\xBB\xBF") + QStringLiteral("Datum a čas;Druh;Označení").toUtf8()),
        bytes.left(60).toHex().constData());
    QCOMPARE(bytes.count("\r\n"), 5);

    child<QPushButton>(journal, "Button3")->click();
    QVERIFY(!journal->isVisible());
}

QTEST_MAIN(TestJournal)
#include "tst_journal.moc"
