#include "app/Windows.h"

#include "about/about.h"
#include "app/main.h"
#include "book/book.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QLocale>

std::unique_ptr<TForm1> createWindows() {
    auto form1 = std::make_unique<TForm1>();
    form1->Form2 = new TForm2(form1.get());
    form1->Form3 = new TForm3(form1.get());
    form1->Form5 = new TForm5(form1.get());
    return form1;
}

void setUpApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Lorvena"));
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
}
