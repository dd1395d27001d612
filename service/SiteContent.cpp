#include "SiteContent.h"

#include "ManualPdf.h"
#include "Pages.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Only a plain file name may become part of an address.
bool isPlainFileName(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]{0,99}$"));
    return plain.match(name).hasMatch();
}

bool offered(const QList<SiteContent::Download>& downloads, const QString& name) {
    for (const auto& download : downloads) {
        if (download.name == name)
            return true;
    }
    return false;
}

} // namespace

SiteContent::SiteContent(const QStringList& installerFiles) {
    QStringList names;
    for (const QString& path : installerFiles) {
        QFile file(path);
        const QString name = QFileInfo(path).fileName();
        // Two files of one name would share one address: the first one stays.
        if (!isPlainFileName(name) || offered(m_downloads, name) || !file.open(QIODevice::ReadOnly)) {
            qWarning("Instalační soubor nelze nabídnout: %s", qPrintable(path));
            continue;
        }
        const QByteArray type = name.endsWith(u".deb")
                                    ? QByteArrayLiteral("application/vnd.debian.binary-package")
                                    : QByteArrayLiteral("application/octet-stream");
        m_downloads.append({name, type, file.readAll()});
        names.append(name);
    }
    m_home = Pages::home();
    m_faq = Pages::faq();
    m_download = Pages::download(version(), names);
    m_edoklady = Pages::edoklady();
    m_manual = renderManualPdf(manualMarkdown());
}

const SiteContent::Download* SiteContent::downloadAt(QStringView path) const {
    const QStringView prefix = u"/download/";
    if (!path.startsWith(prefix))
        return nullptr;
    const QStringView name = path.mid(prefix.size());
    for (const auto& download : m_downloads) {
        if (download.name == name)
            return &download;
    }
    return nullptr;
}

QString SiteContent::version() {
    return QStringLiteral(LORVENA_VERSION);
}
