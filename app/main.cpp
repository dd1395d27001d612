#include "app/main.h"

#include "LorvenaVersion.h"
#include "about/about.h"
#include "applicant/SavedClauses.h"
#include "book/book.h"
#include "journal/Journal.h"
#include "journal/JournalWindow.h"
#include "printing/PrintSystem.h"
#include "settings/Conversion.h"
#include "settings/DataDir.h"
#include "settings/FirstStart.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"
#include "settings/settings.h"
#include "ui/Artwork.h"
#include "ui/Fonts.h"
#include "ui/FormBuilder.h"
#include "ui/Messages.h"
#include "ui/PositionPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kClientWidth = 371;
constexpr int kClientHeight = 641;

QFont arialBold(int points) {
    QFont f = fontOf(Typeface::Arial, points);
    f.setBold(true);
    return f;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lorvena - software pro tisk doložek"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(fontOf(Typeface::MsSansSerif, 8));
    setWindowIcon(Artwork::windowIcon());
    buildMenu();
    buildControls();
    setUpKeyboard();
    setUpApplicantData();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    guarded(this, [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

SettingsStore& TForm1::settings() {
    if (!m_settings)
        m_settings = std::make_unique<SettingsStore>(DataDir::settingsFile());
    return *m_settings;
}

QPrinter& TForm1::printer() {
    // Made when a command first needs it: the print system may be a server
    // that takes the connection and never answers.
    if (!m_printer)
        m_printer = openSystemPrinter();
    return *m_printer;
}

void TForm1::buildMenu() {
    auto* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto* program = bar->addMenu(QStringLiteral("&Program"));
    auto* help = bar->addMenu(QStringLiteral("&Nápověda"));
    auto add = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    connect(add(program, "Volbatiskrny1", QStringLiteral("Vybrat &tiskárnu")), &QAction::triggered, this,
            &TForm1::Button7Click);
    Nahledtisku1 = add(program, "Nahledtisku1", QStringLiteral("Ná&hled tisku"));
    connect(Nahledtisku1, &QAction::triggered, this, &TForm1::Nahledtisku1Click);
    connect(add(program, "Denik1", QStringLiteral("&Deník vydaných čísel")), &QAction::triggered, this,
            &TForm1::Denik1Click);
    connect(add(program, "Nastaven1", QStringLiteral("&Nastavení")), &QAction::triggered, this,
            &TForm1::Button5Click);
    program->addSeparator();
    connect(add(program, "Ukonit1", QStringLiteral("&Ukončit")), &QAction::triggered, this,
            &TForm1::Button3Click);
    QAction* manual = add(help, "Manulkprogramu1", QStringLiteral("&Manuál k programu"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    connect(manual, &QAction::triggered, this, &TForm1::Manulkprogramu1Click);
    help->addSeparator();
    connect(add(help, "Webovstrnkysnpovdou1", QStringLiteral("&Webové stránky s často kladenými dotazy")),
            &QAction::triggered, this, &TForm1::Webovstrnkysnpovdou1Click);
    help->addSeparator();
    connect(add(help, "Sthnoutnejnovjverziprogramu1", QStringLiteral("&Stáhnout nejnovější verzi programu")),
            &QAction::triggered, this, &TForm1::Sthnoutnejnovjverziprogramu1Click);
    connect(add(help, "Informaceoprogramu1", QStringLiteral("&Informace o programu")), &QAction::triggered,
            this, &TForm1::Informaceoprogramu1Click);
}

void TForm1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    setStatusBar(status);

    // The tab control fills the client area; its page is a frame under the tabs.
    auto* page = new QFrame(client);
    page->setObjectName(QStringLiteral("TabPage"));
    page->setFrameShape(QFrame::StyledPanel);
    page->setGeometry(0, 21, kClientWidth, 600);
    TabControl1 = new QTabBar(client);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setFont(fontOf(Typeface::SegoeUi, 8));
    TabControl1->setDrawBase(false);
    TabControl1->setExpanding(false);
    TabControl1->setGeometry(2, 0, kClientWidth - 4, 22);
    connect(TabControl1, &QTabBar::currentChanged, this, [this] { TabControl1Change(); });

    GroupBox1 = new QGroupBox(QStringLiteral("Nastavení doložky"), client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox2 = new QGroupBox(QStringLiteral("Nastavení doložky"), client);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox3 = new QGroupBox(QStringLiteral("Nastavení doložky"), client);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox4 = new QGroupBox(QStringLiteral("Nastavení doložky"), client);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    for (QGroupBox* box : {GroupBox1, GroupBox2, GroupBox3, GroupBox4}) {
        box->setGeometry(8, 24, 353, 252);
        box->hide();
    }
    buildCopyVerificationBox();
    buildLegalizationBox();
    buildIntentionBox();
    buildApprovalBox();

    // Twelve label positions, two columns of six rows as on the sheet.
    for (int n = 1; n <= 12; ++n) {
        auto* p = new PositionPanel(QString::number(n), 10, client);
        p->setObjectName(QStringLiteral("Panel%1").arg(n));
        const int col = (n % 2 == 1) ? 0 : 1;
        const int rowIndex = (n - 1) / 2;
        p->setGeometry(8 + col * 125, 290 + rowIndex * 53, 121, 49);
        connect(p, &PositionPanel::clicked, this, [this, n] { PanelClick(n); });
        panels[n - 1] = p;
    }

    const int bx = 266;
    Button2 = Form::button(client, QStringLiteral("Button2"), QStringLiteral("&Označit všechny"),
                           QStringLiteral("Označí všechny štítky k tisku"));
    Button2->setGeometry(bx, 290, 97, 27);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    Button4 = Form::button(client, QStringLiteral("Button4"), QStringLiteral("&Vymazat označení"),
                           QStringLiteral("Odznačí všechny štítky k tisku"));
    Button4->setGeometry(bx, 321, 97, 27);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    Button5 = Form::button(client, QStringLiteral("Button5"), QStringLiteral("Na&stavení"),
                           QStringLiteral("Otevře nastavení programu Lorvena"));
    Button5->setGeometry(bx, 370, 97, 27);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    Button7 = Form::button(client, QStringLiteral("Button7"), QStringLiteral("Vy&brat tiskárnu"),
                           QStringLiteral("Umožní vybrat tiskárnu pro tisk štítků"));
    Button7->setGeometry(bx, 401, 97, 27);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    CheckBox1 = Form::check(
        client, QStringLiteral("CheckBox1"), QStringLiteral("&Uložit doložku"),
        QStringLiteral("Pokud zaškrtnete toto pole, legalizační doložka bude po vytištění uložena."));
    CheckBox1->setGeometry(bx, 452, 97, 21);
    CheckBox1->hide();

    Button1 = new QToolButton(client);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setText(QStringLiteral("&TISK"));
    Button1->setToolTip(QStringLiteral("Vytiskne doložky na označené štítky"));
    Button1->setFont(arialBold(12));
    Button1->setGeometry(bx, 478, 97, 64);
    PopupMenu1 = new QMenu(Button1);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    iskttkdoovovacknihy1 = PopupMenu1->addAction(QStringLiteral("&Tisk štítku do ověřovací knihy"));
    iskttkdoovovacknihy1->setObjectName(QStringLiteral("iskttkdoovovacknihy1"));
    connect(iskttkdoovovacknihy1, &QAction::triggered, this, &TForm1::iskttkdoovovacknihy1Click);
    PopupMenu1->addAction(Nahledtisku1);
    connect(Button1, &QToolButton::clicked, this, &TForm1::Button1Click);

    Button3 = Form::button(client, QStringLiteral("Button3"), QStringLiteral("U&končit"),
                           QStringLiteral("Ukončí program"));
    Button3->setGeometry(bx, 550, 97, 56);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);

    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setSingleShot(true);
    // One second after the last change, not up to 5 % earlier.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

void TForm1::buildCopyVerificationBox() {
    QGroupBox* g = GroupBox1;
    using namespace Form;
    auto* l1 = label(g, QStringLiteral("Label1"), QStringLiteral("OVĚŘOVACÍ DOLOŽKA PRO VIDIMACI"), true);
    row(8, 18, {{l1}});

    ComboBox16 = dropDown(g, QStringLiteral("ComboBox16"), {QStringLiteral("bez označení")}, 0);
    connect(ComboBox16, &QComboBox::currentIndexChanged, this, &TForm1::ComboBox16Change);
    row(8, 42,
        {{label(g, QStringLiteral("Label30"), QStringLiteral("Označení ověřovací knihy:"))},
         {ComboBox16, 150}});

    SpinEdit2 =
        spin(g, QStringLiteral("SpinEdit2"), OrderNumbers::kMinNumber, OrderNumbers::kMaxCopyVerification, 1,
             QStringLiteral("Pořadové číslo vidimace v ověřovací knize"));
    SpinEdit5 = spin(g, QStringLiteral("SpinEdit5"), 2010, 2100, 2010, QStringLiteral("Rok vidimace"));
    row(8, 66,
        {{label(g, QStringLiteral("Label3"), QStringLiteral("pořadové číslo vidimace: "))},
         {SpinEdit2, 75},
         {SpinEdit5, 58}});

    ComboBox1 =
        dropDown(g, QStringLiteral("ComboBox1"), {QStringLiteral("úplný/á"), QStringLiteral("částečný/á")}, 0,
                 QStringLiteral("Zvolte, zdali se jedná o úplně nebo částečně vidimovaný dokument."));
    ComboBox2 = dropDown(g, QStringLiteral("ComboBox2"), {QStringLiteral("opis"), QStringLiteral("kopie")}, 1,
                         QStringLiteral("Uveďte, zda je výstup vidimace kopií nebo opisem"));
    row(8, 90,
        {{label(g, QStringLiteral("Label4"), QStringLiteral("tento"))}, {ComboBox1, 95}, {ComboBox2, 70}});

    SpinEdit1 = spin(g, QStringLiteral("SpinEdit1"), 1, 1000000, 1,
                     QStringLiteral("Uveďte počet stran výstupu vidimace"));
    row(8, 114,
        {{label(g, QStringLiteral("Label11"), QStringLiteral("obsahující "))},
         {SpinEdit1, 75},
         {label(g, QStringLiteral("Label12"), QStringLiteral("stran"))}});

    row(8, 138,
        {{label(g, QStringLiteral("Label5"),
                QStringLiteral("souhlasí doslovně s předloženou listinou, z níž byl/a pořízen/a"))}});

    ComboBox3 =
        dropDown(g, QStringLiteral("ComboBox3"),
                 {QStringLiteral("prvopisem"), QStringLiteral("ověřenou vidimovanou listinou"),
                  QStringLiteral("listinou, která je výstupem z autorizované konverze dokumentů"),
                  QStringLiteral("opisem nebo kopií pořízenou ze spisu"),
                  QStringLiteral("stejnopisem písemného vyhotovení rozhodnutí nebo výroku rozhodnutí")},
                 0, QStringLiteral("Uveďte stav vstupního dokumentu vidimace"));
    row(8, 162,
        {{label(g, QStringLiteral("Label6"), QStringLiteral("a tato listina je -"))}, {ComboBox3, 225}});

    SpinEdit3 = spin(g, QStringLiteral("SpinEdit3"), 1, 1000000, 1,
                     QStringLiteral("Uveďte počet stran vstupního dokumentu"));
    ComboBox9 = dropDown(
        g, QStringLiteral("ComboBox9"), {QStringLiteral("neobsahuje"), QStringLiteral("obsahuje")}, 0,
        QStringLiteral("Uveďte, zdali vstupní dokument obsahuje nebo neobsahuje zajišťovací prvek"));
    row(8, 186,
        {{label(g, QStringLiteral("Label7"), QStringLiteral("obsahujícím"))},
         {SpinEdit3, 62},
         {label(g, QStringLiteral("Label8"), QStringLiteral("stran,"))},
         {ComboBox9, 84},
         {label(g, QStringLiteral("Label19"), QStringLiteral("zajišť. prvek."))}},
        3);

    Label9 = label(g, QStringLiteral("Label9"), QString());
    DateTimePicker1 = date(g, QStringLiteral("DateTimePicker1"), QStringLiteral("Zadejte datum vidimace"));
    ComboBox4 = dropDown(g, QStringLiteral("ComboBox4"), {}, -1, QStringLiteral("Vyberte jméno ověřovatele"));
    Label9->setGeometry(8, 213, 110, 17);
    row(121, 210, {{DateTimePicker1, 92}, {ComboBox4, 124}});
}

void TForm1::buildLegalizationBox() {
    QGroupBox* g = GroupBox2;
    using namespace Form;
    row(8, 18,
        {{label(g, QStringLiteral("Label13"), QStringLiteral("OVĚŘOVACÍ DOLOŽKA PRO LEGALIZACI"), true)}});
    ComboBox15 = dropDown(g, QStringLiteral("ComboBox15"), {QStringLiteral("bez označení")}, 0);
    row(8, 40,
        {{label(g, QStringLiteral("Label29"), QStringLiteral("Označení ověřovací knihy:"))},
         {ComboBox15, 130}});
    BitBtn1 = button(g, QStringLiteral("BitBtn1"), QString(),
                     QStringLiteral("Vložit data ze čtečky ověřovatele - eDoklady"));
    BitBtn1->setGeometry(301, 14, 44, 44);
    BitBtn1->setIcon(Artwork::cardReaderIcon());
    BitBtn1->setIconSize(QSize(34, 34));

    SpinEdit4 = spin(g, QStringLiteral("SpinEdit4"), OrderNumbers::kMinNumber, OrderNumbers::kMaxLegalization,
                     1, QStringLiteral("Pořadové číslo legalizace v ověřovací knize"));
    SpinEdit6 = spin(g, QStringLiteral("SpinEdit6"), 0, 2100, 0, QStringLiteral("Rok legalizace"));
    ComboBox5 = dropDown(
        g, QStringLiteral("ComboBox5"),
        {QStringLiteral("vlastnoručně podepsal"), QStringLiteral("uznal podpis na listině za vlastní"),
         QStringLiteral("uznal elektronický podpis na elektronickém dokumentu za vlastní")},
        0,
        QStringLiteral("Vyberte, zdali žadatel listinu podepsal na místě nebo uznal sůvj podpis za vlastní"));
    setDropDownWidth(ComboBox5, 250);
    row(8, 63,
        {{label(g, QStringLiteral("Label15"), QStringLiteral("pořadové číslo: "))},
         {SpinEdit4, 70},
         {SpinEdit6, 52},
         {ComboBox5, 0}});
    ComboBox5->setGeometry(ComboBox5->x(), 63, 345 - ComboBox5->x(), 21);

    row(8, 87,
        {{label(g, QStringLiteral("Label16"),
                QStringLiteral("Jméno, příjmení, datum a místo narození žadatele"))}});
    ComboBox14 = editableCombo(
        g, QStringLiteral("ComboBox14"), {QStringLiteral("Zadejte alespoň tři písmena uložené doložky")},
        QStringLiteral(
            "Pro načtení legalizační doložky doplňte alespoň tři počáteční písmena jména nebo "
            "příjmení osoby s uloženou doložkou a klikněte na šipku pro rozbalení uložených doložek."));
    ComboBox14->setCurrentIndex(-1);
    ComboBox14->setEditText(QString());
    row(8, 106, {{ComboBox14, 337}});

    ComboBox6 = dropDown(g, QStringLiteral("ComboBox6"),
                         {QStringLiteral("adresa místa trvalého pobytu"),
                          QStringLiteral("adresa místa pobytu na území ČR"),
                          QStringLiteral("adresa místa pobytu mimo ČR")},
                         0, QStringLiteral("Vyberte typ adresy pobytu žadatele"));
    RadioButton1 = radio(g, QStringLiteral("RadioButton1"), QStringLiteral("muž"));
    RadioButton2 = radio(g, QStringLiteral("RadioButton2"), QStringLiteral("žena"));
    RadioButton1->setChecked(true);
    row(8, 131, {{ComboBox6, 215}, {RadioButton1, 0}, {RadioButton2, 0}}, 8);

    Edit3 = edit(g, QStringLiteral("Edit3"), QStringLiteral("Zapište adresu pobytu žadatele"));
    row(8, 155, {{Edit3, 337}});
    row(8, 178,
        {{label(g, QStringLiteral("Label17"),
                QStringLiteral("Druh, číslo dokladu, série (pro potřeby ověření)"))}});

    ComboBox7 = dropDown(
        g, QStringLiteral("ComboBox7"),
        {QStringLiteral("občanský průkaz občana ČR"), QString(),
         QStringLiteral("cestovní pas občana ČR - centrálně vydávaný, fialový"),
         QStringLiteral("cestovní pas občana ČR - vydaný okresním úřadem, zelený"),
         QStringLiteral("průkaz o povolení pobytu cizince"), QStringLiteral("občanský průkaz občana EU"),
         QStringLiteral("cestovní pas (cizinec)"), QStringLiteral("identifikační průkaz vydaný MZV ČR")},
        0, QStringLiteral("Vyberte druh dokladu podle kterého se žadatel iddentifikuje"));
    setDropDownWidth(ComboBox7, 290);
    Edit4 = edit(g, QStringLiteral("Edit4"), QStringLiteral("Zadejte číslo dokladu"));
    Edit4->setAutoFillBackground(true);
    Edit1 =
        edit(g, QStringLiteral("Edit1"), QStringLiteral("Zadejte sérii dokladu (pouze pro potřeby ověření)"));
    Button8 = button(g, QStringLiteral("Button8"), QStringLiteral("info"),
                     QStringLiteral("Zobrazí více informací o procesu ověření dokladu."));
    Button8->setEnabled(false);
    row(8, 197, {{ComboBox7, 142}, {Edit4, 94}, {Edit1, 46}, {Button8, 43}});

    Label18 = label(g, QStringLiteral("Label18"), QString());
    DateTimePicker2 =
        date(g, QStringLiteral("DateTimePicker2"), QStringLiteral("Zadejte datum provedení legalizace"));
    ComboBox8 = dropDown(g, QStringLiteral("ComboBox8"), {}, -1, QStringLiteral("Vyberte jméno ověřovatele"));
    Label18->setGeometry(8, 225, 110, 17);
    row(121, 222, {{DateTimePicker2, 92}, {ComboBox8, 124}});

    connect(ComboBox15, &QComboBox::currentIndexChanged, this, &TForm1::ComboBox15Change);
    // Every edit the clerk makes refilters the list. Key releases are not used:
    // while the list is open its popup receives them, not the field.
    connect(ComboBox14->lineEdit(), &QLineEdit::textEdited, this,
            [this] { guarded(this, [this] { ComboBox14KeyUp(0); }); });
    connect(ComboBox14, qOverload<int>(&QComboBox::activated), this, [this] { ComboBox14Select(); });
    connect(ComboBox7, &QComboBox::currentIndexChanged, this, [this] { ComboBox7Change(); });
    connect(Edit4, &QLineEdit::textChanged, this, &TForm1::Edit4Change);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
    connect(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
}

void TForm1::buildIntentionBox() {
    QGroupBox* g = GroupBox3;
    using namespace Form;
    row(8, 18, {{label(g, QStringLiteral("Label2"), QStringLiteral("DOLOŽKA PRÁVNÍHO JEDNÁNÍ OBCE"), true)}});
    ComboBox10 =
        editableCombo(g, QStringLiteral("ComboBox10"),
                      {QStringLiteral("prodat nemovitost specifikovanou v této smlouvě"),
                       QStringLiteral("darovat nemovitost specifikovanou v této smlouvě"),
                       QStringLiteral("směnit nemovitost specifikovanou v této smlouvě"),
                       QStringLiteral("pronajmout nemovitost specifikovanou v této smlouvě"),
                       QStringLiteral("vypůjčit nemovitost specifikovanou v této smlouvě"),
                       QStringLiteral("propachtovat nemovitost specifikovanou v této smlouvě"),
                       QStringLiteral("zřídit právo stavby na nemovitost specifikovanou v této smlouvě")},
                      QStringLiteral("Vyberte záměr obce"));
    ComboBox10->setCurrentIndex(0);
    setDropDownWidth(ComboBox10, 340);
    row(8, 44, {{label(g, QStringLiteral("Label14"), QStringLiteral("Záměr obce"))}, {ComboBox10, 270}});
    Edit2 = edit(g, QStringLiteral("Edit2"), QStringLiteral("Zadejte číslo (označení) záměru obce"));
    row(8, 72, {{label(g, QStringLiteral("Label20"), QStringLiteral("číslo"))}, {Edit2, 120}});
    DateTimePicker3 = date(g, QStringLiteral("DateTimePicker3"),
                           QStringLiteral("Vyberte datum, od kterého byl záměr zveřejněn na úřední desce"));
    row(8, 100,
        {{label(g, QStringLiteral("Label21"), QStringLiteral("byl zveřejněn na úřední desce od"))},
         {DateTimePicker3, 95}});
    DateTimePicker4 = date(g, QStringLiteral("DateTimePicker4"),
                           QStringLiteral("Vyberte datum, do kterého byl záměr zveřejněn na úřední desce"));
    row(8, 128, {{label(g, QStringLiteral("Label22"), QStringLiteral("do"))}, {DateTimePicker4, 95}});
    ComboBox11 = dropDown(g, QStringLiteral("ComboBox11"), {}, -1,
                          QStringLiteral("Vyberte orgán, který tuto smlouvu schválil"));
    row(8, 156,
        {{label(g, QStringLiteral("Label23"), QStringLiteral("Smlvouva schválena"))}, {ComboBox11, 230}});
    DateTimePicker5 = date(g, QStringLiteral("DateTimePicker5"), QStringLiteral("Zadejte datum usnesení"));
    row(8, 184, {{label(g, QStringLiteral("Label24"), QStringLiteral("dne"))}, {DateTimePicker5, 95}});
    Edit5 = edit(g, QStringLiteral("Edit5"),
                 QStringLiteral("Zadejte číslo (označení) usnesení, kterým byla  smlouva schválena"));
    row(8, 212, {{label(g, QStringLiteral("Label25"), QStringLiteral("usnesením č. "))}, {Edit5, 120}});

    connect(DateTimePicker3, &QDateEdit::dateChanged, this, &TForm1::DateTimePicker3Change);
    connect(DateTimePicker4, &QDateEdit::dateChanged, this, &TForm1::DateTimePicker4Change);
}

void TForm1::buildApprovalBox() {
    QGroupBox* g = GroupBox4;
    using namespace Form;
    row(8, 18,
        {{label(g, QStringLiteral("Label10"), QStringLiteral("DOLOŽKA PRÁVNÍHO JEDNÁNÍ OBCE"), true)}});
    ComboBox12 = dropDown(g, QStringLiteral("ComboBox12"),
                          {QStringLiteral("Tato smlouva byla schválena usnesením"),
                           QStringLiteral("Schváleno usnesením"),
                           QStringLiteral("Pověřen k podpisu na základě usnesení")},
                          0, QStringLiteral("Vyberte výrok dle potřeby"));
    row(8, 46, {{ComboBox12, 337}});
    ComboBox13 = dropDown(g, QStringLiteral("ComboBox13"), {}, -1,
                          QStringLiteral("Vyberte orgán, který se na výroku usnesl"));
    row(8, 76, {{ComboBox13, 337}});
    Edit6 = edit(g, QStringLiteral("Edit6"), QStringLiteral("Zadejte číslo usnesení"));
    row(8, 106, {{label(g, QStringLiteral("Label26"), QStringLiteral("číslo usnesení"))}, {Edit6, 150}});
    DateTimePicker6 = date(g, QStringLiteral("DateTimePicker6"),
                           QStringLiteral("Zadejte datum, kdy bylo usnesení přijato"));
    row(8, 136, {{label(g, QStringLiteral("Label27"), QStringLiteral("ze dne"))}, {DateTimePicker6, 95}});
}

void TForm1::FormCreate() {
    firstPrintedNumber = 0;
    Form::setDropDownWidth(ComboBox3, 350);
    Form::setDropDownWidth(ComboBox5, 250);
    Form::setDropDownWidth(ComboBox7, 290);
    Form::setDropDownWidth(ComboBox10, 340);
    DataDir::ensureExists();
    loadSavedClauses();
    SettingsStore& s = settings();

    move(Key::positionLeft().integer(s), Key::positionTop().integer(s));

    const QDate today = QDate::currentDate();
    SpinEdit5->setValue(today.year());
    SpinEdit6->setValue(today.year());
    for (QDateEdit* d : {DateTimePicker1, DateTimePicker2, DateTimePicker4, DateTimePicker5})
        d->setDate(today);
    {
        // Publication ends 15 days after it starts; set the start without the coupling.
        const QSignalBlocker block(DateTimePicker3);
        DateTimePicker3->setDate(today.addDays(-15));
    }
    const QString resolution = Key::approvalNumber().text(s);
    DateTimePicker6->setDate(resolution.isEmpty() ? today : strToDate(Key::approvalDate().text(s)));
    Edit6->setText(resolution);

    writeFirstStartValues(s);

    auto* notice = new QLabel(
        QStringLiteral("© %1 Lorvena verze %2").arg(today.year()).arg(QLatin1String(kLorvenaVersion)),
        statusBar());
    notice->setObjectName(QStringLiteral("StatusPanel1"));
    statusBar()->addWidget(notice, 1);

    {
        const QSignalBlocker block(TabControl1);
        for (ClauseKind kind : kClauseKinds)
            if (Key::tab(kind).flag(s))
                TabControl1->addTab(caption(kind));
        if (TabControl1->count() > 0)
            TabControl1->setCurrentIndex(0);
    }
    TabControl1Change();

    if (Key::prepareNext().flag(s))
        setNextPrinted();

    for (int i = 1; i <= Key::kOfficers; ++i) {
        const QString name = Key::officer(i).text(s);
        if (!name.isEmpty()) {
            ComboBox4->addItem(name);
            ComboBox8->addItem(name);
        }
    }
    for (int i = 1; i <= Key::kBodies; ++i) {
        const QString body = Key::bodyInstrumental(i).text(s);
        if (!body.isEmpty())
            ComboBox11->addItem(body);
    }
    for (int i = 1; i <= Key::kBodies; ++i) {
        const QString body = Key::bodyGenitive(i).text(s);
        if (!body.isEmpty())
            ComboBox13->addItem(body);
    }
    for (QComboBox* c : {ComboBox4, ComboBox8, ComboBox11, ComboBox13})
        c->setCurrentIndex(c->count() > 0 ? 0 : -1);

    {
        const QSignalBlocker b15(ComboBox15);
        const QSignalBlocker b16(ComboBox16);
        for (int i = 1; i <= Key::kBooks; ++i) {
            const QString book = Key::bookText(i).text(s);
            if (book.isEmpty())
                break;
            ComboBox15->addItem(book);
            ComboBox16->addItem(book);
        }
        auto select = [](QComboBox* c, int index) {
            c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
        };
        // The start reads an absent choice as no book.
        select(ComboBox15, Key::chosenBook(ClauseKind::Legalization).integer(s, QStringLiteral("0")));
        select(ComboBox16, Key::chosenBook(ClauseKind::CopyVerification).integer(s, QStringLiteral("0")));
    }
    loadOrderNumber(ComboBox15, SpinEdit4);
    loadOrderNumber(ComboBox16, SpinEdit2);

    const QString place = Key::place().text(s);
    Label9->setText(place);
    Label18->setText(place);
}

QString TForm1::selectedKind() const {
    return TabControl1->currentIndex() >= 0 ? TabControl1->tabText(TabControl1->currentIndex()) : QString();
}

void TForm1::TabControl1Change() {
    const std::optional<ClauseKind> kind = clauseKindOf(selectedKind());
    GroupBox1->setVisible(kind == ClauseKind::CopyVerification);
    GroupBox2->setVisible(kind == ClauseKind::Legalization);
    GroupBox3->setVisible(kind == ClauseKind::Intention);
    GroupBox4->setVisible(kind == ClauseKind::Approval);
    CheckBox1->setVisible(kind == ClauseKind::Legalization);
    const bool split = kind && isNumbered(*kind);
    Button1->setMenu(split ? PopupMenu1 : nullptr);
    Button1->setPopupMode(split ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
}

bool TForm1::isMarked(int position) const {
    return position >= 1 && position <= 12 && panels[position - 1]->isMarked();
}

int TForm1::markedCount() const {
    int n = 0;
    for (const PositionPanel* p : panels)
        n += p->isMarked() ? 1 : 0;
    return n;
}

void TForm1::PanelClick(int position) {
    PositionPanel* p = panels[position - 1];
    p->setMarked(!p->isMarked());
}

void TForm1::Button2Click() {
    for (PositionPanel* p : panels)
        p->setMarked(true);
}

void TForm1::Button4Click() {
    for (PositionPanel* p : panels)
        p->setMarked(false);
}

void TForm1::setNextPrinted() {
    const int last = Key::lastPrinted().integer(settings());
    const int next = last == 12 ? 1 : last + 1;
    if (next >= 1 && next <= 12)
        panels[next - 1]->setMarked(true);
}

void TForm1::Button5Click() {
    if (!Form2)
        return;
    Form2->move(x() + frameGeometry().width() / 2 - Form2->frameGeometry().width() / 2,
                y() + frameGeometry().height() / 2 - Form2->frameGeometry().height() / 2);
    Form2->exec();
}

void TForm1::Button3Click() {
    close();
}

void TForm1::iskttkdoovovacknihy1Click() {
    firstPrintedNumber = 0;
    if (Form5)
        Form5->exec();
}

void TForm1::DateTimePicker3Change() {
    const QDate to = DateTimePicker3->date().addDays(15);
    DateTimePicker4->setDate(to);
    DateTimePicker5->setDate(to);
}

void TForm1::DateTimePicker4Change() {
    DateTimePicker5->setDate(DateTimePicker4->date());
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TForm1::FormClose() {
    guarded(this, [this] {
        Key::positionLeft().write(settings(), x());
        Key::positionTop().write(settings(), y());
    });
}
