#include "journal/JournalWindow.h"

#include "settings/DurableFile.h"
#include "ui/FormBuilder.h"
#include "ui/Messages.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

JournalModel::JournalModel(std::function<Journal&()> journal, QObject* parent)
    : QAbstractTableModel(parent), m_journal(std::move(journal)) {}

void JournalModel::reload(const QString& filter) {
    QList<JournalEntry> rows = m_journal().entries(filter, 0, kPage);
    beginResetModel();
    m_filter = filter;
    m_more = rows.size() == kPage;
    m_rows = std::move(rows);
    endResetModel();
}

bool JournalModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_more;
}

void JournalModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !m_more)
        return;
    QList<JournalEntry> rows;
    try {
        rows = m_journal().entries(m_filter, int(m_rows.size()), kPage);
    } catch (const std::exception&) {
        m_more = false; // the table stays as it is; the next reload reports the error
        return;
    }
    m_more = rows.size() == kPage;
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + rows.size() - 1));
    m_rows << rows;
    endInsertRows();
}

int JournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
        return {};
    const JournalEntry& e = entryAt(index.row());
    switch (index.column()) {
    case Time:
        return journalTime(e.time);
    case Kind:
        return journalKindWord(e.kind);
    case Designation:
        return e.designation;
    case Subject:
        return e.subject.isEmpty() ? journalSubject(e) : e.subject;
    case Officer:
        return e.officer;
    case State:
        return journalStateWord(e.state);
    default:
        return {};
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const captions[] = {"Datum a čas",          "Druh",      "Označení",
                                           "Žadatel nebo listina", "Ověřující", "Stav"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(captions[section]) : QVariant();
}

TForm6::TForm6(QWidget* parent, std::function<Journal&()> journal,
               std::function<bool(const QList<JournalEntry>&)> reprint)
    : QDialog(parent), m_journal(std::move(journal)), m_reprint(std::move(reprint)) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Deník vydaných čísel"));
    setModal(false);
    resize(760, 460);

    auto* filterLabel = Form::label(this, QStringLiteral("Label1"), QStringLiteral("&Hledat:"));
    Edit1 = Form::edit(
        this, QStringLiteral("Edit1"),
        QStringLiteral("Označení, jméno žadatele nebo ověřujícího, nebo datum (např. 11.12.2026)"));
    filterLabel->setBuddy(Edit1);
    Edit1->setClearButtonEnabled(true);

    m_model = new JournalModel(m_journal, this);
    Grid1 = new QTableView(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setModel(m_model);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setAlternatingRowColors(true);
    Grid1->setWordWrap(false);
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setDefaultSectionSize(Grid1->fontMetrics().height() + 6);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    // The time, the designation and the officer fit whole; the subject takes what is left.
    const QFontMetrics metrics = Grid1->fontMetrics();
    const int pad = 3 * metrics.averageCharWidth();
    const int widths[] = {metrics.horizontalAdvance(QStringLiteral("00.00.0000 00:00")) + pad,
                          metrics.horizontalAdvance(QStringLiteral("legalizace")) + pad,
                          metrics.horizontalAdvance(QStringLiteral("A/000000/0000")) + pad, 200,
                          metrics.horizontalAdvance(QStringLiteral("Jméno Příjmení")) + pad};
    for (int c = 0; c < int(std::size(widths)); ++c)
        Grid1->setColumnWidth(c, widths[c]);

    Button1 = Form::button(this, QStringLiteral("Button1"), QStringLiteral("Znovu &vytisknout"),
                           QStringLiteral("Vytiskne vybrané záznamy s jejich vlastním označením na štítky "
                                          "označené v hlavním okně; nové číslo nevydá"));
    Button2 = Form::button(this, QStringLiteral("Button2"), QStringLiteral("&Exportovat CSV"),
                           QStringLiteral("Uloží zobrazené záznamy do souboru pro tabulkový procesor"));
    Button3 = Form::button(this, QStringLiteral("Button3"), QStringLiteral("&Zavřít"));
    for (QPushButton* b : {Button1, Button2, Button3})
        Form::showKeysInHint(b);
    Button3->setDefault(false);
    Button3->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(Edit1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Grid1, 1);
    layout->addLayout(buttons);

    // Typing refilters once the clerk pauses, so a long journal never lags a key.
    m_filterDelay = new QTimer(this);
    m_filterDelay->setSingleShot(true);
    m_filterDelay->setInterval(150);
    connect(m_filterDelay, &QTimer::timeout, this, [this] { guarded(this, [this] { reload(); }); });
    connect(Edit1, &QLineEdit::textChanged, this, &TForm6::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm6::Button3Click);
    connect(Grid1, &QTableView::doubleClicked, this, &TForm6::Button1Click);
    setTabOrder(Edit1, Grid1);
    setTabOrder(Grid1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
}

void TForm6::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    guarded(this, [this] { reload(); });
    Edit1->setFocus();
}

void TForm6::reload() {
    m_model->reload(Edit1->text());
}

void TForm6::Edit1Change() {
    m_filterDelay->start();
}

QList<JournalEntry> TForm6::selectedEntries() const {
    QList<int> rows;
    for (const QModelIndex& index : Grid1->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QList<JournalEntry> entries;
    for (int r : rows)
        entries << m_model->entryAt(r);
    return entries;
}

void TForm6::Button1Click() {
    guarded(this, [this] {
        applyPendingFilter();
        QList<JournalEntry> entries = selectedEntries();
        if (entries.isEmpty()) {
            showInfo(this, QStringLiteral("Vyberte v tabulce záznamy, které chcete znovu vytisknout."));
            return;
        }
        // Oldest first, so the labels follow the order of the book.
        std::reverse(entries.begin(), entries.end());
        if (m_reprint(entries))
            reload();
    });
}

void TForm6::Button2Click() {
    guarded(this, [this] {
        QFileDialog dialog(this, QStringLiteral("Exportovat deník do CSV"));
        dialog.setObjectName(QStringLiteral("SaveDialog1"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilters({QStringLiteral("Soubory CSV (*.csv)"), QStringLiteral("Všechny soubory (*)")});
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        dialog.selectFile(QStringLiteral("denik-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate)));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        const QString path = dialog.selectedFiles().first();
        applyPendingFilter();
        // Every row the filter finds, not only those read into the table so far.
        DurableFile::replace(path, journalCsv(m_journal().entries(m_model->filter())));
    });
}

void TForm6::applyPendingFilter() {
    // A filter still waiting for the pause is applied first: a command works
    // on what the clerk typed.
    if (m_filterDelay->isActive()) {
        m_filterDelay->stop();
        reload();
    }
}

void TForm6::Button3Click() {
    close();
}
