#pragma once

#include <QByteArray>
#include <QString>

// The fixed content of the site, made once at start: the pages, the manual as
// PDF and the installer offered for download (when one is configured).
class SiteContent {
public:
    explicit SiteContent(const QString& installerFile = {});

    const QByteArray& homePage() const { return m_home; }
    const QByteArray& faqPage() const { return m_faq; }
    const QByteArray& downloadPage() const { return m_download; }
    const QByteArray& edokladyPage() const { return m_edoklady; }
    const QByteArray& manualPdf() const { return m_manual; }
    const QString& installerName() const { return m_installerName; }
    const QByteArray& installer() const { return m_installer; }

    static QString version();

private:
    QByteArray m_home, m_faq, m_download, m_edoklady, m_manual;
    QString m_installerName;
    QByteArray m_installer;
};
