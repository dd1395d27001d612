#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The picture choice for the organisation logo, with a preview of the
// selected picture beside the list. Returns the chosen file, or an empty text
// when the clerk cancels.
QString chooseLogoFile(QWidget* parent);

// The three filter entries, the first selected when the dialog opens.
const QStringList& logoFileFilters();

// The patterns of one filter entry: "Všechny (*.jpg;*.jpeg;)" gives "*.jpg" and
// "*.jpeg". Qt itself splits patterns only at blanks.
QStringList logoFilterPatterns(const QString& filter);
