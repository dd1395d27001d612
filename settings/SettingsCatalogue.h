#pragma once

#include "settings/ClauseKind.h"

#include <QList>
#include <QString>
#include <optional>

class SettingsStore;

// Every setting the program reads or writes, named once: its section and key
// in lorvena.ini, the default its reads pass and the kind of value it holds.
// Nothing outside this file spells a section or a key.
enum class ValueKind {
    Text,
    Integer,     // strict whole number
    Flag,        // "1" is on, anything else off
    Millimetres, // whole millimetres, converted to printer pixels with [Printer] dpi
};

class Setting {
public:
    Setting(QString section, QString key, QString fallback, ValueKind kind);

    const QString& section() const { return m_section; }
    const QString& key() const { return m_key; }
    // The default the program's reads pass; returned only when the key is absent.
    const QString& fallback() const { return m_fallback; }
    ValueKind kind() const { return m_kind; }

    // Reads with the catalogue's default, or with the one a particular reader
    // passes (the settings dialog, for instance, reads every length with "0").
    QString text(const SettingsStore& store) const;
    QString text(const SettingsStore& store, const QString& defaultValue) const;
    // Strict whole-number parsing; throws the conversion error.
    int integer(const SettingsStore& store) const;
    int integer(const SettingsStore& store, const QString& defaultValue) const;
    bool flag(const SettingsStore& store) const;
    bool flag(const SettingsStore& store, const QString& defaultValue) const;
    // The value in the file, or nothing when the key is absent.
    std::optional<QString> stored(const SettingsStore& store) const;
    // A length in millimetres as printer pixels at [Printer] dpi (read afresh).
    int pixels(const SettingsStore& store) const;

    void write(SettingsStore& store, const QString& value) const;
    void write(SettingsStore& store, int value) const;
    void writeFlag(SettingsStore& store, bool on) const;

    bool operator==(const Setting& other) const;

private:
    QString m_section;
    QString m_key;
    QString m_fallback;
    ValueKind m_kind;
};

namespace Key {

// [App]
const Setting& positionLeft();
const Setting& positionTop();
const Setting& positionBookLeft();
const Setting& positionBookTop();
const Setting& version();
const Setting& lastPrinted();
const Setting& prepareNext();
const Setting& lastPrintedBook();

// [Poplatky], fees in Kč
const Setting& copyVerificationFee();
const Setting& legalizationFee();

// [Printer]
const Setting& dpi();

// [Overovatele], n = 1 to 8
Setting officer(int n);
inline constexpr int kOfficers = 8;

// [DPJ]: municipal bodies in the genitive and the instrumental case (n = 1 to
// 6), and the resolution of the approval clause printed last.
Setting bodyGenitive(int n);
Setting bodyInstrumental(int n);
inline constexpr int kBodies = 6;
const Setting& approvalNumber();
const Setting& approvalDate();

// [Stitky]: the clause sheet a, b, c, d, z, y, x, w and the book sheet ka, kb,
// kc, kd, kz, ky, each in this order of reading.
const QList<Setting>& clauseSheet();
const QList<Setting>& bookSheet();

// [Font]
const Setting& basicFace();
const Setting& basicSize();
const Setting& headingFace();
const Setting& headingSize();
const Setting& dataFace();
const Setting& dataSize();

// [Zalozky]: whether the kind has a tab in the main window.
const Setting& tab(ClauseKind kind);

// [Organizace]
const Setting& place();
const Setting& officeGenitive();
const Setting& organisationName();
const Setting& organisationIc();
const Setting& organisationAddress1();
const Setting& organisationAddress2();
const Setting& organisationAddress3();

// [Cislovani]
const Setting& designationForm();
// The book chosen for copy verifications or legalizations ("0" none, "1" to "10").
const Setting& chosenBook(ClauseKind kind);
// The next order number shared by the kinds that use no book.
const Setting& sharedCounter();

// [Denik]: how many years the journal of issued numbers keeps its rows (0: all).
const Setting& journalYears();

// [Knihy], n = 1 to 10 (any text the book choice holds)
Setting bookText(const QString& n);
Setting bookCounter(const QString& n);
// The counter as the numbering writes it when it issues a number.
Setting issuedBookCounter(const QString& n);
Setting bookText(int n);
Setting bookCounter(int n);
inline constexpr int kBooks = 10;

// [Web]: the maker's web site (host or base address).
const Setting& makerServer();

} // namespace Key

// What every start writes (in this order): some values always, the rest only
// where the key reads empty; `WithPrevious` is written only when the value
// just before it was.
struct FirstStartValue {
    enum class When { Always, IfEmpty, WithPrevious };
    Setting setting;
    QString value;
    When when;
};
const QList<FirstStartValue>& firstStartValues();
