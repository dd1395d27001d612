// The help menu: web pages of the maker and the about box.
#include "about/MakerSite.h"
#include "about/ManualOpener.h"
#include "about/about.h"
#include "app/main.h"
#include "settings/SettingsStore.h"

#include <QDesktopServices>

MakerSite TForm1::makerSite() {
    try {
        return MakerSite::fromSettings(settings());
    } catch (...) {
        // Help pages and the document check never report a bad settings file; the built-in site serves.
        return MakerSite();
    }
}

void TForm1::Manulkprogramu1Click() {
    // The site's manual when the site answers, else the copy the program brings.
    if (!m_manualOpener)
        m_manualOpener = new ManualOpener(this);
    m_manualOpener->open(makerSite().manual());
}
void TForm1::Webovstrnkysnpovdou1Click() {
    QDesktopServices::openUrl(makerSite().faq());
}
void TForm1::Sthnoutnejnovjverziprogramu1Click() {
    QDesktopServices::openUrl(makerSite().download());
}

void TForm1::Informaceoprogramu1Click() {
    if (!Form3)
        return;
    Form3->fillText(makerSite().secureBase());
    Form3->exec();
}
