#include "JpegEncoder.h"
#include "TestSupport.h"
#include "UiSupport.h"

#include "applicant/SavedClauses.h"
#include "settings/AppError.h"
#include "settings/JpegDecoder.h"
#include "settings/LogoConversion.h"
#include "settings/LogoFileDialog.h"
#include "settings/SettingsStore.h"
#include "settings/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {

const QString kSaved =
    QStringLiteral("Nastavení bylo uloženo. Některé změny se projeví při příštím spuštění aplikace.");

QString readSetting(const QString& section, const QString& key) {
    return SettingsStore(DataDir::settingsFile()).ReadString(section, key, QStringLiteral("<absent>"));
}

void writeSetting(const QString& section, const QString& key, const QString& value) {
    SettingsStore(DataDir::settingsFile()).WriteString(section, key, value);
}

// The lines of one section as they stand in the file, CR LF included.
QString sectionText(const QString& section) {
    const QString text = AnsiText::decode(readBytes(DataDir::settingsFile()));
    const qsizetype start = text.indexOf(u'[' + section + QStringLiteral("]\r\n"));
    if (start < 0)
        return {};
    const qsizetype next = text.indexOf(QStringLiteral("\r\n["), start);
    return next < 0 ? text.mid(start) : text.mid(start, next + 2 - start);
}

QList<int> visibleGroupBoxes(TForm2* d) {
    QList<int> out;
    for (int n = 1; n <= 12; ++n)
        if (QGroupBox* g = d->findChild<QGroupBox*>(QStringLiteral("GroupBox%1").arg(n)); g && g->isVisible())
            out << n;
    return out;
}

// Types text the way a keyboard would, letters with diacritics included.
void typeText(QWidget* w, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QSpinBox* spin(TForm2* d, int n) {
    return d->findChild<QSpinBox*>(QStringLiteral("SpinEdit%1").arg(n));
}
QLineEdit* edit(TForm2* d, int n) {
    return d->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
}
QCheckBox* check(TForm2* d, int n) {
    return d->findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(n));
}

// Runs `answer` on the picture dialog once it is up (the file list loads in
// the background, so it waits for the list to settle first).
class PictureDialogAnswerer : public QObject {
public:
    explicit PictureDialogAnswerer(std::function<void(QFileDialog*)> answer) : m_answer(std::move(answer)) {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            seen = true;
            m_answer(dialog);
            // An answer that did not close the dialog must fail the test, not hang it.
            if (dialog->isVisible())
                dialog->reject();
        });
        m_timer.start();
    }
    bool seen = false;

private:
    std::function<void(QFileDialog*)> m_answer;
    QTimer m_timer;
};

// The clerk types the full name into the file name field and presses Enter.
void typeFileName(QFileDialog* dialog, const QString& path) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

QStringList listedFiles(QFileDialog* dialog) {
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QStringList out;
    if (!view)
        return out;
    const QModelIndex root = view->rootIndex();
    for (int i = 0; i < view->model()->rowCount(root); ++i)
        out << view->model()->index(i, 0, root).data().toString();
    out.sort();
    return out;
}

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void reopensOnGeneral();
    void categoryShowsItsBoxes_data();
    void categoryShowsItsBoxes();
    void bookSheetSpinBoxesOutOfKeyboardReach();
    void cancelKeepsStoredState_data();
    void cancelKeepsStoredState();
    void calibrationValues_data();
    void calibrationValues();
    void spinBoxesTakeNoTyping();
    void designationForm_data();
    void designationForm();
    void badNumberLoadsEverythingElse();
    void unreadableFileDisablesOk();
    void bookCountersSeeded();
    void savesEveryValueInOrder();
    void officeNameAndIdentificationEditable();
    void placementOverMainWindow_data();
    void placementOverMainWindow();
    void savedClausesInCzechOrder();
    void deleteSavedClause_data();
    void deleteSavedClause();
    void deleteWithoutSelection();
    void deletionThatCannotBeWrittenKeepsClause();
    void logoFilterPatterns_data();
    void logoFilterPatterns();
    void logoDialogListsPictures();
    void logoChoiceAndCancel();
    void largeLogoPreviewScaled();
    void undecodableLogoChangesNothing();
    void logoDialogPreviewsThePicture_data();
    void logoDialogPreviewsThePicture();

private:
    TForm2* openDialog();
    void restartWithSavedClauses(const QStringList& lines);
    void selectSavedClause(TForm2* d, const QString& name);
    void pressOk(TForm2* d);

    std::unique_ptr<AppDataSandbox> m_box;
    std::unique_ptr<TForm1> m_main;
    std::unique_ptr<MessageBoxAnswerer> m_answers;
};

void TestSettingsDialog::init() {
    m_box = std::make_unique<AppDataSandbox>();
    m_answers = std::make_unique<MessageBoxAnswerer>();
    m_main = createWindows();
    m_main->show();
}

void TestSettingsDialog::cleanup() {
    m_main.reset();
    m_answers.reset();
    m_box.reset();
}

TForm2* TestSettingsDialog::openDialog() {
    TForm2* d = m_main->Form2;
    d->show();
    QCoreApplication::processEvents(); // lets a deferred error report come up and be answered
    return d;
}

