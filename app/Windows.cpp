#include "app/Windows.h"

#include "about/about.h"
#include "app/main.h"
#include "book/BookWindowSource.h"
#include "book/book.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

std::unique_ptr<TForm1> createWindows() {
    setUpApplication();
    auto form1 = std::make_unique<TForm1>();
    TForm1* main = form1.get();
    main->Form2 = new TForm2(main, main->savedClauses());
    main->Form3 = new TForm3(main);
    main->Form5 = new TForm5(
        main, main->settings(), [main]() -> QPrinter& { return main->printer(); },
        [main] { return main->bookWindowSource(); });
    return form1;
}

void setUpApplication() {
    static bool done = false;
    if (done)
        return;
    done = true;
    QCoreApplication::setApplicationName(QStringLiteral("Lorvena"));
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    QLocale::setDefault(czech);

    // Qt's own texts (file and print dialogs, standard buttons) in Czech
    // whatever the system's language. The later catalogue is searched first:
    // "qtbase" is the current one, "qt" adds the older modules where present.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* catalogue : {"qt", "qtbase"}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(czech, QString::fromLatin1(catalogue), QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}
