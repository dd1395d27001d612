#include "settings/SettingsStore.h"

#include "settings/AnsiText.h"
#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/DurableFile.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <cstring>
#include <exception>
#include <memory>

namespace {

using DurableFile::unableToWrite;

// Reads the file; a missing file is an empty one.
QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (file.size() > SettingsStore::kMaxFileSize)
        throw AppError(QStringLiteral("Soubor nastavení %1 je příliš velký (%2 bajtů), nejde o soubor "
                                      "nastavení programu Lorvena.")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(file.size()));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot open file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    // No larger than the file: a buffer of the largest size allowed would cost
    // more than the read itself.
    return file.read(file.size() + 1);
}

QString readText(const QString& path) {
    return AnsiText::decode(readBytes(path));
}

// The lines of a text without their line ends (LF, or CR LF); a line end at
// the very end starts no further line. The lines are views into the text.
QList<QStringView> splitLines(const QString& text) {
    QList<QStringView> lines;
    const QStringView all(text);
    qsizetype start = 0;
    while (start <= all.size() && !all.isEmpty()) {
        const qsizetype end = all.indexOf(u'\n', start);
        QStringView line = all.mid(start, (end < 0 ? all.size() : end) - start);
        if (end < 0 && line.isEmpty())
            break;
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.append(line);
        if (end < 0)
            break;
        start = end + 1;
    }
    return lines;
}

// A section header: "[name]" after leading blanks; returns false otherwise.
bool sectionName(QStringView line, QString& name) {
    const QStringView t = line.trimmed();
    if (!t.startsWith(u'['))
        return false;
    const qsizetype close = t.indexOf(u']');
    name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed().toString();
    return true;
}

// A key line "name=value"; returns false for lines without "=".
bool keyLine(QStringView line, QString& key, QString& value) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed().toString();
    value = line.mid(eq + 1).trimmed().toString();
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Line breaks in a value would split it into a second, bogus key.
QString oneLine(QString value) {
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

struct SettingsStore::Pending {
    std::unique_ptr<QLockFile> lock;
    QString before;
    QString text;
};

// The sections and keys of one text, in file order, as the reads see them.
// Values stay in the bytes until asked for: a large file costs little more
// than its bytes and its key names.
struct SettingsStore::Parsed {
    struct Entry {
        QString key;
        qsizetype from = 0; // the bytes of its line
        qsizetype size = 0;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };

    QByteArray bytes; // the file's bytes (or the text of a batch under way, as UTF-8)
    bool utf8 = false;
    bool fromFile = false;
    QString batchText;
    QList<Section> sections;

    QString line(qsizetype from, qsizetype size) const {
        const QByteArray raw = QByteArray::fromRawData(bytes.constData() + from, size);
        return utf8 ? QString::fromUtf8(raw) : AnsiText::decodeWindows1250(raw);
    }

    // Lines end at LF; a CR before it belongs to the line end.
    void parse() {
        static const QByteArray bom("\xEF\xBB\xBF", 3);
        qsizetype start = 0;
        if (fromFile) {
            utf8 = bytes.startsWith(bom);
            start = utf8 ? bom.size() : 0;
        }
        QString name, k, v;
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            const qsizetype next = end < 0 ? bytes.size() : end + 1;
            if (end < 0)
                end = bytes.size();
            const qsizetype size = end - start - (end > start && bytes.at(end - 1) == '\r' ? 1 : 0);
            // Most lines are keys: only the name before the "=" is decoded
            // ("=" and "[" are single bytes in both encodings, never part of
            // a character). A line whose first non-blank is "[" is a section
            // header even with an "=" in it, and is read whole.
            const char* at = bytes.constData() + start;
            const void* eq = std::memchr(at, '=', size_t(size));
            if (eq) {
                const QString key = line(start, static_cast<const char*>(eq) - at).trimmed();
                if (!key.startsWith(u'[')) {
                    if (!sections.isEmpty())
                        sections.last().entries.append({key, start, size});
                    start = next;
                    continue;
                }
            }
            const QString text = line(start, size);
            if (sectionName(text, name))
                sections.append({name, {}});
            else if (!sections.isEmpty() && keyLine(text, k, v))
                sections.last().entries.append({k, start, size});
            start = next;
        }
    }
};

SettingsStore::SettingsStore(QString path) : m_path(std::move(path)) {}

SettingsStore::~SettingsStore() = default;

const SettingsStore::Parsed& SettingsStore::parsed() const {
    if (m_pending) {
        if (!m_parsed || m_parsed->fromFile || m_parsed->batchText != m_pending->text) {
            auto made = std::make_unique<Parsed>();
            made->batchText = m_pending->text;
            made->bytes = m_pending->text.toUtf8();
            made->utf8 = true;
            made->parse();
            m_parsed = std::move(made);
        }
        return *m_parsed;
    }
    // The bytes are read every time: a size or a time stamp could stay the
    // same across a hand edit, the bytes cannot.
    QByteArray bytes = readBytes(m_path);
    if (!m_parsed || !m_parsed->fromFile || m_parsed->bytes != bytes) {
        auto made = std::make_unique<Parsed>();
        made->fromFile = true;
        made->bytes = std::move(bytes);
        made->parse();
        m_parsed = std::move(made);
    }
    return *m_parsed;
}

