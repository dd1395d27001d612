#pragma once

#include "TestSupport.h"

#include "clauses/ClauseBatch.h"
#include "journal/Journal.h"
#include "settings/FirstStart.h"
#include "settings/SettingsStore.h"

// An office whose copy verifications go to book 1 ("A", next number 15) and
// whose legalizations use no book (shared counter 40).
inline void writeJournalOffice() {
    QDir().mkpath(DataDir::directory());
    QVERIFY(writeWindowsIni(DataDir::settingsFile(),
                            {"[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]",
                             "VybranaKniha-Vidimace=1", "VybranaKniha-Legalizace=0", "Vidimace-legalizace=40",
                             "[Organizace]", "Kde=Lhota", "Organizace2pad=Obecního úřadu Lhota"}));
    SettingsStore store(DataDir::settingsFile());
    writeFirstStartValues(store);
}

inline OrderNumbers journalFields(int copy, int legal, int year = 2026) {
    OrderNumbers n;
    n.copyVerification = copy;
    n.legalization = legal;
    n.copyVerificationYear = year;
    n.legalizationYear = year;
    return n;
}

inline CopyVerificationParticulars copyParticulars() {
    CopyVerificationParticulars p;
    p.date = QDate(2026, 12, 11);
    p.officer = QStringLiteral("Zoz Azira");
    p.outputPages = 2;
    p.sourcePages = 2;
    return p;
}

inline LegalizationParticulars legalParticulars() {
    LegalizationParticulars p;
    p.applicant = QStringLiteral("Jan Novák, 07.03.1985, Brno");
    p.address = QStringLiteral("Brno, Údolní 5");
    p.documentNumber = QStringLiteral("123456789");
    p.date = QDate(2026, 12, 11);
    p.officer = QStringLiteral("Eva Malá");
    return p;
}
