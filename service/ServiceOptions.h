#pragma once

#include "ConnectionGuard.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// Everything the service can be told at start: command-line options, with the
// register's address also taken from LORVENA_REGISTER_URL.
struct ServiceOptions {
    static constexpr const char* kRegisterUrl = "https://aplikace.mv.gov.cz/neplatne-doklady/doklady.aspx";
    static constexpr const char* kMirrorSourceUrl =
        "https://aplikace.mv.gov.cz/neplatne-doklady/ViewFile.aspx";

    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 8080;
    QUrl registerUrl = QUrl(QString::fromLatin1(kRegisterUrl));
    int registerTimeoutMs = 5000;
    int cacheTtlMs = 60000;
    int cacheSize = 10000;
    double ratePerSecond = 5;
    double burst = 20;
    QString certificateFile;
    QString keyFile;
    bool trustForwarded = false; // behind a reverse proxy on this machine
    QStringList installerFiles;  // offered on the download page when given
    ConnectionLimits limits;
    QString mirrorDirectory; // a local copy of the register's open data is kept here when given
    QUrl mirrorSourceUrl = QUrl(QString::fromLatin1(kMirrorSourceUrl));
    int mirrorMaxAgeHours = 36; // a younger copy answers without asking the register

    bool tls() const { return !certificateFile.isEmpty(); }
};

// Reads the arguments (the first one is the program name). On a mistake
// returns nothing and puts a Czech message into `error`; "--help" and
// "--version" are left to the caller through `helpText`.
std::optional<ServiceOptions> parseServiceOptions(const QStringList& arguments, QString* error,
                                                  QString* helpText = nullptr);
