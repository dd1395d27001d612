#include "TestSupport.h"
#include "UiSupport.h"

#include "settings/LogoFileDialog.h"
#include "ui/Messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <functional>
#include <memory>

namespace {

// Runs `answer` on the first modal dialog of type D that comes up; a dialog
// still open afterwards is rejected, so that a wrong answer fails the test
// instead of hanging it.
template <typename D> class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<void(D*)> answer) : m_answer(std::move(answer)) {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            seen = true;
            m_answer(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_timer.start();
    }
    bool seen = false;

private:
    std::function<void(D*)> m_answer;
    QTimer m_timer;
};

QStringList buttonTexts(QWidget* w) {
    QStringList out;
    for (auto* box : w->findChildren<QDialogButtonBox*>())
        for (QAbstractButton* b : box->buttons())
            out << b->text();
    if (auto* mb = qobject_cast<QMessageBox*>(w)) {
        out.clear();
        for (QAbstractButton* b : mb->buttons())
            out << b->text();
    }
    out.sort();
    return out;
}

// Every text a dialog shows of its own: captions of buttons, labels and group
// boxes, and hints. The print dialog's "type" and "location" labels show what
// the print system says of the printer, not Qt's texts.
QStringList shownTexts(QWidget* dialog) {
    QStringList out{dialog->windowTitle()};
    for (auto* b : dialog->findChildren<QAbstractButton*>())
        out << b->text();
    for (auto* l : dialog->findChildren<QLabel*>())
        if (l->objectName() != u"type" && l->objectName() != u"location")
            out << l->text();
    for (auto* g : dialog->findChildren<QGroupBox*>())
        out << g->title();
    for (auto* w : dialog->findChildren<QWidget*>())
        out << w->toolTip();
    out.removeAll(QString());
    return out;
}

// English words that a dialog left untranslated would show.
QStringList englishTexts(const QStringList& texts) {
    static const QRegularExpression english(
        QStringLiteral("\\b(Print|Cancel|Properties|Options|Pages?|Off|Open|Save|Look in|File|Files|Type|"
                       "side|binding|Double|Copies|Colou?r|Printer|Name|Location|Output|Preview)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString& t : texts)
        if (english.match(t).hasMatch())
            out << t;
    return out;
}

} // namespace

class TestPlatformDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_box = std::make_unique<AppDataSandbox>();
        m_main = createWindows();
    }
    void cleanup() {
        m_main.reset();
        m_box.reset();
    }

    void standardButtonsAreCzech_data();
    void standardButtonsAreCzech();
    void confirmationSaysOkOrZrusit_data();
    void confirmationSaysOkOrZrusit();
    void fileDialogIsCzech();
    void printerChoiceIsASetupDialog();

private:
    std::unique_ptr<AppDataSandbox> m_box;
    std::unique_ptr<TForm1> m_main;
};

void TestPlatformDialogs::standardButtonsAreCzech_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("OK") << int(QMessageBox::Ok) << "OK";
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "Zrušit";
    QTest::newRow("Yes") << int(QMessageBox::Yes) << "&Ano";
    QTest::newRow("No") << int(QMessageBox::No) << "&Ne";
    QTest::newRow("Close") << int(QMessageBox::Close) << "Zavřít";
    QTest::newRow("Open") << int(QMessageBox::Open) << "Otevřít";
}

// Qt's own texts come from its Czech catalogue whatever the system's language.
void TestPlatformDialogs::standardButtonsAreCzech() {
    QFETCH(int, button);
    QFETCH(QString, text);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Lorvena"), QStringLiteral("?"),
                    QMessageBox::StandardButton(button), m_main.get());
    QCOMPARE(box.button(QMessageBox::StandardButton(button))->text(), text);
}

void TestPlatformDialogs::confirmationSaysOkOrZrusit_data() {
    QTest::addColumn<QString>("press");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("OK") << "OK" << true;
    QTest::newRow("Zrušit") << "Zrušit" << false;
}

void TestPlatformDialogs::confirmationSaysOkOrZrusit() {
    QFETCH(QString, press);
    QFETCH(bool, confirmed);
    QStringList buttons;
    ModalAnswerer<QMessageBox> answer([&](QMessageBox* box) {
        buttons = buttonTexts(box);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == press)
                b->click();
    });
    QCOMPARE(confirmOkCancel(m_main.get(), QStringLiteral("Vytisknout?")), confirmed);
    QVERIFY(answer.seen);
    QCOMPARE(buttons, (QStringList{"OK", "Zrušit"}));
}

void TestPlatformDialogs::fileDialogIsCzech() {
    QStringList texts, buttons;
    ModalAnswerer<QFileDialog> answer([&](QFileDialog* dialog) {
        texts = shownTexts(dialog);
        buttons = buttonTexts(dialog);
    });
    QCOMPARE(chooseLogoFile(m_main.get()), QString());
    QVERIFY(answer.seen);
    QCOMPARE(buttons, (QStringList{"&Otevřít", "Zrušit"}));
    QVERIFY2(texts.contains(QStringLiteral("Hledat v:")), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.contains(QStringLiteral("Soubory typu:")), qPrintable(texts.join(u'|')));
    QVERIFY2(englishTexts(texts).isEmpty(), qPrintable(englishTexts(texts).join(u'|')));
}

// "Vybrat tiskárnu" chooses the printer for the later jobs: its dialog is a
// printer setup, confirmed with "OK", and prints nothing.
void TestPlatformDialogs::printerChoiceIsASetupDialog() {
    const QString pdf = m_box->root() + QStringLiteral("/chosen.pdf");
    QString title;
    QStringList texts, buttons;
    ModalAnswerer<QPrintDialog> choose([&](QPrintDialog* dialog) {
        title = dialog->windowTitle();
        texts = shownTexts(dialog);
        buttons = buttonTexts(dialog);
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        QVERIFY(printers);
        printers->setCurrentIndex(printers->count() - 1); // "Tisk do souboru (PDF)"
        if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
            file->setText(pdf);
        for (auto* box : dialog->findChildren<QDialogButtonBox*>())
            box->button(QDialogButtonBox::Ok)->click();
    });
    child<QPushButton>(m_main.get(), "Button7")->click();
    QVERIFY(choose.seen);
    QCOMPARE(title, QStringLiteral("Nastavení tisku"));
    QCOMPARE(buttons, (QStringList{"&Nastavení >>", "OK", "Zrušit"}));
    QVERIFY2(englishTexts(texts).isEmpty(), qPrintable(englishTexts(texts).join(u'|')));
    QCOMPARE(m_main->printer().outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(m_main->printer().outputFileName(), pdf);
    QVERIFY(!QFile::exists(pdf));

    // "Zrušit" leaves the choice as it was, whatever was picked meanwhile.
    ModalAnswerer<QPrintDialog> cancel([](QPrintDialog* dialog) {
        if (auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers")))
            printers->setCurrentIndex(0);
        if (auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("copies")))
            copies->setValue(3);
        dialog->reject();
    });
    child<QPushButton>(m_main.get(), "Button7")->click();
    QVERIFY(cancel.seen);
    QCOMPARE(m_main->printer().outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(m_main->printer().outputFileName(), pdf);
    QCOMPARE(m_main->printer().copyCount(), 1);
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestPlatformDialogs)
#include "tst_platform_dialogs.moc"
