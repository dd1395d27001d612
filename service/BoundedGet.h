#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;

// One GET with a bounded wait and size, which follows redirects itself: only
// within the scheme it was sent with (never from https to http) and at most
// three times. The register and its open data have moved before and answer
// from the former address with a redirect.
class BoundedGet : public QObject {
    Q_OBJECT
public:
    enum class Failure {
        None,
        TimedOut,
        TooLong,
        RefusedRedirect,
        TooManyRedirects,
        Unreachable,
        Broken,
        Status
    };
    static constexpr int kMaxRedirects = 3;

    // The body goes to `sink` when given (it must stay open until `done`),
    // otherwise it is kept in `body()`. The time-out counts the whole chain.
    BoundedGet(QNetworkAccessManager* network, const QNetworkRequest& request, int timeoutMs, qint64 maxBytes,
               QIODevice* sink = nullptr, QObject* parent = nullptr);
    ~BoundedGet() override;

    Failure failure() const { return m_failure; }
    int status() const { return m_status; }
    const QByteArray& body() const { return m_body; }
    qint64 received() const { return m_received; }
    QUrl url() const { return m_url; }
    // A Czech account of the failure, naming `what` was asked ("registr").
    QString failureText(const QString& what) const;

signals:
    void done();

private:
    void send();
    void take();
    void finished();
    void fail(Failure failure);

    QNetworkAccessManager* m_network;
    QNetworkRequest m_request;
    QIODevice* m_sink;
    qint64 m_maxBytes;
    QUrl m_url;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    qint64 m_received = 0;
    int m_redirects = 0;
    int m_status = 0;
    Failure m_failure = Failure::None;
    bool m_done = false;
};