void TestSettingsDialog::restartWithSavedClauses(const QStringList& lines) {
    m_main.reset();
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    QVERIFY(writeBytes(DataDir::savedClausesFile(), AnsiText::encode(text)));
    m_main = createWindows();
    m_main->show();
}

void TestSettingsDialog::selectSavedClause(TForm2* d, const QString& name) {
    const QList<QListWidgetItem*> found = d->ListBox2->findItems(name, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    QTest::mouseClick(d->ListBox2->viewport(), Qt::LeftButton, {},
                      d->ListBox2->visualItemRect(found.first()).center());
    QCOMPARE(d->ListBox2->selectedItems(), QList<QListWidgetItem*>{found.first()});
}

QStringList itemTexts(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void TestSettingsDialog::pressOk(TForm2* d) {
    const qsizetype before = m_answers->texts.size();
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QCOMPARE(m_answers->texts.mid(before), QStringList{kSaved});
    QVERIFY(!d->isVisible());
}

void TestSettingsDialog::reopensOnGeneral() {
    TForm2* d = openDialog();
    QCOMPARE(d->windowTitle(), QStringLiteral("Nastavení"));
    QCOMPARE(d->size(), QSize(898, 508));
    QCOMPARE(d->ListBox1->currentItem()->text(), QStringLiteral("Obecné"));
    QCOMPARE(visibleGroupBoxes(d), (QList<int>{5, 9}));

    d->ListBox1->setFocus();
    QTest::keyClick(d->ListBox1, Qt::Key_End);
    QCOMPARE(visibleGroupBoxes(d), QList<int>{12});
    QTest::mouseClick(d->Button3, Qt::LeftButton);
    QVERIFY(!d->isVisible());

    openDialog();
    QCOMPARE(d->ListBox1->currentRow(), 0);
    QVERIFY(d->ListBox1->currentItem()->isSelected());
    QCOMPARE(visibleGroupBoxes(d), (QList<int>{5, 9}));
    QCOMPARE(d->findChild<QGroupBox*>(QStringLiteral("GroupBox9"))->pos(), QPoint(192, 170));
    QCOMPARE(m_answers->texts, QStringList());
}

void TestSettingsDialog::categoryShowsItsBoxes_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QList<int>>("boxes");
    QTest::newRow("general") << 0 << "Obecné" << QList<int>{5, 9};
    QTest::newRow("organisation") << 1 << "Organizace" << QList<int>{6};
    QTest::newRow("clauses") << 2 << "Vidimace a legalizace" << QList<int>{2, 3, 10};
    QTest::newRow("books") << 3 << "Ověřovací knihy" << QList<int>{11};
    QTest::newRow("legal acts") << 4 << "Lorvena právního jednání" << QList<int>{7, 8};
    QTest::newRow("clause sheet") << 5 << "Nastavení tisku doložek" << QList<int>{1};
    QTest::newRow("book sheet") << 6 << "Nast. tisku štítků do knihy" << QList<int>{12};
}

void TestSettingsDialog::categoryShowsItsBoxes() {
    QFETCH(int, row);
    QFETCH(QString, category);
    QFETCH(QList<int>, boxes);
    TForm2* d = openDialog();
    QListWidgetItem* item = d->ListBox1->item(row);
    QCOMPARE(item->text(), category);
    QCOMPARE(d->ListBox1->visualItemRect(item).height(), 30);
    QTest::mouseClick(d->ListBox1->viewport(), Qt::LeftButton, {},
                      d->ListBox1->visualItemRect(item).center());
    QCOMPARE(visibleGroupBoxes(d), boxes);
}

void TestSettingsDialog::bookSheetSpinBoxesOutOfKeyboardReach() {
    TForm2* d = openDialog();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    d->ListBox1->setCurrentRow(6);
    d->ListBox1->setFocus();
    QSet<QWidget*> reached;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget();
    }
    for (int n = 1; n <= 8; ++n) {
        QVERIFY(!spin(d, n)->isVisible());
        QVERIFY2(!reached.contains(spin(d, n)), qPrintable(QStringLiteral("SpinEdit%1 reached").arg(n)));
    }
    // The walk did go through the visible ones.
    for (int n = 9; n <= 14; ++n)
        QVERIFY2(reached.contains(spin(d, n)), qPrintable(QStringLiteral("SpinEdit%1 not reached").arg(n)));
}

void TestSettingsDialog::cancelKeepsStoredState_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("0, Zrušit") << "0" << false;
    QTest::newRow("1, Zrušit") << "1" << false;
    QTest::newRow("0, close box") << "0" << true;
    QTest::newRow("1, close box") << "1" << true;
    QTest::newRow("other than 1 shows unticked") << "yes" << false;
}

