#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

// The three lists of the register's open data, in the order of their
// `typ_dokladu` on the download address.
enum class ListKind { IdentityCards = 0, IdentityCardsWithSeries = 1, Passports = 2 };
constexpr int kListKinds = 3;

// The file each archive must hold ("op_vse.csv").
QString listFileName(ListKind kind);

// A document number, with its series appended the way the desktop program
// sends it, packed for the index: 1 to 12 ASCII letters and digits (letters in
// either case count as one), each string its own number. Nothing for anything
// else.
using DocumentKey = std::uint64_t;
constexpr int kMaxKeyLength = 12;
std::optional<DocumentKey> documentKey(QStringView text);

// One line of a list: the document and the day it became invalid, as days
// since 1.1.1970.
struct ListEntry {
    DocumentKey key;
    std::uint16_t since;
};
QDate sinceDate(std::uint16_t since);

// Reads one list as it comes out of its archive, in pieces of any size.
// A line is "number;date" ("number;series;date" for identity cards with a
// series), fields trimmed of blanks, dates as 1.2.2010 or 01.02.2010; CR LF or
// LF line ends, blank lines and a UTF-8 byte-order mark are allowed, and since
// every accepted character is ASCII, Windows-1250 and UTF-8 read alike.
// Refused lines never enter the list; a few of them (a heading, a stray line)
// are borne and reported, more make the whole list refused.
class ListParser {
public:
    explicit ListParser(ListKind kind) : m_kind(kind) {}

    void feed(const char* data, qsizetype size);
    // Ends the list; false (with `error()`) when it is not one.
    bool finish();

    const QString& error() const { return m_error; }
    std::vector<ListEntry>& entries() { return m_entries; }
    qint64 lines() const { return m_lines; }
    qint64 refusedLines() const { return m_refused; }
    // The first refused lines, with their numbers, for the log.
    const QStringList& refusedSamples() const { return m_samples; }

    // At most one refused line in a thousand, and never more than this.
    static constexpr qint64 kMaxRefused = 1000;

private:
    void line(const char* begin, const char* end);
    void refuse(const char* begin, const char* end, const char* why);

    ListKind m_kind;
    std::vector<ListEntry> m_entries;
    QByteArray m_partial;
    qint64 m_lines = 0;      // lines that are not blank
    qint64 m_lineNumber = 0; // every line, for the report
    qint64 m_refused = 0;
    qint64 m_bytes = 0;
    QStringList m_samples;
    QString m_error;
    QByteArray m_start; // the first bytes, to tell what a refused file was
    bool m_failed = false;
};

// Reads the list of `kind` from the zip archive at `path`; the archive must
// hold that one file and nothing else.
struct ListArchive {
    std::vector<ListEntry> entries;
    qint64 lines = 0;
    qint64 refusedLines = 0;
    QStringList refusedSamples;
    QString error; // empty when the list was read
};
ListArchive readListArchive(const QString& path, ListKind kind);
