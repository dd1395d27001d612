#pragma once

#include <QString>

// The settings file, with the semantics of the Windows profile functions the
// file was designed for: section and key names match without regard to case,
// values are read trimmed and at most 2047 characters long, the default is
// returned only for an absent key, and every write is on disk before it
// returns. Nothing is cached, so every handle (and a hand edit) agrees.
//
// Beyond the Windows functions, a write replaces the whole file atomically
// under a lock file, so neither a crash nor a second running copy can leave a
// torn file or lose an update. Errors throw AppError.
class SettingsStore {
public:
    // Opening neither reads nor creates the file; the first write creates it.
    explicit SettingsStore(QString path);

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    void WriteString(const QString& section, const QString& key, const QString& value);

    // ReadString followed by strict whole-number parsing.
    int ReadInt(const QString& section, const QString& key, const QString& defaultValue) const;

    const QString& path() const { return m_path; }

    static constexpr int kMaxValueLength = 2047;
    // A settings file is a few kilobytes; anything this large is not one.
    static constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

private:
    QString m_path;
};
