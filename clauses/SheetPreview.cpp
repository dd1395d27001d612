#include "clauses/SheetPreview.h"

#include "printing/Pen.h"
#include "printing/SheetGeometry.h"
#include "printing/Units.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"

#include <QLocale>
#include <algorithm>

namespace {

// Width of a book label; the sheet's calibration has no key for it.
constexpr int kBookLabelWidthMm = 133;

class LabelCloser : public BatchListener {
public:
    explicit LabelCloser(SheetRecorder& recorder) : m_recorder(recorder) {}
    void positionDrawn(int, int position) override { m_recorder.closeLabel(position); }

private:
    SheetRecorder& m_recorder;
};

QList<QRect> clauseLabels(const SettingsStore& settings) {
    const SheetGeometry g = SheetGeometry::read(settings);
    QList<QRect> labels;
    for (int n = 1; n <= SheetGeometry::kPositions; ++n) {
        const QPoint text = g.textOrigin(n);
        labels << QRect(text.x() - g.y, text.y() - g.b, g.x, g.c);
    }
    return labels;
}

QList<QRect> bookLabels(const SettingsStore& settings) {
    const BookSheetGeometry g = BookSheetGeometry::read(settings);
    const int width = mmToDPI(settings, kBookLabelWidthMm);
    QList<QRect> labels;
    for (int n = 1; n <= BookSheetGeometry::kPositions; ++n) {
        const QPoint text = g.textOrigin(n);
        labels << QRect(text.x() - g.y, text.y() - g.b, width, g.c);
    }
    return labels;
}

QString lineName(const QList<const DrawnRun*>& line, int number, const QList<NamedText>& named) {
    for (const NamedText& n : named) {
        if (n.text.trimmed().isEmpty())
            continue;
        for (const DrawnRun* run : line)
            if (run->text.contains(n.text.trimmed()))
                return n.name;
    }
    // A line of the layout's own words: its opening words say which.
    QString text;
    for (const DrawnRun* run : line)
        text += run->text;
    text = text.simplified();
    if (text.isEmpty())
        return QStringLiteral("%1. řádek").arg(number);
    constexpr int kShown = 24;
    if (text.size() > kShown) {
        const qsizetype cut = text.lastIndexOf(u' ', kShown);
        text = text.left(cut > 0 ? cut : kShown) + QStringLiteral("…");
    }
    return QStringLiteral("„%1“").arg(text);
}

} // namespace

bool SheetPreview::overflowsAt(int position) const {
    return std::any_of(overflows.cbegin(), overflows.cend(),
                       [position](const LabelOverflow& o) { return o.position == position; });
}

QList<NamedText> namedTexts(const ClauseParticulars& particulars, const BatchSummary& summary) {
    QList<NamedText> named;
    for (const IssuedNumber& issued : summary.issued)
        named << NamedText{QStringLiteral("označení doložky"), issued.designation};
    // Longer texts first: a short one can stand inside a longer line.
    if (const auto* p = std::get_if<CopyVerificationParticulars>(&particulars)) {
        named << NamedText{QStringLiteral("název úřadu"), p->officeGenitive}
              << NamedText{QStringLiteral("jméno úředníka"), p->officer}
              << NamedText{QStringLiteral("místo"), p->place};
    } else if (const auto* p = std::get_if<LegalizationParticulars>(&particulars)) {
        named << NamedText{QStringLiteral("jméno žadatele"), p->applicant}
              << NamedText{QStringLiteral("adresa žadatele"), p->address}
              << NamedText{QStringLiteral("číslo dokladu"), p->documentNumber}
              << NamedText{QStringLiteral("název úřadu"), p->officeGenitive}
              << NamedText{QStringLiteral("jméno úředníka"), p->officer}
              << NamedText{QStringLiteral("místo"), p->place};
    } else if (const auto* p = std::get_if<IntentionParticulars>(&particulars)) {
        named << NamedText{QStringLiteral("text záměru"), p->intentionText}
              << NamedText{QStringLiteral("orgán obce"), p->approvingBody}
              << NamedText{QStringLiteral("číslo usnesení"), p->resolutionNumber}
              << NamedText{QStringLiteral("číslo záměru"), p->number};
    } else if (const auto* p = std::get_if<ApprovalParticulars>(&particulars)) {
        named << NamedText{QStringLiteral("text schválení"), p->statement}
              << NamedText{QStringLiteral("orgán obce"), p->body}
              << NamedText{QStringLiteral("číslo usnesení"), p->resolutionNumber};
    }
    return named;
}

