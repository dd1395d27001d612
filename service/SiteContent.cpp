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

} // namespace

SiteContent::SiteContent(const QString& installerFile) {
    if (!installerFile.isEmpty()) {
        QFile file(installerFile);
        const QString name = QFileInfo(installerFile).fileName();
        if (isPlainFileName(name) && file.open(QIODevice::ReadOnly)) {
            m_installer = file.readAll();
            m_installerName = name;
        } else {
            qWarning("Instalační soubor nelze nabídnout: %s", qPrintable(installerFile));
        }
    }
    m_home = Pages::home();
    m_faq = Pages::faq();
    m_download = Pages::download(version(), m_installerName);
    m_edoklady = Pages::edoklady();
    m_manual = renderManualPdf(manualMarkdown());
}

QString SiteContent::version() {
    return QStringLiteral(LORVENA_VERSION);
}
