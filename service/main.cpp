#include "ServiceServer.h"
#include "SiteContent.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // The manual is laid out with Qt's text engine; no display is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lorvena-service"));
    QCoreApplication::setApplicationVersion(SiteContent::version());

    QString error;
    QString help;
    const auto options = parseServiceOptions(QCoreApplication::arguments(), &error, &help);
    if (!options) {
        if (!help.isEmpty()) {
            std::fputs(help.toLocal8Bit().constData(), stdout);
            return 0;
        }
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 2;
    }

    ServiceServer server(*options);
    if (!server.start(&error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("Lorvena: služba naslouchá na %s://%s:%u\n", options->tls() ? "https" : "http",
                options->address.toString().toLocal8Bit().constData(), unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}
