#include "applicant/SavedClauses.h"

#include "settings/AnsiText.h"
#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringView>
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

constexpr char16_t kSeparator = u'|';

QString cannotOpen(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

const QLocale& czech() {
    static const QLocale locale(QLocale::Czech, QLocale::CzechRepublic);
    return locale;
}

QString upper(const QString& text) {
    return czech().toUpper(text);
}

// The upper-casing of the search, unit by unit: each UTF-16 unit's upper
// case, asked of the locale once and kept. Czech upper-casing depends on no
// neighbour, so where every unit of a name maps to one unit this equals
// upper(name), at a fraction of its cost; a name with any other unit (ß
// becomes SS, a surrogate pair) is upper-cased whole by the locale.
class UnitUpperCase {
public:
    // Appends the upper case of `text` to `out`.
    void append(QStringView text, QString& out) {
        const qsizetype from = out.size();
        out.resize(from + text.size());
        char16_t* d = reinterpret_cast<char16_t*>(out.data()) + from;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = mapped(text[i].unicode());
            if (u == kWhole) {
                out.resize(from);
                out += upper(text.toString());
                return;
            }
            d[i] = u;
        }
    }

private:
    static constexpr char16_t kWhole = 0xFFFF; // (U+FFFF itself only takes the slow way)

    char16_t mapped(char16_t c) {
        char16_t& m = m_map[c];
        if (m == 0) { // not asked yet (U+0000 is asked every time, harmlessly)
            if (QChar::isSurrogate(c)) {
                m = kWhole;
            } else {
                const QString one = upper(QString(QChar(c)));
                m = one.size() == 1 ? one[0].unicode() : kWhole;
            }
        }
        return m;
    }

    std::array<char16_t, 0x10000> m_map{};
};

UnitUpperCase& unitUpperCase() {
    static UnitUpperCase table;
    return table;
}

