#pragma once

#include "applicant/LegalizationFields.h"
#include "clauses/Refusal.h"
#include "settings/DataDir.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What one saved line gives back when it is restored. A line shortened by
// hand gives only the fields it has; an index that is not a whole number
// stops the line there: the fields before it are set and `error` holds the
// conversion error, which the caller raises after applying them.
struct SavedClauseEntry {
    int line = -1; // position in SavedClauses::lines()
    std::optional<int> signing;
    std::optional<int> addressKind;
    std::optional<bool> man;
    std::optional<QString> address;
    std::optional<int> documentKind;
    std::optional<QString> documentNumber;
    QString error;

    // Sets the fields the entry has and leaves the others; never throws.
    void applyTo(LegalizationFields& fields) const;
};

// The saved legalization clauses: the file "legalizace.dec" (one clause a
// line, seven fields separated by "|", CR LF, in the order of saving) and the
// two parallel lists of names and lines that the main window and the
// settings dialog share. The file is always rewritten whole and atomically;
// when a rewrite fails, the lists and the file stay as they were.
class SavedClauses {
public:
    // The fields that hold free text, for refusals that name the field.
    enum class Field { Applicant, Address, DocumentNumber };

    static inline const QString kSavedMessage = QStringLiteral("Tato legalizační doložka byla uložena.");
    static inline const QString kFormerDrivingLicenceMessage = QStringLiteral(
        "Tato doložka byla uložena s dokladem typu řidičský průkaz. Od 1. 1. 2024 není možné provádět "
        "legalizaci s řidičským průkazem. Vyberte prosím jiný typ dokladu.");
    // The document kind that is no longer accepted (the former driving licence).
    static constexpr int kFormerDrivingLicenceKind = 1;
    static constexpr qsizetype kMinimumSearchLength = 3;

    explicit SavedClauses(QString path = DataDir::savedClausesFile());

    const QString& path() const { return m_path; }
    const QStringList& names() const;
    // Made on first use (a rewrite of the file); the names and the rest of
    // each line are what is kept.
    const QStringList& lines() const;
    qsizetype size() const { return names().size(); }
    bool isEmpty() const { return names().isEmpty(); }

    // Reads the file, creating an empty file when there is none. Throws
    // AppError when the file cannot be created or read. The bytes read are
    // split into the lists when these are first asked for (empty lines are
    // dropped): the start of the program only reads the file.
    void load();

    // The file line for the fields (no line end).
    static QString lineFor(const LegalizationFields& fields);

    // A "|" or a line break in a text field would shift the fields or split
    // the line: such a clause is refused, naming the field (ComboBox14, Edit3
    // or Edit4 of the main window).
    static std::optional<Refusal> checkStorable(const LegalizationFields& fields);

    // Appends the fields as the last clause, rewrites the file and loads it
    // again. Throws AppError (nothing written) when checkStorable refuses, or
    // when the file cannot be written.
    void save(const LegalizationFields& fields);

    // Removes the first clause whose name equals `name` exactly and rewrites
    // the file; false (nothing written) when there is none.
    bool removeFirstNamed(const QString& name);

    // The names that contain `typed` regardless of letter case (Czech rules),
    // in file order with duplicates; nothing for fewer than three characters.
    QStringList filter(const QString& typed) const;
    QList<int> filterIndexes(const QString& typed) const;

    // Every clause whose name equals `applicantLine` exactly, in file order,
    // parsed; the caller applies them one after another, so the last wins.
    QList<SavedClauseEntry> matching(const QString& applicantLine) const;

    static SavedClauseEntry parse(const QString& line);

private:
    void write(const QStringList& lines) const;
    // Splits the bytes last read into the lists, once.
    void ensureSplit() const;
    void split(const QByteArray& bytes) const;
    void clearSearch() const;
    void addToSearch(QStringView name) const;

    QString m_path;
    // The file as load() read it, until it is split into the lists below.
    mutable std::optional<QByteArray> m_unsplit;
    // Each line split before its first "|": field 1, and the rest from the bar
    // on (empty for a line without one).
    mutable QStringList m_names;
    mutable QStringList m_rests;
    mutable std::optional<QStringList> m_lines;
    // For the search while typing: all names upper-cased, each followed by a
    // line feed (which no name holds), and where each one starts. It is the
    // only copy of the names beside the lines themselves.
    mutable QString m_upperNames;
    mutable QList<qsizetype> m_upperStarts;
    // How often each UTF-16 unit occurs there: the search anchors on the
    // rarest character of the typed text (sized when first filled).
    mutable std::vector<quint32> m_unitCounts;
};
