#include "settings/DurableFile.h"

#include "settings/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace DurableFile {

namespace {

qint64 plainWrite(QFile& file, const char* data, qint64 size) {
    return file.write(data, size);
}

bool plainSync(QFile& file) {
#ifdef Q_OS_WIN
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
#else
    int rc;
    do
        rc = ::fdatasync(file.handle());
    while (rc != 0 && errno == EINTR);
    return rc == 0;
#endif
}

constexpr DiskCalls kDefaultCalls{plainWrite, plainSync};
const DiskCalls* g_calls = &kDefaultCalls;

bool renameOver(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

// Makes the rename itself durable. File systems that cannot sync a directory
// say so with EINVAL; there the rename is as durable as they make it.
bool syncDirectory(const QString& dir) {
#ifdef Q_OS_WIN
    Q_UNUSED(dir);
    return true; // MOVEFILE_WRITE_THROUGH has already waited for the disk
#else
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int rc;
    do
        rc = ::fsync(fd);
    while (rc != 0 && errno == EINTR);
    const bool ok = rc == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
#endif
}

// Creates a new, empty file beside the target under a name nobody uses.
bool openTemporary(const QString& target, QFile& file) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(target + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                                QLatin1Char('0')));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (file.exists())
            continue;
        return false;
    }
    return false;
}

bool writeAll(QFile& file, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const qint64 n = g_calls->write(file, data, left);
        if (n <= 0)
            return false; // a full disk shows as a short write, then as an error
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

QString unableToWrite(const QString& path) {
    return QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
}

const DiskCalls& diskCalls() {
    return *g_calls;
}

const DiskCalls* setDiskCallsForTesting(const DiskCalls* calls) {
    const DiskCalls* before = g_calls == &kDefaultCalls ? nullptr : g_calls;
    g_calls = calls ? calls : &kDefaultCalls;
    return before;
}

void replace(const QString& path, const QByteArray& bytes) {
    // A link is followed, so that the file it points at is the one replaced.
    const QFileInfo link(path);
    const QString target = link.isSymLink() ? link.symLinkTarget() : path;
    const QFileInfo info(target);
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        throw AppError(unableToWrite(path));

    QFile file;
    if (!openTemporary(target, file))
        throw AppError(unableToWrite(path));
    const QString temporary = file.fileName();
    bool ok = writeAll(file, bytes) && g_calls->sync(file) && file.size() == bytes.size();
    // The new file keeps the old one's permissions, as an edit in place would.
    if (ok && info.exists())
        ok = file.setPermissions(info.permissions());
    file.close();
    ok = ok && file.error() == QFileDevice::NoError && QFileInfo(temporary).size() == bytes.size();
    if (!ok || !renameOver(temporary, target)) {
        QFile::remove(temporary);
        throw AppError(unableToWrite(path));
    }
    if (!syncDirectory(info.absolutePath()))
        throw AppError(unableToWrite(path));
}

} // namespace DurableFile
