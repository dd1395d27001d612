#include "ServiceOptions.h"

#include <QCommandLineParser>

namespace {

bool readInt(const QCommandLineParser& parser, const QString& name, int low, int high, int* out,
             QString* error) {
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < low || value > high) {
        *error = QStringLiteral("Volba --%1 chce celé číslo od %2 do %3.").arg(name).arg(low).arg(high);
        return false;
    }
    *out = value;
    return true;
}

bool readDouble(const QCommandLineParser& parser, const QString& name, double low, double high, double* out,
                QString* error) {
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const double value = parser.value(name).toDouble(&ok);
    if (!ok || value < low || value > high) {
        *error = QStringLiteral("Volba --%1 chce číslo od %2 do %3.").arg(name).arg(low).arg(high);
        return false;
    }
    *out = value;
    return true;
}

std::optional<QUrl> webUrl(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return std::nullopt;
    return url;
}

} // namespace

std::optional<ServiceOptions> parseServiceOptions(const QStringList& arguments, QString* error,
                                                  QString* helpText) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Webová služba programu Lorvena: ověření dokladů v registru neplatných dokladů "
                       "a stránky nápovědy."));
    const auto help = parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("address"), QStringLiteral("Adresa, na které služba naslouchá (127.0.0.1)."),
         QStringLiteral("adresa")},
        {QStringLiteral("port"), QStringLiteral("Port (8080)."), QStringLiteral("port")},
        {QStringLiteral("register"),
         QStringLiteral("Adresa registru neplatných dokladů (také LORVENA_REGISTER_URL)."),
         QStringLiteral("url")},
        {QStringLiteral("register-timeout"), QStringLiteral("Nejdelší čekání na registr v ms (5000)."),
         QStringLiteral("ms")},
        {QStringLiteral("cache-ttl"), QStringLiteral("Jak dlouho platí odpověď registru, v sekundách (60)."),
         QStringLiteral("s")},
        {QStringLiteral("cache-size"), QStringLiteral("Nejvýše uložených odpovědí (10000)."),
         QStringLiteral("počet")},
        {QStringLiteral("rate"), QStringLiteral("Požadavků za sekundu na jednoho klienta (5)."),
         QStringLiteral("počet")},
        {QStringLiteral("burst"), QStringLiteral("Požadavků najednou na jednoho klienta (20)."),
         QStringLiteral("počet")},
        {QStringLiteral("max-connections"), QStringLiteral("Nejvýše otevřených spojení (512)."),
         QStringLiteral("počet")},
        {QStringLiteral("max-connections-per-client"),
         QStringLiteral("Nejvýše otevřených spojení z jedné adresy (32)."), QStringLiteral("počet")},
        {QStringLiteral("idle-timeout"), QStringLiteral("Nečinné spojení se zavře po ms (30000)."),
         QStringLiteral("ms")},
        {QStringLiteral("header-timeout"),
         QStringLiteral("Spojení, které do tolika ms nedošle celou hlavičku požadavku, se zavře (5000)."),
         QStringLiteral("ms")},
        {QStringLiteral("cert"), QStringLiteral("Certifikát pro HTTPS (PEM)."), QStringLiteral("soubor")},
        {QStringLiteral("key"), QStringLiteral("Soukromý klíč k certifikátu (PEM)."),
         QStringLiteral("soubor")},
        {QStringLiteral("trust-forwarded"),
         QStringLiteral("Za reverzní proxy na tomto počítači: klienta určí hlavička X-Forwarded-For.")},
        {QStringLiteral("installer"),
         QStringLiteral("Instalační soubor nabízený na stránce /download/ (lze zadat vícekrát, "
                        "např. balíčky .deb)."),
         QStringLiteral("soubor")},
        {QStringLiteral("mirror"),
         QStringLiteral("Složka s místní kopií seznamů neplatných dokladů (bez ní se ptá jen registru)."),
         QStringLiteral("složka")},
        {QStringLiteral("mirror-source"),
         QStringLiteral("Odkud se seznamy stahují, jako URL?typ_dokladu=0, 1 a 2 (%1).")
             .arg(QString::fromLatin1(ServiceOptions::kMirrorSourceUrl)),
         QStringLiteral("url")},
        {QStringLiteral("mirror-max-age"),
         QStringLiteral("Jak stará kopie smí odpovídat bez dotazu na registr, v hodinách (36)."),
         QStringLiteral("hodiny")},
    });

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        if (helpText)
            *helpText = parser.helpText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("Neznámý argument: %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }

    ServiceOptions options;
    if (parser.isSet(QStringLiteral("address"))) {
        const QString text = parser.value(QStringLiteral("address"));
        if (!options.address.setAddress(text)) {
            *error = QStringLiteral("Neplatná adresa: %1").arg(text);
            return std::nullopt;
        }
    }
    int port = options.port;
    if (!readInt(parser, QStringLiteral("port"), 0, 65535, &port, error))
        return std::nullopt;
    options.port = static_cast<quint16>(port);

    QString registerText = qEnvironmentVariable("LORVENA_REGISTER_URL");
    if (parser.isSet(QStringLiteral("register")))
        registerText = parser.value(QStringLiteral("register"));
    if (!registerText.isEmpty()) {
        const auto url = webUrl(registerText);
        if (!url) {
            *error = QStringLiteral("Neplatná adresa registru: %1").arg(registerText);
            return std::nullopt;
        }
        options.registerUrl = *url;
    }
    if (parser.isSet(QStringLiteral("mirror-source"))) {
        const QString text = parser.value(QStringLiteral("mirror-source"));
        const auto url = webUrl(text);
        if (!url) {
            *error = QStringLiteral("Neplatná adresa seznamů: %1").arg(text);
            return std::nullopt;
        }
        options.mirrorSourceUrl = *url;
    }
    options.mirrorDirectory = parser.value(QStringLiteral("mirror"));
    if (parser.isSet(QStringLiteral("mirror")) && options.mirrorDirectory.isEmpty()) {
        *error = QStringLiteral("Volba --mirror chce složku.");
        return std::nullopt;
    }

    int cacheTtlSeconds = options.cacheTtlMs / 1000;
    if (!readInt(parser, QStringLiteral("register-timeout"), 100, 60000, &options.registerTimeoutMs, error) ||
        !readInt(parser, QStringLiteral("cache-ttl"), 0, 3600, &cacheTtlSeconds, error) ||
        !readInt(parser, QStringLiteral("cache-size"), 0, 1000000, &options.cacheSize, error) ||
        !readDouble(parser, QStringLiteral("rate"), 0.01, 100000, &options.ratePerSecond, error) ||
        !readDouble(parser, QStringLiteral("burst"), 1, 100000, &options.burst, error) ||
        !readInt(parser, QStringLiteral("max-connections"), 1, 100000, &options.limits.maxConnections,
                 error) ||
        !readInt(parser, QStringLiteral("max-connections-per-client"), 1, 100000,
                 &options.limits.maxPerClient, error) ||
        !readInt(parser, QStringLiteral("idle-timeout"), 100, 3600000, &options.limits.idleTimeoutMs,
                 error) ||
        !readInt(parser, QStringLiteral("mirror-max-age"), 1, 168, &options.mirrorMaxAgeHours, error) ||
        !readInt(parser, QStringLiteral("header-timeout"), 100, 600000, &options.limits.headerTimeoutMs,
                 error))
        return std::nullopt;
    options.cacheTtlMs = cacheTtlSeconds * 1000;

    options.certificateFile = parser.value(QStringLiteral("cert"));
    options.keyFile = parser.value(QStringLiteral("key"));
    if (options.certificateFile.isEmpty() != options.keyFile.isEmpty()) {
        *error = QStringLiteral("Pro HTTPS je potřeba zadat certifikát (--cert) i klíč (--key).");
        return std::nullopt;
    }
    options.trustForwarded = parser.isSet(QStringLiteral("trust-forwarded"));
    options.installerFiles = parser.values(QStringLiteral("installer"));
    return options;
}
