#include "InvalidList.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <archive.h>
#include <archive_entry.h>

#include <cstring>
#include <memory>

namespace {

constexpr qsizetype kMaxLineLength = 4096;
constexpr qint64 kMaxListBytes = qint64(4) << 30; // far beyond any real list; stops a zip bomb
constexpr int kSamples = 5;
const qint64 kEpochDay = QDate(1970, 1, 1).toJulianDay();

int keyDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0' + 1;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 11;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 11;
    return 0;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

struct Field {
    const char* begin;
    const char* end;
    qsizetype size() const { return end - begin; }
};

Field trimmed(const char* begin, const char* end) {
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    return {begin, end};
}

bool isAlphanumeric(Field field) {
    if (field.size() == 0)
        return false;
    for (const char* c = field.begin; c < field.end; ++c) {
        if (keyDigit(*c) == 0)
            return false;
    }
    return true;
}

// 1 or 2 digits.
bool readPart(const char*& c, const char* end, int maxDigits, int* value) {
    int digits = 0;
    *value = 0;
    while (c < end && *c >= '0' && *c <= '9' && digits < maxDigits) {
        *value = *value * 10 + (*c - '0');
        ++c;
        ++digits;
    }
    return digits > 0;
}

std::optional<std::uint16_t> readDate(Field field) {
    const char* c = field.begin;
    int day = 0, month = 0, year = 0;
    if (!readPart(c, field.end, 2, &day) || c == field.end || *c++ != '.' ||
        !readPart(c, field.end, 2, &month) || c == field.end || *c++ != '.' || field.end - c != 4 ||
        !readPart(c, field.end, 4, &year) || c != field.end)
        return std::nullopt;
    if (!QDate::isValid(year, month, day))
        return std::nullopt;
    const qint64 days = QDate(year, month, day).toJulianDay() - kEpochDay;
    if (days < 0 || days > 0xffff)
        return std::nullopt;
    return static_cast<std::uint16_t>(days);
}

std::optional<DocumentKey> packKey(Field number, Field series) {
    if (number.size() + series.size() > kMaxKeyLength)
        return std::nullopt;
    DocumentKey key = 0;
    for (Field part : {number, series}) {
        for (const char* c = part.begin; c < part.end; ++c)
            key = key * 37 + DocumentKey(keyDigit(*c));
    }
    return key;
}

QString shown(const char* begin, const char* end) {
    const QByteArray bytes(begin, qMin<qsizetype>(end - begin, 80));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder cp1250("windows-1250");
        text = cp1250.isValid() ? cp1250(bytes) : QString::fromLatin1(bytes);
    }
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = u'?';
    }
    return end - begin > 80 ? text + QStringLiteral("…") : text;
}

bool looksLikeMarkup(const QByteArray& start) {
    qsizetype i = start.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < start.size() && (isBlank(start[i]) || start[i] == '\r' || start[i] == '\n'))
        ++i;
    return i < start.size() && start[i] == '<';
}

} // namespace

QString listFileName(ListKind kind) {
    switch (kind) {
    case ListKind::IdentityCards:
        return QStringLiteral("op_vse.csv");
    case ListKind::IdentityCardsWithSeries:
        return QStringLiteral("ops_vse.csv");
    case ListKind::Passports:
        break;
    }
    return QStringLiteral("cd_vse.csv");
}

std::optional<DocumentKey> documentKey(QStringView text) {
    if (text.isEmpty() || text.size() > kMaxKeyLength)
        return std::nullopt;
    DocumentKey key = 0;
    for (QChar c : text) {
        const int digit = c.unicode() < 128 ? keyDigit(char(c.unicode())) : 0;
        if (digit == 0)
            return std::nullopt;
        key = key * 37 + DocumentKey(digit);
    }
    return key;
}

QDate sinceDate(std::uint16_t since) {
    return QDate::fromJulianDay(kEpochDay + since);
}

