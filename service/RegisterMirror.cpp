#include "RegisterMirror.h"

#include "BoundedGet.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QNetworkRequest>
#include <QThread>
#include <QTimeZone>
#include <QUrlQuery>

#include <limits>

struct RegisterMirror::Built {
    std::shared_ptr<const RegisterCopy> copy;
    QString error;
    QStringList warnings;
};

RegisterMirror::RegisterMirror(const Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_network(this) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RegisterMirror::refresh);
}

RegisterMirror::~RegisterMirror() {
    delete m_get; // before the file it writes into
    if (m_thread) {
        m_thread->disconnect(this);
        m_thread->wait();
        delete m_thread;
    }
}

QString RegisterMirror::indexPath() const {
    return QDir(m_settings.directory).filePath(QString::fromLatin1(kIndexName));
}

QDateTime RegisterMirror::now() const {
    return m_settings.clock ? m_settings.clock() : QDateTime::currentDateTimeUtc();
}

qint64 RegisterMirror::ageMs(const RegisterCopy& copy) const {
    return copy.fetchedAt().msecsTo(now());
}

// A copy from the future (a clock set back) answers for nothing on its own.
bool RegisterMirror::fresh(const RegisterCopy& copy) const {
    const qint64 age = ageMs(copy);
    return age >= 0 && age < qint64(m_settings.maxAgeHours) * 3600 * 1000;
}

bool RegisterMirror::usableAsFallback(const RegisterCopy& copy) const {
    const qint64 age = ageMs(copy);
    return age >= 0 && age <= qint64(m_settings.fallbackDays) * 24 * 3600 * 1000;
}

void RegisterMirror::start() {
    if (!QDir().mkpath(m_settings.directory))
        qWarning("Kopie registru: složku %s nelze vytvořit", qPrintable(m_settings.directory));
    if (QFile::exists(indexPath())) {
        QString error;
        m_copy = RegisterCopy::open(indexPath(), &error);
        if (m_copy) {
            qInfo("Kopie registru ze dne %s načtena: %lld dokladů, %lld B", qPrintable(m_copy->day()),
                  m_copy->documents(), m_copy->fileSize());
        } else {
            qWarning("Kopie registru: %s", qPrintable(error));
        }
    }
    planNext();
}

void RegisterMirror::planNext() {
    qint64 delay = 0;
    if (!m_lastResult.isEmpty())
        delay = m_settings.retryIntervalMs; // the last download failed
    else if (m_copy)
        delay = qMax<qint64>(0, now().msecsTo(m_copy->fetchedAt().addMSecs(m_settings.refreshIntervalMs)));
    m_nextRefresh = now().addMSecs(delay);
    m_timer.start(int(qMin<qint64>(delay, std::numeric_limits<int>::max())));
}

void RegisterMirror::refresh() {
    if (m_step != Step::Idle)
        return;
    m_timer.stop();
    m_step = Step::Downloading;
    m_started = now();
    m_lastAttempt = m_started;
    download(0);
}

void RegisterMirror::download(int list) {
    auto file = std::make_unique<QTemporaryFile>(
        QDir(m_settings.directory)
            .filePath(QStringLiteral("stahovani-%1-XXXXXX.zip")
                          .arg(listFileName(ListKind(list)).section(u'.', 0, 0))));
    if (!file->open()) {
        fail(QStringLiteral("nelze zapisovat do složky %1: %2")
                 .arg(m_settings.directory, file->errorString()));
        return;
    }
    QUrl url = m_settings.sourceUrl;
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("typ_dokladu"));
    query.addQueryItem(QStringLiteral("typ_dokladu"), QString::number(list));
    url.setQuery(query);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Lorvena-sluzba/%1").arg(QCoreApplication::applicationVersion()));
    request.setTransferTimeout(60000);
    m_get = new BoundedGet(&m_network, request, m_settings.downloadTimeoutMs, m_settings.maxArchiveBytes,
                           file.get(), this);
    m_files[list] = std::move(file);
    connect(m_get, &BoundedGet::done, this, [this, list] { downloaded(list); });
}

void RegisterMirror::downloaded(int list) {
    BoundedGet* get = m_get;
    get->deleteLater();
    m_get = nullptr;
    QTemporaryFile& file = *m_files[list];
    const bool written = file.flush() && file.error() == QFileDevice::NoError;
    if (get->failure() != BoundedGet::Failure::None || !written) {
        const QString what = QStringLiteral("zdroj seznamu %1").arg(listFileName(ListKind(list)));
        fail(written ? get->failureText(what)
                     : QStringLiteral("staženou kopii nelze zapsat: %1").arg(file.errorString()));
        return;
    }
    file.close();
    if (list + 1 < kListKinds)
        download(list + 1);
    else
        build();
}

