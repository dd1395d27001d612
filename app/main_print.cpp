// The print command "TISK" and the printer choice.
#include "app/Messages.h"
#include "app/PrinterSetup.h"
#include "app/main.h"
#include "book/book.h"
#include "clauses/CopyVerificationClause.h"
#include "clauses/LegalizationClause.h"
#include "clauses/MunicipalClause.h"
#include "printing/ClauseFonts.h"
#include "printing/Pen.h"
#include "printing/PrintJob.h"
#include "printing/SheetGeometry.h"
#include "settings/Conversion.h"
#include "settings/DataDir.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <optional>

namespace {

const QString kVidimace = QStringLiteral("VIDIMACE");
const QString kLegalizace = QStringLiteral("LEGALIZACE");
const QString kZamer = QStringLiteral("ZÁMĚR");
const QString kSchvaleni = QStringLiteral("SCHVÁLENÍ");

// The state a print command changes before its job opens: both order-number
// fields, every counter and the last printed position. Restored when a job fails after numbers were issued,
// so the screen and the counters again agree with what left the printer (nothing).
struct NumberingSnapshot {
    int copyNumber = 0;
    int legalNumber = 0;
    QList<std::pair<QString, QString>> counters; // "section/key" -> value, "\x01" for absent

    static NumberingSnapshot take(TForm1& f) {
        NumberingSnapshot s;
        s.copyNumber = f.SpinEdit2->value();
        s.legalNumber = f.SpinEdit4->value();
        s.counters << std::pair{QStringLiteral("App/last printed"), QString()};
        s.counters << std::pair{QStringLiteral("Cislovani/Vidimace-legalizace"), QString()};
        for (int i = 1; i <= 10; ++i)
            s.counters << std::pair{QStringLiteral("Knihy/cisloKniha%1").arg(i), QString()};
        for (auto& [key, value] : s.counters)
            value = f.settings().ReadString(key.section(u'/', 0, 0), key.section(u'/', 1),
                                            QStringLiteral("\x01"));
        return s;
    }

    void restore(TForm1& f) const {
        const QSignalBlocker b2(f.SpinEdit2), b4(f.SpinEdit4);
        f.SpinEdit2->setValue(copyNumber);
        f.SpinEdit4->setValue(legalNumber);
        for (const auto& [key, value] : counters) {
            const QString section = key.section(u'/', 0, 0), name = key.section(u'/', 1);
            if (value != u"\x01" && f.settings().ReadString(section, name, QStringLiteral("\x01")) != value)
                f.settings().WriteString(section, name, value);
        }
    }
};

QString selectedText(QComboBox* c) {
    return c->currentIndex() >= 0 ? c->currentText() : QString();
}

} // namespace

void TForm1::Button7Click() {
    choosePrinter(*m_printer, this);
}

void TForm1::Button1Click() {
    guarded(this, [this] { printClauses(); });
}

std::optional<Refusal> TForm1::refusalOfKind(const QString& kind) const {
    if (kind == kLegalizace)
        return legalizationRefusal(ComboBox14->currentText(), ComboBox7->currentIndex(), Edit3->text(),
                                   Edit4->text());
    if (kind == kVidimace)
        return copyVerificationRefusal(SpinEdit1->value(), SpinEdit3->value());
    if (kind == kZamer)
        return intentionRefusal(Edit2->text(), Edit5->text());
    if (kind == kSchvaleni)
        return approvalRefusal(Edit6->text());
    return std::nullopt;
}

void TForm1::printClauses() {
    const QString kind = selectedKind();
    if (kind.isEmpty()) {
        showInfo(this, QStringLiteral("Není zobrazena žádná záložka s druhem doložky. Zapněte druhy doložek "
                                      "v Nastavení a spusťte program znovu."));
        return;
    }
    const QString question = documentCheckQuestion(documentCheckState);
    if (!question.isEmpty() && !confirmOkCancel(this, question))
        return;
    std::optional<std::pair<QString, QString>> refusal;
    if (const auto r = refusalOfKind(kind))
        refusal = std::pair{r->message, r->field};
    else if (kind == kLegalizace)
        refusal = savingRefusal();
    if (refusal) {
        showInfo(this, refusal->first);
        if (auto* field = findChild<QWidget*>(refusal->second))
            field->setFocus();
        return;
    }
    if (kind == kLegalizace)
        firstPrintedNumber = SpinEdit4->value();
    else if (kind == kVidimace)
        firstPrintedNumber = SpinEdit2->value();

    SettingsStore& s = settings();
    const SheetGeometry geometry = SheetGeometry::read(s);
    const ClauseFonts fonts = ClauseFonts::read(s);
    const int dpi = strToInt(s.ReadString(QStringLiteral("Printer"), QStringLiteral("dpi"), QString()));

    QList<int> marked;
    for (int n = 1; n <= 12; ++n)
        if (isMarked(n))
            marked << n;

    if (marked.isEmpty()) {
        // Nothing printed, so the last printed position stays what it was.
        showInfo(this,
                 QStringLiteral("Není vybrán žádný štítek. Označte nejprve čísla štítků, na které chcete "
                                "doložku vytisknout."));
    } else {
        printJob(kind, marked, geometry, fonts, dpi);
    }

    if ((kind == kVidimace || kind == kLegalizace) && Form5)
        Form5->exec();
    Button4Click();
    if (s.ReadString(QStringLiteral("App"), QStringLiteral("prepare next"), QStringLiteral("1")) == u"1")
        setNextPrinted();
}