void ListParser::feed(const char* data, qsizetype size) {
    if (m_failed || size <= 0)
        return;
    if (m_start.size() < 64)
        m_start += QByteArray(data, qMin<qsizetype>(size, 64 - m_start.size()));
    if (looksLikeMarkup(m_start)) {
        m_failed = true;
        m_error = QStringLiteral("soubor vypadá jako stránka HTML, ne jako seznam („%1“)")
                      .arg(shown(m_start.constBegin(), m_start.constEnd()));
        return;
    }
    m_bytes += size;
    if (std::memchr(data, '\0', size_t(size))) {
        m_failed = true;
        m_error = QStringLiteral("soubor není text (obsahuje nulové bajty)");
        return;
    }
    const char* end = data + size;
    const char* c = data;
    while (c < end && !m_failed) {
        const char* newline = static_cast<const char*>(std::memchr(c, '\n', size_t(end - c)));
        if (!newline) {
            m_partial.append(c, end - c);
            if (m_partial.size() > kMaxLineLength) {
                m_failed = true;
                m_error = QStringLiteral("řádek %1 je delší než %2 znaků: nejde o seznam")
                              .arg(m_lineNumber + 1)
                              .arg(kMaxLineLength);
            }
            return;
        }
        if (m_partial.isEmpty()) {
            line(c, newline);
        } else {
            m_partial.append(c, newline - c);
            line(m_partial.constBegin(), m_partial.constEnd());
            m_partial.clear();
        }
        c = newline + 1;
    }
}

void ListParser::line(const char* begin, const char* end) {
    ++m_lineNumber;
    if (end > begin && end[-1] == '\r')
        --end;
    if (m_lineNumber == 1 && end - begin >= 3 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0)
        begin += 3;
    const Field whole = trimmed(begin, end);
    if (whole.size() == 0)
        return; // a blank line
    ++m_lines;

    Field fields[3];
    int count = 0;
    const char* start = whole.begin;
    for (const char* c = whole.begin; c <= whole.end; ++c) {
        if (c == whole.end || *c == ';') {
            if (count == 3) {
                refuse(begin, end, "příliš mnoho polí");
                return;
            }
            fields[count++] = trimmed(start, c);
            start = c + 1;
        }
    }
    const int wanted = m_kind == ListKind::IdentityCardsWithSeries ? 3 : 2;
    if (count != wanted) {
        refuse(begin, end,
               wanted == 3 ? "čekají se tři pole: číslo;série;datum" : "čekají se dvě pole: číslo;datum");
        return;
    }
    const Field number = fields[0];
    const Field series = wanted == 3 ? fields[1] : Field{number.end, number.end};
    if (!isAlphanumeric(number) || (wanted == 3 && !isAlphanumeric(series))) {
        refuse(begin, end,
               wanted == 3 ? "číslo a série mají být jen písmena a číslice"
                           : "číslo má být jen písmena a číslice");
        return;
    }
    const auto key = packKey(number, series);
    if (!key) {
        refuse(begin, end, "číslo je delší než 12 znaků");
        return;
    }
    const auto since = readDate(fields[wanted - 1]);
    if (!since) {
        refuse(begin, end, "datum nemá tvar den.měsíc.rok");
        return;
    }
    m_entries.push_back({*key, *since});
}

void ListParser::refuse(const char* begin, const char* end, const char* why) {
    ++m_refused;
    if (m_samples.size() < kSamples) {
        m_samples << QStringLiteral("řádek %1: „%2“ (%3)")
                         .arg(m_lineNumber)
                         .arg(shown(begin, end), QString::fromUtf8(why));
    }
    if (m_refused > kMaxRefused) {
        m_failed = true;
        m_error = QStringLiteral("více než %1 chybných řádků").arg(kMaxRefused);
    }
}

bool ListParser::finish() {
    if (!m_failed && !m_partial.isEmpty()) {
        line(m_partial.constBegin(), m_partial.constEnd());
        m_partial.clear();
    }
    if (!m_failed) {
        if (m_bytes == 0) {
            m_error = QStringLiteral("seznam je prázdný");
        } else if (m_entries.empty()) {
            m_error = QStringLiteral("v seznamu není jediný platný řádek");
        } else if (m_refused > 1 + m_lines / 1000) {
            m_error = QStringLiteral("chybných řádků je %1 z %2").arg(m_refused).arg(m_lines);
        }
        m_failed = !m_error.isEmpty();
    }
    if (m_failed && !m_samples.isEmpty())
        m_error += QStringLiteral("; ") + m_samples.first();
    return !m_failed;
}

