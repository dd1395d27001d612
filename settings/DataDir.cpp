#include "settings/DataDir.h"

#include "settings/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace DataDir {

namespace {

// The entry of `folder` that is `name` without regard to letter case, as the
// Windows program saw its files: the exact spelling when it exists, otherwise
// the first other spelling in code-point order ("LORVENA" before "Lorvena"
// before "lorvena"), so that every start settles on the same one; the name
// as given when there is none.
QString entryNamed(const QString& folder, const QString& name, QDir::Filters kind) {
    if (QFileInfo::exists(folder + u'/' + name))
        return name;
    QStringList spellings;
    for (const QString& entry :
         QDir(folder).entryList(kind | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            spellings << entry;
    return spellings.isEmpty() ? name : *std::min_element(spellings.cbegin(), spellings.cend());
}

QString fileNamed(const QString& name) {
    const QString dir = directory();
    return dir + u'/' + entryNamed(dir, name, QDir::Files);
}

} // namespace

QString directory() {
    QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    base = QDir::cleanPath(base);
    return QDir::cleanPath(base + u'/' + entryNamed(base, QStringLiteral("Lorvena"), QDir::Dirs));
}

QString settingsFile() {
    return fileNamed(QStringLiteral("lorvena.ini"));
}
QString savedClausesFile() {
    return fileNamed(QStringLiteral("legalizace.dec"));
}
QString logoFile() {
    return fileNamed(QStringLiteral("logo.bmp"));
}
QString journalFile() {
    return fileNamed(QStringLiteral("denik.sqlite"));
}

void ensureExists() {
    const QString dir = directory();
    if (QDir(dir).exists())
        return;
    // The parent of the per-user location may itself be missing on a new account.
    if (!QDir().mkpath(dir))
        throw AppError(QStringLiteral("Nelze vytvořit datový adresář %1").arg(QDir::toNativeSeparators(dir)));
}

} // namespace DataDir
