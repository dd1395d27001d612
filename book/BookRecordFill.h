#pragma once

#include "book/BookLabel.h"

#include <QString>
#include <optional>

// How the book-label window carries the main window's particulars over into
// the record. Indexes are those of the main window's lists.

// The label position to offer next: the one after [App] last printed kniha
// (after 6 comes 1) when [App] prepare next is "1"; none otherwise, and none
// for a stored position that is not 1 to 6.
std::optional<int> nextBookPosition(const QString& prepareNext, const QString& lastPrinted);

// Where the address comes from, by the kind of identity document; none for
// the MZV identity card (the choice stays as the clerk left it).
std::optional<AddressSource> addressSourceFor(int documentKind);

// Item 5 as the record abbreviates it, and whether the issuing state is asked
// for (foreign documents only).
struct IdentityDocumentText {
    QString kind;
    bool stateWanted = false;
};
IdentityDocumentText identityDocumentFor(int documentKind);

// "č.12345678", with " (série A)" when a series is given.
QString documentNumberText(const QString& number, const QString& series);

// The record knows two ways of signing; an electronic signature recognised as
// one's own counts as a signature recognised as one's own.
int signatureIndexFor(int mainSignatureIndex);

// Item 8 of a copy verification: the input document and its pages, then the
// security element, completeness, form and pages of the output.
//   "Prvopis (2 str.), "
//   "neobsahuje zajišťovací prvek, úplná kopie (1 str.)"
QString sourceLine(const QString& sourceState, int sourcePages);
QString outputLine(bool securityElement, bool partial, bool copy, int outputPages);