void TestSettingsDialog::cancelKeepsStoredState() {
    QFETCH(QString, stored);
    QFETCH(bool, closeBox);
    writeSetting(QStringLiteral("Zalozky"), QStringLiteral("Legalizace"), stored);
    const QByteArray before = readBytes(DataDir::settingsFile());

    TForm2* d = openDialog();
    QCOMPARE(check(d, 2)->isChecked(), stored == u"1");
    QTest::mouseClick(check(d, 2), Qt::LeftButton, {}, QPoint(6, 10));
    QCOMPARE(check(d, 2)->isChecked(), stored != u"1");
    edit(d, 1)->setText(QStringLiteral("Nový ověřovatel"));
    if (closeBox)
        d->close();
    else
        QTest::mouseClick(d->Button3, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(readBytes(DataDir::settingsFile()), before);

    openDialog();
    QCOMPARE(check(d, 2)->isChecked(), stored == u"1");
    QCOMPARE(edit(d, 1)->text(), QStringLiteral("Zoz Azira"));
}

void TestSettingsDialog::calibrationValues_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("spinEdit");
    QTest::addColumn<QString>("stored"); // "<absent>" removes the key
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("saved");
    QTest::newRow("negative clamped") << "c" << 3 << "-5" << 0 << "0";
    QTest::newRow("too large clamped") << "kz" << 13 << "20000" << 10000 << "10000";
    QTest::newRow("upper limit") << "w" << 8 << "10000" << 10000 << "10000";
    QTest::newRow("plus sign") << "ky" << 14 << "+7" << 7 << "7";
    QTest::newRow("absent key") << "c" << 3 << "<absent>" << 0 << "0";
}

void TestSettingsDialog::calibrationValues() {
    QFETCH(QString, key);
    QFETCH(int, spinEdit);
    QFETCH(QString, stored);
    QFETCH(int, shown);
    QFETCH(QString, saved);
    if (stored == u"<absent>") {
        // Rewrite the file without the key (the store never deletes one).
        QString text = AnsiText::decode(readBytes(DataDir::settingsFile()));
        text.remove(QRegularExpression(QStringLiteral("(?m)^") + key + QStringLiteral("=[^\r\n]*\r\n")));
        QVERIFY(writeBytes(DataDir::settingsFile(), AnsiText::encode(text)));
    } else {
        writeSetting(QStringLiteral("Stitky"), key, stored);
    }
    QCOMPARE(readSetting(QStringLiteral("Stitky"), key), stored);

    TForm2* d = openDialog();
    QCOMPARE(spin(d, spinEdit)->value(), shown);
    QCOMPARE(spin(d, spinEdit)->minimum(), 0);
    QCOMPARE(spin(d, spinEdit)->maximum(), 10000);
    QCOMPARE(spin(d, spinEdit)->toolTip(), QStringLiteral("Pro nápovědu klepněte na ?"));
    pressOk(d);
    QCOMPARE(readSetting(QStringLiteral("Stitky"), key), saved);
    QCOMPARE(m_answers->texts, QStringList{kSaved});
}

void TestSettingsDialog::spinBoxesTakeNoTyping() {
    TForm2* d = openDialog();
    d->ListBox1->setCurrentRow(5);
    QSpinBox* c = spin(d, 3);
    QCOMPARE(c->value(), 47);
    c->setFocus();
    QTest::keyClicks(c, QStringLiteral("9x"));
    QTest::keyClick(c, Qt::Key_Backspace);
    QCOMPARE(c->value(), 47);
    QTest::keyClick(c, Qt::Key_Up);
    QCOMPARE(c->value(), 48);
    QSpinBox* d0 = spin(d, 4);
    QCOMPARE(d0->value(), 0);
    QTest::keyClick(d0, Qt::Key_Down);
    QCOMPARE(d0->value(), 0);
    pressOk(d);
    QCOMPARE(readSetting(QStringLiteral("Stitky"), QStringLiteral("c")), QStringLiteral("48"));
}

void TestSettingsDialog::designationForm_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("saved");
    QTest::newRow("in range") << "3" << 3 << ""
                              << "3";
    QTest::newRow("last form") << "6" << 6 << ""
                               << "6";
    QTest::newRow("above range") << "7" << -1 << ""
                                 << "-1";
    QTest::newRow("negative") << "-2" << -1 << ""
                              << "-1";
    QTest::newRow("not a number") << "tri" << -1 << "'tri' is not a valid integer value"
                                  << "-1";
    QTest::newRow("present but empty") << "" << -1 << "'' is not a valid integer value"
                                       << "-1";
}

