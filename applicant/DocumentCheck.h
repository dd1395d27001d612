#pragma once

#include "about/MakerSite.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QUrl>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// How an answer shows on the document-number field.
struct DocumentCheckDisplay {
    QColor colour;
    QString hint;
    QString state; // documentCheckState: "error", "danger" or "ok"
};

// What the check of a document number came to.
struct DocumentCheckResult {
    enum class Kind {
        Answer,    // the service answered; `body` is exactly what it sent
        HttpError, // an error status, or a redirect away from the service; `body` is its page
        Failure,   // no answer: no network, name not found, TLS failure, time-out
        Oversized  // more than any answer can be; cut off unread, `body` stays empty
    };
    Kind kind = Kind::Failure;
    QString body;
    QString errorText; // for Failure and HttpError, not shown to the clerk

    // What the field shows: only a real answer of "0", "1" or "2" changes it.
    std::optional<DocumentCheckDisplay> display() const;
};

// The check of an identity document against the database of invalid
// documents, through the maker's web service. Asynchronous, so the window
// never freezes: the answer arrives by finished(). Only the latest check
// reports: starting another one or cancel() silences the earlier.
//
// The document number is personal data and the answer one character, so a
// check stays bounded whatever the other end does: one deadline from the
// request to the last byte, a body of a few bytes at most, and redirects
// followed only within the same origin (scheme, host and port), never to
// another host and never out of TLS.
class DocumentCheck : public QObject {
    Q_OBJECT
public:
    static inline const QString kEnterNumberHint = QStringLiteral("Zadejte číslo dokladu");
    static inline const QString kNumberNeededMessage =
        QStringLiteral("Pro ověření dokladu je nutné vyplnit jeho číslo.");
    static inline const QString kRetryCaption = QStringLiteral("Ověřit");
    static inline const QString kChangedState = QStringLiteral("?");
    static constexpr int kDefaultTimeoutMs = 10000;
    // Room for the digit and a short error text; anything longer is not an answer.
    static constexpr qint64 kMaxBodyBytes = 64;
    static constexpr int kMaxRedirects = 3;

    explicit DocumentCheck(QString baseUrl = MakerSite().secureBase(), QObject* parent = nullptr);
    ~DocumentCheck() override;

    void setBaseUrl(const QString& baseUrl) { m_base = baseUrl; }
    const QString& baseUrl() const { return m_base; }
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int timeout() const { return m_timeoutMs; }

    // The service's type code by the index of the document kind (ComboBox7);
    // none for kinds the service does not know.
    static std::optional<QString> typeCode(int documentKind);

    // Number and series are joined without a separator and percent-encoded,
    // so that "&", "#" or a blank cannot break the query. An absent type code
    // gives an empty "type".
    static QUrl requestUrl(const QString& base, const QString& number, const QString& series,
                           const QString& typeCode);
    static QUrl resultPageUrl(const QString& base, const QString& number, const QString& series,
                              const QString& typeCode);

    // The colour, hint and state for a body that is exactly "0", "1" or "2";
    // nothing for any other body.
    static std::optional<DocumentCheckDisplay> displayFor(const QString& body);

    // Starts a check and returns true, or returns false and sends nothing
    // when the kind has no type code or the number is empty. Either way an
    // earlier check still under way is dropped.
    bool start(int documentKind, const QString& number, const QString& series);
    void cancel();
    bool isRunning() const { return m_reply != nullptr; }

Q_SIGNALS:
    void finished(const DocumentCheckResult& result);

private:
    void onReplyFinished(QNetworkReply* reply, quint64 generation);
    void cutOffWhenOversized(QNetworkReply* reply);

    QString m_base;
    int m_timeoutMs = kDefaultTimeoutMs;
    QNetworkAccessManager* m_manager = nullptr;
    QTimer* m_timer;
    QNetworkReply* m_reply = nullptr; // the one check under way
    quint64 m_generation = 0;
    bool m_timedOut = false;
    bool m_oversized = false;
};

Q_DECLARE_METATYPE(DocumentCheckResult)
