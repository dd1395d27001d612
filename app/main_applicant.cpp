// The applicant's data on the legalization tab: saved clauses, the document
// check and the electronic-ID import.
#include "about/MakerSite.h"
#include "app/main.h"
#include "applicant/DocumentCheck.h"
#include "applicant/EidImport.h"
#include "applicant/SavedClauses.h"
#include "settings/AppError.h"
#include "settings/DataDir.h"
#include "settings/SettingsStore.h"
#include "ui/Messages.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTimer>

namespace {

void setIndexQuietly(QComboBox* combo, int index) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

} // namespace

void TForm1::setUpApplicantData() {
    // The search list lives in a model shared by the drop-down list and the
    // completer popup, which opens under the field while the clerk goes on typing.
    m_clauseModel =
        new QStringListModel({QStringLiteral("Zadejte alespoň tři písmena uložené doložky")}, this);
    {
        const QSignalBlocker block(ComboBox14);
        ComboBox14->setModel(m_clauseModel);
        ComboBox14->setCurrentIndex(-1);
        ComboBox14->setEditText(QString());
    }
    m_clauseCompleter = new QCompleter(m_clauseModel, this);
    m_clauseCompleter->setObjectName(QStringLiteral("ComboBox14Completer"));
    m_clauseCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_clauseCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    // Rows of one height let a list of tens of thousands of names open at once.
    auto* popup = new QListView;
    popup->setUniformItemSizes(true);
    popup->setObjectName(QStringLiteral("ComboBox14Popup"));
    m_clauseCompleter->setPopup(popup);
    if (auto* view = qobject_cast<QListView*>(ComboBox14->view()))
        view->setUniformItemSizes(true);
    ComboBox14->setCompleter(m_clauseCompleter);
    connect(m_clauseCompleter, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& text) {
                ComboBox14->setEditText(text);
                ComboBox14Select();
            });

    m_documentCheck = new DocumentCheck(MakerSite().secureBase(), this);
    m_documentCheck->setObjectName(QStringLiteral("NetHTTPClient1"));
    connect(m_documentCheck, &DocumentCheck::finished, this, &TForm1::documentCheckFinished);
}

SavedClauses& TForm1::savedClauses() {
    if (!m_savedClauses)
        m_savedClauses = std::make_unique<SavedClauses>(DataDir::savedClausesFile());
    return *m_savedClauses;
}

DocumentCheck& TForm1::documentCheck() {
    return *m_documentCheck;
}

void TForm1::loadSavedClauses() {
    savedClauses().load();
}

LegalizationFields TForm1::legalizationFields() const {
    LegalizationFields f;
    f.applicant = ComboBox14->currentText();
    f.signing = ComboBox5->currentIndex();
    f.addressKind = ComboBox6->currentIndex();
    f.man = RadioButton1->isChecked();
    f.address = Edit3->text();
    f.documentKind = ComboBox7->currentIndex();
    f.documentNumber = Edit4->text();
    return f;
}

void TForm1::ulozDolozkuLegalizace() {
    savedClauses().save(legalizationFields());
    showInfo(this, SavedClauses::kSavedMessage);
}

std::optional<Refusal> TForm1::savingRefusal() const {
    if (!CheckBox1->isChecked())
        return std::nullopt;
    return SavedClauses::checkStorable(legalizationFields());
}

void TForm1::ComboBox14KeyUp(int key) {
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        return;
    const SavedClauses& clauses = savedClauses();
    if (clauses.isEmpty())
        return;
    QLineEdit* line = ComboBox14->lineEdit();
    const QString typed = line->text();
    const int cursor = line->cursorPosition();
    const QStringList found = clauses.filter(typed);
    {
        // Refilling the list must not replace what the clerk is typing.
        const QSignalBlocker block(ComboBox14);
        m_clauseModel->setStringList(found);
        ComboBox14->setCurrentIndex(-1);
        ComboBox14->setEditText(typed);
        line->setCursorPosition(cursor);
    }
    if (found.isEmpty()) {
        m_clauseCompleter->popup()->hide();
    } else if (ComboBox14->isVisible()) {
        m_clauseCompleter->setCompletionPrefix(QString());
        m_clauseCompleter->complete();
    }
}

