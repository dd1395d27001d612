#pragma once

#include <QString>
#include <QUrl>

class SettingsStore;

// The maker's web site: help pages, the document-check service and its
// result page. Built in is www.lorvena.cz; the settings entry [Web] Server
// overrides it with a host ("www.example.cz", "127.0.0.1:8080") or with a
// whole base address ("http://127.0.0.1:8080"). A bare host is reached over
// TLS, except the download page, which the site serves without it.
class MakerSite {
public:
    static constexpr const char* kDefaultServer = "www.lorvena.cz";

    explicit MakerSite(QString server = QString::fromLatin1(kDefaultServer));
    static MakerSite fromSettings(const SettingsStore& store);

    // Base address without a trailing slash, e.g. "https://www.lorvena.cz".
    QString secureBase() const;
    QString plainBase() const;

    QUrl manual() const;     // /files/lorvena-manual.pdf over TLS
    QUrl faq() const;        // /casto-kladene-dotazy/ over TLS
    QUrl download() const;   // /download/ without TLS
    QString eidPage() const; // /edoklady, named in the eID import messages

private:
    QString m_server;
};
