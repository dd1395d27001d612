#include "journal/Journal.h"

#include "clauses/Numbering.h"
#include "settings/AppError.h"
#include "settings/DurableFile.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

constexpr auto kTimeFormat = "yyyy-MM-ddTHH:mm:ss";

const char* stateCode(JournalEntry::State state) {
    switch (state) {
    case JournalEntry::State::Printing:
        return "tiskne";
    case JournalEntry::State::Printed:
        return "vytisteno";
    case JournalEntry::State::NotPrinted:
        return "nevytisteno";
    case JournalEntry::State::Interrupted:
        return "preruseno";
    case JournalEntry::State::Reprinted:
        return "dotisk";
    }
    return "tiskne";
}

JournalEntry::State stateOfCode(const QString& code) {
    for (auto s :
         {JournalEntry::State::Printing, JournalEntry::State::Printed, JournalEntry::State::NotPrinted,
          JournalEntry::State::Interrupted, JournalEntry::State::Reprinted})
        if (code == QLatin1String(stateCode(s)))
            return s;
    return JournalEntry::State::Interrupted;
}

const char* kindCode(ClauseKind kind) {
    switch (kind) {
    case ClauseKind::CopyVerification:
        return "vidimace";
    case ClauseKind::Legalization:
        return "legalizace";
    case ClauseKind::Intention:
        return "zamer";
    case ClauseKind::Approval:
        return "schvaleni";
    }
    return "vidimace";
}

ClauseKind kindOfCode(const QString& code) {
    for (ClauseKind k : kClauseKinds)
        if (code == QLatin1String(kindCode(k)))
            return k;
    return ClauseKind::CopyVerification;
}