void TestSettingsDialog::designationForm() {
    QFETCH(QString, stored);
    QFETCH(int, index);
    QFETCH(QString, error);
    QFETCH(QString, saved);
    writeSetting(QStringLiteral("Cislovani"), QStringLiteral("Tvar"), stored);
    TForm2* d = openDialog();
    QTRY_COMPARE(m_answers->texts, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(d->ComboBox1->count(), 7);
    QVERIFY(!d->ComboBox1->isEditable());
    QCOMPARE(d->ComboBox1->itemText(5), QStringLiteral("pořadí (netisknout rok ani knihu)"));
    QCOMPARE(d->ComboBox1->currentIndex(), index);
    QVERIFY(d->isVisible());
    pressOk(d);
    QCOMPARE(readSetting(QStringLiteral("Cislovani"), QStringLiteral("Tvar")), saved);
}

void TestSettingsDialog::badNumberLoadsEverythingElse() {
    writeSetting(QStringLiteral("Stitky"), QStringLiteral("c"), QStringLiteral("47,5"));
    writeSetting(QStringLiteral("Stitky"), QStringLiteral("kd"), QStringLiteral("x"));
    writeSetting(QStringLiteral("Organizace"), QStringLiteral("Kde"), QStringLiteral("V Lhotě"));
    TForm2* d = openDialog();
    // An earlier show's edits must not survive in the field that fails.
    spin(d, 3)->setValue(33);
    d->hide();
    openDialog();
    const QString report =
        QStringLiteral("'47,5' is not a valid integer value\n'x' is not a valid integer value");
    QTRY_COMPARE(m_answers->texts, (QStringList{report, report}));
    QVERIFY(d->isVisible());
    QCOMPARE(spin(d, 3)->value(), 0);
    QCOMPARE(spin(d, 12)->value(), 0);
    // Keys read after the failing ones are loaded all the same.
    QCOMPARE(spin(d, 4)->value(), 0);
    QCOMPARE(spin(d, 13)->value(), 38);
    QCOMPARE(edit(d, 1)->text(), QStringLiteral("Zoz Azira"));
    QCOMPARE(edit(d, 10)->text(), QStringLiteral("V Lhotě"));
    QVERIFY(d->Button1->isEnabled());
}

void TestSettingsDialog::unreadableFileDisablesOk() {
    TForm2* d = openDialog();
    d->hide();
    const QByteArray saved = readBytes(DataDir::settingsFile());
    QVERIFY(QFile::remove(DataDir::settingsFile()));
    QVERIFY(QDir().mkdir(DataDir::settingsFile())); // exists, cannot be read as a file
    openDialog();
    QTRY_COMPARE(m_answers->texts.size(), 1);
    QVERIFY(!d->Button1->isEnabled());
    d->hide();

    QVERIFY(QDir().rmdir(DataDir::settingsFile()));
    QVERIFY(writeBytes(DataDir::settingsFile(), saved));
    openDialog();
    QVERIFY(d->Button1->isEnabled());
    QCOMPARE(m_answers->texts.size(), 1);
}

void TestSettingsDialog::bookCountersSeeded() {
    // The designation writes its counters with a capital C; a present but
    // empty counter counts as missing.
    writeSetting(QStringLiteral("Knihy"), QStringLiteral("CisloKniha4"), QStringLiteral("57"));
    writeSetting(QStringLiteral("Knihy"), QStringLiteral("cisloKniha5"), QString());
    TForm2* d = openDialog();
    pressOk(d);
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(readSetting(QStringLiteral("Knihy"), QStringLiteral("cisloKniha%1").arg(n)),
                 n == 4 ? QStringLiteral("57") : QStringLiteral("1"));
    const QString section = sectionText(QStringLiteral("Knihy"));
    QCOMPARE(section.count(QStringLiteral("isloKniha4=")), 1);
    QVERIFY(section.contains(QStringLiteral("\r\nCisloKniha4=57\r\n")));
    QVERIFY(section.contains(QStringLiteral("\r\ncisloKniha5=1\r\n")));
}

void TestSettingsDialog::savesEveryValueInOrder() {
    TForm2* d = openDialog();
    for (int n = 1; n <= 8; ++n)
        edit(d, n)->setText(QStringLiteral("Ověřovatel %1").arg(n));
    edit(d, 3)->clear();
    d->ComboBox1->setCurrentIndex(2);
    for (int n = 1; n <= 10; ++n)
        edit(d, 32 + n)->setText(n == 2 ? QString() : QStringLiteral("K%1").arg(n));
    for (int n = 1; n <= 6; ++n) {
        edit(d, 20 + n)->setText(QStringLiteral("Rady %1").arg(n));
        edit(d, 26 + n)->setText(QStringLiteral("Radou %1").arg(n));
    }
    for (int n = 1; n <= 14; ++n)
        spin(d, n)->setValue(100 + n);
    edit(d, 10)->setText(QStringLiteral("V Kocourkově"));
    edit(d, 17)->setText(QStringLiteral("Obec Kocourkov"));
    edit(d, 18)->setText(QStringLiteral("Náměstí 1"));
    edit(d, 19)->setText(QStringLiteral("123 45 Kocourkov"));
    edit(d, 20)->clear();
    QTest::mouseClick(check(d, 1), Qt::LeftButton, {}, QPoint(6, 10));
    QTest::mouseClick(check(d, 5), Qt::LeftButton, {}, QPoint(6, 10));
    pressOk(d);

    // New keys are appended in the order they are written, so the sections
    // show the saving order.
    QString overovatele = QStringLiteral("[Overovatele]\r\n");
    for (int n = 1; n <= 8; ++n)
        overovatele += QStringLiteral("Overovatel%1=%2\r\n")
                           .arg(n)
                           .arg(n == 3 ? QString() : QStringLiteral("Ověřovatel %1").arg(n));
    QCOMPARE(sectionText(QStringLiteral("Overovatele")), overovatele);

    QString knihy = QStringLiteral("[Knihy]\r\n");
    for (int n = 1; n <= 10; ++n)
        knihy +=
            QStringLiteral("Kniha%1=%2\r\n").arg(n).arg(n == 2 ? QString() : QStringLiteral("K%1").arg(n));
    for (int n = 1; n <= 10; ++n)
        knihy += QStringLiteral("cisloKniha%1=1\r\n").arg(n);
    QCOMPARE(sectionText(QStringLiteral("Knihy")), knihy);

    QString dpj = QStringLiteral("[DPJ]\r\n2Organ1=Rady 1\r\n7Organ1=Radou 1\r\n");
    for (int n = 2; n <= 6; ++n)
        dpj += QStringLiteral("2Organ%1=Rady %1\r\n").arg(n);
    for (int n = 2; n <= 6; ++n)
        dpj += QStringLiteral("7Organ%1=Radou %1\r\n").arg(n);
    QCOMPARE(sectionText(QStringLiteral("DPJ")), dpj);

    QCOMPARE(
        sectionText(QStringLiteral("Stitky")),
        QStringLiteral("[Stitky]\r\na=101\r\nb=102\r\nc=103\r\nd=104\r\nz=105\r\ny=106\r\nx=107\r\nw=108\r\n"
                       "ka=109\r\nkb=110\r\nkc=111\r\nkd=112\r\nkz=113\r\nky=114\r\n"));
    const QString organizace = QStringLiteral(
        "[Organizace]\r\nKde=V Kocourkově\r\nOrganizace2pad=Obecního úřadu Zididuzado Dazuz\r\nIC=\r\n"
        "Nazev=Obec Kocourkov\r\nAdresa1=Náměstí 1\r\nAdresa2=123 45 Kocourkov\r\nAdresa3=\r\n");
    QCOMPARE(sectionText(QStringLiteral("Organizace")), organizace);
    // Byte for byte in the 8-bit code page the file has always had.
    QVERIFY(readBytes(DataDir::settingsFile()).contains(AnsiText::encode(organizace)));
    QCOMPARE(readBytes(DataDir::settingsFile()).left(3), QByteArray("[Ap"));

    QCOMPARE(readSetting(QStringLiteral("Cislovani"), QStringLiteral("Tvar")), QStringLiteral("2"));
    QCOMPARE(sectionText(QStringLiteral("Zalozky")),
             QStringLiteral("[Zalozky]\r\nVidimace=0\r\nLegalizace=1\r\nZamer=1\r\nSchvaleni=1\r\n"));
    QCOMPARE(readSetting(QStringLiteral("App"), QStringLiteral("prepare next")), QStringLiteral("0"));
}

void TestSettingsDialog::officeNameAndIdentificationEditable() {
    writeSetting(QStringLiteral("Organizace"), QStringLiteral("IC"), QStringLiteral("00123456"));
    TForm2* d = openDialog();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    QCOMPARE(edit(d, 16)->text(), QStringLiteral("00123456"));
    QCOMPARE(edit(d, 15)->text(), QStringLiteral("Obecního úřadu Zididuzado Dazuz"));

    d->ListBox1->setCurrentRow(2);
    edit(d, 15)->setFocus();
    edit(d, 15)->selectAll();
    typeText(edit(d, 15), QStringLiteral("Městského úřadu Žďár"));
    d->ListBox1->setCurrentRow(1);
    edit(d, 16)->setFocus();
    QTest::keyClick(edit(d, 16), Qt::Key_End);
    QTest::keyClick(edit(d, 16), Qt::Key_Backspace);
    QTest::keyClicks(edit(d, 16), QStringLiteral("7"));
    pressOk(d);
    QCOMPARE(readSetting(QStringLiteral("Organizace"), QStringLiteral("Organizace2pad")),
             QStringLiteral("Městského úřadu Žďár"));
    QCOMPARE(readSetting(QStringLiteral("Organizace"), QStringLiteral("IC")), QStringLiteral("00123457"));
}

void TestSettingsDialog::placementOverMainWindow_data() {
    QTest::addColumn<QPoint>("mainAt");
    QTest::addColumn<bool>("leftClamped");
    QTest::addColumn<bool>("topClamped");
    QTest::newRow("room on both sides") << QPoint(500, 300) << false << false;
    QTest::newRow("left would be negative") << QPoint(100, 300) << true << false;
    QTest::newRow("main window off the top left") << QPoint(-100, -700) << true << true;
}

void TestSettingsDialog::placementOverMainWindow() {
    QFETCH(QPoint, mainAt);
    QFETCH(bool, leftClamped);
    QFETCH(bool, topClamped);
    m_main->move(mainAt);
    TForm2* d = openDialog();
    const QRect frame = m_main->frameGeometry();
    const QRect own = d->frameGeometry();
    // Outer sizes, halved with truncation toward zero (the dialog is the wider).
    const int across = int(std::trunc((frame.width() - own.width()) / 2.0));
    const int down = int(std::trunc((frame.height() - own.height()) / 2.0));
    QVERIFY(across < 0);
    QCOMPARE(own.left(), leftClamped ? 0 : frame.left() + across);
    QCOMPARE(own.top(), topClamped ? 0 : frame.top() + down);
}

void TestSettingsDialog::savedClausesInCzechOrder() {
    restartWithSavedClauses({"Zeman Ota|0|0|1|A|0|1", "Chrudimský Jan|0|0|1|A|0|2", "Čech Adam|0|0|1|A|0|3",
                             "Hora Karel|0|0|1|A|0|4", "Žák Jan|0|0|1|A|0|5", "Cibulka Petr|0|0|1|A|0|6",
                             "adam Eva|0|0|1|A|0|7"});
    TForm2* d = openDialog();
    // ch comes after h, č after c and ž after z; letter case does not lead.
    QCOMPARE(itemTexts(d->ListBox2), (QStringList{"adam Eva", "Cibulka Petr", "Čech Adam", "Hora Karel",
                                                  "Chrudimský Jan", "Zeman Ota", "Žák Jan"}));
    QVERIFY(d->ListBox2->selectedItems().isEmpty());
}

void TestSettingsDialog::deleteSavedClause_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("remaining");
    const QString a = QStringLiteral("Novák Jan, 1.1.1970, Praha|0|0|1|Hlavní 1|0|111");
    const QString b = QStringLiteral("Adam Petr|1|0|1|Dlouhá 2|2|222");
    const QString c = QStringLiteral("Novák Jan, 1.1.1970, Praha|0|1|1|Krátká 3|0|333");
    const QString d = QStringLiteral("Šťastný Ondřej|0|0|1|Řečkovice 4|0|444");
    QTest::newRow("only clause") << QStringList{a} << "Novák Jan, 1.1.1970, Praha" << QStringList{};
    QTest::newRow("same name: first in the file goes")
        << QStringList{a, b, c} << "Novák Jan, 1.1.1970, Praha" << QStringList{b, c};
    QTest::newRow("last in the file") << QStringList{b, a, d} << "Šťastný Ondřej" << QStringList{b, a};
    QTest::newRow("middle one") << QStringList{d, b, a} << "Adam Petr" << QStringList{d, a};
}

