// The windows driven with the keyboard alone, as a clerk without a mouse would.
#include "StandInService.h"
#include "TestSupport.h"
#include "UiSupport.h"

#include "about/about.h"
#include "settings/SettingsCatalogue.h"
#include "settings/settings.h"

#include <QDesktopServices>
#include <QListWidget>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <functional>
#include <map>

namespace {

QWidget* focused() {
    return QApplication::focusWidget();
}

QString focusedName() {
    return focused() ? focused()->objectName() : QStringLiteral("<none>");
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = focused() ? focused() : QApplication::activeWindow();
    QTest::keyClick(target, key, modifiers);
}

// Presses Tab until the focus is on a widget that `wanted` accepts; the
// number of presses, or -1 when `limit` presses do not get there.
int tabUntil(const std::function<bool(QWidget*)>& wanted, int limit = 60) {
    for (int n = 1; n <= limit; ++n) {
        press(Qt::Key_Tab);
        if (focused() && wanted(focused()))
            return n;
    }
    return -1;
}

int tabTo(const QString& name, int limit = 60) {
    return tabUntil([&](QWidget* w) { return w->objectName() == name; }, limit);
}

bool isPanel(QWidget* w) {
    return qobject_cast<PositionPanel*>(w) != nullptr;
}

QList<int> markedPositions(TForm1& f) {
    QList<int> out;
    for (int n = 1; n <= 12; ++n)
        if (f.isMarked(n))
            out << n;
    return out;
}

// Closes a modal window that a failed step left open, so that the test ends
// with a failure instead of hanging in the window's loop.
struct RejectOnExit {
    QDialog* dialog;
    ~RejectOnExit() {
        if (dialog->isVisible())
            dialog->reject();
    }
};

// Runs `driver` once `ready` holds, from inside whatever loop is running then
// (a modal window's or a menu's).
void whenReady(QObject* owner, std::function<bool()> ready, std::function<void()> driver) {
    auto* poll = new QTimer(owner);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, owner, [poll, ready, driver] {
        if (!ready())
            return;
        poll->stop();
        poll->deleteLater();
        driver();
    });
    poll->start();
}

// Runs `driver` inside the modal loop of `dialog` once it is up (whether it
// opens at once or after a button's short pressed look).
void whenModal(QDialog* dialog, std::function<void()> driver) {
    whenReady(
        dialog, [dialog] { return QApplication::activeModalWidget() == dialog; }, std::move(driver));
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

// The Alt letters of the captions among `buttons` and `extra`, each with the
// captions that use it.
std::map<QString, QStringList> mnemonicUse(const QList<QAbstractButton*>& buttons, const QStringList& extra) {
    std::map<QString, QStringList> use;
    QStringList captions = extra;
    for (QAbstractButton* b : buttons)
        captions << b->text();
    for (const QString& c : captions) {
        const QKeySequence key = QKeySequence::mnemonic(c);
        if (!key.isEmpty())
            use[key.toString()] << c;
    }
    return use;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        // The manual page that F1 may write goes to a folder of the test's own.
        m_cache.reset(new QTemporaryDir);
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache->path()));
    }
    void positionPanels();
    void focusFrameLeavesTheMarkAlone();
    void mainWindowCommands();
    void printBookLabelAndSettingsByKeyboard();
    void captionsHintsAndMnemonics_data();
    void captionsHintsAndMnemonics();
    void noMnemonicClashes();

private:
    std::unique_ptr<QTemporaryDir> m_cache;
};

void TestKeyboard::positionPanels() {
    AppDataSandbox box;
    auto f = createWindows();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));

    // The sheet is one Tab stop, entered at its first position.
    const int presses = tabUntil(isPanel);
    QVERIFY2(presses > 0, "Tab never reaches the position panels");
    QCOMPARE(focusedName(), QStringLiteral("Panel1"));

    // The arrows move on the sheet as it lies: odd positions left, even right.
    struct Step {
        Qt::Key key;
        const char* focus;
    };
    const Step walk[] = {
        {Qt::Key_Right, "Panel2"}, {Qt::Key_Right, "Panel2"}, {Qt::Key_Down, "Panel4"},
        {Qt::Key_Left, "Panel3"},  {Qt::Key_Left, "Panel3"},  {Qt::Key_Up, "Panel1"},
        {Qt::Key_Up, "Panel1"},    {Qt::Key_End, "Panel12"},  {Qt::Key_Down, "Panel12"},
        {Qt::Key_Up, "Panel10"},   {Qt::Key_Left, "Panel9"},  {Qt::Key_Home, "Panel1"},
    };
    for (const Step& s : walk) {
        press(s.key);
        QCOMPARE(focusedName(), QString::fromLatin1(s.focus));
    }

    // Space toggles the focused mark, as a click does; the others stay.
    QCOMPARE(markedPositions(*f), QList<int>{1});
    press(Qt::Key_Space);
    QCOMPARE(markedPositions(*f), QList<int>{});
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Space);
    QCOMPARE(markedPositions(*f), QList<int>{4});
    press(Qt::Key_Space);
    press(Qt::Key_Space);
    QCOMPARE(markedPositions(*f), QList<int>{4});

    // Tab leaves the sheet at once; Shift+Tab comes back to where the clerk was.
    press(Qt::Key_Tab);
    QCOMPARE(focusedName(), QStringLiteral("Button2"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusedName(), QStringLiteral("Panel4"));
    // A click also makes the panel the sheet's Tab stop.
    QTest::mouseClick(panel(*f, 7), Qt::LeftButton);
    QCOMPARE(markedPositions(*f), (QList<int>{4, 7}));
    QCOMPARE(focusedName(), QStringLiteral("Panel7"));
    press(Qt::Key_Tab);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusedName(), QStringLiteral("Panel7"));
}