// SQLite stores a null QString as NULL; the columns hold text, empty or not.
QString notNull(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

// The states of a number that was given out by its counter.
const QString kIssuedStates = QStringLiteral("('tiskne','vytisteno','preruseno')");

// What a filter looks through, in lower case: the designation, the
// applicant, the document number, the officer and the time as shown.
QString searchText(const JournalEntry& e) {
    return QStringList{e.designation, e.applicant,         e.documentNumber,
                       e.officer,     journalTime(e.time), e.time.toString(QStringLiteral("d.M.yyyy H:mm"))}
        .join(u'\n')
        .toLower();
}

// The columns of a whole row, and of a row as the journal window lists it
// (without the particulars, which only a reprint reads).
const char* kColumns =
    "id, cas, druh, oznaceni, kniha, cislo, rok, pozice, overujici, zadatel, doklad, udaje, "
    "citac, citac_pred, citac_po, stav, puvodni, popis";
const char* kListedColumns =
    "id, cas, druh, oznaceni, kniha, cislo, rok, pozice, overujici, zadatel, doklad, '', "
    "citac, citac_pred, citac_po, stav, puvodni, popis";

// "yyyy-MM-ddTHH:mm:ss", read without the cost of a general date parser
// (a long journal is listed at once).
QDateTime timeOf(const QString& text) {
    if (text.size() != 19)
        return QDateTime::fromString(text, QLatin1String(kTimeFormat));
    auto n = [&text](int from, int length) { return QStringView(text).mid(from, length).toInt(); };
    return QDateTime(QDate(n(0, 4), n(5, 2), n(8, 2)), QTime(n(11, 2), n(14, 2), n(17, 2)));
}

JournalEntry entryOf(const QSqlQuery& q) {
    JournalEntry e;
    e.id = q.value(0).toLongLong();
    e.time = timeOf(q.value(1).toString());
    e.kind = kindOfCode(q.value(2).toString());
    e.designation = q.value(3).toString();
    e.book = q.value(4).toString();
    e.number = q.value(5).toInt();
    e.year = q.value(6).toInt();
    e.position = q.value(7).toInt();
    e.officer = q.value(8).toString();
    e.applicant = q.value(9).toString();
    e.documentNumber = q.value(10).toString();
    const QString particulars = q.value(11).toString();
    if (!particulars.isEmpty())
        e.particulars = QJsonDocument::fromJson(particulars.toUtf8()).object();
    e.counter = q.value(12).toString();
    e.counterBefore = q.value(13).toInt();
    e.counterAfter = q.value(14).toInt();
    e.state = stateOfCode(q.value(15).toString());
    e.reprintOf = q.value(16).toLongLong();
    e.subject = q.value(17).toString();
    return e;
}

// The counter named "section/key" as the settings hold it now.
std::optional<int> counterValue(const SettingsStore& settings, const QString& counter) {
    const qsizetype slash = counter.indexOf(u'/');
    if (slash < 0)
        return std::nullopt;
    const Setting key(counter.left(slash), counter.mid(slash + 1), QStringLiteral("1"), ValueKind::Integer);
    try {
        return key.integer(settings);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

QString journalKindWord(ClauseKind kind) {
    switch (kind) {
    case ClauseKind::CopyVerification:
        return QStringLiteral("vidimace");
    case ClauseKind::Legalization:
        return QStringLiteral("legalizace");
    case ClauseKind::Intention:
        return QStringLiteral("záměr");
    case ClauseKind::Approval:
        return QStringLiteral("schválení");
    }
    return {};
}

QString journalStateWord(JournalEntry::State state) {
    switch (state) {
    case JournalEntry::State::Printing:
        return QStringLiteral("tiskne se");
    case JournalEntry::State::Printed:
        return QStringLiteral("vytištěno");
    case JournalEntry::State::NotPrinted:
        return QStringLiteral("nevytištěno, číslo vráceno");
    case JournalEntry::State::Interrupted:
        return QStringLiteral("tisk přerušen");
    case JournalEntry::State::Reprinted:
        return QStringLiteral("vytištěno znovu");
    }
    return {};
}

QString journalTime(const QDateTime& time) {
    return time.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QString journalSubject(const JournalEntry& e) {
    if (e.kind == ClauseKind::Legalization) {
        if (e.documentNumber.isEmpty())
            return e.applicant;
        return e.applicant + QStringLiteral(", doklad ") + e.documentNumber;
    }
    const int pages = e.particulars.value(QStringLiteral("outputPages")).toInt();
    const bool transcript = e.particulars.value(QStringLiteral("form")).toInt() == 0;
    return (transcript ? QStringLiteral("opis") : QStringLiteral("kopie")) +
           QStringLiteral(", počet listů ") + QString::number(pages);
}

QString journalCounterName(const Setting& counter) {
    // Key names ignore case; the journal compares them as one spelling.
    return counter.section().toLower() + u'/' + counter.key().toLower();
}

Journal::Journal(const QString& path, int keepYears, SettingsStore& settings) : m_path(path) {
    static QAtomicInteger<int> serial;
    m_connection = QStringLiteral("journal-%1").arg(serial.fetchAndAddRelaxed(1));
    open();
    settle(settings);
    if (keepYears > 0)
        removeOlderThan(keepYears);
}

Journal::~Journal() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

namespace {

[[noreturn]] void fail(const QString& path, const QSqlError& error) {
    // SQLite's own words say what failed; the driver's add nothing.
    const QString reason = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    throw AppError(DurableFile::unableToWrite(path) + QStringLiteral(" (") + reason + u')');
}

void exec(QSqlQuery& q, const QString& path) {
    if (!q.exec())
        fail(path, q.lastError());
}

void exec(QSqlDatabase& db, const QString& sql, const QString& path) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        fail(path, q.lastError());
}

// Runs the statements of `work` as one transaction: all of them or none.
template <typename F> void inTransaction(const QString& connection, const QString& path, F&& work) {
    QSqlDatabase db = QSqlDatabase::database(connection);
    if (!db.transaction())
        fail(path, db.lastError());
    try {
        work(db);
        if (!db.commit())
            fail(path, db.lastError());
    } catch (...) {
        db.rollback();
        throw;
    }
}

// One statement run once for every id, in one transaction.
void forEachId(const QString& connection, const QString& path, const QString& sql, const QList<qint64>& ids,
               const QVariant& first = {}) {
    if (ids.isEmpty())
        return;
    inTransaction(connection, path, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        q.prepare(sql);
        for (qint64 id : ids) {
            if (first.isValid())
                q.addBindValue(first);
            q.addBindValue(id);
            exec(q, path);
        }
    });
}

} // namespace

void Journal::open() {
    // The journal holds applicants' names and document numbers: it is made
    // readable by its owner only before anything is put in it, and SQLite
    // gives its companion files the same permissions.
    constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (!QFileInfo::exists(m_path)) {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly) && !QFileInfo::exists(m_path))
            throw AppError(DurableFile::unableToWrite(m_path));
    } else if (QFile::permissions(m_path) & ~(ownerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser)) {
        QFile::setPermissions(m_path, ownerOnly);
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open())
        fail(m_path, db.lastError());
    // Every commit is on the disk before the counters that rely on it are written.
    exec(db, QStringLiteral("PRAGMA journal_mode=WAL"), m_path);
    exec(db, QStringLiteral("PRAGMA synchronous=FULL"), m_path);
    exec(db,
         QStringLiteral(
             "CREATE TABLE IF NOT EXISTS vydana ("
             "id INTEGER PRIMARY KEY, cas TEXT NOT NULL, druh TEXT NOT NULL, oznaceni TEXT NOT NULL, "
             "kniha TEXT NOT NULL, cislo INTEGER NOT NULL, rok INTEGER NOT NULL, "
             "pozice INTEGER NOT NULL, overujici TEXT NOT NULL, zadatel TEXT NOT NULL, "
             "doklad TEXT NOT NULL, udaje TEXT NOT NULL, citac TEXT NOT NULL, "
             "citac_pred INTEGER NOT NULL, citac_po INTEGER NOT NULL, stav TEXT NOT NULL, "
             "puvodni INTEGER NOT NULL DEFAULT 0, popis TEXT NOT NULL DEFAULT '', "
             "hledani TEXT NOT NULL DEFAULT '')"),
         m_path);
    exec(db, QStringLiteral("CREATE INDEX IF NOT EXISTS vydana_cislo ON vydana (citac, rok, cislo)"), m_path);
    exec(db, QStringLiteral("CREATE INDEX IF NOT EXISTS vydana_cas ON vydana (cas)"), m_path);
    exec(db, QStringLiteral("CREATE INDEX IF NOT EXISTS vydana_stav ON vydana (stav)"), m_path);
}

