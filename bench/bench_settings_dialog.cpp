// Opens the settings dialog on a category and prints how long a show (which
// reloads every setting from the file) takes. With --hold the dialog stays on
// screen for that many milliseconds, for screenshots.
//   bench_settings_dialog [category 0..6] [--hold ms]
#include "app/Windows.h"
#include "app/main.h"
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
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--hold") && i + 1 < args.size())
            holdMs = args[++i].toInt();
        else
            category = args[i].toInt();
    }

    QElapsedTimer created;
    created.start();
    auto main = createWindows();
    std::printf("createWindows: %.1f ms\n", created.nsecsElapsed() / 1e6);
    main->move(300, 200);
    main->show();
    TForm2* dialog = main->Form2;

    std::vector<double> ms;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer t;
        t.start();
        dialog->show();
        ms.push_back(t.nsecsElapsed() / 1e6);
        dialog->hide();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("settings dialog show (load of every setting): median %.2f ms, max %.2f ms over %zu shows\n",
                ms[ms.size() / 2], ms.back(), ms.size());

    if (holdMs > 0) {
        dialog->show();
        dialog->ListBox1->setCurrentRow(category);
        QTimer::singleShot(holdMs, &app, &QApplication::quit);
        return app.exec();
    }
    return 0;
}
