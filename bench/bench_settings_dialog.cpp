// Opens the settings dialog on a category and prints how long a show (which
// reloads every setting from the file) takes. With --hold the dialog stays on
// screen for that many milliseconds, for screenshots.
// With --clauses N the saved-clauses file holds N clauses (the list of
// saved clauses is sorted and filled at every show).
//   bench_settings_dialog [category 0..6] [--hold ms] [--clauses N]
#include "app/Windows.h"
#include "app/main.h"
#include "settings/AnsiText.h"
#include "settings/DataDir.h"
#include "settings/settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir appData;
    if (qEnvironmentVariableIsEmpty("APPDATA"))
        qputenv("APPDATA", QFile::encodeName(appData.path()));
    setUpApplication();

    int category = 0;
    int holdMs = 0;
    int clauses = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--hold") && i + 1 < args.size())
            holdMs = args[++i].toInt();
        else if (args[i] == QLatin1String("--clauses") && i + 1 < args.size())
            clauses = args[++i].toInt();
        else
            category = args[i].toInt();
    }

    if (clauses > 0) {
        const char* const given[] = {"Jan", "Petr", "Eva", "Tomáš", "Kateřina", "Jiří", "Věra", "Chrudoš"};
        const char* const family[] = {"Novák",   "Černý",   "Dvořák", "Horák",
                                      "Chalupa", "Šťastný", "Žák",    "Čech"};
        QString text;
        for (int i = 0; i < clauses; ++i)
            text += QStringLiteral("%1 %2, %3.%4.%5|0|0|1|Ulice %6|0|%6\r\n")
                        .arg(QString::fromUtf8(family[(i / 8) % 8]), QString::fromUtf8(given[i % 8]))
                        .arg(1 + i % 28)
                        .arg(1 + i % 12)
                        .arg(1940 + i % 70)
                        .arg(i);
        DataDir::ensureExists();
        QFile file(DataDir::savedClausesFile());
        if (!file.open(QIODevice::WriteOnly) || file.write(AnsiText::encode(text)) < 0)
            return 1;
    }

    QElapsedTimer created;
    created.start();
    auto main = createWindows();
    std::printf("createWindows: %.1f ms\n", created.nsecsElapsed() / 1e6);
    main->move(300, 200);
    main->show();
    TForm2* dialog = main->Form2;

    std::vector<double> ms;
    const int shows = clauses > 10000 ? 5 : 21;
    for (int i = 0; i < shows; ++i) {
        QElapsedTimer t;
        t.start();
        dialog->show();
        ms.push_back(t.nsecsElapsed() / 1e6);
        dialog->hide();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("settings dialog show (every setting loaded, %d saved clauses listed): median %.2f ms, "
                "max %.2f ms over %zu shows\n",
                clauses, ms[ms.size() / 2], ms.back(), ms.size());

    if (holdMs > 0) {
        dialog->show();
        dialog->ListBox1->setCurrentRow(category);
        QTimer::singleShot(holdMs, &app, &QApplication::quit);
        return app.exec();
    }
    return 0;
}
