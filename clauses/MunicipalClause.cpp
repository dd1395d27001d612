#include "clauses/MunicipalClause.h"

#include "printing/ClauseFonts.h"
#include "printing/Pen.h"
#include "printing/Units.h"
#include "settings/Conversion.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"

#include <iterator>

namespace {

// Fixed offsets inside the clause, in printer pixels.
constexpr int kHeaderIndent = 500;
constexpr int kTitleIndent = 650;
constexpr int kAfterName = 20;
constexpr int kAfterReference = 30;
constexpr int kLogoWidth = 450;
constexpr int kLogoHeight = 320;

struct Intention {
    const char16_t* firstLine;
    const char16_t* secondLine;
    const char16_t* approval;
};

// Each wording is split over two lines so that it fits the label.
constexpr Intention kIntentions[] = {
    {u"prodat nemovitost specifikovanou", u"v této smlouvě ",
     u"Prodej nemovitosti za podmínek uvedených v této smlouvě byl schválen"},
    {u"darovat nemovitost specifikovanou", u"v této smlouvě ",
     u"Dar nemovitosti za podmínek uvedených v této smlouvě byl schválen"},
    {u"směnit nemovitost specifikovanou", u"v této smlouvě ",
     u"Směna nemovitosti za podmínek uvedených v této smlouvě byla schválena"},
    {u"pronajmout nemovitost specifikovanou", u"v této smlouvě ",
     u"Pronájem nemovitosti za podmínek uvedených v této smlouvě byl schválen"},
    {u"vypůjčit nemovitost specifikovanou", u"v této smlouvě ",
     u"Výpůjčka nemovitosti za podmínek uvedených v této smlouvě byla schválena"},
    {u"propachtovat nemovitost specifikovanou", u"v této smlouvě ",
     u"Pacht nemovitosti za podmínek uvedených v této smlouvě byl schválen"},
    {u"zřídit právo stavby na nemovitost", u"specifikovanou v této smlouvě ",
     u"Zřízení práva stavby za podmínek uvedených v této smlouvě bylo schváleno"},
};

// A typed intention can be anything, so its approval names the act in general.
constexpr const char16_t* kTypedApproval =
    u"Právní jednání za podmínek uvedených v této smlouvě bylo schváleno";

const Intention* intentionOf(int item) {
    if (item < 0 || item >= int(std::size(kIntentions)))
        return nullptr;
    return &kIntentions[item];
}

void printBold(Pen& pen, const QString& text) {
    pen.setBold(true);
    pen.printText(text);
    pen.setBold(false);
}

void drawHeader(Pen& pen, const MunicipalHeader& h) {
    pen.penX = pen.lineX;
    pen.setFont(h.face, h.headingSize, true);
    pen.penX = pen.lineX + kHeaderIndent;
    pen.printText(h.name);
    pen.printEnter();
    pen.penY += kAfterName;

    pen.setFont(h.face, h.basicSize);
    pen.penX = pen.lineX + kHeaderIndent;
    pen.printText(QStringLiteral("IČ ") + h.ic);
    pen.printEnter();
    pen.penX = pen.lineX + kHeaderIndent;
    pen.printText(h.address1);
    pen.printEnter();
    pen.penX = pen.lineX + kHeaderIndent;
    pen.printText(h.address2);
    pen.printEnter();
    pen.penX = pen.lineX + kHeaderIndent;
    pen.printText(h.address3);
    pen.setFont(h.face, h.headingSize, true);
    pen.printEnter();

    pen.penX = pen.lineX + kTitleIndent;
    pen.printText(QStringLiteral("DOLOŽKA"));
    pen.printEnter();

    pen.setFont(h.face, h.basicSize);
    pen.printText(QStringLiteral("dle § 41 zákona č.128/2000 Sb., o obcích, ve znění pozdějších předpisů"));
    pen.printEnter();
    pen.penY += kAfterReference;
}

void drawLogo(Pen& pen, const QImage& logo, int originY) {
    if (logo.isNull())
        return;
    const QRect target = logoRect(logo.size(), pen.lineX, originY);
    if (!target.isEmpty())
        pen.drawImage(target, logo);
}

} // namespace

std::optional<Refusal> intentionRefusal(const QString& intentionNumber, const QString& resolutionNumber) {
    if (intentionNumber.isEmpty())
        return Refusal{QStringLiteral("Zapomněli jste vyplnit číslo záměru obce."), QStringLiteral("Edit2")};
    if (resolutionNumber.isEmpty())
        return Refusal{
            QStringLiteral("Zapomněli jste vyplnit číslo usnesení, kterým byla tato smlouva schválena."),
            QStringLiteral("Edit5")};
    return std::nullopt;
}

