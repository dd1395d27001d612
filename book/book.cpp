#include "book/book.h"

#include "book/BookDesignation.h"
#include "book/BookFees.h"
#include "book/BookLabel.h"
#include "book/BookRecordChecks.h"
#include "book/BookRecordFill.h"
#include "book/BookWindowSource.h"
#include "clauses/SheetPreview.h"
#include "preview/PreviewWindow.h"
#include "printing/Pen.h"
#include "printing/PrintJob.h"
#include "printing/SheetGeometry.h"
#include "printing/SheetRecorder.h"
#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"
#include "ui/Fonts.h"
#include "ui/FormBuilder.h"
#include "ui/Keyboard.h"
#include "ui/Messages.h"
#include "ui/PositionPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabBar>
#include <utility>

namespace {

constexpr int kClientWidth = 358;
constexpr int kClientHeight = 641;
constexpr int kFieldWidth = 330;

QFont arial(int points, bool bold = false) {
    QFont f = fontOf(Typeface::Arial, points);
    f.setBold(bold);
    return f;
}

// The range row of item 1: Od [first] do [last] tj. [count] ks. doložek.
void rangeRow(QGroupBox* g, int y, const char* labels[4], QSpinBox* first, QSpinBox* last, QSpinBox* count) {
    using namespace Form;
    row(8, y,
        {{label(g, QString::fromLatin1(labels[0]), QStringLiteral("Od"))},
         {first, 70},
         {label(g, QString::fromLatin1(labels[1]), QStringLiteral("do"))},
         {last, 70},
         {label(g, QString::fromLatin1(labels[2]), QStringLiteral("tj."))},
         {count, 45},
         {label(g, QString::fromLatin1(labels[3]), QStringLiteral("ks. doložek."))}});
}

} // namespace

template <typename F> void TForm5::handle(F&& handler) {
    ++m_handlerDepth;
    try {
        std::forward<F>(handler)();
    } catch (...) {
        if (!m_pendingError)
            m_pendingError = std::current_exception();
    }
    if (--m_handlerDepth == 0 && m_pendingError) {
        const std::exception_ptr error = std::exchange(m_pendingError, nullptr);
        try {
            std::rethrow_exception(error);
        } catch (...) {
            reportCurrentException(this);
        }
    }
}

TForm5::TForm5(QWidget* parent, SettingsStore& settings, std::function<QPrinter&()> printer,
               std::function<BookWindowSource()> source)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_settings(settings), m_printer(std::move(printer)), m_source(std::move(source)) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Lorvena - tisk štítku do ověřovací knihy"));
    setFont(fontOf(Typeface::Tahoma, 8));
    setFixedSize(kClientWidth, kClientHeight);
    guarded(parent, [this] { FormCreate(); });
}

void TForm5::setVisible(bool visible) {
    // The controls are made at the first showing: many runs never open the window.
    if (visible)
        ensureControls();
    QDialog::setVisible(visible);
}

void TForm5::ensureControls() {
    if (!TabControl1)
        buildControls();
}

