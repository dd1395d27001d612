#include "settings/settings.h"

#include "applicant/SavedClauses.h"
#include "settings/AppError.h"
#include "settings/CalibrationPicture.h"
#include "settings/Conversion.h"
#include "settings/DataDir.h"
#include "settings/LogoConversion.h"
#include "settings/LogoFileDialog.h"
#include "settings/LogoPreview.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"
#include "settings/StepOnlySpinBox.h"
#include "ui/CentredPlacement.h"
#include "ui/Fonts.h"
#include "ui/FormBuilder.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>
#include <optional>

namespace {

constexpr int kClientWidth = 898;
constexpr int kClientHeight = 508;
constexpr int kEditHeight = 21;

struct Place {
    int box;
    QRect rect;
};

// Where each group box stands; its position is set again at every show.
const Place kGroupBoxPlaces[] = {
    {5, {192, 8, 691, 145}},   {9, {192, 170, 691, 118}},  {6, {192, 8, 691, 447}},  {3, {192, 8, 691, 186}},
    {2, {192, 203, 298, 252}}, {10, {503, 203, 380, 252}}, {11, {192, 8, 691, 447}}, {7, {192, 8, 691, 263}},
    {8, {192, 277, 691, 178}}, {1, {192, 8, 691, 447}},    {12, {192, 8, 691, 447}},
};

// The group boxes of each category, by the category's index in ListBox1.
const std::vector<std::vector<int>> kCategoryBoxes = {{5, 9}, {6}, {3, 2, 10}, {11}, {7, 8}, {1}, {12}};

const char* const kLetters[] = {"A", "B", "C", "D", "Z", "Y", "X", "W"};
const int kSpinTops[] = {125, 157, 189, 221, 293, 325, 357, 389};

const QString kCalibrationText = QStringLiteral("Pokud je potřeba zkalibrovat tisk\r\ndoložek na štítky, "
                                                "můžete upravit\r\nparamtery dle obrázku vpravo.\r\n"
                                                "hodnoty rozměrů se udávají v\r\nmilimetrech.");
const QString kSavedMessage =
    QStringLiteral("Nastavení bylo uloženo. Některé změny se projeví při příštím spuštění aplikace.");
const QString kNothingSelectedMessage = QStringLiteral(
    "Není vybrána žádná uložená doložka. Pokud chcete doložku odstranit, označte jí v seznamu a "
    "až poté klikněte na tlačítko smazat.");

QFont arial(int pixels) {
    QFont f = fontOf(Typeface::Arial);
    f.setPixelSize(pixels);
    return f;
}

QFont formFont() {
    QFont f = fontOf(Typeface::MsSansSerif);
    f.setPixelSize(11);
    return f;
}

// Which control edits which setting, in the order the settings are saved.
// Loading reads the same list (every text with the empty default, every
// number with "0").
struct Binding {
    enum Kind { Text, Form, CounterSeed, Length, Flag };
    Kind kind;
    int control; // edit(n), spinEdit(n) or checkBox(n)
    Setting key;
};

const QList<Binding>& bindings() {
    static const QList<Binding> list = [] {
        QList<Binding> b;
        for (int i = 1; i <= Key::kOfficers; ++i)
            b.append({Binding::Text, i, Key::officer(i)});
        b.append({Binding::Form, 0, Key::designationForm()});
        for (int i = 1; i <= Key::kBooks; ++i)
            b.append({Binding::Text, 32 + i, Key::bookText(i)});
        for (int i = 1; i <= Key::kBooks; ++i)
            b.append({Binding::CounterSeed, 0, Key::bookCounter(i)});
        for (int i = 1; i <= Key::kBodies; ++i)
            b.append({Binding::Text, 20 + i, Key::bodyGenitive(i)});
        for (int i = 1; i <= Key::kBodies; ++i)
            b.append({Binding::Text, 26 + i, Key::bodyInstrumental(i)});
        const QList<Setting> lengths = Key::clauseSheet() + Key::bookSheet();
        for (int i = 0; i < lengths.size(); ++i)
            b.append({Binding::Length, i + 1, lengths[i]});
        b.append({Binding::Text, 15, Key::officeGenitive()});
        b.append({Binding::Text, 10, Key::place()});
        b.append({Binding::Text, 16, Key::organisationIc()});
        b.append({Binding::Text, 17, Key::organisationName()});
        b.append({Binding::Text, 18, Key::organisationAddress1()});
        b.append({Binding::Text, 19, Key::organisationAddress2()});
        b.append({Binding::Text, 20, Key::organisationAddress3()});
        for (ClauseKind kind : kClauseKinds)
            b.append({Binding::Flag, int(kind) + 1, Key::tab(kind)});
        b.append({Binding::Flag, 5, Key::prepareNext()});
        return b;
    }();
    return list;
}

QLabel* placedLabel(QWidget* parent, const QString& name, const QString& caption, int x, int y) {
    QLabel* l = Form::label(parent, name, caption);
    l->adjustSize();
    l->move(x, y);
    return l;
}

QLabel* hintLabel(QWidget* parent, const QString& name, const QString& caption, int x, int y) {
    QLabel* l = Form::label(parent, name, caption);
    l->setFont(arial(11));
    l->adjustSize();
    l->move(x, y);
    return l;
}

QPushButton* plainButton(QWidget* parent, const QString& name, const QString& caption, const QString& hint,
                         const QRect& rect) {
    QPushButton* b = Form::button(parent, name, caption, hint);
    // Enter in a text field must not press a button (and save) by surprise.
    b->setAutoDefault(false);
    b->setGeometry(rect);
    Form::showKeysInHint(b);
    return b;
}

} // namespace