std::optional<Refusal> approvalRefusal(const QString& resolutionNumber) {
    if (resolutionNumber.isEmpty())
        return Refusal{
            QStringLiteral("Zapomněli jste vyplnit číslo usnesení, kterým byla tato smlouva schválena."),
            QStringLiteral("Edit6")};
    return std::nullopt;
}

MunicipalHeader readMunicipalHeader(const SettingsStore& settings, const ClauseFonts& fonts) {
    MunicipalHeader h;
    h.name = Key::organisationName().text(settings);
    h.ic = Key::organisationIc().text(settings);
    h.address1 = Key::organisationAddress1().text(settings);
    h.address2 = Key::organisationAddress2().text(settings);
    h.address3 = Key::organisationAddress3().text(settings);
    h.face = fonts.headingFace;
    h.headingSize = fonts.headingSize;
    h.basicSize = fonts.basicSize;
    return h;
}

void rememberApproval(SettingsStore& settings, const ApprovalParticulars& p) {
    Key::approvalNumber().write(settings, p.resolutionNumber);
    Key::approvalDate().write(settings, plainDateText(p.resolutionDate));
}

QRect logoRect(QSize image, int lineX, int originY) {
    const qint64 w = image.width();
    const qint64 h = image.height();
    if (w <= 0 || h <= 0)
        return {};
    int dw = kLogoWidth;
    int dh = kLogoHeight;
    int dx = 0;
    int dy = 0;
    if (h >= w) {
        dw = int(roundHalfEven(double(w * kLogoHeight) / double(h)));
        dx = int(roundHalfEven((kLogoWidth - dw) / 2.0));
    } else {
        dh = int(roundHalfEven(double(h * kLogoWidth) / double(w)));
        dy = int(roundHalfEven((kLogoHeight - dh) / 2.0));
    }
    return QRect(lineX + dx, originY + dy, dw, dh);
}

void drawIntention(Pen& pen, const MunicipalHeader& header, const IntentionParticulars& p) {
    const int originY = pen.penY;
    drawHeader(pen, header);

    pen.printText(QStringLiteral("Záměr obce č."));
    printBold(pen, p.number);
    pen.printText(QStringLiteral(" "));
    const Intention* intention = intentionOf(p.intentionItem);
    if (intention) {
        pen.printText(QString::fromUtf16(intention->firstLine));
        pen.printEnter();
        pen.printText(QString::fromUtf16(intention->secondLine));
    } else {
        // A typed intention has no second part; the sentence goes on below it.
        pen.printText(p.intentionText);
        pen.printEnter();
    }
    pen.printText(QStringLiteral("byl zveřejněn na úřední desce"));
    pen.printEnter();

    pen.printText(QStringLiteral("od "));
    printBold(pen, plainDateText(p.publishedFrom));
    pen.printText(QStringLiteral(" do "));
    printBold(pen, plainDateText(p.publishedTo));
    pen.printEnter();
    pen.printEnter();

    pen.printText(QString::fromUtf16(intention ? intention->approval : kTypedApproval));
    pen.printEnter();

    printBold(pen, p.approvingBody);
    pen.printText(QStringLiteral(" dne "));
    printBold(pen, plainDateText(p.resolutionDate));
    pen.printEnter();

    pen.printText(QStringLiteral("usnesením č. "));
    printBold(pen, p.resolutionNumber);
    pen.printText(QStringLiteral("."));

    drawLogo(pen, header.logo, originY);
}

void drawApproval(Pen& pen, const MunicipalHeader& header, const ApprovalParticulars& p) {
    const int originY = pen.penY;
    drawHeader(pen, header);

    pen.printText(p.statement);
    pen.printEnter();

    pen.setBold(true);
    pen.printText(p.body);
    pen.printEnter();
    pen.printEnter();
    pen.setBold(false);

    pen.printText(QStringLiteral("Číslo usnesení: "));
    pen.setBold(true);
    pen.printText(p.resolutionNumber);
    pen.printEnter();
    pen.setBold(false);

    pen.printText(QStringLiteral("Přijaté dne: "));
    printBold(pen, plainDateText(p.resolutionDate));
    pen.printEnter();

    drawLogo(pen, header.logo, originY);
}