// Calls `line(name, rest)` for every line of the file's bytes, decoded and
// split before its first "|" (the rest starts with it, or is empty). Lines end
// with CR LF as written, but a hand edit may leave LF or CR alone; every one
// ends a line (neither byte, nor "|", occurs inside a Windows-1250 or UTF-8
// character). A line end at the very end starts no further line.
template <typename Line> void forEachLine(const QByteArray& bytes, Line&& line) {
    static const QByteArray bom("\xEF\xBB\xBF", 3);
    const bool utf8 = bytes.startsWith(bom);
    const char* data = bytes.constData();
    const qsizetype n = bytes.size();
    auto decode = [&](qsizetype start, qsizetype end) {
        if (start == end)
            return QString();
        const QByteArray raw = QByteArray::fromRawData(data + start, end - start);
        return utf8 ? QString::fromUtf8(raw) : AnsiText::decodeWindows1250(raw);
    };
    auto take = [&](qsizetype start, qsizetype end) {
        const void* bar = std::memchr(data + start, '|', size_t(end - start));
        const qsizetype split = bar ? static_cast<const char*>(bar) - data : end;
        line(decode(start, split), decode(split, end));
    };
    qsizetype start = utf8 ? bom.size() : 0;
    for (qsizetype i = start; i < n; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        take(start, i);
        if (c == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        take(start, n);
}

QString fieldLabel(SavedClauses::Field field) {
    switch (field) {
    case SavedClauses::Field::Applicant:
        return QStringLiteral("Jméno, příjmení, datum a místo narození žadatele");
    case SavedClauses::Field::Address:
        return QStringLiteral("Adresa pobytu žadatele");
    case SavedClauses::Field::DocumentNumber:
        return QStringLiteral("Číslo dokladu");
    }
    return {};
}

QString controlName(SavedClauses::Field field) {
    switch (field) {
    case SavedClauses::Field::Applicant:
        return QStringLiteral("ComboBox14");
    case SavedClauses::Field::Address:
        return QStringLiteral("Edit3");
    case SavedClauses::Field::DocumentNumber:
        return QStringLiteral("Edit4");
    }
    return {};
}

std::optional<Refusal> refusalFor(SavedClauses::Field field, const QString& text) {
    if (text.contains(kSeparator))
        return Refusal{QStringLiteral("Doložku nelze uložit: pole „%1“ obsahuje znak „|“, který nelze do "
                                      "uložených doložek zapsat. Odstraňte ho prosím z pole.")
                           .arg(fieldLabel(field)),
                       controlName(field)};
    if (text.contains(u'\r') || text.contains(u'\n'))
        return Refusal{QStringLiteral("Doložku nelze uložit: pole „%1“ obsahuje konec řádku, který nelze do "
                                      "uložených doložek zapsat. Odstraňte ho prosím z pole.")
                           .arg(fieldLabel(field)),
                       controlName(field)};
    return std::nullopt;
}

// Reads a numeric field; false stops the line (missing field or bad number).
bool readIndex(const QStringList& fields, int i, std::optional<int>& out, QString& error) {
    if (fields.size() <= i)
        return false;
    try {
        out = strToInt(fields[i]);
    } catch (const AppError& e) {
        error = e.message();
        return false;
    }
    return true;
}

} // namespace

void SavedClauseEntry::applyTo(LegalizationFields& fields) const {
    if (signing)
        fields.signing = *signing;
    if (addressKind)
        fields.addressKind = *addressKind;
    if (man)
        fields.man = *man;
    if (address)
        fields.address = *address;
    if (documentKind)
        fields.documentKind = *documentKind;
    if (documentNumber)
        fields.documentNumber = *documentNumber;
}

SavedClauses::SavedClauses(QString path) : m_path(std::move(path)) {}

void SavedClauses::load() {
    QFile file(m_path);
    if (!file.exists())
        DurableFile::replace(m_path, {});
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(cannotOpen(m_path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(cannotOpen(m_path, file.errorString()));
    m_lines.reset();
    m_unsplit = std::move(bytes);
}

const QStringList& SavedClauses::names() const {
    ensureSplit();
    return m_names;
}

void SavedClauses::ensureSplit() const {
    if (!m_unsplit) {
        if (m_unitCounts.empty())
            clearSearch(); // never loaded: no clauses
        return;
    }
    const QByteArray bytes = *std::exchange(m_unsplit, std::nullopt);
    split(bytes);
}

void SavedClauses::split(const QByteArray& bytes) const {
    // One pass: each line is decoded straight into its name and the rest, and
    // the name upper-cased into the search text, without a decoded copy of the
    // whole file, nor of the lines beside the names.
    m_names.clear();
    m_rests.clear();
    m_lines.reset();
    clearSearch();
    // Names and their line feeds never outgrow the file (barring ß and the like);
    // the pages reserved beyond what they fill are never touched.
    m_upperNames.reserve(bytes.size());
    forEachLine(bytes, [this](QString name, QString rest) {
        // An empty line (a hand edit) names no applicant and restores nothing.
        if (name.isEmpty() && rest.isEmpty())
            return;
        addToSearch(name);
        m_names.append(std::move(name));
        m_rests.append(std::move(rest));
    });
    m_upperNames.squeeze();
}

void SavedClauses::clearSearch() const {
    m_upperNames.clear();
    m_upperStarts = {0};
    m_unitCounts.assign(0x10000, 0);
}

void SavedClauses::addToSearch(QStringView name) const {
    const qsizetype from = m_upperNames.size();
    unitUpperCase().append(name, m_upperNames);
    m_upperNames.append(u'\n');
    for (qsizetype k = from; k < m_upperNames.size(); ++k)
        ++m_unitCounts[m_upperNames[k].unicode()];
    m_upperStarts.append(m_upperNames.size());
}

const QStringList& SavedClauses::lines() const {
    ensureSplit();
    if (!m_lines) {
        QStringList lines;
        lines.reserve(m_names.size());
        for (qsizetype i = 0; i < m_names.size(); ++i)
            lines.append(m_names[i] + m_rests[i]);
        m_lines = std::move(lines);
    }
    return *m_lines;
}

QString SavedClauses::lineFor(const LegalizationFields& f) {
    const QChar bar(kSeparator);
    return f.applicant + bar + QString::number(f.signing) + bar + QString::number(f.addressKind) + bar +
           (f.man ? QStringLiteral("1") : QStringLiteral("2")) + bar + f.address + bar +
           QString::number(f.documentKind) + bar + f.documentNumber;
}

std::optional<Refusal> SavedClauses::checkStorable(const LegalizationFields& fields) {
    if (auto r = refusalFor(Field::Applicant, fields.applicant))
        return r;
    if (auto r = refusalFor(Field::Address, fields.address))
        return r;
    return refusalFor(Field::DocumentNumber, fields.documentNumber);
}

void SavedClauses::write(const QStringList& lines) const {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    DurableFile::replace(m_path, AnsiText::encode(text));
}

void SavedClauses::save(const LegalizationFields& fields) {
    if (const auto refusal = checkStorable(fields))
        throw AppError(refusal->message);
    QStringList lines = this->lines();
    lines.append(lineFor(fields));
    write(lines);
    load();
}

bool SavedClauses::removeFirstNamed(const QString& name) {
    const qsizetype i = names().indexOf(name);
    if (i < 0)
        return false;
    QStringList lines = this->lines();
    lines.removeAt(i);
    write(lines);
    m_lines.reset(); // made again when next needed, rather than kept beside the names
    m_names.removeAt(i);
    m_rests.removeAt(i);
    const qsizetype length = m_upperStarts[i + 1] - m_upperStarts[i];
    for (qsizetype k = m_upperStarts[i]; k < m_upperStarts[i] + length; ++k)
        --m_unitCounts[m_upperNames[k].unicode()];
    m_upperNames.remove(m_upperStarts[i], length);
    m_upperStarts.removeAt(i);
    for (qsizetype k = i; k < m_upperStarts.size(); ++k)
        m_upperStarts[k] -= length;
    return true;
}

QList<int> SavedClauses::filterIndexes(const QString& typed) const {
    QList<int> found;
    if (typed.size() < kMinimumSearchLength)
        return found;
    ensureSplit();
    const QString needle = upper(typed);
    // No name holds a line break, so such a text matches nothing; this also
    // keeps a match from running over the end of one name into the next.
    if (needle.contains(u'\n') || needle.contains(u'\r'))
        return found;
    qsizetype anchor = 0;
    for (qsizetype k = 1; k < needle.size(); ++k)
        if (m_unitCounts[needle[k].unicode()] < m_unitCounts[needle[anchor].unicode()])
            anchor = k;
    const QStringView all(m_upperNames);
    const QChar key = needle[anchor];
    const qsizetype end = all.size() - (needle.size() - anchor);
    for (qsizetype at = all.indexOf(key, anchor); at >= 0 && at <= end; at = all.indexOf(key, at + 1)) {
        const qsizetype begin = at - anchor;
        if (all.mid(begin, needle.size()) != needle)
            continue;
        const auto next = std::upper_bound(m_upperStarts.cbegin(), m_upperStarts.cend(), begin);
        found.append(int(next - m_upperStarts.cbegin() - 1));
        at = *next - 1 + anchor; // on to the next name: one entry per name
    }
    return found;
}

QStringList SavedClauses::filter(const QString& typed) const {
    QStringList found;
    for (int i : filterIndexes(typed))
        found.append(m_names[i]);
    return found;
}

SavedClauseEntry SavedClauses::parse(const QString& line) {
    const QStringList fields = line.split(kSeparator);
    SavedClauseEntry e;
    if (!readIndex(fields, 1, e.signing, e.error) || !readIndex(fields, 2, e.addressKind, e.error))
        return e;
    if (fields.size() <= 3)
        return e;
    e.man = fields[3] == u"1";
    if (fields.size() <= 4)
        return e;
    e.address = fields[4];
    if (!readIndex(fields, 5, e.documentKind, e.error))
        return e;
    if (fields.size() > 6)
        e.documentNumber = fields[6];
    return e;
}

QList<SavedClauseEntry> SavedClauses::matching(const QString& applicantLine) const {
    QList<SavedClauseEntry> found;
    const qsizetype n = names().size();
    for (qsizetype i = 0; i < n; ++i) {
        if (m_names[i] != applicantLine)
            continue;
        SavedClauseEntry e = parse(m_names[i] + m_rests[i]);
        e.line = int(i);
        found.append(std::move(e));
    }
    return found;
}
