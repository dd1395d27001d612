#include "about/MakerSite.h"

#include "settings/SettingsCatalogue.h"

namespace {

bool hasScheme(const QString& s) {
    return s.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           s.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

QString withoutTrailingSlash(QString s) {
    while (s.endsWith(u'/'))
        s.chop(1);
    return s;
}

} // namespace

MakerSite::MakerSite(QString server) : m_server(withoutTrailingSlash(server.trimmed())) {
    if (m_server.isEmpty())
        m_server = QString::fromLatin1(kDefaultServer);
}

MakerSite MakerSite::fromSettings(const SettingsStore& store) {
    return MakerSite(Key::makerServer().text(store));
}

QString MakerSite::secureBase() const {
    return hasScheme(m_server) ? m_server : QStringLiteral("https://") + m_server;
}

QString MakerSite::plainBase() const {
    return hasScheme(m_server) ? m_server : QStringLiteral("http://") + m_server;
}

QUrl MakerSite::manual() const {
    return QUrl(secureBase() + QStringLiteral("/files/lorvena-manual.pdf"));
}
QUrl MakerSite::faq() const {
    return QUrl(secureBase() + QStringLiteral("/casto-kladene-dotazy/"));
}
QUrl MakerSite::download() const {
    return QUrl(plainBase() + QStringLiteral("/download/"));
}
QString MakerSite::eidPage() const {
    return secureBase() + QStringLiteral("/edoklady");
}