void Journal::settle(SettingsStore& settings) {
    // Rows of a batch still printing: only a program that ended mid-print (or
    // a copy printing right now) leaves them. The counter tells whether the
    // batch reached the settings file: still at its value from before, the
    // numbers were never given out and their rows go; otherwise they were
    // issued and the print is not known to have ended. A batch writes its rows
    // and its counters under the lock of the settings file, so holding that
    // lock here, every batch seen has either stored its counters or not begun.
    if (select(QStringLiteral("stav = 'tiskne' LIMIT 1"), {}).isEmpty())
        return;
    SettingsStore::Batch locked(settings);
    const QList<JournalEntry> printing = select(QStringLiteral("stav = 'tiskne'"), {});
    QList<qint64> gone;
    QList<qint64> interrupted;
    for (const JournalEntry& e : printing) {
        const std::optional<int> now = counterValue(settings, e.counter);
        if (now && *now == e.counterBefore && e.counterBefore != e.counterAfter)
            gone << e.id;
        else if (e.time.secsTo(QDateTime::currentDateTime()) > 60)
            interrupted << e.id; // a running copy's batch is younger than a minute
    }
    removePrinting(gone);
    setState(interrupted, JournalEntry::State::Interrupted);
}

void Journal::removePrinting(const QList<qint64>& ids) {
    forEachId(m_connection, m_path, QStringLiteral("DELETE FROM vydana WHERE id = ? AND stav = 'tiskne'"),
              ids);
}

void Journal::removeOlderThan(int years) {
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM vydana WHERE cas < ?"));
    q.addBindValue(QDateTime::currentDateTime().addYears(-years).toString(QLatin1String(kTimeFormat)));
    exec(q, m_path);
}

void Journal::add(QList<JournalEntry>& entries) {
    inTransaction(m_connection, m_path, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral(
            "INSERT INTO vydana (cas, druh, oznaceni, kniha, cislo, rok, pozice, overujici, "
            "zadatel, doklad, udaje, citac, citac_pred, citac_po, stav, puvodni, popis, hledani) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (JournalEntry& e : entries) {
            q.addBindValue(e.time.toString(QLatin1String(kTimeFormat)));
            q.addBindValue(QString::fromLatin1(kindCode(e.kind)));
            q.addBindValue(notNull(e.designation));
            q.addBindValue(notNull(e.book));
            q.addBindValue(e.number);
            q.addBindValue(e.year);
            q.addBindValue(e.position);
            q.addBindValue(notNull(e.officer));
            q.addBindValue(notNull(e.applicant));
            q.addBindValue(notNull(e.documentNumber));
            q.addBindValue(QString::fromUtf8(QJsonDocument(e.particulars).toJson(QJsonDocument::Compact)));
            q.addBindValue(notNull(e.counter));
            q.addBindValue(e.counterBefore);
            q.addBindValue(e.counterAfter);
            q.addBindValue(QString::fromLatin1(stateCode(e.state)));
            q.addBindValue(e.reprintOf);
            if (e.subject.isEmpty())
                e.subject = journalSubject(e);
            q.addBindValue(e.subject);
            q.addBindValue(searchText(e));
            exec(q, m_path);
            e.id = q.lastInsertId().toLongLong();
        }
    });
}

void Journal::setState(const QList<qint64>& ids, JournalEntry::State state) {
    forEachId(m_connection, m_path, QStringLiteral("UPDATE vydana SET stav = ? WHERE id = ?"), ids,
              QString::fromLatin1(stateCode(state)));
}

QList<JournalEntry> Journal::select(const QString& where, const QVariantList& values, bool whole) const {
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM vydana WHERE %2")
                  .arg(QLatin1String(whole ? kColumns : kListedColumns), where));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        fail(m_path, q.lastError());
    QList<JournalEntry> result;
    while (q.next())
        result << entryOf(q);
    return result;
}