TForm2::TForm2(QWidget* main, SavedClauses& savedClauses)
    : QDialog(main, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_main(main),
      m_savedClauses(savedClauses) {
    setObjectName(QStringLiteral("Form2"));
    new CentredPlacement(this, main, true);
    setWindowTitle(QStringLiteral("Nastavení"));
    setFont(formFont());
    setFixedSize(kClientWidth, kClientHeight);
}

void TForm2::setVisible(bool visible) {
    // The controls are made at the first showing: most runs never open the dialog.
    if (visible)
        ensureControls();
    QDialog::setVisible(visible);
}

void TForm2::ensureControls() {
    if (!ListBox1)
        buildControls();
}

void TForm2::buildControls() {
    QLabel* label17 =
        placedLabel(this, QStringLiteral("Label17"), QStringLiteral("Kategorie nastavení:"), 8, 9);
    label17->setFont(arial(13));
    label17->adjustSize();

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFont(arial(13));
    ListBox1->setGeometry(8, 33, 169, 422);
    ListBox1->setUniformItemSizes(true);
    for (const QString& category : categories()) {
        auto* item = new QListWidgetItem(category, ListBox1);
        item->setSizeHint(QSize(0, 30));
    }
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm2::ListBox1Click);

    for (const Place& place : kGroupBoxPlaces) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QStringLiteral("GroupBox%1").arg(place.box));
        box->setFont(arial(13));
        box->setGeometry(place.rect);
        box->hide();
        m_groupBoxes.at(place.box - 1) = box;
    }
    buildGeneral();
    buildOrganisation();
    buildCopyAndLegalization();
    buildBooks();
    buildLegalActs();
    groupBox(1)->setTitle(QStringLiteral("Nastavení tisku štítků"));
    buildCalibration(groupBox(1), 1, 8, 1, "Label20");
    groupBox(12)->setTitle(QStringLiteral("Nastavení tisku štítků do knihy"));
    buildCalibration(groupBox(12), 9, 6, 54, "Label62");
    Label20 = findChild<QLabel*>(QStringLiteral("Label20"));
    Label62 = findChild<QLabel*>(QStringLiteral("Label62"));
    Image1 = groupBox(1)->findChild<CalibrationPicture*>();
    Image1->setObjectName(QStringLiteral("Image1"));
    Image3 = groupBox(12)->findChild<CalibrationPicture*>();
    Image3->setObjectName(QStringLiteral("Image3"));

    Button1 = plainButton(this, QStringLiteral("Button1"), QStringLiteral("&OK"),
                          QStringLiteral("Uloží nastavení a vrátí se do hlavní části programu"),
                          QRect(683, 468, 85, 25));
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    Button3 = plainButton(this, QStringLiteral("Button3"), QStringLiteral("&Zrušit"),
                          QStringLiteral("Vrátí se zpět do hlavní části programu"), QRect(790, 468, 85, 25));
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);

    groupBox(5)->show();
    groupBox(9)->show();
}

