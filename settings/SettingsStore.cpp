#include "settings/SettingsStore.h"

#include "settings/AnsiText.h"
#include "settings/AppError.h"
#include "settings/Conversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringList>
#include <exception>
#include <memory>

namespace {

QString unableToWrite(const QString& path) {
    return QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
}

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
    return file.read(SettingsStore::kMaxFileSize + 1);
}

QString readText(const QString& path) {
    return AnsiText::decode(readBytes(path));
}

QStringList splitLines(const QString& text) {
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

// A section header: "[name]" after leading blanks; returns false otherwise.
bool sectionName(const QString& line, QString& name) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return false;
    const qsizetype close = t.indexOf(u']');
    name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    return true;
}

// A key line "name=value"; returns false for lines without "=".
bool keyLine(const QString& line, QString& key, QString& value) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
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
struct SettingsStore::Parsed {
    struct Section {
        QString name;
        QList<std::pair<QString, QString>> entries; // key, value (both trimmed)
    };

    QByteArray bytes; // the file's bytes it was made from, or
    QString text;     // the text of a batch under way
    bool fromFile = false;
    QList<Section> sections;

    void parse(const QString& source) {
        QString name, k, v;
        for (const QString& line : splitLines(source)) {
            if (sectionName(line, name))
                sections.append({name, {}});
            else if (!sections.isEmpty() && keyLine(line, k, v))
                sections.last().entries.append({k, v});
        }
    }
};

SettingsStore::SettingsStore(QString path) : m_path(std::move(path)) {}

SettingsStore::~SettingsStore() = default;

const SettingsStore::Parsed& SettingsStore::parsed() const {
    if (m_pending) {
        if (!m_parsed || m_parsed->fromFile || m_parsed->text != m_pending->text) {
            auto made = std::make_unique<Parsed>();
            made->text = m_pending->text;
            made->parse(made->text);
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
        made->parse(AnsiText::decode(bytes));
        made->bytes = std::move(bytes);
        m_parsed = std::move(made);
    }
    return *m_parsed;
}

QString SettingsStore::ReadString(const QString& section, const QString& key,
                                  const QString& defaultValue) const {
    for (const Parsed::Section& s : parsed().sections) {
        // The first section of a name is the one that counts, as in Windows.
        if (!sameName(s.name, section))
            continue;
        for (const auto& [k, v] : s.entries) {
            if (sameName(k, key))
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
    QStringList lines = splitLines(before);
    const QString entry = key + u'=' + oneLine(value);

    qsizetype sectionStart = -1; // index of the header line
    qsizetype insertAt = -1;     // after the last non-blank line of the section
    bool done = false;
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
            lines[i] = k + u'=' + oneLine(value);
            done = true;
            break;
        }
        if (!lines[i].trimmed().isEmpty())
            insertAt = i + 1;
    }
    if (!done) {
        if (sectionStart >= 0) {
            lines.insert(insertAt, entry);
        } else {
            lines.append(u'[' + section + u']');
            lines.append(entry);
        }
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void checkWritable(const QString& path) {
    const QFileInfo info(path);
    // A file marked read-only is refused even for an administrator, as on Windows.
    if (!info.absoluteDir().exists() ||
        (info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))))
        throw AppError(unableToWrite(path));
}

std::unique_ptr<QLockFile> lockFor(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(10000);
    if (!lock->tryLock(5000))
        throw AppError(unableToWrite(path));
    return lock;
}

void replaceFile(const QString& path, const QString& before, const QString& text) {
    // Rewriting identical bytes would only cost a flush to disk.
    if (text == before && QFileInfo::exists(path))
        return;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        throw AppError(unableToWrite(path));
    const QByteArray bytes = AnsiText::encode(text);
    if (out.write(bytes) != bytes.size() || !out.commit())
        throw AppError(unableToWrite(path));
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