void TForm1::ComboBox14Select() {
    guarded(this, [this] { nastavDleSeznamuLegalizace(ComboBox14->currentText()); });
}

void TForm1::nastavDleSeznamuLegalizace(const QString& hledany) {
    for (const SavedClauseEntry& entry : savedClauses().matching(hledany)) {
        LegalizationFields f = legalizationFields();
        entry.applyTo(f);
        setIndexQuietly(ComboBox5, f.signing);
        setIndexQuietly(ComboBox6, f.addressKind);
        (f.man ? RadioButton1 : RadioButton2)->setChecked(true);
        Edit3->setText(f.address);
        setIndexQuietly(ComboBox7, f.documentKind);
        Edit4->setText(f.documentNumber);
        if (!entry.error.isEmpty())
            throw AppError(entry.error);
        if (ComboBox7->currentIndex() == SavedClauses::kFormerDrivingLicenceKind)
            showInfo(this, SavedClauses::kFormerDrivingLicenceMessage);
    }
}

void TForm1::documentFieldChanged() {
    m_documentCheck->cancel();
    QPalette pal = Edit4->palette();
    pal.setColor(QPalette::Base, palette().color(QPalette::Base));
    Edit4->setPalette(pal);
    Edit4->setToolTip(DocumentCheck::kEnterNumberHint);
    Timer1->start();
    Button8->setEnabled(false);
    documentCheckState = DocumentCheck::kChangedState;
}

void TForm1::ComboBox7Change() {
    if (ComboBox7->currentIndex() == 1)
        setIndexQuietly(ComboBox7, 0);
    documentFieldChanged();
}

void TForm1::Edit1Change() {
    documentFieldChanged();
}
void TForm1::Edit4Change() {
    documentFieldChanged();
}

void TForm1::Timer1Timer() {
    Timer1->stop();
    m_documentCheck->setBaseUrl(makerSite().secureBase());
    m_documentCheck->start(ComboBox7->currentIndex(), Edit4->text(), Edit1->text());
}

void TForm1::documentCheckFinished(const DocumentCheckResult& result) {
    if (result.kind == DocumentCheckResult::Kind::Failure)
        Button8->setText(DocumentCheck::kRetryCaption);
    if (const auto display = result.display()) {
        QPalette pal = Edit4->palette();
        pal.setColor(QPalette::Base, display->colour);
        Edit4->setPalette(pal);
        Edit4->setToolTip(display->hint);
        documentCheckState = display->state;
    }
    Button8->setEnabled(true);
}

void TForm1::Button8Click() {
    if (Edit4->text().isEmpty()) {
        showInfo(this, DocumentCheck::kNumberNeededMessage);
        Edit4->setFocus();
        return;
    }
    const QString type = DocumentCheck::typeCode(ComboBox7->currentIndex()).value_or(QString());
    QDesktopServices::openUrl(
        DocumentCheck::resultPageUrl(makerSite().secureBase(), Edit4->text(), Edit1->text(), type));
}

void TForm1::BitBtn1Click() {
    std::optional<QString> text;
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData(); data && data->hasText())
        text = QGuiApplication::clipboard()->text();
    LegalizationFields f = legalizationFields();
    const EidImport::Result r = EidImport::apply(text, f, makerSite().secureBase());
    if (r.applicantSet)
        ComboBox14->setEditText(f.applicant);
    if (r.addressSet) {
        setIndexQuietly(ComboBox6, f.addressKind);
        Edit3->setText(f.address);
    }
    if (r.sexSet)
        (f.man ? RadioButton1 : RadioButton2)->setChecked(true);
    if (r.documentSet) {
        setIndexQuietly(ComboBox7, f.documentKind);
        Edit4->setText(f.documentNumber);
    }
    if (!r.message.isEmpty())
        showInfo(this, r.message);
}
