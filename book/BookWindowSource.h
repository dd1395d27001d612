#pragma once

#include "clauses/CopyVerificationClause.h"
#include "clauses/LegalizationClause.h"
#include "clauses/Numbering.h"
#include "settings/ClauseKind.h"

#include <optional>

// What the book-label window takes from the main window each time it is
// shown: the batch printed last and the particulars its record repeats.
struct BookWindowSource {
    std::optional<ClauseKind> kind; // the main window's tab
    int firstPrintedNumber = 0;     // first order number of the batch printed last, 0 for none
    int markedCount = 0;            // positions marked on the clause sheet
    OrderNumbers numbers;           // the order-number and year fields
    CopyVerificationParticulars copyVerification;
    LegalizationParticulars legalization;
    QString documentSeries; // Edit1, the series of the identity document
};
