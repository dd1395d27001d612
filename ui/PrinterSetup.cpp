#include "ui/PrinterSetup.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QWidget>

namespace {

// Texts that Qt's Czech catalogue leaves in English.
void completeCzechTexts(QPrintDialog& dialog) {
    const auto set = [&dialog](const char* name, const QString& text) {
        if (auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name)))
            button->setText(text);
    };
    set("noDuplex", QStringLiteral("Vypnuto"));
    set("duplexLong", QStringLiteral("Vazba na delší straně"));
    set("duplexShort", QStringLiteral("Vazba na kratší straně"));
    set("pagesRadioButton", QStringLiteral("Stránky"));
    if (auto* duplex = dialog.findChild<QGroupBox*>(QStringLiteral("duplex")))
        duplex->setTitle(QStringLiteral("Oboustranný tisk"));
    if (auto* pages = dialog.findChild<QWidget*>(QStringLiteral("pagesLineEdit")))
        pages->setToolTip(
            QStringLiteral("Zadejte stránky nebo rozsahy oddělené čárkami. Rozsah tvoří dvě "
                           "čísla spojená pomlčkou, např. 3,5-7,9 vytiskne stránky 3, 5, 6, 7 a 9."));
}

// Qt's dialog changes the printer while the clerk picks entries (opening it
// alone can switch a file printer back to the system one), so "Zrušit" puts
// back what was chosen before.
struct PrinterChoice {
    explicit PrinterChoice(const QPrinter& p)
        : format(p.outputFormat()), name(p.printerName()), file(p.outputFileName()), layout(p.pageLayout()),
          copies(p.copyCount()), collate(p.collateCopies()), duplex(p.duplex()), colour(p.colorMode()),
          order(p.pageOrder()) {}

    void restore(QPrinter& p) const {
        p.setOutputFormat(format);
        if (format == QPrinter::NativeFormat)
            p.setPrinterName(name);
        p.setOutputFileName(file);
        p.setPageLayout(layout);
        p.setCopyCount(copies);
        p.setCollateCopies(collate);
        p.setDuplex(duplex);
        p.setColorMode(colour);
        p.setPageOrder(order);
    }

    QPrinter::OutputFormat format;
    QString name;
    QString file;
    QPageLayout layout;
    int copies;
    bool collate;
    QPrinter::DuplexMode duplex;
    QPrinter::ColorMode colour;
    QPrinter::PageOrder order;
};

} // namespace

bool choosePrinter(QPrinter& printer, QWidget* parent) {
    const PrinterChoice before(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.setWindowTitle(QStringLiteral("Nastavení tisku"));
    for (auto* box : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    completeCzechTexts(dialog);
    if (dialog.exec() == QDialog::Accepted)
        return true;
    before.restore(printer);
    return false;
}