TForm2::~TForm2() = default;

const QStringList& TForm2::categories() {
    static const QStringList items = {
        QStringLiteral("Obecné"),
        QStringLiteral("Organizace"),
        QStringLiteral("Vidimace a legalizace"),
        QStringLiteral("Ověřovací knihy"),
        QStringLiteral("Lorvena právního jednání"),
        QStringLiteral("Nastavení tisku doložek"),
        QStringLiteral("Nast. tisku štítků do knihy"),
    };
    return items;
}

void TForm2::buildGeneral() {
    QGroupBox* g5 = groupBox(5);
    g5->setTitle(QStringLiteral("Zobrazovat v záložkách typy doložek"));
    const QString captions[] = {
        QStringLiteral("Vidimace"),
        QStringLiteral("Legalizace"),
        QStringLiteral("Záměr - doložka právního jednání obce"),
        QStringLiteral("Schválení - doložka právního jednání obce"),
    };
    for (int i = 0; i < 4; ++i) {
        QCheckBox* c = Form::check(g5, QStringLiteral("CheckBox%1").arg(i + 1), captions[i]);
        c->setGeometry(16, 26 + i * 27, 400, kEditHeight);
        m_checkBoxes.at(i) = c;
    }

    QGroupBox* g9 = groupBox(9);
    g9->setTitle(QStringLiteral("Další nastavení"));
    QCheckBox* c5 =
        Form::check(g9, QStringLiteral("CheckBox5"),
                    QStringLiteral("Po vytištění šítku označit automaticky další štítek v pořadí"));
    c5->setGeometry(16, 26, 500, kEditHeight);
    m_checkBoxes.at(4) = c5;
}

void TForm2::buildOrganisation() {
    QGroupBox* g = groupBox(6);
    g->setTitle(QStringLiteral("Nastavení organizace"));
    auto field = [&](int n, int y, int width) {
        QLineEdit* e = Form::edit(g, QStringLiteral("Edit%1").arg(n));
        e->setGeometry(16, y, width, kEditHeight);
        m_edits[n] = e;
    };
    placedLabel(g, QStringLiteral("Label24"), QStringLiteral("IČ organizace"), 16, 28);
    field(16, 46, 160);
    placedLabel(g, QStringLiteral("Label26"), QStringLiteral("Název organizace"), 16, 82);
    field(17, 100, 440);
    placedLabel(g, QStringLiteral("Label27"), QStringLiteral("Adresa organizace"), 16, 136);
    field(18, 154, 440);
    hintLabel(g, QStringLiteral("Label33"), QStringLiteral("První řádek adresy "), 16, 177);
    field(19, 198, 440);
    hintLabel(g, QStringLiteral("Label34"), QStringLiteral("Druhý řádek adresy "), 16, 221);
    field(20, 242, 440);
    hintLabel(g, QStringLiteral("Label35"), QStringLiteral("Třetí řádek adresy "), 16, 265);
}