Journal::Earlier Journal::earlierIssue(const QString& counter, int number, int year) const {
    Earlier earlier;
    const QList<JournalEntry> same =
        select(QStringLiteral("citac = ? AND rok = ? AND cislo = ? AND stav IN %1 ORDER BY id DESC LIMIT 1")
                   .arg(kIssuedStates),
               {counter, year, number});
    if (!same.isEmpty()) {
        earlier.knowledge = Knowledge::Issued;
        earlier.entry = same.first();
        return earlier;
    }
    // The journal vouches for a number it has no row of only where it covers
    // the time: numbers of the year above the first it recorded, or a year
    // after every one it knows (a new year begins its numbers again).
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.prepare(QStringLiteral("SELECT MIN(CASE WHEN rok = ? THEN cislo END), MAX(rok), COUNT(*) FROM vydana "
                             "WHERE citac = ? AND stav IN %1")
                  .arg(kIssuedStates));
    q.addBindValue(year);
    q.addBindValue(counter);
    if (!q.exec() || !q.next())
        fail(m_path, q.lastError());
    if (q.value(2).toInt() == 0)
        return earlier; // nothing known of this sequence
    if (!q.value(0).isNull())
        earlier.knowledge = number > q.value(0).toInt() ? Knowledge::NotIssued : Knowledge::Unknown;
    else
        earlier.knowledge = year > q.value(1).toInt() ? Knowledge::NotIssued : Knowledge::Unknown;
    return earlier;
}

QList<JournalEntry> Journal::entries(const QString& filter, int offset, int limit) const {
    QString pattern = filter.trimmed().toLower();
    pattern.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return select(QStringLiteral("hledani LIKE ? ESCAPE '\\' ORDER BY id DESC LIMIT ? OFFSET ?"),
                  {u'%' + pattern + u'%', limit, offset}, false);
}

QString reissueQuestion(const QList<IssuedNumber>& numbers, const Journal* journal) {
    if (numbers.isEmpty())
        return {};
    const IssuedNumber& first = numbers.first();
    QString when;
    if (journal) {
        const Journal::Earlier earlier =
            journal->earlierIssue(journalCounterName(first.counter), first.number, first.year);
        if (earlier.entry)
            when = QStringLiteral("%1 v %2 (%3)")
                       .arg(earlier.entry->time.toString(QStringLiteral("d.M.yyyy")),
                            earlier.entry->time.toString(QStringLiteral("H:mm")),
                            journalKindWord(earlier.entry->kind));
    }
    if (numbers.size() == 1)
        return (when.isEmpty()
                    ? QStringLiteral("Číslo %1 již bylo vydáno.").arg(first.designation)
                    : QStringLiteral("Číslo %1 již bylo vydáno %2.").arg(first.designation, when)) +
               QStringLiteral(" Vytisknout je znovu?");
    QStringList names;
    for (qsizetype i = 0; i < numbers.size() && i < 3; ++i)
        names << numbers[i].designation;
    QString list;
    if (numbers.size() <= 3)
        list = QStringList(names.mid(0, names.size() - 1)).join(QStringLiteral(", ")) +
               QStringLiteral(" a ") + names.last();
    else
        list = names.join(QStringLiteral(", ")) + QStringLiteral(" a další, celkem %1").arg(numbers.size());
    QString text = QStringLiteral("Čísla %1 již byla vydána").arg(list);
    if (!when.isEmpty())
        text += QStringLiteral(", číslo %1 %2").arg(first.designation, when);
    return text + QStringLiteral(". Vytisknout je znovu?");
}

std::optional<JournalEntry> Journal::entry(qint64 id) const {
    const QList<JournalEntry> found = select(QStringLiteral("id = ?"), {id});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

namespace {

QString csvField(const QString& text) {
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QByteArray journalCsv(const QList<JournalEntry>& entries) {
    QString text = QStringLiteral("Datum a čas;Druh;Označení;Kniha;Pořadové číslo;Rok;Pozice;Ověřující;"
                                  "Žadatel nebo listina;Stav\r\n");
    for (const JournalEntry& e : entries) {
        const QStringList fields{journalTime(e.time),
                                 journalKindWord(e.kind),
                                 e.designation,
                                 e.book,
                                 QString::number(e.number),
                                 QString::number(e.year),
                                 QString::number(e.position),
                                 e.officer,
                                 e.subject.isEmpty() ? journalSubject(e) : e.subject,
                                 journalStateWord(e.state)};
        QStringList cells;
        for (const QString& f : fields)
            cells << csvField(f);
        text += cells.join(u';') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
