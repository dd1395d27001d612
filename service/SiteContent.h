#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The fixed content of the site, made once at start: the pages, the manual as
// PDF and the installers offered for download (when some are configured).
class SiteContent {
public:
    // A file offered at /download/<name>.
    struct Download {
        QString name;
        QByteArray contentType;
        QByteArray data;
    };

    explicit SiteContent(const QStringList& installerFiles = {});

    const QByteArray& homePage() const { return m_home; }
    const QByteArray& faqPage() const { return m_faq; }
    const QByteArray& downloadPage() const { return m_download; }
    const QByteArray& edokladyPage() const { return m_edoklady; }
    const QByteArray& manualPdf() const { return m_manual; }
    const QList<Download>& downloads() const { return m_downloads; }
    // The offered file at a request path, or nothing.
    const Download* downloadAt(QStringView path) const;

    static QString version();

private:
    QByteArray m_home, m_faq, m_download, m_edoklady, m_manual;
    QList<Download> m_downloads;
};