QString SettingsStore::ReadString(const QString& section, const QString& key,
                                  const QString& defaultValue) const {
    const Parsed& file = parsed();
    for (const Parsed::Section& s : file.sections) {
        // The first section of a name is the one that counts, as in Windows.
        if (!sameName(s.name, section))
            continue;
        for (const Parsed::Entry& e : s.entries) {
            if (!sameName(e.key, key))
                continue;
            QString k, v;
            keyLine(file.line(e.from, e.size), k, v);
            return v.left(kMaxValueLength);
        }
        break;
    }
    return defaultValue;
}

int SettingsStore::ReadInt(const QString& section, const QString& key, const QString& defaultValue) const {
    return strToInt(ReadString(section, key, defaultValue));
}

namespace {

// The file text with one value set: the key keeps its place (and spelling),
// a new key goes after the last line of its section, a new section at the end.
QString withValue(const QString& before, const QString& section, const QString& key, const QString& value) {
    const QList<QStringView> lines = splitLines(before);
    const QString entry = key + u'=' + oneLine(value);

    qsizetype sectionStart = -1; // index of the header line
    qsizetype insertAt = -1;     // after the last non-blank line of the section
    qsizetype replaceAt = -1;    // the key's own line
    QString replacement;
    QString name, k, v;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (sectionName(lines[i], name)) {
            if (sectionStart >= 0)
                break;
            if (sameName(name, section)) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (keyLine(lines[i], k, v) && sameName(k, key)) {
            replaceAt = i;
            replacement = k + u'=' + oneLine(value);
            break;
        }
        if (!lines[i].trimmed().isEmpty())
            insertAt = i + 1;
    }
    const bool insert = replaceAt < 0 && sectionStart >= 0;

    QString out;
    out.reserve(before.size() + section.size() + entry.size() + replacement.size() + 2 * lines.size() + 8);
    auto put = [&out](QStringView line) {
        out += line;
        out += QLatin1String("\r\n");
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (insert && i == insertAt)
            put(entry);
        put(i == replaceAt ? QStringView(replacement) : lines[i]);
    }
    if (insert && insertAt == lines.size())
        put(entry);
    if (sectionStart < 0) {
        put(QString(u'[' + section + u']'));
        put(entry);
    }
    return out;
}

void checkWritable(const QString& path) {
    const QFileInfo info(path);
    // A file marked read-only is refused even for an administrator, as on Windows.
    if (!info.absoluteDir().exists() ||
        (info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))))
        throw AppError(unableToWrite(path));
}

std::unique_ptr<QLockFile> lockFor(const QString& path) {
    const QString lockPath = path + QStringLiteral(".lock");
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(10000);
    QElapsedTimer waited;
    waited.start();
    while (!lock->tryLock(100)) {
        if (waited.elapsed() >= 5000)
            throw AppError(unableToWrite(path));
        // A lock file that names no owner was left by a program that ended
        // between making it and writing it (it writes both at once, so a
        // live one never leaves it so for long); Qt would wait out its age.
        qint64 pid = 0;
        QString host, application;
        if (lock->error() == QLockFile::LockFailedError && !lock->getLockInfo(&pid, &host, &application) &&
            QFileInfo(lockPath).lastModified().msecsTo(QDateTime::currentDateTime()) > 1000)
            lock->removeStaleLockFile();
    }
    return lock;
}

void replaceFile(const QString& path, const QString& before, const QString& text) {
    // Rewriting identical bytes would only cost a flush to disk.
    if (text == before && QFileInfo::exists(path))
        return;
    DurableFile::replace(path, AnsiText::encode(text));
}

} // namespace

void SettingsStore::WriteString(const QString& section, const QString& key, const QString& value) {
    if (m_pending) {
        m_pending->text = withValue(m_pending->text, section, key, value);
        return;
    }
    checkWritable(m_path);
    const auto lock = lockFor(m_path);
    const QString before = readText(m_path);
    replaceFile(m_path, before, withValue(before, section, key, value));
}

SettingsStore::Batch::Batch(SettingsStore& store) : m_store(store) {
    if (store.m_pending)
        return; // nested: the outer batch writes
    checkWritable(store.m_path);
    auto pending = std::make_unique<Pending>();
    pending->lock = lockFor(store.m_path);
    pending->before = readText(store.m_path);
    pending->text = pending->before;
    store.m_pending = std::move(pending);
    m_owner = true;
}

void SettingsStore::Batch::commit() {
    if (!m_owner)
        return;
    m_owner = false;
    const std::unique_ptr<Pending> pending = std::move(m_store.m_pending);
    replaceFile(m_store.m_path, pending->before, pending->text);
}

SettingsStore::Batch::~Batch() {
    if (!m_owner)
        return;
    if (std::uncaught_exceptions() > 0) {
        m_store.m_pending.reset(); // the error at hand is what the clerk sees
        return;
    }
    try {
        commit();
    } catch (...) {
    }
}
