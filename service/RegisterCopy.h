#pragma once

#include "DocumentQuery.h"
#include "InvalidList.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <array>
#include <memory>
#include <vector>

// One copy of the register's open data as the service answers from it: per
// list the document keys sorted, and beside them the days since when, in one
// file that is mapped into memory and never changed. A new copy is written
// beside it and renamed over it, so a reader holds either the old or the new
// file, whole.
class RegisterCopy {
public:
    using Lists = std::array<std::vector<ListEntry>, kListKinds>;

    // Sorts the lists (a document listed twice keeps its earliest day) and
    // writes them to `path` through a temporary file in the same folder.
    static bool write(const QString& path, const QDateTime& fetchedAt, Lists& lists, QString* error);
    // Maps and checks a written copy; nothing when it is missing or damaged.
    static std::shared_ptr<const RegisterCopy> open(const QString& path, QString* error);

    enum class Verdict { Unknown, Listed, NotListed };
    struct Look {
        Verdict verdict = Verdict::Unknown;
        QDate since; // for a listed document
    };
    // Unknown for a type whose list the open data does not carry (passports
    // issued by district offices) and for a number no list could hold.
    Look look(const DocumentQuery& query) const;
    static bool covers(const QString& type);

    QDateTime fetchedAt() const { return m_fetchedAt; }
    // The day of the download here, as pages show it ("11.12.2026").
    const QString& day() const { return m_day; }
    qint64 documents(ListKind kind) const { return qint64(m_lists[int(kind)].count); }
    qint64 documents() const;
    qint64 fileSize() const { return m_size; }

    RegisterCopy(const RegisterCopy&) = delete;
    RegisterCopy& operator=(const RegisterCopy&) = delete;

private:
    RegisterCopy() = default;
    bool find(ListKind kind, DocumentKey key, QDate* since) const;

    struct List {
        const DocumentKey* keys = nullptr;
        const std::uint16_t* since = nullptr;
        quint64 count = 0;
        // Every kFenceStep-th key, small enough to stay in the processor's
        // cache: a search reads the mapped keys of one stretch only.
        std::vector<DocumentKey> fences;
    };
    static constexpr quint64 kFenceStep = 128;
    QFile m_file;
    QDateTime m_fetchedAt;
    QString m_day;
    qint64 m_size = 0;
    std::array<List, kListKinds> m_lists;
};