void TestKeyboard::focusFrameLeavesTheMarkAlone() {
    AppDataSandbox box;
    auto f = createWindows();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    for (int n : {1, 2}) { // position 1 is marked at the first start, 2 is not
        PositionPanel* p = panel(*f, n);
        child<QPushButton>(f, "Button2")->setFocus();
        const QImage before = p->grab().toImage();
        p->setFocus(Qt::TabFocusReason);
        const QImage focusedLook = p->grab().toImage();
        QVERIFY2(focusedLook != before, "the focused panel looks as before");
        // Only a thin frame inside the bevel changes: the colour of the mark stays.
        QCOMPARE(focusedLook.pixelColor(p->width() / 2, 8), before.pixelColor(p->width() / 2, 8));
        QCOMPARE(focusedLook.pixelColor(1, 1), before.pixelColor(1, 1));
        child<QPushButton>(f, "Button2")->setFocus();
        QCOMPARE(p->grab().toImage(), before);
    }
}

void TestKeyboard::mainWindowCommands() {
    AppDataSandbox box;
    StandInService site;
    QVERIFY(site.listening());
    writeSettings({"[Web]", "Server=" + site.base()});
    auto f = createWindows();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    auto* tabs = child<QTabBar>(f, "TabControl1");

    // Ctrl+Tab and Ctrl+Shift+Tab go round the clause tabs.
    const QList<std::pair<Qt::KeyboardModifiers, int>> switches = {
        {Qt::ControlModifier, 1},
        {Qt::ControlModifier, 2},
        {Qt::ControlModifier, 3},
        {Qt::ControlModifier, 0},
        {Qt::ControlModifier | Qt::ShiftModifier, 3},
        {Qt::ControlModifier | Qt::ShiftModifier, 2},
    };
    for (const auto& [modifiers, index] : switches) {
        press(modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab, modifiers);
        QCOMPARE(tabs->currentIndex(), index);
    }
    QVERIFY(!child<QGroupBox>(f, "GroupBox3")->isHidden());
    press(Qt::Key_Tab, Qt::ControlModifier);
    press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(!child<QGroupBox>(f, "GroupBox1")->isHidden());

    // Alt with the underlined letter presses the button (shown pressed for a moment first).
    press(Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(f->markedCount(), 12);
    press(Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(f->markedCount(), 0);
    press(Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(f->markedCount(), 12);

    // Alt+P and Alt+N open the two menus.
    auto* bar = f->menuBar();
    const QList<QAction*> menus = bar->actions();
    QCOMPARE(menus.size(), 2);
    for (int i = 0; i < 2; ++i) {
        press(i == 0 ? Qt::Key_P : Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(menus[i]->menu()->isVisible());
        QTest::keyClick(menus[i]->menu(), Qt::Key_Escape);
        QTRY_VERIFY(!menus[i]->menu()->isVisible());
        QTest::keyClick(bar, Qt::Key_Escape);
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    }

    // The arrow down on "TISK" opens its drop-down, whose item opens the book-label window.
    QVERIFY(tabTo(QStringLiteral("Button1")) > 0);
    auto* popup = child<QMenu>(f, "PopupMenu1");
    TForm5* book = f->Form5;
    bool bookShown = false;
    whenReady(
        popup, [popup] { return QApplication::activePopupWidget() == popup; },
        [popup] { QTest::keyClick(popup, Qt::Key_T); });
    whenModal(book, [&] {
        bookShown = true;
        book->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), book);
        press(Qt::Key_Z, Qt::AltModifier);
    });
    press(Qt::Key_Down);
    QTRY_VERIFY(bookShown);
    QTRY_VERIFY(!book->isVisible());

    // F1 opens the manual at the address of "Manuál k programu" while the site answers.
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    press(Qt::Key_F1);
    QTRY_COMPARE(catcher.urls, QList<QUrl>{QUrl(site.base() + "/files/lorvena-manual.pdf")});
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void TestKeyboard::printBookLabelAndSettingsByKeyboard() {
    AppDataSandbox box;
    QTemporaryDir out;
    auto f = createWindows();
    f->printer().setOutputFormat(QPrinter::PdfFormat);
    f->printer().setOutputFileName(out.filePath("tisk.pdf"));
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    MessageBoxAnswerer answerer;

    // Mark position 5 instead of the preselected 1.
    QVERIFY(tabUntil(isPanel) > 0);
    press(Qt::Key_Space);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Space);
    QCOMPARE(markedPositions(*f), QList<int>{5});

    // Enter in a field does not print.
    QVERIFY(tabTo(QStringLiteral("SpinEdit1")) > 0);
    press(Qt::Key_Return);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!QFile::exists(out.filePath("tisk.pdf")));
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 1);

    // Ctrl+P prints; the book-label window that follows is worked by keyboard too.
    TForm5* book = f->Form5;
    bool bookDone = false;
    whenModal(book, [&] {
        RejectOnExit guard{book};
        QTRY_VERIFY(book->isVisible() && QApplication::activeModalWidget() == book);
        book->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), book);
        QVERIFY(QFile::exists(out.filePath("tisk.pdf")));
        QVERIFY(tabUntil([book](QWidget* w) { return isPanel(w) && w->window() == book; }) > 0);
        QCOMPARE(focusedName(), QStringLiteral("Panel1"));
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        press(Qt::Key_Space);
        QCOMPARE(book->markedPosition(), 3);
        auto* bookTabs = child<QTabBar>(book, "TabControl1");
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(bookTabs->currentIndex(), 1);
        press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(bookTabs->currentIndex(), 0);
        // Without the kind of document the record is refused and the cursor
        // waits in that field; typed in, Ctrl+P prints and closes the window.
        press(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(answerer.texts.size(), 1);
        QCOMPARE(book->focusWidget()->objectName(), QStringLiteral("Edit2"));
        // The test platform does not give the window back its activation after a message box.
        book->activateWindow();
        QTRY_COMPARE(focusedName(), QStringLiteral("Edit2"));
        QTest::keyClicks(focused(), QStringLiteral("Vypis z katastru"));
        press(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!book->isVisible());
        bookDone = true;
    });
    press(Qt::Key_P, Qt::ControlModifier);
    QTRY_VERIFY2(bookDone, qPrintable(answerer.texts.join(u'|')));
    f->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), f.get());
    QCOMPARE(readSetting("App", "last printed"), QStringLiteral("5"));
    QCOMPARE(readSetting("App", "last printed kniha"), QStringLiteral("3"));
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 2);
    QCOMPARE(markedPositions(*f), QList<int>{6});

    // Alt+S opens the settings; a category is chosen with the arrows, a value
    // typed, and Alt+O saves it.
    TForm2* settings = f->Form2;
    bool settingsDone = false;
    whenModal(settings, [&] {
        RejectOnExit guard{settings};
        settings->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), settings);
        if (focusedName() != QStringLiteral("ListBox1"))
            QVERIFY(tabTo(QStringLiteral("ListBox1")) > 0);
        press(Qt::Key_Down);
        QCOMPARE(settings->ListBox1->currentItem()->text(), QStringLiteral("Organizace"));
        QVERIFY(tabTo(QStringLiteral("Edit16")) > 0);
        QTest::keyClicks(focused(), QStringLiteral("00123456"));
        press(Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(!settings->isVisible());
        settingsDone = true;
    });
    press(Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(settingsDone);
    QTRY_VERIFY(!settings->isVisible());
    f->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), f.get());
    QCOMPARE(Key::organisationIc().text(SettingsStore(DataDir::settingsFile())), QStringLiteral("00123456"));

    // Alt+Z leaves the settings without saving.
    settingsDone = false;
    whenModal(settings, [&] {
        RejectOnExit guard{settings};
        settings->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), settings);
        QVERIFY(tabTo(QStringLiteral("CheckBox1")) > 0);
        press(Qt::Key_Space);
        press(Qt::Key_Z, Qt::AltModifier);
        QTRY_VERIFY(!settings->isVisible());
        settingsDone = true;
    });
    press(Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(settingsDone);
    QTRY_VERIFY(!settings->isVisible());
    QCOMPARE(readSetting("Zalozky", "Vidimace"), QStringLiteral("1"));
    // The refused record and the saved settings; leaving without saving says nothing.
    QCOMPARE(answerer.texts.size(), 2);
    QVERIFY(answerer.texts[1].startsWith(QStringLiteral("Nastavení bylo uloženo.")));
}

