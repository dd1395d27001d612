#pragma once

#include "applicant/LegalizationFields.h"

#include <QString>
#include <optional>

// Filling the legalization fields from the particulars that the eDoklady
// reader application copies to the clipboard as JSON.
namespace EidImport {

// A real export is a few kilobytes; a clipboard text beyond this is not one
// and is refused unparsed, so that pasting a huge text cannot stall the window.
constexpr qsizetype kMaxTextLength = 4 * 1024 * 1024;

// The maker's page on electronic documents, named in both messages.
QString helpPage(const QString& siteBase);
QString noDataMessage(const QString& siteBase);
QString wrongDataMessage(const QString& siteBase);

// Which fields the import set, and the message to show (empty when all went
// well). Fields set before a failure keep their new values, as the clerk sees
// them; the flags say which ones to write back to the window.
struct Result {
    bool applicantSet = false; // ComboBox14
    bool documentSet = false;  // ComboBox7 index 0 and Edit4 (a change of the number)
    bool addressSet = false;   // ComboBox6 index 0 and Edit3
    bool sexSet = false;       // RadioButton1 / RadioButton2
    QString message;

    bool anySet() const { return applicantSet || documentSet || addressSet || sexSet; }
};

// Applies the credentials of the first presented document in array order to
// `fields`. `clipboardText` is empty (or absent) when the clipboard holds no text.
Result apply(const std::optional<QString>& clipboardText, LegalizationFields& fields,
             const QString& siteBase);

} // namespace EidImport
