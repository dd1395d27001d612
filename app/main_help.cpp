// The help menu: web pages of the maker and the about box.
#include "about/MakerSite.h"
#include "about/about.h"
#include "app/main.h"
#include "settings/SettingsStore.h"

#include <QDesktopServices>

namespace {

MakerSite site(TForm1* form) {
    try {
        return MakerSite::fromSettings(form->settings());
    } catch (...) {
        // Opening a help page never reports anything; fall back to the built-in site.
        return MakerSite();
    }
}

} // namespace

void TForm1::Manulkprogramu1Click() {
    QDesktopServices::openUrl(site(this).manual());
}
void TForm1::Webovstrnkysnpovdou1Click() {
    QDesktopServices::openUrl(site(this).faq());
}
void TForm1::Sthnoutnejnovjverziprogramu1Click() {
    QDesktopServices::openUrl(site(this).download());
}

void TForm1::Informaceoprogramu1Click() {
    if (!Form3)
        return;
    Form3->fillText(site(this).secureBase());
    Form3->exec();
}