void TestSettingsDialog::deleteSavedClause() {
    QFETCH(QStringList, lines);
    QFETCH(QString, name);
    QFETCH(QStringList, remaining);
    restartWithSavedClauses(lines);
    auto namesOf = [](const QStringList& list) {
        QStringList out;
        for (const QString& line : list)
            out << line.section(u'|', 0, 0);
        return out;
    };
    QString expectedText;
    for (const QString& line : remaining)
        expectedText += line + QStringLiteral("\r\n");

    TForm2* d = openDialog();
    d->ListBox1->setCurrentRow(2);
    QCOMPARE(d->ListBox2->count(), lines.size());
    selectSavedClause(d, name);
    QTest::mouseClick(d->Button6, Qt::LeftButton);
    QCOMPARE(m_answers->texts, QStringList()); // no confirmation
    QCOMPARE(readBytes(DataDir::savedClausesFile()), AnsiText::encode(expectedText));
    QCOMPARE(m_main->savedClauses().lines(), remaining);
    QCOMPARE(m_main->savedClauses().names(), namesOf(remaining));
    QStringList shown = itemTexts(d->ListBox2);
    QStringList expectedNames = namesOf(remaining);
    shown.sort();
    expectedNames.sort();
    QCOMPARE(shown, expectedNames);
    QVERIFY(d->ListBox2->selectedItems().isEmpty());

    // "Zrušit" does not bring it back.
    QTest::mouseClick(d->Button3, Qt::LeftButton);
    openDialog();
    QCOMPARE(d->ListBox2->count(), remaining.size());
    QCOMPARE(readBytes(DataDir::savedClausesFile()), AnsiText::encode(expectedText));
}