void TestKeyboard::captionsHintsAndMnemonics_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("mark all") << "Form1"
                              << "Button2"
                              << "Označit všechny"
                              << "Označí všechny štítky k tisku (Alt+O)";
    QTest::newRow("clear marks") << "Form1"
                                 << "Button4"
                                 << "Vymazat označení"
                                 << "Odznačí všechny štítky k tisku (Alt+V)";
    QTest::newRow("settings") << "Form1"
                              << "Button5"
                              << "Nastavení"
                              << "Otevře nastavení programu Lorvena (Alt+S)";
    QTest::newRow("printer") << "Form1"
                             << "Button7"
                             << "Vybrat tiskárnu"
                             << "Umožní vybrat tiskárnu pro tisk štítků (Alt+B)";
    QTest::newRow("save clause")
        << "Form1"
        << "CheckBox1"
        << "Uložit doložku"
        << "Pokud zaškrtnete toto pole, legalizační doložka bude po vytištění uložena. (Alt+U)";
    QTest::newRow("print") << "Form1"
                           << "Button1"
                           << "TISK"
                           << "Vytiskne doložky na označené štítky (Ctrl+P)";
    QTest::newRow("quit") << "Form1"
                          << "Button3"
                          << "Ukončit"
                          << "Ukončí program (Alt+K)";
    QTest::newRow("book print") << "Form5"
                                << "Button1"
                                << "TISK"
                                << "Ctrl+P";
    QTest::newRow("book close") << "Form5"
                                << "Button2"
                                << "Zavřít"
                                << "Zavře okno pro tisk štítku do ověřovací knihy (Alt+Z)";
    QTest::newRow("settings OK") << "Form2"
                                 << "Button1"
                                 << "OK"
                                 << "Uloží nastavení a vrátí se do hlavní části programu (Alt+O)";
    QTest::newRow("settings cancel") << "Form2"
                                     << "Button3"
                                     << "Zrušit"
                                     << "Vrátí se zpět do hlavní části programu (Alt+Z)";
    QTest::newRow("delete clause") << "Form2"
                                   << "Button6"
                                   << "Smazat"
                                   << "Alt+S";
    QTest::newRow("choose logo") << "Form2"
                                 << "Button5"
                                 << "Vybrat logo"
                                 << "Alt+L";
}

