#pragma once

#include "clauses/ClauseBatch.h"
#include "printing/SheetRecorder.h"

#include <QList>
#include <QRect>
#include <QString>
#include <functional>

class Pen;
class SettingsStore;

// A run that crosses the right or the bottom edge of its label.
struct LabelOverflow {
    enum class Edge { Right, Bottom };
    int position = 0;
    Edge edge = Edge::Right;
    QString line;   // a short name of the line, as the clerk knows it
    int pixels = 0; // how far past the edge, printer pixels
    double millimetres = 0;
    QRect cell; // the run
};

// A short name for the texts a clause or a book label takes from the
// clerk, to say which line runs over.
struct NamedText {
    QString name;
    QString text;
};

// One sheet as the print would put it on paper: every label outline, the
// marked labels and what is drawn on them, and where text runs over.
struct SheetPreview {
    int dpi = 600;
    bool bookSheet = false;
    QList<QRect> labels; // outline of position 1, 2, ... in printer pixels
    QList<int> marked;
    QList<DrawnRun> runs;
    QList<DrawnImage> images;
    QList<LabelOverflow> overflows;
    BatchSummary summary; // the designations the print would issue

    bool overflowsAt(int position) const;
};

// Draws the batch as a preview (nothing is issued or written), measured with
// metrics, and checks every run against the outline of its label.
SheetPreview previewClauses(SettingsStore& settings, ClauseBatch& batch, const ClauseParticulars& particulars,
                            DrawingSurface& metrics);

// The book-label sheet with one record drawn by draw at position (1 to 6;
// any other draws nothing). named says which text is which line.
SheetPreview previewBookLabel(const SettingsStore& settings, int position,
                              const std::function<void(Pen&)>& draw, const QList<NamedText>& named,
                              DrawingSurface& metrics);

// The texts of a clause with the name of their line.
QList<NamedText> namedTexts(const ClauseParticulars& particulars, const BatchSummary& summary);

// Finds the runs past their label's right or bottom edge. Runs are grouped
// into lines as the pen moves down; a line is named by the first named text
// it shows, or by its number on the label.
QList<LabelOverflow> findOverflows(const QList<DrawnRun>& runs, const QList<QRect>& labels, int dpi,
                                   const QList<NamedText>& named);

// The one question asked before printing text that runs over; empty when
// nothing does.
QString overflowQuestion(const QList<LabelOverflow>& overflows);
