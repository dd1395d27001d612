#include "applicant/SavedClauses.h"

#include "settings/AnsiText.h"
#include "settings/AppError.h"
#include "settings/Conversion.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringView>
#include <algorithm>

namespace {

constexpr char16_t kSeparator = u'|';

QString unableToWrite(const QString& path) {
    return QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
}

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

QString nameOf(const QString& line) {
    const qsizetype bar = line.indexOf(kSeparator);
    return bar < 0 ? line : line.left(bar);
}

// Lines end with CR LF as written, but a hand edit may leave LF or CR alone;
// every one ends a line. A line end at the very end starts no further line.
QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
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

SavedClauses::SavedClauses(QString path) : m_path(std::move(path)) {
    assign({});
}

void SavedClauses::load() {
    QFile file(m_path);
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly))
            throw AppError(unableToWrite(m_path));
        file.close();
    }
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(cannotOpen(m_path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(cannotOpen(m_path, file.errorString()));

    QStringList lines = splitLines(AnsiText::decode(bytes));
    // An empty line (a hand edit) names no applicant and restores nothing.
    lines.removeAll(QString());
    assign(std::move(lines));
}

void SavedClauses::assign(QStringList lines) {
    QStringList names;
    names.reserve(lines.size());
    qsizetype total = 0;
    for (const QString& line : lines) {
        names.append(nameOf(line));
        total += names.last().size() + 1;
    }
    // One upper-casing of everything is far cheaper than one per name; the
    // result may be longer than its source (ß), so the starts are found after.
    QString joined;
    joined.reserve(total);
    for (const QString& name : names)
        joined += name + u'\n';
    QString upperNames = upper(joined);
    QList<qsizetype> starts;
    starts.reserve(names.size() + 1);
    starts.append(0);
    for (qsizetype at = upperNames.indexOf(u'\n'); at >= 0; at = upperNames.indexOf(u'\n', at + 1))
        starts.append(at + 1);

    std::vector<quint32> counts(0x10000, 0);
    for (QChar c : std::as_const(upperNames))
        ++counts[c.unicode()];

    m_lines = std::move(lines);
    m_names = std::move(names);
    m_upperNames = std::move(upperNames);
    m_upperStarts = std::move(starts);
    m_unitCounts = std::move(counts);
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
    const QByteArray bytes = AnsiText::encode(text);
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        throw AppError(unableToWrite(m_path));
    if (out.write(bytes) != bytes.size() || !out.commit())
        throw AppError(unableToWrite(m_path));
}

void SavedClauses::save(const LegalizationFields& fields) {
    if (const auto refusal = checkStorable(fields))
        throw AppError(refusal->message);
    QStringList lines = m_lines;
    lines.append(lineFor(fields));
    write(lines);
    load();
}

bool SavedClauses::removeFirstNamed(const QString& name) {
    const qsizetype i = m_names.indexOf(name);
    if (i < 0)
        return false;
    QStringList lines = m_lines;
    lines.removeAt(i);
    write(lines);
    m_lines = std::move(lines);
    m_names.removeAt(i);
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
    const qsizetype n = m_names.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (m_names[i] != applicantLine)
            continue;
        SavedClauseEntry e = parse(m_lines[i]);
        e.line = int(i);
        found.append(std::move(e));
    }
    return found;
}