void TForm2::buildCopyAndLegalization() {
    QGroupBox* g3 = groupBox(3);
    g3->setTitle(QStringLiteral("Vidimace a legalizace"));
    placedLabel(g3, QStringLiteral("Label12"), QStringLiteral("Místo podpisu doložky"), 16, 28);
    m_edits[10] = Form::edit(g3, QStringLiteral("Edit10"));
    m_edits[10]->setGeometry(16, 46, 440, kEditHeight);
    hintLabel(g3, QStringLiteral("Label9"), QStringLiteral("Vyplňte například \"V Dudeverodu Zered\""), 16,
              69);
    placedLabel(g3, QStringLiteral("Label22"), QStringLiteral("Podle ověřovací knihy ..."), 16, 104);
    m_edits[15] = Form::edit(g3, QStringLiteral("Edit15"));
    m_edits[15]->setGeometry(16, 122, 440, kEditHeight);

    QGroupBox* g2 = groupBox(2);
    g2->setTitle(QStringLiteral("Ověřovatelé pro vidimaci a legalizaci"));
    placedLabel(g2, QStringLiteral("Label19"), QStringLiteral("Zadejte jména a příjmení ověřovatelů:"), 12,
                24);
    for (int n = 1; n <= 8; ++n) {
        QLineEdit* e = Form::edit(g2, QStringLiteral("Edit%1").arg(n));
        e->setGeometry(12, 44 + (n - 1) * 25, 274, kEditHeight);
        m_edits[n] = e;
    }

    QGroupBox* g10 = groupBox(10);
    g10->setTitle(QStringLiteral("Uložené legalizační doložky"));
    ListBox2 = new QListWidget(g10);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setGeometry(12, 24, 356, 186);
    ListBox2->setUniformItemSizes(true);
    Button6 =
        plainButton(g10, QStringLiteral("Button6"), QStringLiteral("&Smazat"), {}, QRect(12, 218, 85, 25));
    connect(Button6, &QPushButton::clicked, this, &TForm2::Button6Click);
}

void TForm2::buildBooks() {
    QGroupBox* g = groupBox(11);
    g->setTitle(QStringLiteral("Ověřovací knihy"));
    placedLabel(g, QStringLiteral("Label41"), QStringLiteral("Tvar označení vidimace a legalizace:"), 16, 28);
    ComboBox1 =
        Form::dropDown(g, QStringLiteral("ComboBox1"),
                       {QStringLiteral("kniha / pořadí / rok"), QStringLiteral("pořadí / kniha / rok"),
                        QStringLiteral("kniha - pořadí / rok"), QStringLiteral("pořadí - kniha / rok"),
                        QStringLiteral("pořadí / kniha"), QStringLiteral("pořadí (netisknout rok ani knihu)"),
                        QStringLiteral("pořadí / rok / kniha")},
                       0);
    ComboBox1->setGeometry(16, 47, 260, kEditHeight + 2);
    QLabel* hint =
        hintLabel(g, QStringLiteral("Label42"),
                  QStringLiteral("Pokud využíváte více ověřovacích knih, vyberte v jakém tvaru se budou "
                                 "generovat označení vidimace a legalizace."),
                  16, 73);
    hint->setWordWrap(true);
    hint->setGeometry(16, 73, 640, 16);

    placedLabel(g, QStringLiteral("Label43"), QStringLiteral("Označení ověřovacích knih:"), 16, 108);
    for (int i = 0; i < 10; ++i) {
        const int y = 132 + i * 29;
        QLabel* l = placedLabel(g, QStringLiteral("Label%1").arg(44 + i),
                                QStringLiteral("Označení %1. knihy:").arg(i + 1), 16, y + 3);
        l->setFixedWidth(130);
        QLineEdit* e = Form::edit(g, QStringLiteral("Edit%1").arg(33 + i));
        e->setGeometry(150, y, 260, kEditHeight);
        m_edits[33 + i] = e;
    }
}

