#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Opens the manual: the one on the maker's site when the site answers, else
// the copy that comes with the program, laid out as an HTML page. The site is
// asked in the background, so the window never waits on the network.
class ManualOpener : public QObject {
    Q_OBJECT
public:
    explicit ManualOpener(QObject* parent = nullptr);

    // How long the site may take to answer before the own copy is opened.
    void setTimeout(int milliseconds);
    // Where the program's own copy is looked for, first found wins.
    void setCopyCandidates(QStringList paths) { m_candidates = std::move(paths); }
    static QStringList defaultCopyCandidates();

    // Asks the site and opens what the answer decides; a second call while
    // the site is still being asked is dropped.
    void open(const QUrl& siteManual);

    // The Markdown manual as a stand-alone HTML page; pictures named relative
    // to the Markdown file are addressed in `pictureDir`.
    static QString toHtml(const QString& markdown, const QString& pictureDir);

Q_SIGNALS:
    // Emitted with the address handed to the desktop (the site's or a local file).
    void opened(const QUrl& address);

private:
    void decide(bool siteAnswers);
    QUrl localCopy() const;

    QNetworkAccessManager* m_network;
    QTimer* m_timer;
    QPointer<QNetworkReply> m_reply;
    QUrl m_site;
    QStringList m_candidates;
};
