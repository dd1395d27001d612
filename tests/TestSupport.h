#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "settings/AnsiText.h"
#include "settings/DataDir.h"

// A fresh APPDATA for one test function: create it in init(), drop it in
// cleanup(). The data directory inside is created on demand.
class AppDataSandbox {
public:
    AppDataSandbox() {
        QVERIFY2(m_dir.isValid(), "cannot create a temporary directory");
        qputenv("APPDATA", QFile::encodeName(m_dir.path()));
    }
    QString root() const { return m_dir.path(); }
    QString dataDir() const { return DataDir::directory(); }
    void makeDataDir() const { QDir().mkpath(dataDir()); }

private:
    QTemporaryDir m_dir;
};

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

// Writes an INI text the way the Windows program did: Windows-1250, CR LF.
inline bool writeWindowsIni(const QString& path, const QStringList& lines) {
    return writeBytes(path, AnsiText::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

inline QString testDataPath(const QString& name) {
    return qEnvironmentVariable("LORVENA_TEST_DATA") + u'/' + name;
}