void TestSettingsDialog::deleteWithoutSelection() {
    restartWithSavedClauses({"Adam Petr|1|0|1|Dlouhá 2|2|222"});
    const QByteArray before = readBytes(DataDir::savedClausesFile());
    TForm2* d = openDialog();
    d->ListBox1->setCurrentRow(2);
    QTest::mouseClick(d->Button6, Qt::LeftButton);
    QCOMPARE(m_answers->texts,
             QStringList{QStringLiteral("Není vybrána žádná uložená doložka. Pokud chcete doložku odstranit, "
                                        "označte jí v seznamu a až poté klikněte na tlačítko smazat.")});
    QVERIFY(d->isVisible());
    QCOMPARE(d->ListBox2->count(), 1);
    QCOMPARE(m_main->savedClauses().size(), 1);
    QCOMPARE(readBytes(DataDir::savedClausesFile()), before);
}

void TestSettingsDialog::deletionThatCannotBeWrittenKeepsClause() {
    restartWithSavedClauses({"Adam Petr|1|0|1|Dlouhá 2|2|222", "Bém Jiří|0|0|1|Nová 5|0|555"});
    TForm2* d = openDialog();
    d->ListBox1->setCurrentRow(2);
    // A directory in the file's place: the rewrite cannot replace it.
    QVERIFY(QFile::remove(DataDir::savedClausesFile()));
    QVERIFY(QDir().mkdir(DataDir::savedClausesFile()));
    selectSavedClause(d, QStringLiteral("Bém Jiří"));
    QTest::mouseClick(d->Button6, Qt::LeftButton);
    QCOMPARE(m_answers->texts.size(), 1);
    QVERIFY2(m_answers->texts.first().startsWith(QStringLiteral("Unable to write to")),
             qPrintable(m_answers->texts.first()));
    QCOMPARE(m_main->savedClauses().names(), (QStringList{"Adam Petr", "Bém Jiří"}));
    QCOMPARE(itemTexts(d->ListBox2), (QStringList{"Adam Petr", "Bém Jiří"}));
    QVERIFY(d->isVisible());
}