void TForm1::printJob(const QString& kind, const QList<int>& marked, const SheetGeometry& geometry,
                      const ClauseFonts& fonts, int dpi) {
    SettingsStore& s = settings();
    std::optional<MunicipalHeader> header;
    bool logoUnreadable = false;
    if (kind == kZamer || kind == kSchvaleni) {
        header = readMunicipalHeader(s, fonts);
        const QString logoPath = DataDir::logoFile();
        if (QFileInfo::exists(logoPath)) {
            header->logo = QImage(logoPath);
            logoUnreadable = header->logo.isNull();
        }
    }
    const QString office =
        s.ReadString(QStringLiteral("Organizace"), QStringLiteral("Organizace2pad"), QString());
    const QString place = s.ReadString(QStringLiteral("Organizace"), QStringLiteral("Kde"), QString());

    // Every number is issued and stored before the job opens, so the order
    // numbers on paper are always ones the counters already hold. If the job
    // then cannot start or is refused, the numbers go back, so the screen,
    // the counters and the printer agree: nothing was printed.
    const NumberingSnapshot before = NumberingSnapshot::take(*this);
    try {
        s.WriteString(QStringLiteral("App"), QStringLiteral("last printed"), QString::number(marked.last()));
        if (kind == kLegalizace && CheckBox1->isChecked()) {
            ulozDolozkuLegalizace();
            CheckBox1->setChecked(false);
        }
        QStringList designations;
        for (int i = 0; i < marked.size(); ++i) {
            if (kind == kVidimace || kind == kLegalizace)
                designations << oznaceni(kind);
        }
        std::optional<ApprovalParticulars> approval;
        if (kind == kSchvaleni) {
            approval.emplace();
            approval->statement = selectedText(ComboBox12);
            approval->body = selectedText(ComboBox13);
            approval->resolutionNumber = Edit6->text();
            approval->resolutionDate = DateTimePicker6->date();
            rememberApproval(s, *approval);
        }

        PrintJob job(*m_printer, dpi);
        for (int i = 0; i < marked.size(); ++i) {
            const QPoint origin = geometry.textOrigin(marked[i]);
            Pen pen(job.surface(), origin.x(), origin.y());
            if (kind == kVidimace) {
                CopyVerificationParticulars p;
                p.officeGenitive = office;
                p.place = place;
                p.completeness = ComboBox1->currentIndex();
                p.form = ComboBox2->currentIndex();
                p.outputPages = SpinEdit1->value();
                p.sourceState = ComboBox3->currentIndex();
                p.sourcePages = SpinEdit3->value();
                p.securityFeature = ComboBox9->currentIndex();
                p.date = DateTimePicker1->date();
                p.officer = selectedText(ComboBox4);
                p.headingFace = fonts.headingFace;
                p.basicFace = fonts.basicFace;
                drawCopyVerification(pen, p, designations[i]);
            } else if (kind == kLegalizace) {
                LegalizationParticulars p;
                p.officeGenitive = office;
                p.place = place;
                p.signingManner = ComboBox5->currentIndex();
                p.applicant = ComboBox14->currentText();
                p.addressKind = ComboBox6->currentIndex();
                p.address = Edit3->text();
                p.documentKind = ComboBox7->currentIndex();
                p.documentNumber = Edit4->text();
                p.date = DateTimePicker2->date();
                p.officer = selectedText(ComboBox8);
                p.headingFace = fonts.headingFace;
                p.basicFace = fonts.basicFace;
                p.dataFace = fonts.dataFace;
                drawLegalization(pen, p, designations[i]);
            } else if (kind == kZamer) {
                IntentionParticulars p;
                p.number = Edit2->text();
                const int item = ComboBox10->findText(ComboBox10->currentText(), Qt::MatchExactly);
                p.intentionItem = item >= 0 ? item : kTypedIntention;
                p.intentionText = ComboBox10->currentText();
                p.publishedFrom = DateTimePicker3->date();
                p.publishedTo = DateTimePicker4->date();
                p.approvingBody = selectedText(ComboBox11);
                p.resolutionDate = DateTimePicker5->date();
                p.resolutionNumber = Edit5->text();
                drawIntention(pen, *header, p);
            } else if (kind == kSchvaleni) {
                drawApproval(pen, *header, *approval);
            }
        }
        job.finish();
    } catch (...) {
        try {
            before.restore(*this);
        } catch (...) {
            // The original error is the one the clerk needs to see.
        }
        throw;
    }
    if (logoUnreadable)
        showInfo(this, QStringLiteral("Logo organizace (%1) nelze načíst, doložky byly vytištěny bez loga. "
                                      "Vyberte logo znovu v Nastavení.")
                           .arg(QDir::toNativeSeparators(DataDir::logoFile())));
}
