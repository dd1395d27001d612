#include "about/ManualOpener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTimer>

namespace {

constexpr int kDefaultTimeoutMs = 2500;
const char kManualFile[] = "lorvena-manual.md";

// The site is asked through the proxy the system is set up with, as the browser will.
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        return systemProxyForQuery(query);
    }
};

} // namespace

ManualOpener::ManualOpener(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_timer(new QTimer(this)),
      m_candidates(defaultCopyCandidates()) {
    m_network->setProxyFactory(new SystemProxyFactory);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kDefaultTimeoutMs);
    connect(m_timer, &QTimer::timeout, this, [this] { decide(false); });
}

void ManualOpener::setTimeout(int milliseconds) {
    m_timer->setInterval(milliseconds);
}

QStringList ManualOpener::defaultCopyCandidates() {
    const QString file = QString::fromLatin1(kManualFile);
    QStringList paths{
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/lorvena/") + file,
        QStringLiteral("/usr/share/lorvena/") + file,
    };
#ifdef LORVENA_BUILD_DIR
    // A program run from the build tree reads the manual beside its sources.
    if (QCoreApplication::applicationDirPath().startsWith(QStringLiteral(LORVENA_BUILD_DIR)))
        paths << QStringLiteral(LORVENA_SOURCE_MANUAL);
#endif
    return paths;
}

void ManualOpener::open(const QUrl& siteManual) {
    if (m_reply)
        return;
    m_site = siteManual;
    QNetworkRequest request(siteManual);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // Only whether the site serves the manual matters; the body is left to the browser.
    m_reply = m_network->get(request);
    QNetworkReply* reply = m_reply;
    auto answered = [this, reply] {
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid())
            return;
        decide(status.toInt() >= 200 && status.toInt() < 400);
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, answered);
    connect(reply, &QNetworkReply::finished, this, [this, reply, answered] {
        if (m_reply != reply)
            return;
        if (reply->error() != QNetworkReply::NoError &&
            !reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
            decide(false);
        else
            answered();
    });
    m_timer->start();
}

void ManualOpener::decide(bool siteAnswers) {
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    m_timer->stop();
    reply->abort();
    reply->deleteLater();
    QUrl address = siteAnswers ? m_site : localCopy();
    // Without a copy of its own the program still hands over the site's
    // address: the browser then says what is wrong with the connection.
    if (address.isEmpty())
        address = m_site;
    QDesktopServices::openUrl(address);
    Q_EMIT opened(address);
}

QUrl ManualOpener::localCopy() const {
    for (const QString& candidate : m_candidates) {
        QFile source(candidate);
        if (!source.open(QIODevice::ReadOnly))
            continue;
        const QString html = toHtml(QString::fromUtf8(source.readAll()), QFileInfo(candidate).absolutePath());
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        if (dir.isEmpty() || !QDir().mkpath(dir))
            return {};
        QSaveFile page(dir + QStringLiteral("/lorvena-manual.html"));
        if (!page.open(QIODevice::WriteOnly) || page.write(html.toUtf8()) < 0 || !page.commit())
            return {};
        return QUrl::fromLocalFile(page.fileName());
    }
    return {};
}

QString ManualOpener::toHtml(const QString& markdown, const QString& pictureDir) {
    // Pictures are named beside the Markdown file; the page lies elsewhere.
    static const QRegularExpression picture(QStringLiteral(R"(!\[([^\]]*)\]\(([^):/\s]+)\))"));
    QString text = markdown;
    const QString base = QUrl::fromLocalFile(QDir(pictureDir).absolutePath() + u'/').toString();
    text.replace(picture, QStringLiteral("![\\1](") + base + QStringLiteral("\\2)"));
    QTextDocument document;
    document.setMarkdown(text);
    document.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Lorvena – manuál k programu"));
    return document.toHtml();
}
