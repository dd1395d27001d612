#pragma once

#include "RegisterCopy.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

#include <array>
#include <functional>
#include <memory>

class BoundedGet;
class QThread;

// Keeps a local copy of the register's open data in a folder: loads it at
// start, downloads the three lists when there is none and again every day,
// builds the new index on a thread of its own beside the old one and swaps it
// in only when every list was read whole. Until then, and whenever a download
// fails or is refused, the old copy goes on answering.
class RegisterMirror : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString directory;
        QUrl sourceUrl; // fetched as ?typ_dokladu=0, 1 and 2
        int maxAgeHours = 36;
        int fallbackDays = 7;
        qint64 refreshIntervalMs = 24 * 3600 * 1000;
        qint64 retryIntervalMs = 3600 * 1000;
        int downloadTimeoutMs = 30 * 60 * 1000; // one list, redirects included
        qint64 maxArchiveBytes = qint64(1) << 30;
        std::function<QDateTime()> clock; // the current time; the system's when empty
    };
    static constexpr const char* kIndexName = "kopie-registru.idx";

    explicit RegisterMirror(const Settings& settings, QObject* parent = nullptr);
    ~RegisterMirror() override;

    // Loads the copy the folder holds and plans the next download: at once
    // when there is no copy or it is due.
    void start();
    // Downloads the lists now, unless a download is already under way.
    void refresh();
    bool refreshing() const { return m_step != Step::Idle; }

    std::shared_ptr<const RegisterCopy> copy() const { return m_copy; }
    QDateTime now() const;
    void setClock(std::function<QDateTime()> clock) { m_settings.clock = std::move(clock); }
    // Young enough to answer without asking the register.
    bool fresh(const RegisterCopy& copy) const;
    // Young enough to answer when the register fails.
    bool usableAsFallback(const RegisterCopy& copy) const;
    // What the copy is and how its downloads went, for the status page.
    QStringList status() const;

signals:
    // After every download, good or refused.
    void refreshed(bool ok, const QString& message);

private:
    enum class Step { Idle, Downloading, Building };
    struct Built;

    QString indexPath() const;
    void download(int list);
    void downloaded(int list);
    void build();
    void finished(std::shared_ptr<Built> built);
    void fail(const QString& reason);
    void planNext();
    qint64 ageMs(const RegisterCopy& copy) const;

    Settings m_settings;
    QNetworkAccessManager m_network;
    std::shared_ptr<const RegisterCopy> m_copy;
    QTimer m_timer;
    Step m_step = Step::Idle;
    QDateTime m_started;
    std::array<std::unique_ptr<QTemporaryFile>, kListKinds> m_files;
    QPointer<BoundedGet> m_get;
    QThread* m_thread = nullptr;
    QDateTime m_lastAttempt;
    QString m_lastResult;
    QStringList m_lastWarnings;
    QDateTime m_nextRefresh;
};