QList<LabelOverflow> findOverflows(const QList<DrawnRun>& runs, const QList<QRect>& labels, int dpi,
                                   const QList<NamedText>& named) {
    QList<LabelOverflow> found;
    for (qsizetype n = 0; n < labels.size(); ++n) {
        const int position = int(n) + 1;
        const QRect& label = labels[n];
        // Lines in drawing order: a run starts a new line once the pen has
        // gone down by half a line or more (a run set a little higher, as
        // the book label's date, stays on its line).
        QList<QList<const DrawnRun*>> lines;
        int lineTop = 0;
        int lineHeight = 0;
        for (const DrawnRun& run : runs) {
            if (run.label != position)
                continue;
            if (lines.isEmpty() || run.cell.y() >= lineTop + std::max(1, lineHeight / 2)) {
                lines.append(QList<const DrawnRun*>());
                lineTop = run.cell.y();
                lineHeight = run.cell.height();
            }
            lines.last() << &run;
        }
        // The edges as the print system sees them: a run may reach the last
        // pixel of its label (x + width exclusive).
        const int right = label.x() + label.width();
        const int bottom = label.y() + label.height();
        for (int edge = 0; edge < 2; ++edge) {
            LabelOverflow worst;
            for (qsizetype l = 0; l < lines.size(); ++l)
                for (const DrawnRun* run : lines[l]) {
                    const int past = edge == 0 ? run->cell.x() + run->cell.width() - right
                                               : run->cell.y() + run->cell.height() - bottom;
                    if (past > worst.pixels) {
                        worst.position = position;
                        worst.edge = edge == 0 ? LabelOverflow::Edge::Right : LabelOverflow::Edge::Bottom;
                        worst.pixels = past;
                        worst.cell = run->cell;
                        worst.line = lineName(lines[l], int(l) + 1, named);
                    }
                }
            if (worst.pixels > 0) {
                worst.millimetres = worst.pixels * 25.4 / std::max(1, dpi);
                found << worst;
            }
        }
    }
    return found;
}

QString overflowQuestion(const QList<LabelOverflow>& overflows) {
    if (overflows.isEmpty())
        return {};
    // The worst overflow is named; the first label with it when several tie.
    const LabelOverflow* worst = &overflows.first();
    QList<int> others;
    for (const LabelOverflow& o : overflows) {
        if (o.pixels > worst->pixels)
            worst = &o;
    }
    for (const LabelOverflow& o : overflows)
        if (o.position != worst->position && !others.contains(o.position))
            others << o.position;
    const QString edge =
        worst->edge == LabelOverflow::Edge::Right ? QStringLiteral("pravý") : QStringLiteral("spodní");
    QString question =
        QStringLiteral("Text doložky na štítku %1 přesahuje %2 okraj štítku o %3 mm (řádek: %4).")
            .arg(worst->position)
            .arg(edge, QLocale(QLocale::Czech).toString(worst->millimetres, 'f', 1), worst->line);
    if (!others.isEmpty()) {
        QStringList numbers;
        for (int p : others)
            numbers << QString::number(p);
        question += (others.size() == 1 ? QStringLiteral(" Přesahuje také na štítku %1.")
                                        : QStringLiteral(" Přesahuje také na štítcích %1."))
                        .arg(numbers.join(QStringLiteral(", ")));
    }
    return question + QStringLiteral(" Přesto tisknout?");
}

SheetPreview previewClauses(SettingsStore& settings, ClauseBatch& batch, const ClauseParticulars& particulars,
                            DrawingSurface& metrics) {
    SheetPreview preview;
    preview.dpi = batch.dpi();
    preview.labels = clauseLabels(settings);
    preview.marked = batch.marked();
    RecordingSheetJob job(metrics);
    LabelCloser closer(job.recorder);
    preview.summary = batch.run(job, particulars, ClauseBatch::Mode::Preview, &closer);
    preview.runs = job.recorder.runs;
    preview.images = job.recorder.images;
    preview.overflows =
        findOverflows(preview.runs, preview.labels, preview.dpi, namedTexts(particulars, preview.summary));
    return preview;
}

SheetPreview previewBookLabel(const SettingsStore& settings, int position,
                              const std::function<void(Pen&)>& draw, const QList<NamedText>& named,
                              DrawingSurface& metrics) {
    SheetPreview preview;
    preview.bookSheet = true;
    preview.dpi = Key::dpi().integer(settings);
    preview.labels = bookLabels(settings);
    if (position >= 1 && position <= BookSheetGeometry::kPositions) {
        preview.marked << position;
        const QPoint origin = BookSheetGeometry::read(settings).textOrigin(position);
        SheetRecorder recorder(metrics);
        Pen pen(recorder, origin.x(), origin.y());
        draw(pen);
        recorder.closeLabel(position);
        preview.runs = recorder.runs;
        preview.images = recorder.images;
    }
    preview.overflows = findOverflows(preview.runs, preview.labels, preview.dpi, named);
    return preview;
}
