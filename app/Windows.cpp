#include "app/Windows.h"

#include "about/about.h"
#include "app/main.h"
#include "book/BookWindowSource.h"
#include "book/book.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QLocale>

std::unique_ptr<TForm1> createWindows() {
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
    QCoreApplication::setApplicationName(QStringLiteral("Lorvena"));
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
}