void TForm2::buildLegalActs() {
    QGroupBox* g7 = groupBox(7);
    g7->setTitle(QStringLiteral("Orgány obce"));
    constexpr int right = 352;
    constexpr int width = 320;
    placedLabel(g7, QStringLiteral("Label28"), QStringLiteral("Orgány obce 2. pád"), 16, 26);
    hintLabel(g7, QStringLiteral("Label30"),
              QStringLiteral("Například: \"Zastupitelstva obce Zididuzado Dazuz\""), 16, 45);
    placedLabel(g7, QStringLiteral("Label29"), QStringLiteral("Orgány obce 7. pád"), right, 26);
    hintLabel(g7, QStringLiteral("Label31"),
              QStringLiteral("Například: \"Zastupitelstvem obce Zididuzado Dazuz\""), right, 45);
    // Created row by row, left then right: that is the keyboard order.
    for (int row = 0; row < 6; ++row) {
        const int y = 68 + row * 30;
        for (int n : {21 + row, 27 + row}) {
            QLineEdit* e = Form::edit(g7, QStringLiteral("Edit%1").arg(n));
            e->setGeometry(n < 27 ? 16 : right, y, width, kEditHeight);
            m_edits[n] = e;
        }
    }

    QGroupBox* g8 = groupBox(8);
    g8->setTitle(QStringLiteral("Logo organizace"));
    Image2 = new QLabel(g8);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(25, 32, 121, 121);
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placedLabel(g8, QStringLiteral("Label32"),
                QStringLiteral("Logo organizace se tiskne na doložky právního jednání."), 216, 29);
    Button5 = plainButton(g8, QStringLiteral("Button5"), QStringLiteral("Vybrat &logo"), {},
                          QRect(216, 51, 103, 25));
    connect(Button5, &QPushButton::clicked, this, &TForm2::Button5Click);
}

void TForm2::buildCalibration(QGroupBox* box, int firstSpin, int spinCount, int firstLabel,
                              const char* textLabel) {
    QLabel* text = Form::label(box, QString::fromLatin1(textLabel), {});
    text->setGeometry(10, 22, 196, 90);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (int i = 0; i < spinCount; ++i) {
        auto* spin = new StepOnlySpinBox(box);
        spin->setObjectName(QStringLiteral("SpinEdit%1").arg(firstSpin + i));
        spin->setRange(0, 10000);
        spin->setSingleStep(1);
        spin->setToolTip(QStringLiteral("Pro nápovědu klepněte na ?"));
        spin->setGeometry(120, kSpinTops[i], 65, kEditHeight + 1);
        m_spinEdits.at(firstSpin + i - 1) = spin;

        QLabel* l = Form::label(box, QStringLiteral("Label%1").arg(firstLabel + i),
                                QString::fromLatin1(kLetters[i]) + QStringLiteral(" [mm]"));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setGeometry(40, kSpinTops[i], 74, kEditHeight + 1);
        l->setBuddy(spin);
    }

    auto* picture = new CalibrationPicture(
        firstSpin == 1 ? CalibrationSheet::Clauses : CalibrationSheet::BookLabels, box);
    picture->setGeometry(208, 9, 481, 436);
}

void TForm2::showEvent(QShowEvent* event) {
    // A window system may show the dialog again on its own (another virtual
    // desktop, say); only our own show reloads, or it would discard edits.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TForm2::FormShow() {
    // Centred over the main window, never off the top-left of the screen.
    CentredPlacement::of(this)->place();

    ListBox1->setCurrentRow(0);
    ListBox1Click();
    for (const Place& place : kGroupBoxPlaces)
        groupBox(place.box)->move(place.rect.topLeft());
    Label20->setText(kCalibrationText);
    Label62->setText(kCalibrationText);

    // A value that does not load is reported once the dialog is up; the
    // dialog still opens with every other value loaded. When the file itself
    // cannot be read, "OK" stays disabled so that stale fields are never
    // written over the settings.
    QStringList problems;
    bool loaded = true;
    try {
        m_settings = std::make_unique<SettingsStore>(DataDir::settingsFile());
        loadSettings(problems);
    } catch (const AppError& e) {
        problems << e.message();
        loaded = false;
    } catch (const std::exception& e) {
        problems << QString::fromLocal8Bit(e.what());
        loaded = false;
    }
    Button1->setEnabled(loaded);
    try {
        loadLogoPreview();
    } catch (const AppError& e) {
        problems << e.message();
    }
    fillSavedClauseList(m_savedClauses.names());

    if (!problems.isEmpty()) {
        const QString text = problems.join(u'\n');
        QTimer::singleShot(0, this, [this, text] { showErrorReport(this, text); });
    }
}