void TestSettingsDialog::logoFilterPatterns_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("patterns");
    QTest::newRow("all") << logoFileFilters().at(0) << QStringList{"*.jpg", "*.jpeg"};
    QTest::newRow("jpg") << logoFileFilters().at(1) << QStringList{"*.jpg"};
    QTest::newRow("jpeg") << logoFileFilters().at(2) << QStringList{"*.jpeg"};
    QTest::newRow("blank separated") << "Obrázky (*.jpg *.bmp)" << QStringList{"*.jpg", "*.bmp"};
}

void TestSettingsDialog::logoFilterPatterns() {
    QFETCH(QString, filter);
    QFETCH(QStringList, patterns);
    QCOMPARE(::logoFilterPatterns(filter), patterns);
}

void TestSettingsDialog::logoDialogListsPictures() {
    const QString pictures = m_box->root() + QStringLiteral("/obrazky");
    QVERIFY(QDir().mkpath(pictures));
    for (const char* name : {"znak.jpg", "erb.JPEG", "mapa.png", "poznamky.txt"})
        QVERIFY(writeBytes(pictures + u'/' + QString::fromLatin1(name), "x"));

    TForm2* d = openDialog();
    d->ListBox1->setCurrentRow(4);
    QStringList filters;
    QString selected;
    QStringList listedAll, listedJpeg, listedBack;
    PictureDialogAnswerer answer([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        dialog->setDirectory(pictures);
        (void)QTest::qWaitFor([&] { return listedFiles(dialog).size() >= 2; }, 3000);
        listedAll = listedFiles(dialog);
        // The clerk picks the third entry in the type list, then the first again.
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (types) {
            QTest::keyClick(types, Qt::Key_Down);
            QTest::keyClick(types, Qt::Key_Down);
            (void)QTest::qWaitFor([&] { return listedFiles(dialog).size() == 1; }, 3000);
            listedJpeg = listedFiles(dialog);
            QTest::keyClick(types, Qt::Key_Up);
            QTest::keyClick(types, Qt::Key_Up);
            (void)QTest::qWaitFor([&] { return listedFiles(dialog).size() == 2; }, 3000);
            listedBack = listedFiles(dialog);
        }
        dialog->reject();
    });
    QTest::mouseClick(d->Button5, Qt::LeftButton);
    QVERIFY(answer.seen);
    QCOMPARE(filters,
             (QStringList{"Všechny (*.jpg;*.jpeg;)", "JPEG Image File (*.jpg)", "JPEG Image File (*.jpeg)"}));
    QCOMPARE(selected, QStringLiteral("Všechny (*.jpg;*.jpeg;)"));
    QCOMPARE(listedAll, (QStringList{"erb.JPEG", "znak.jpg"}));
    QCOMPARE(listedJpeg, QStringList{"erb.JPEG"});
    QCOMPARE(listedBack, listedAll);
    QVERIFY(!QFile::exists(DataDir::logoFile()));
}

void TestSettingsDialog::logoChoiceAndCancel() {
    TForm2* d = openDialog();
    QVERIFY(d->Image2->pixmap().isNull());

    PictureDialogAnswerer choose([](QFileDialog* dialog) {
        typeFileName(dialog, testDataPath(QStringLiteral("logo/colour-100x80.jpg")));
    });
    QTest::mouseClick(d->Button5, Qt::LeftButton);
    QVERIFY(choose.seen);
    QVERIFY(QFile::exists(DataDir::logoFile()));
    QCOMPARE(QImage(DataDir::logoFile()).size(), QSize(100, 80));
    QCOMPARE(d->Image2->pixmap().size(), QSize(100, 80));
    const QByteArray logo = readBytes(DataDir::logoFile());

    // Leaving with "Zrušit" keeps the logo; cancelling the picture choice
    // after that changes nothing either.
    QTest::mouseClick(d->Button3, Qt::LeftButton);
    openDialog();
    QCOMPARE(d->Image2->pixmap().size(), QSize(100, 80));
    PictureDialogAnswerer cancel([](QFileDialog* dialog) { dialog->reject(); });
    QTest::mouseClick(d->Button5, Qt::LeftButton);
    QVERIFY(cancel.seen);
    QCOMPARE(readBytes(DataDir::logoFile()), logo);
    QCOMPARE(d->Image2->pixmap().size(), QSize(100, 80));
    QCOMPARE(m_answers->texts, QStringList());
}