void TForm5::buildControls() {
    // The tab strip fills the window; its page is a frame under the tabs.
    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("TabPage"));
    page->setFrameShape(QFrame::StyledPanel);
    page->setGeometry(0, 21, kClientWidth, kClientHeight - 21);
    TabControl1 = new QTabBar(this);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setDrawBase(false);
    TabControl1->setExpanding(false);
    TabControl1->addTab(caption(ClauseKind::CopyVerification));
    TabControl1->addTab(caption(ClauseKind::Legalization));
    TabControl1->setGeometry(2, 0, kClientWidth - 4, 22);

    GroupBox1 = new QGroupBox(QStringLiteral("Nastavení štítku vidmace do ověřovací knihy"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox2 = new QGroupBox(QStringLiteral("Nastavení štítku legalizace do ověřovací knihy"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    for (QGroupBox* box : {GroupBox1, GroupBox2}) {
        box->setFont(arial(8));
        box->setGeometry(6, 24, 344, 400);
    }
    buildCopyVerificationBox();
    buildLegalizationBox();
    GroupBox2->hide();
    // A typed number counts once the clerk has finished it (Enter, leaving the
    // box, the arrows); otherwise its first digit alone would already move
    // the other boxes of the range.
    for (QSpinBox* s : findChildren<QSpinBox*>())
        s->setKeyboardTracking(false);

    for (int n = 1; n <= 6; ++n) {
        auto* p = new PositionPanel(QString::number(n), 10, this);
        p->setObjectName(QStringLiteral("Panel%1").arg(n));
        p->setCaptionPixelSize(13);
        p->setGeometry(8, 429 + (n - 1) * 33, 239, 31);
        connect(p, &PositionPanel::clicked, this, [this, n] { PanelClick(n); });
        panels[n - 1] = p;
    }

    Button1 = Form::button(this, QStringLiteral("Button1"), QStringLiteral("&TISK"));
    Button1->setFont(arial(12, true));
    Button1->setGeometry(253, 521, 97, 49);
    Button2 = Form::button(this, QStringLiteral("Button2"), QStringLiteral("&Zavřít"),
                           QStringLiteral("Zavře okno pro tisk štítku do ověřovací knihy"));
    Button2->setGeometry(253, 576, 97, 49);
    Button3 = Form::button(this, QStringLiteral("Button3"), QStringLiteral("&Náhled"),
                           QStringLiteral("Ukáže štítek tak, jak se vytiskne"));
    Button3->setGeometry(253, 466, 97, 49);
    // Enter in a field must not print a label by accident.
    for (QPushButton* b : {Button1, Button2, Button3}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    linkPositionGrid(panels, 1);
    // The same keys as in the main window: Ctrl+P prints, Ctrl+Tab changes the tab.
    const QKeySequence print(Qt::CTRL | Qt::Key_P);
    connect(new QShortcut(print, this), &QShortcut::activated, Button1, &QPushButton::click);
    Form::showKeysInHint(Button1, print);
    Form::showKeysInHint(Button2);
    stepTabsWithCtrlTab(this, TabControl1);

    connect(TabControl1, &QTabBar::currentChanged, this, &TForm5::TabControl1Change);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
}

void TForm5::buildCopyVerificationBox() {
    QGroupBox* g = GroupBox1;
    using namespace Form;
    row(8, 18, {{label(g, QStringLiteral("Label1"), QStringLiteral("1. Pořadové číslo"))}});
    SpinEdit1 =
        spin(g, QStringLiteral("SpinEdit1"), 1, 99999, 1, QStringLiteral("První pořadové číslo vidimace"));
    SpinEdit2 = spin(g, QStringLiteral("SpinEdit2"), 1, 99999, 1,
                     QStringLiteral("Poslední pořadové číslo jednoho žadatele"));
    SpinEdit3 =
        spin(g, QStringLiteral("SpinEdit3"), 1, 12, 1, QStringLiteral("Počet vidimací jednoho žadatele"));
    const char* labels[4] = {"Label2", "Label3", "Label4", "Label6"};
    rangeRow(g, 37, labels, SpinEdit1, SpinEdit2, SpinEdit3);

    row(8, 64, {{label(g, QStringLiteral("Label5"), QStringLiteral("2. Datum provedení vidimace"))}});
    DateTimePicker1 = date(g, QStringLiteral("DateTimePicker1"), QStringLiteral("Datum provedení vidimace"));
    row(8, 82, {{DateTimePicker1, 100}});

    row(8, 110,
        {{label(g, QStringLiteral("Label7"),
                QStringLiteral("8. Vidimovaná list. se doslova shoduje s list., z níž byla pořízena"))}});
    row(8, 128, {{label(g, QStringLiteral("Label22"), QStringLiteral("Vstupní listina vidimace je"))}});
    ComboBox4 = dropDown(g, QStringLiteral("ComboBox4"),
                         {QStringLiteral("Prvopis"), QStringLiteral("Ověřená vidimovaná listina"),
                          QStringLiteral("Listina, která je výstupem z autorizované konverze"),
                          QStringLiteral("Opis nebo kopie pořízená ze spisu"),
                          QStringLiteral("Stejnopis písemného vyhotovení rozhodnutí nebo výroku rozhodnutí")},
                         0);
    row(8, 146, {{ComboBox4, kFieldWidth}});
    SpinEdit7 = spin(g, QStringLiteral("SpinEdit7"), 1, 99999, 1);
    CheckBox1 = check(g, QStringLiteral("CheckBox1"), QStringLiteral("Obsahuje zajišťovací prvek?"));
    row(8, 170,
        {{label(g, QStringLiteral("Label23"), QStringLiteral("počet stran"))}, {SpinEdit7, 70}, {CheckBox1}},
        8);

    row(8, 196, {{label(g, QStringLiteral("Label25"), QStringLiteral("Výstupní listina vidimace je"))}});
    ComboBox5 = dropDown(g, QStringLiteral("ComboBox5"),
                         {QStringLiteral("úplný/á"), QStringLiteral("částečný/á")}, 0);
    ComboBox6 =
        dropDown(g, QStringLiteral("ComboBox6"), {QStringLiteral("opis"), QStringLiteral("kopie")}, 0);
    SpinEdit8 = spin(g, QStringLiteral("SpinEdit8"), 1, 99999, 1);
    row(8, 214,
        {{ComboBox5, 95},
         {ComboBox6, 70},
         {label(g, QStringLiteral("Label26"), QStringLiteral("počet stran"))},
         {SpinEdit8, 70}});
    Edit1 = edit(g, QStringLiteral("Edit1"));
    row(8, 240, {{Edit1, kFieldWidth}});
    Edit6 = edit(g, QStringLiteral("Edit6"));
    row(8, 264, {{Edit6, kFieldWidth}});

    row(8, 292,
        {{label(g, QStringLiteral("Label8"),
                QStringLiteral("9. Označení druhu dokumentu, který je vidimován"))}});
    Edit2 = edit(g, QStringLiteral("Edit2"));
    row(8, 310, {{Edit2, kFieldWidth}});

    row(8, 338,
        {{label(g, QStringLiteral("Label20"),
                QStringLiteral("10. Údaj o uhrazení poplatku nebo údaj o osvobození od poplatku"))}});
    ComboBox3 = editableCombo(g, QStringLiteral("ComboBox3"), copyVerificationExemptions());
    setDropDownWidth(ComboBox3, 350);
    row(8, 356, {{ComboBox3, kFieldWidth}});

    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TForm5::SpinEdit1Change);
    connect(SpinEdit2, &QSpinBox::valueChanged, this, &TForm5::SpinEdit2Change);
    connect(SpinEdit3, &QSpinBox::valueChanged, this, &TForm5::SpinEdit3Change);
    connect(SpinEdit7, &QSpinBox::valueChanged, this, &TForm5::SpinEdit7Change);
    connect(SpinEdit8, &QSpinBox::valueChanged, this, &TForm5::SpinEdit8Change);
    connect(ComboBox4, &QComboBox::currentIndexChanged, this, &TForm5::ComboBox4Change);
    connect(ComboBox5, &QComboBox::currentIndexChanged, this, &TForm5::ComboBox5Change);
    connect(ComboBox6, &QComboBox::currentIndexChanged, this, &TForm5::ComboBox6Change);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm5::CheckBox1Click);
}

void TForm5::buildLegalizationBox() {
    QGroupBox* g = GroupBox2;
    using namespace Form;
    row(8, 18, {{label(g, QStringLiteral("Label9"), QStringLiteral("1. Pořadové číslo"))}});
    SpinEdit4 =
        spin(g, QStringLiteral("SpinEdit4"), 1, 99999, 1, QStringLiteral("První pořadové číslo legalizace"));
    SpinEdit5 = spin(g, QStringLiteral("SpinEdit5"), 1, 99999, 1,
                     QStringLiteral("Poslední pořadové číslo jednoho žadatele"));
    SpinEdit6 =
        spin(g, QStringLiteral("SpinEdit6"), 1, 12, 1, QStringLiteral("Počet legalizací jednoho žadatele"));
    const char* labels[4] = {"Label10", "Label11", "Label13", "Label14"};
    rangeRow(g, 37, labels, SpinEdit4, SpinEdit5, SpinEdit6);

    row(8, 64, {{label(g, QStringLiteral("Label12"), QStringLiteral("2. Datum provedení legalizace"))}});
    DateTimePicker2 =
        date(g, QStringLiteral("DateTimePicker2"), QStringLiteral("Datum provedení legalizace"));
    row(8, 82, {{DateTimePicker2, 100}});

    row(8, 110,
        {{label(g, QStringLiteral("Label15"),
                QStringLiteral("3. Jméno a příjmení, datum a místo narození žadatele"))}});
    Edit3 = edit(g, QStringLiteral("Edit3"));
    row(8, 128, {{Edit3, kFieldWidth}});

    row(8, 154,
        {{label(g, QStringLiteral("Label16"),
                QStringLiteral("4. Adresa trvalého pobytu nebo adresa místa pobytu žadatele"))}});
    RadioButton1 = radio(g, QStringLiteral("RadioButton1"), QStringLiteral("Uveden na dokladu"),
                         QStringLiteral("Zvolte v případě, že je údaj o pobytu žadatele uveden na dokladu"));
    RadioButton2 =
        radio(g, QStringLiteral("RadioButton2"), QStringLiteral("Na základě prohlášení"),
              QStringLiteral("Zvolte v případě, že údaj o místě pobytu žadatele není uveden na dokladu "
                             "a není možné ověřit skutečnou adresu pobytu žadatele"));
    RadioButton3 =
        radio(g, QStringLiteral("RadioButton3"), QStringLiteral("Dle AISEO"),
              QStringLiteral("Zvolte v případě, že na dokladu není uvedena adresa pobytu , ale adresu "
                             "jste ověřili v systému AISEO"));
    RadioButton1->setChecked(true);
    row(8, 172, {{RadioButton1}, {RadioButton2}, {RadioButton3}}, 0);
    Edit4 = edit(g, QStringLiteral("Edit4"));
    row(8, 195, {{Edit4, kFieldWidth}});

    const QString heading5 =
        QStringLiteral("5. Druh dokladu                          ozn. státu        číslo dokladu");
    QLabel* label21 = label(g, QStringLiteral("Label21"), heading5);
    row(8, 221, {{label21}});
    Edit9 = edit(g, QStringLiteral("Edit9"), QStringLiteral("Zadejte druh dokladu (například OP, CD apod.)"));
    Edit10 = edit(g, QStringLiteral("Edit10"),
                  QStringLiteral("V případě dokladu cizince zapište prosím označení státu"));
    Edit8 = edit(g, QStringLiteral("Edit8"), QStringLiteral("Zadejte prosím číslo dokladu"));
    // The three fields stand under their words in the heading.
    const QFontMetrics metrics(label21->font());
    const int stateX = 8 + metrics.horizontalAdvance(heading5.left(heading5.indexOf(QStringLiteral("ozn."))));
    const int numberX =
        8 + metrics.horizontalAdvance(heading5.left(heading5.indexOf(QStringLiteral("číslo"))));
    Edit9->setGeometry(8, 239, stateX - 8 - 4, 21);
    Edit10->setGeometry(stateX, 239, numberX - stateX - 4, 21);
    Edit8->setGeometry(numberX, 239, 8 + kFieldWidth - numberX, 21);

    row(8, 265,
        {{label(g, QStringLiteral("Label17"),
                QStringLiteral("7. Listina byla vlastnoručně podepsána / podpis byl uznán za vlastní"))}});
    ComboBox1 = dropDown(g, QStringLiteral("ComboBox1"),
                         {QStringLiteral("Listina byla u úřadu vlastnoručně podepsána"),
                          QStringLiteral("Podpis na dokumentu byl uznán za vlastní")},
                         0, QStringLiteral("Vyberte"));
    row(8, 283, {{ComboBox1, kFieldWidth}});

    row(8, 309,
        {{label(g, QStringLiteral("Label18"),
                QStringLiteral("9. Označení druhu listiny, na které je legalizován podpis, ze dne"))}});
    Edit5 = edit(g, QStringLiteral("Edit5"));
    row(8, 327, {{Edit5, kFieldWidth}});

    row(8, 353,
        {{label(g, QStringLiteral("Label19"),
                QStringLiteral("10. Údaj o uhrazení poplatku nebo údaj o osvobození od poplatku"))}});
    ComboBox2 = editableCombo(g, QStringLiteral("ComboBox2"), legalizationExemptions());
    setDropDownWidth(ComboBox2, 350);
    row(8, 371, {{ComboBox2, kFieldWidth}});

    connect(SpinEdit4, &QSpinBox::valueChanged, this, &TForm5::SpinEdit4Change);
    connect(SpinEdit5, &QSpinBox::valueChanged, this, &TForm5::SpinEdit5Change);
    connect(SpinEdit6, &QSpinBox::valueChanged, this, &TForm5::SpinEdit6Change);
}

void TForm5::FormCreate() {
    move(Key::positionBookLeft().integer(m_settings), Key::positionBookTop().integer(m_settings));
}

void TForm5::showEvent(QShowEvent* event) {
    handle([this] { FormShow(); });
    QDialog::showEvent(event);
}

void TForm5::FormShow() {
    const BookWindowSource m = m_source();
    SettingsStore& s = m_settings;

    Form::setDropDownWidth(ComboBox2, 350);
    Form::setDropDownWidth(ComboBox3, 350);

    for (PositionPanel* p : panels)
        p->setMarked(false);
    GroupBox1->move(6, 24);
    GroupBox2->move(6, 24);

    // This window reads both keys with an empty default.
    if (const std::optional<int> next =
            nextBookPosition(Key::prepareNext().text(s, QString()), Key::lastPrintedBook().text(s)))
        panels[*next - 1]->setMarked(true);

    if (m.kind && isNumbered(*m.kind)) {
        const bool copy = *m.kind == ClauseKind::CopyVerification;
        TabControl1->setCurrentIndex(copy ? 0 : 1);
        GroupBox1->setVisible(copy);
        GroupBox2->setVisible(!copy);
        (copy ? Edit2 : Edit5)->setFocus();
    }

    // Every assignment below runs the change handler of its box, as the
    // clerk's change would; the explicit steps settle the final values.
    const int count = qMax(1, m.markedCount);
    SpinEdit1->setValue(m.firstPrintedNumber != 0 ? m.firstPrintedNumber : m.numbers.copyVerification);
    SpinEdit2->setValue(SpinEdit1->value() + count - 1);
    SpinEdit3->setValue(SpinEdit2->value() - SpinEdit1->value() + 1);
    SpinEdit4->setValue(m.firstPrintedNumber != 0 ? m.firstPrintedNumber : m.numbers.legalization);
    SpinEdit5->setValue(SpinEdit4->value() + count - 1);
    SpinEdit6->setValue(SpinEdit5->value() - SpinEdit4->value() + 1);

    const CopyVerificationParticulars& copy = m.copyVerification;
    const LegalizationParticulars& legal = m.legalization;
    DateTimePicker1->setDate(copy.date);
    DateTimePicker2->setDate(legal.date);

    Edit3->setText(legal.applicant);
    const int documentKind = legal.documentKind;
    if (const std::optional<AddressSource> source = addressSourceFor(documentKind)) {
        switch (*source) {
        case AddressSource::Document:
            RadioButton1->setChecked(true);
            break;
        case AddressSource::Declaration:
            RadioButton2->setChecked(true);
            break;
        case AddressSource::Aiseo:
            RadioButton3->setChecked(true);
            break;
        }
    }
    Edit4->setText(legal.address);
    const IdentityDocumentText document = identityDocumentFor(documentKind);
    Edit9->setText(document.kind);
    Edit10->clear();
    Edit10->setEnabled(document.stateWanted);
    Edit8->setText(documentNumberText(legal.documentNumber, m.documentSeries));
    ComboBox1->setCurrentIndex(signatureIndexFor(legal.signingManner));

    ComboBox4->setCurrentIndex(copy.sourceState);
    SpinEdit7->setValue(copy.sourcePages);
    ComboBox5->setCurrentIndex(copy.completeness);
    ComboBox6->setCurrentIndex(copy.form);
    SpinEdit8->setValue(copy.outputPages);
    CheckBox1->setChecked(copy.securityFeature != 0);

    DoplnitPrvkyVidimace();
    computeLegalizationFee();
    computeCopyVerificationFee();
}

void TForm5::TabControl1Change() {
    ensureControls();
    const bool copy =
        clauseKindOf(TabControl1->tabText(TabControl1->currentIndex())) == ClauseKind::CopyVerification;
    GroupBox1->setVisible(copy);
    GroupBox2->setVisible(!copy);
}

void TForm5::PanelClick(int position) {
    ensureControls();
    for (int n = 1; n <= 6; ++n)
        panels[n - 1]->setMarked(n == position);
}

bool TForm5::isMarked(int position) const {
    const_cast<TForm5*>(this)->ensureControls();
    return position >= 1 && position <= 6 && panels[position - 1]->isMarked();
}

int TForm5::markedPosition() const {
    for (int n = 1; n <= 6; ++n)
        if (isMarked(n))
            return n;
    return 0;
}

void TForm5::firstChanged(QSpinBox* first, QSpinBox* last, QSpinBox* count) {
    last->setValue(first->value() + count->value() - 1);
}

void TForm5::lastChanged(QSpinBox* first, QSpinBox* last, QSpinBox* count) {
    if (last->value() < first->value())
        last->setValue(first->value());
    // The count box holds the difference within 1 to 12, and its own handler
    // then moves last to match.
    if (count->value() <= 12)
        count->setValue(last->value() - first->value() + 1);
    if (last->value() - first->value() > 10)
        last->setValue(first->value() + 11);
}

void TForm5::countChanged(QSpinBox* first, QSpinBox* last, QSpinBox* count) {
    last->setValue(first->value() + count->value() - 1);
}

void TForm5::SpinEdit1Change() {
    handle([this] { firstChanged(SpinEdit1, SpinEdit2, SpinEdit3); });
}

void TForm5::SpinEdit2Change() {
    handle([this] { lastChanged(SpinEdit1, SpinEdit2, SpinEdit3); });
}

void TForm5::SpinEdit3Change() {
    handle([this] {
        countChanged(SpinEdit1, SpinEdit2, SpinEdit3);
        computeCopyVerificationFee();
    });
}

void TForm5::SpinEdit4Change() {
    handle([this] { firstChanged(SpinEdit4, SpinEdit5, SpinEdit6); });
}

void TForm5::SpinEdit5Change() {
    handle([this] { lastChanged(SpinEdit4, SpinEdit5, SpinEdit6); });
}

void TForm5::SpinEdit6Change() {
    handle([this] {
        countChanged(SpinEdit4, SpinEdit5, SpinEdit6);
        computeLegalizationFee();
    });
}

void TForm5::SpinEdit7Change() {
    DoplnitPrvkyVidimace();
}

void TForm5::SpinEdit8Change() {
    handle([this] {
        DoplnitPrvkyVidimace();
        computeCopyVerificationFee();
    });
}

void TForm5::ComboBox4Change() {
    DoplnitPrvkyVidimace();
}

void TForm5::ComboBox5Change() {
    DoplnitPrvkyVidimace();
}

void TForm5::ComboBox6Change() {
    DoplnitPrvkyVidimace();
}

void TForm5::CheckBox1Click() {
    DoplnitPrvkyVidimace();
}

void TForm5::DoplnitPrvkyVidimace() {
    ensureControls();
    Edit1->setText(sourceLine(ComboBox4->currentText(), SpinEdit7->value()));
    Edit6->setText(outputLine(CheckBox1->isChecked(), ComboBox5->currentIndex() == 1,
                              ComboBox6->currentIndex() == 1, SpinEdit8->value()));
}

// A fee that cannot be read leaves the field empty rather than showing the
// amount of an earlier batch; the error tells the clerk why.
void TForm5::computeCopyVerificationFee() {
    ComboBox3->setEditText(QString());
    ComboBox3->setEditText(feeText(copyVerificationFee(m_settings), SpinEdit3->value(), SpinEdit8->value()));
}

void TForm5::computeLegalizationFee() {
    ComboBox2->setEditText(QString());
    ComboBox2->setEditText(feeText(legalizationFee(m_settings), SpinEdit6->value()));
}

QString TForm5::oznaceni(const QString& cinnost, int poradi, int rok) const {
    return ::oznaceni(m_settings, cinnost, poradi, rok);
}

CopyVerificationRecord TForm5::copyVerificationRecord() const {
    const_cast<TForm5*>(this)->ensureControls();
    CopyVerificationRecord r;
    r.date = DateTimePicker1->date();
    r.sourceLine = Edit1->text();
    r.outputLine = Edit6->text();
    r.documentKind = Edit2->text();
    r.fee = ComboBox3->currentText();
    return r;
}

LegalizationRecord TForm5::legalizationRecord() const {
    const_cast<TForm5*>(this)->ensureControls();
    LegalizationRecord r;
    r.date = DateTimePicker2->date();
    r.applicant = Edit3->text();
    r.addressSource = RadioButton2->isChecked()   ? AddressSource::Declaration
                      : RadioButton3->isChecked() ? AddressSource::Aiseo
                                                  : AddressSource::Document;
    r.address = Edit4->text();
    r.documentKind = Edit9->text();
    r.state = Edit10->text();
    r.documentNumber = Edit8->text();
    r.signature = ComboBox1->currentText();
    r.signedDocument = Edit5->text();
    r.fee = ComboBox2->currentText();
    return r;
}

void TForm5::Button1Click() {
    ensureControls();
    handle([this] {
        const bool copy =
            clauseKindOf(TabControl1->tabText(TabControl1->currentIndex())) == ClauseKind::CopyVerification;
        std::optional<Refusal> refusal =
            copy ? copyVerificationRecordRefusal(copyVerificationRecord(), SpinEdit7->value(),
                                                 SpinEdit8->value())
                 : legalizationRecordRefusal(legalizationRecord(), Edit10->isEnabled());
        if (!refusal)
            refusal = bookPositionRefusal(markedPosition());
        if (refusal) {
            showInfo(this, refusal->message);
            if (QWidget* field = refusal->field.isEmpty() ? nullptr : findChild<QWidget*>(refusal->field))
                field->setFocus();
            return;
        }
        if (!overflowAccepted(markedPosition()))
            return;
        printRecord(markedPosition());
        accept();
    });
}

void TForm5::printRecord(int position) {
    // A print system that does not answer ends the command before anything is written.
    QPrinter& printer = m_printer();
    SettingsStore& s = m_settings;
    // Written first, so that the next showing offers the following label even
    // when this print fails.
    Key::lastPrintedBook().write(s, position);
    const BookSheetGeometry geometry = BookSheetGeometry::read(s);
    const int dpi = Key::dpi().integer(s);
    const QPoint origin = geometry.textOrigin(position);
    const std::function<void(Pen&)> draw = recordDrawing(nullptr);
    PrintJob job(printer, dpi);
    Pen pen(job.surface(), origin.x(), origin.y());
    draw(pen);
    job.finish();
}

std::function<void(Pen&)> TForm5::recordDrawing(QList<NamedText>* named) const {
    const QString face = Key::dataFace().text(m_settings);
    const QString kind = TabControl1->tabText(TabControl1->currentIndex());
    const bool copy = clauseKindOf(kind) == ClauseKind::CopyVerification;
    QSpinBox* first = copy ? SpinEdit1 : SpinEdit4;
    QSpinBox* last = copy ? SpinEdit2 : SpinEdit5;
    const OrderNumbers numbers = m_source().numbers;
    const int year = copy ? numbers.copyVerificationYear : numbers.legalizationYear;
    QStringList designations;
    for (int n = first->value(); n <= last->value(); ++n)
        designations << oznaceni(kind, n, year);
    QList<NamedText> texts;
    for (const QString& d : designations)
        texts << NamedText{QStringLiteral("pořadová čísla"), d};

    if (copy) {
        CopyVerificationRecord record = copyVerificationRecord();
        record.designations = designations;
        record.face = face;
        texts << NamedText{QStringLiteral("vstupní listina"), record.sourceLine}
              << NamedText{QStringLiteral("výstupní listina"), record.outputLine}
              << NamedText{QStringLiteral("druh listiny"), record.documentKind}
              << NamedText{QStringLiteral("poplatek"), record.fee};
        if (named)
            *named = texts;
        return [record](Pen& pen) { drawBookLabel(pen, record); };
    }
    LegalizationRecord record = legalizationRecord();
    record.designations = designations;
    record.face = face;
    texts << NamedText{QStringLiteral("jméno žadatele"), record.applicant}
          << NamedText{QStringLiteral("adresa žadatele"), record.address}
          << NamedText{QStringLiteral("číslo dokladu"), record.documentNumber}
          << NamedText{QStringLiteral("způsob podpisu"), record.signature}
          << NamedText{QStringLiteral("legalizovaná listina"), record.signedDocument}
          << NamedText{QStringLiteral("poplatek"), record.fee};
    if (named)
        *named = texts;
    return [record](Pen& pen) { drawBookLabel(pen, record); };
}

namespace {

SheetPreview bookPreview(const SettingsStore& settings, int position, const std::function<void(Pen&)>& draw,
                         const QList<NamedText>& named) {
    // The printer's metrics exist only while the sheet is drawn.
    PrinterMetrics metrics(Key::dpi().integer(settings));
    return previewBookLabel(settings, position, draw, named, metrics.surface());
}

} // namespace

bool TForm5::overflowAccepted(int position) const {
    QList<NamedText> named;
    const std::function<void(Pen&)> draw = recordDrawing(&named);
    QString question;
    try {
        question = overflowQuestion(bookPreview(m_settings, position, draw, named).overflows);
    } catch (const AppError&) {
        // An unusable geometry or resolution is for the print to report, at
        // the moment it always has (the position is recorded first).
        return true;
    }
    return question.isEmpty() || confirmOkCancel(const_cast<TForm5*>(this), question);
}

// The record as "TISK" would print it now; nothing is checked or written.
void TForm5::Button3Click() {
    ensureControls();
    handle([this] {
        QList<NamedText> named;
        const std::function<void(Pen&)> draw = recordDrawing(&named);
        TForm7 preview(this, bookPreview(m_settings, markedPosition(), draw, named));
        if (preview.exec() == QDialog::Accepted)
            Button1Click();
    });
}

void TForm5::Button2Click() {
    close();
}

void TForm5::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TForm5::FormClose() {
    guarded(this, [this] {
        Key::positionBookLeft().write(m_settings, x());
        Key::positionBookTop().write(m_settings, y());
    });
}
