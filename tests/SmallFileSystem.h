#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

// A real, small file system (a tmpfs mounted on a fresh directory) that a test
// fills until only a little room is left, to see what a full disk does to the
// files the program writes. Mounting needs root; elsewhere reason() says why
// there is none. The file system is unmounted when the object goes.
class SmallFileSystem {
public:
    explicit SmallFileSystem(qint64 size = 64 * 1024) {
        if (!m_dir.isValid()) {
            m_reason = QStringLiteral("cannot create a temporary directory");
            return;
        }
        if (::geteuid() != 0) {
            m_reason = QStringLiteral("mounting a small file system needs root");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(size) + ",mode=0700";
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    options.constData()) != 0) {
            m_reason =
                QStringLiteral("cannot mount a tmpfs: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
    }
    ~SmallFileSystem() {
        if (m_mounted && ::umount(QFile::encodeName(m_dir.path()).constData()) != 0)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool isMounted() const { return m_mounted; }
    const QString& reason() const { return m_reason; }
    QString path() const { return m_dir.path(); }

    qint64 freeBytes() const {
        struct statvfs s {};
        if (::statvfs(QFile::encodeName(path()).constData(), &s) != 0)
            return -1;
        return qint64(s.f_bavail) * qint64(s.f_frsize);
    }

    // Writes a filler file so that `left` bytes stay free; false when the
    // file system cannot be brought there.
    bool fillLeaving(qint64 left) {
        QFile filler(fillerPath());
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        const qint64 extra = freeBytes() - left;
        if (extra < 0)
            return false;
        const QByteArray block(extra, 'x');
        if (filler.write(block) != extra)
            return false;
        filler.close();
        return freeBytes() == left;
    }
    bool removeFiller() { return QFile::remove(fillerPath()); }

private:
    QString fillerPath() const { return path() + QStringLiteral("/filler"); }

    QTemporaryDir m_dir;
    QString m_reason;
    bool m_mounted = false;
};

// Skips a test that needs a small file system where there can be none, or
// fails it where the run requires such tests to run (CI, which runs as root).
#define REQUIRE_SMALL_FILE_SYSTEM(fs)                                                                        \
    do {                                                                                                     \
        if (!(fs).isMounted()) {                                                                             \
            if (qEnvironmentVariable("LORVENA_REQUIRE_ROOT_TESTS") == QLatin1String("1"))                    \
                QFAIL(qPrintable(QStringLiteral("required: %1").arg((fs).reason())));                        \
            QSKIP(qPrintable((fs).reason()));                                                                \
        }                                                                                                    \
    } while (false)