void RegisterMirror::build() {
    m_step = Step::Building;
    std::array<QString, kListKinds> paths;
    for (int i = 0; i < kListKinds; ++i)
        paths[i] = m_files[i]->fileName();
    std::array<qint64, kListKinds> previous{};
    for (int i = 0; i < kListKinds; ++i)
        previous[i] = m_copy ? m_copy->documents(ListKind(i)) : 0;
    auto built = std::make_shared<Built>();
    const QString target = indexPath();
    const QDateTime fetchedAt = m_started;
    m_thread = QThread::create([paths, previous, built, target, fetchedAt] {
        RegisterCopy::Lists lists;
        for (int i = 0; i < kListKinds; ++i) {
            ListArchive archive = readListArchive(paths[i], ListKind(i));
            if (!archive.error.isEmpty()) {
                built->error = archive.error;
                return;
            }
            if (archive.refusedLines > 0) {
                built->warnings << QStringLiteral("%1: vynecháno %2 chybných řádků z %3")
                                       .arg(listFileName(ListKind(i)))
                                       .arg(archive.refusedLines)
                                       .arg(archive.lines);
                built->warnings += archive.refusedSamples;
            }
            // A list cut short at its source is still a well-formed archive.
            if (qint64(archive.entries.size()) * 2 < previous[i]) {
                built->error = QStringLiteral("%1 má %2 dokladů, dosavadní kopie %3: méně než polovina")
                                   .arg(listFileName(ListKind(i)))
                                   .arg(archive.entries.size())
                                   .arg(previous[i]);
                return;
            }
            lists[i] = std::move(archive.entries);
        }
        QString error;
        if (!RegisterCopy::write(target, fetchedAt, lists, &error)) {
            built->error = error;
            return;
        }
        lists = {};
        built->copy = RegisterCopy::open(target, &error);
        if (!built->copy)
            built->error = error;
    });
    connect(m_thread, &QThread::finished, this, [this, built] { finished(built); });
    m_thread->start(QThread::LowPriority);
}

void RegisterMirror::finished(std::shared_ptr<Built> built) {
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    for (auto& file : m_files)
        file.reset();
    m_lastWarnings = built->warnings;
    for (const QString& warning : built->warnings)
        qWarning("Kopie registru: %s", qPrintable(warning));
    if (!built->copy) {
        fail(built->error);
        return;
    }
    m_copy = built->copy;
    m_step = Step::Idle;
    m_lastResult.clear();
    const QString message = QStringLiteral("kopie registru ze dne %1 obnovena: %2 dokladů, %3 B")
                                .arg(m_copy->day())
                                .arg(m_copy->documents())
                                .arg(m_copy->fileSize());
    qInfo("%s", qPrintable(message));
    planNext();
    emit refreshed(true, message);
}

void RegisterMirror::fail(const QString& reason) {
    if (m_get) {
        m_get->disconnect(this);
        m_get->deleteLater();
        m_get = nullptr;
    }
    for (auto& file : m_files)
        file.reset();
    m_step = Step::Idle;
    m_lastResult = reason;
    const QString meanwhile = m_copy ? QStringLiteral("odpovídá dosavadní ze dne ") + m_copy->day()
                                     : QStringLiteral("kopie zatím není, odpovídá jen registr");
    qWarning("Kopie registru nebyla obnovena, %s: %s", qPrintable(meanwhile), qPrintable(reason));
    planNext();
    emit refreshed(false, reason);
}

QStringList RegisterMirror::status() const {
    QStringList lines;
    const QString format = QStringLiteral("d.M.yyyy HH:mm");
    if (m_copy) {
        const qint64 minutes = ageMs(*m_copy) / 60000;
        lines << QStringLiteral(
                     "kopie registru: ze dne %1 (stáří %2 h %3 min), %4 dokladů (%5 %6, %7 %8, %9 %10)")
                     .arg(m_copy->fetchedAt().toLocalTime().toString(format))
                     .arg(minutes / 60)
                     .arg(minutes % 60)
                     .arg(m_copy->documents())
                     .arg(listFileName(ListKind::IdentityCards))
                     .arg(m_copy->documents(ListKind::IdentityCards))
                     .arg(listFileName(ListKind::IdentityCardsWithSeries))
                     .arg(m_copy->documents(ListKind::IdentityCardsWithSeries))
                     .arg(listFileName(ListKind::Passports))
                     .arg(m_copy->documents(ListKind::Passports));
        lines << QStringLiteral("velikost kopie: %1 B").arg(m_copy->fileSize());
        lines << QStringLiteral("kopie odpovídá sama: %1 (do stáří %2 h; při výpadku registru do %3 dnů)")
                     .arg(fresh(*m_copy) ? QStringLiteral("ano") : QStringLiteral("ne"))
                     .arg(m_settings.maxAgeHours)
                     .arg(m_settings.fallbackDays);
    } else {
        lines << QStringLiteral("kopie registru: žádná");
    }
    if (m_lastAttempt.isValid()) {
        lines << QStringLiteral("poslední stahování: %1, %2")
                     .arg(m_lastAttempt.toLocalTime().toString(format),
                          m_step != Step::Idle     ? QStringLiteral("probíhá")
                          : m_lastResult.isEmpty() ? QStringLiteral("v pořádku")
                                                   : QStringLiteral("odmítnuto: ") + m_lastResult);
    }
    for (const QString& warning : m_lastWarnings)
        lines << QStringLiteral("upozornění: ") + warning;
    if (m_step == Step::Idle && m_nextRefresh.isValid())
        lines << QStringLiteral("příští stahování: %1").arg(m_nextRefresh.toLocalTime().toString(format));
    return lines;
}