void TestKeyboard::captionsHintsAndMnemonics() {
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    AppDataSandbox box;
    auto f = createWindows();
    f->Form2->ensureControls();
    f->Form5->ensureControls();
    QObject* w =
        window == QLatin1String("Form1") ? static_cast<QObject*>(f.get()) : f->findChild<QObject*>(window);
    QVERIFY(w);
    auto* b = child<QAbstractButton>(w, button.toLatin1().constData());
    QVERIFY(b);
    QCOMPARE(shownCaption(b), caption);
    QCOMPARE(b->toolTip(), hint);
}

void TestKeyboard::noMnemonicClashes() {
    AppDataSandbox box;
    auto f = createWindows();
    f->Form2->ensureControls();
    f->Form3->ensureControls();
    f->Form5->ensureControls();
    QStringList menuTitles;
    for (QAction* a : f->menuBar()->actions())
        menuTitles << a->text();
    QCOMPARE(menuTitles, (QStringList{"&Program", "&Nápověda"}));

    struct Scope {
        const char* name;
        QWidget* window; // its buttons are one scope; none for a menu
        QStringList captions;
    };
    QList<Scope> scopes = {
        {"main window", f.get(), menuTitles},
        {"book window", f->Form5, {}},
        {"settings", f->Form2, {}},
        {"about box", f->Form3, {}},
    };
    // Every menu is a scope of its own.
    for (QMenu* m : f->findChildren<QMenu*>()) {
        QStringList items;
        for (QAction* a : m->actions())
            if (!a->isSeparator())
                items << a->text();
        scopes.append({"menu", nullptr, items});
    }
    for (const Scope& s : scopes) {
        // The main window owns the other windows; only its own buttons count for it.
        QList<QAbstractButton*> own;
        if (s.window)
            for (QAbstractButton* b : s.window->findChildren<QAbstractButton*>())
                if (b->window() == s.window)
                    own << b;
        int used = 0;
        for (const auto& [key, captions] : mnemonicUse(own, s.captions)) {
            QVERIFY2(
                captions.size() == 1,
                qPrintable(
                    QStringLiteral("%1: %2 for %3").arg(QLatin1String(s.name), key, captions.join(", "))));
            ++used;
        }
        QVERIFY2(used > 0, s.name);
    }
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
