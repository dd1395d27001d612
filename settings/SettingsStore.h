#pragma once

#include <QString>
#include <memory>

// The settings file, with the semantics of the Windows profile functions the
// file was designed for: section and key names match without regard to case,
// values are read trimmed and at most 2047 characters long, the default is
// returned only for an absent key, and every write is on disk before it
// returns. Every read reads the file; only when its bytes are those of the
// last read is their parse reused, so every handle (and a hand edit) agrees.
//
// Beyond the Windows functions, a write replaces the whole file atomically
// under a lock file, so neither a crash nor a second running copy can leave a
// torn file or lose an update. Errors throw AppError.
class SettingsStore {
public:
    // Opening neither reads nor creates the file; the first write creates it.
    explicit SettingsStore(QString path);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Groups many writes into one: while a batch lives the file is locked,
    // reads and writes of this handle work on the text in memory, and
    // commit() replaces the file once (as if each write had been made in
    // turn, with nobody else writing between them). A batch left by an
    // exception writes nothing; one left normally commits.
    class Batch {
    public:
        explicit Batch(SettingsStore& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void commit();

    private:
        SettingsStore& m_store;
        bool m_owner = false;
    };

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    void WriteString(const QString& section, const QString& key, const QString& value);

    // ReadString followed by strict whole-number parsing.
    int ReadInt(const QString& section, const QString& key, const QString& defaultValue) const;

    const QString& path() const { return m_path; }

    static constexpr int kMaxValueLength = 2047;
    // A settings file is a few kilobytes; anything this large is not one.
    static constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

private:
    struct Pending;
    struct Parsed;
    const Parsed& parsed() const;

    QString m_path;
    std::unique_ptr<Pending> m_pending;
    mutable std::unique_ptr<const Parsed> m_parsed; // of the last text read
};