ListArchive readListArchive(const QString& path, ListKind kind) {
    ListArchive result;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            result.error = QStringLiteral("stažený soubor nelze otevřít: %1").arg(file.errorString());
            return result;
        }
        const QByteArray start = file.read(64);
        if (start.isEmpty()) {
            result.error = QStringLiteral("stažený soubor je prázdný");
            return result;
        }
        if (start.startsWith("PK\x05\x06")) {
            result.error = QStringLiteral("archiv je prázdný");
            return result;
        }
        if (!start.startsWith("PK\x03\x04")) {
            result.error = looksLikeMarkup(start)
                               ? QStringLiteral("místo archivu zip přišla stránka HTML („%1“)")
                                     .arg(shown(start.constBegin(), start.constEnd()))
                               : QStringLiteral("stažený soubor není archiv zip");
            return result;
        }
        // A zip ends with its directory; without it the download was cut
        // short, even when the entries before read well.
        const qint64 tail = qMin<qint64>(file.size(), 22 + 65535);
        file.seek(file.size() - tail);
        const QByteArray end = file.read(tail);
        const qsizetype record = end.lastIndexOf("PK\x05\x06");
        if (record < 0 || end.size() - record < 22) {
            result.error = QStringLiteral("archiv je neúplný (chybí jeho konec)");
            return result;
        }
    }

    const std::unique_ptr<archive, decltype(&archive_read_free)> zip(archive_read_new(), &archive_read_free);
    archive_read_support_format_zip(zip.get());
    auto failure = [&zip](const QString& what) {
        const char* text = archive_error_string(zip.get());
        return text ? QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(text)) : what;
    };
    if (archive_read_open_filename(zip.get(), QFile::encodeName(path).constData(), 64 * 1024) != ARCHIVE_OK) {
        result.error = failure(QStringLiteral("archiv nelze otevřít"));
        return result;
    }
    const QString wanted = listFileName(kind);
    ListParser parser(kind);
    int files = 0;
    for (;;) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(zip.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK) {
            result.error = failure(QStringLiteral("archiv je poškozený"));
            return result;
        }
        if (archive_entry_filetype(entry) == AE_IFDIR)
            continue;
        const char* rawName = archive_entry_pathname(entry);
        const QString name = QFileInfo(QString::fromUtf8(rawName ? rawName : "")).fileName();
        if (++files > 1) {
            result.error = QStringLiteral("archiv obsahuje víc souborů než %1 (také %2)").arg(wanted, name);
            return result;
        }
        if (name.compare(wanted, Qt::CaseInsensitive) != 0) {
            result.error = QStringLiteral("v archivu je %1 místo %2").arg(name, wanted);
            return result;
        }
        // Room for lines of about the usual length at once, not a doubling
        // vector's worth of copies (a line is some 20 bytes).
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > 0)
            parser.entries().reserve(
                size_t(qMin<la_int64_t>(archive_entry_size(entry), kMaxListBytes) / 20 + 16));
        qint64 total = 0;
        char buffer[64 * 1024];
        for (;;) {
            const la_ssize_t read = archive_read_data(zip.get(), buffer, sizeof buffer);
            if (read == 0)
                break;
            if (read < 0) {
                result.error = failure(QStringLiteral("archiv je poškozený nebo neúplný"));
                return result;
            }
            total += read;
            if (total > kMaxListBytes) {
                result.error = QStringLiteral("rozbalený seznam je větší než %1 B").arg(kMaxListBytes);
                return result;
            }
            parser.feed(buffer, read);
        }
    }
    if (files == 0) {
        result.error = QStringLiteral("v archivu chybí %1").arg(wanted);
        return result;
    }
    const bool ok = parser.finish();
    result.lines = parser.lines();
    result.refusedLines = parser.refusedLines();
    result.refusedSamples = parser.refusedSamples();
    if (!ok) {
        result.error = QStringLiteral("%1: %2").arg(wanted, parser.error());
        return result;
    }
    result.entries = std::move(parser.entries());
    return result;
}