void TForm2::loadSettings(QStringList& problems) {
    SettingsStore& s = *m_settings;
    auto number = [&](const Setting& key) -> std::optional<int> {
        try {
            return key.integer(s, QStringLiteral("0"));
        } catch (const AppError& e) {
            problems << e.message();
            return std::nullopt;
        }
    };
    for (const Binding& b : bindings()) {
        switch (b.kind) {
        case Binding::Text:
            edit(b.control)->setText(b.key.text(s, QString()));
            break;
        case Binding::Form: {
            const std::optional<int> form = number(b.key);
            ComboBox1->setCurrentIndex(form && *form >= 0 && *form < ComboBox1->count() ? *form : -1);
            break;
        }
        case Binding::Length:
            spinEdit(b.control)->setValue(number(b.key).value_or(0));
            break;
        case Binding::Flag:
            checkBox(b.control)->setChecked(b.key.flag(s));
            break;
        case Binding::CounterSeed:
            break;
        }
    }
}

void TForm2::loadLogoPreview() {
    // Without a logo file the preview keeps what it showed.
    const QString path = DataDir::logoFile();
    if (!QFile::exists(path))
        return;
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw AppError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reader.errorString()));
    const QSize shown = logoPreviewSize(picture.size());
    Image2->setPixmap(QPixmap::fromImage(
        shown == picture.size() ? picture
                                : picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void TForm2::fillSavedClauseList(const QStringList& names) {
    // QListWidget's own sorting compares code points; the clerk expects the
    // Czech alphabet (ch after h, č after c). One sort key per name keeps a
    // list of a hundred thousand clauses quick.
    const QCollator collator{QLocale(QLocale::Czech)};
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        keys.emplace_back(collator.sortKey(names[i]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys)
        sorted << names[key.second];
    ListBox2->clear();
    ListBox2->addItems(sorted);
}

void TForm2::ListBox1Click() {
    const int index = ListBox1->currentRow();
    const std::vector<int> none;
    const std::vector<int>& shown =
        index >= 0 && index < int(kCategoryBoxes.size()) ? kCategoryBoxes[index] : none;
    for (const Place& place : kGroupBoxPlaces)
        groupBox(place.box)->setVisible(std::find(shown.begin(), shown.end(), place.box) != shown.end());
}

void TForm2::saveSettings() {
    SettingsStore& s = *m_settings;
    // Every value in one atomic replace of the file.
    SettingsStore::Batch batch(s);
    for (const Binding& b : bindings()) {
        switch (b.kind) {
        case Binding::Text:
            b.key.write(s, edit(b.control)->text());
            break;
        case Binding::Form:
            b.key.write(s, ComboBox1->currentIndex());
            break;
        case Binding::Length:
            b.key.write(s, spinEdit(b.control)->value());
            break;
        case Binding::Flag:
            b.key.writeFlag(s, checkBox(b.control)->isChecked());
            break;
        case Binding::CounterSeed:
            // Every book gets a running order number; an existing one is left alone.
            if (b.key.text(s, QString()).isEmpty())
                b.key.write(s, 1);
            break;
        }
    }
    batch.commit();
}

void TForm2::Button1Click() {
    guarded(this, [this] {
        saveSettings();
        showInfo(this, kSavedMessage);
        accept();
    });
}

void TForm2::Button3Click() {
    reject();
}

void TForm2::Button5Click() {
    const QString chosen = chooseLogoFile(this);
    if (chosen.isEmpty())
        return;
    guarded(this, [&] {
        convertLogo(chosen, DataDir::logoFile());
        loadLogoPreview();
    });
}

void TForm2::Button6Click() {
    const QList<QListWidgetItem*> selected = ListBox2->selectedItems();
    if (selected.isEmpty()) {
        showInfo(this, kNothingSelectedMessage);
        return;
    }
    // The lists are the main window's own, so its search loses the clause at
    // once. When the file cannot be rewritten the clause stays in the lists
    // and in the file, and the list box shows it still.
    SavedClauses& clauses = m_savedClauses;
    const QString name = selected.constFirst()->text();
    guarded(this, [&] { clauses.removeFirstNamed(name); });
    fillSavedClauseList(clauses.names());
}
