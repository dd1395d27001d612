#include "settings/DataDir.h"

#include "settings/AppError.h"

#include <QDir>
#include <QStandardPaths>

namespace DataDir {

QString directory() {
    QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::cleanPath(base + QStringLiteral("/Lorvena"));
}

QString settingsFile() {
    return directory() + QStringLiteral("/lorvena.ini");
}
QString savedClausesFile() {
    return directory() + QStringLiteral("/legalizace.dec");
}
QString logoFile() {
    return directory() + QStringLiteral("/logo.bmp");
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