void TestSettingsDialog::largeLogoPreviewScaled() {
    JpegFixture fixture;
    fixture.width = 2000;
    fixture.height = 1500;
    fixture.quadrants = {{{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {240, 240, 240}}};
    const QString path = m_box->root() + QStringLiteral("/velke logo.jpg");
    QVERIFY(writeBytes(path, encodeJpeg(fixture)));

    TForm2* d = openDialog();
    PictureDialogAnswerer choose([&](QFileDialog* dialog) { typeFileName(dialog, path); });
    QTest::mouseClick(d->Button5, Qt::LeftButton);
    QCOMPARE(QImage(DataDir::logoFile()).size(), QSize(2000, 1500));
    QCOMPARE(d->Image2->pixmap().size(), QSize(121, 90));
    // Drawn from the top-left corner of the area, not centred.
    QCOMPARE(d->Image2->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

void TestSettingsDialog::undecodableLogoChangesNothing() {
    convertLogo(testDataPath(QStringLiteral("logo/grey-37x23.jpg")), DataDir::logoFile());
    const QByteArray logo = readBytes(DataDir::logoFile());
    TForm2* d = openDialog();
    QCOMPARE(d->Image2->pixmap().size(), QSize(37, 23));

    const QString bad = testDataPath(QStringLiteral("logo/png-renamed.jpg"));
    QString expected;
    try {
        decodeJpeg(bad);
    } catch (const AppError& e) {
        expected = e.message();
    }
    QVERIFY(!expected.isEmpty());
    PictureDialogAnswerer choose([&](QFileDialog* dialog) { typeFileName(dialog, bad); });
    QTest::mouseClick(d->Button5, Qt::LeftButton);
    QCOMPARE(m_answers->texts, QStringList{expected});
    QCOMPARE(readBytes(DataDir::logoFile()), logo);
    QCOMPARE(d->Image2->pixmap().size(), QSize(37, 23));
    QVERIFY(d->isVisible());
}

void TestSettingsDialog::logoDialogPreviewsThePicture_data() {
    QTest::addColumn<QString>("file"); // under the logo fixtures; empty: a large picture made here
    QTest::addColumn<QSize>("shown");  // no size: no picture
    QTest::addColumn<QString>("caption");
    QTest::newRow("colour 100 x 80") << "colour-100x80.jpg" << QSize(100, 80) << "100 × 80";
    QTest::newRow("grey 37 x 23") << "grey-37x23.jpg" << QSize(37, 23) << "37 × 23";
    QTest::newRow("CMYK") << "cmyk-adobe-33x17.jpg" << QSize(33, 17) << "33 × 17";
    QTest::newRow("wide 800 x 300 scaled down") << "" << QSize(200, 75) << "800 × 300";
    QTest::newRow("PNG named .jpg") << "png-renamed.jpg" << QSize() << "Náhled není k dispozici";
    QTest::newRow("truncated") << "truncated.jpg" << QSize() << "Náhled není k dispozici";
}

// The clerk picks a file in the logo's file dialog: the pane beside the list
// shows the picture as the conversion will read it, and the three filter
// entries stay as they are.
void TestSettingsDialog::logoDialogPreviewsThePicture() {
    QFETCH(QString, file);
    QFETCH(QSize, shown);
    QFETCH(QString, caption);
    QString path = testDataPath(QStringLiteral("logo/") + file);
    if (file.isEmpty()) {
        JpegFixture fixture;
        fixture.width = 800;
        fixture.height = 300;
        fixture.quadrants = {{{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {240, 240, 240}}};
        path = m_box->root() + QStringLiteral("/široké logo.jpg");
        QVERIFY(writeBytes(path, encodeJpeg(fixture)));
    }
    TForm2* d = openDialog();
    QStringList filters, captions;
    QSize picture(-1, -1);
    bool beside = false;
    PictureDialogAnswerer answer([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        auto* preview = dialog->findChild<QWidget*>(QStringLiteral("PicturePreview"));
        auto* image = dialog->findChild<QLabel*>(QStringLiteral("PreviewPicture"));
        auto* text = dialog->findChild<QLabel*>(QStringLiteral("PreviewCaption"));
        auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
        if (!preview || !image || !text || !list)
            return;
        captions << text->text(); // nothing is selected yet
        dialog->setDirectory(QFileInfo(path).absolutePath());
        (void)QTest::qWaitFor([&] { return !listedFiles(dialog).isEmpty(); }, 3000);
        // The clerk clicks the file in the list.
        const QModelIndex root = list->rootIndex();
        for (int i = 0; i < list->model()->rowCount(root); ++i) {
            const QModelIndex item = list->model()->index(i, 0, root);
            if (item.data().toString() == QFileInfo(path).fileName())
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
        }
        (void)QTest::qWaitFor([&] { return text->text() != captions.first(); }, 3000);
        captions << text->text();
        picture = image->pixmap().isNull() ? QSize() : image->pixmap().size();
        // The pane stands right of the list (and of the places beside it).
        if (auto* views = dialog->findChild<QWidget*>(QStringLiteral("splitter")))
            beside = preview->isVisible() && views->isVisible() &&
                     preview->geometry().left() >= views->geometry().right() &&
                     preview->geometry().right() < dialog->width();
    });
    QTest::mouseClick(d->Button5, Qt::LeftButton);
    QVERIFY(answer.seen);
    QCOMPARE(filters,
             (QStringList{"Všechny (*.jpg;*.jpeg;)", "JPEG Image File (*.jpg)", "JPEG Image File (*.jpeg)"}));
    QCOMPARE(captions, (QStringList{"(žádný)", caption}));
    QCOMPARE(picture, shown);
    QVERIFY(beside);
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settings_dialog.moc"
