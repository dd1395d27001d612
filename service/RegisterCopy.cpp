#include "RegisterCopy.h"

#include <QSaveFile>

#include <algorithm>
#include <cstring>

#include <unistd.h>

namespace {

constexpr char kMagic[8] = {'L', 'R', 'V', 'N', 'K', 'O', 'P', '1'};
constexpr quint32 kVersion = 1;

struct Header {
    char magic[8];
    quint32 version;
    quint32 lists;
    qint64 fetchedAtMs;
    quint64 fileSize;
    struct {
        quint64 offset; // the keys; the days follow them
        quint64 count;
    } list[kListKinds];
};
static_assert(sizeof(Header) == 80);

quint64 aligned(quint64 offset) {
    return (offset + 7) & ~quint64(7);
}

bool writeAll(QSaveFile& file, const void* data, qint64 size) {
    return file.write(static_cast<const char*>(data), size) == size;
}

} // namespace

bool RegisterCopy::write(const QString& path, const QDateTime& fetchedAt, Lists& lists, QString* error) {
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.version = kVersion;
    header.lists = kListKinds;
    header.fetchedAtMs = fetchedAt.toMSecsSinceEpoch();
    quint64 offset = sizeof(Header);
    for (int i = 0; i < kListKinds; ++i) {
        auto& entries = lists[i];
        std::sort(entries.begin(), entries.end(), [](const ListEntry& a, const ListEntry& b) {
            return a.key < b.key || (a.key == b.key && a.since < b.since);
        });
        entries.erase(std::unique(entries.begin(), entries.end(),
                                  [](const ListEntry& a, const ListEntry& b) { return a.key == b.key; }),
                      entries.end());
        header.list[i].offset = offset;
        header.list[i].count = entries.size();
        offset = aligned(offset + entries.size() * (sizeof(DocumentKey) + sizeof(std::uint16_t)));
    }
    header.fileSize = offset;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("kopii nelze zapsat do %1: %2").arg(path, file.errorString());
        return false;
    }
    bool ok = writeAll(file, &header, sizeof header);
    constexpr size_t kChunk = 64 * 1024;
    std::vector<DocumentKey> keys;
    std::vector<std::uint16_t> days;
    for (int i = 0; i < kListKinds && ok; ++i) {
        const auto& entries = lists[i];
        for (size_t from = 0; from < entries.size() && ok; from += kChunk) {
            const size_t to = std::min(entries.size(), from + kChunk);
            keys.clear();
            for (size_t j = from; j < to; ++j)
                keys.push_back(entries[j].key);
            ok = writeAll(file, keys.data(), qint64(keys.size() * sizeof(DocumentKey)));
        }
        for (size_t from = 0; from < entries.size() && ok; from += kChunk) {
            const size_t to = std::min(entries.size(), from + kChunk);
            days.clear();
            for (size_t j = from; j < to; ++j)
                days.push_back(entries[j].since);
            ok = writeAll(file, days.data(), qint64(days.size() * sizeof(std::uint16_t)));
        }
        const quint64 end =
            header.list[i].offset + entries.size() * (sizeof(DocumentKey) + sizeof(std::uint16_t));
        const char padding[8] = {};
        if (ok)
            ok = writeAll(file, padding, qint64(aligned(end) - end));
    }
    // On the disk before the rename, so that a crash leaves the old copy or the new one whole.
    ok = ok && file.flush() && ::fsync(file.handle()) == 0;
    if (!ok || !file.commit()) {
        *error = QStringLiteral("kopii nelze zapsat do %1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

std::shared_ptr<const RegisterCopy> RegisterCopy::open(const QString& path, QString* error) {
    std::shared_ptr<RegisterCopy> copy(new RegisterCopy);
    copy->m_file.setFileName(path);
    if (!copy->m_file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("kopii %1 nelze otevřít: %2").arg(path, copy->m_file.errorString());
        return nullptr;
    }
    const qint64 size = copy->m_file.size();
    auto damaged = [&](const char* why) {
        *error = QStringLiteral("kopie %1 je poškozená (%2)").arg(path, QString::fromUtf8(why));
        return nullptr;
    };
    if (size < qint64(sizeof(Header)))
        return damaged("příliš krátká");
    const uchar* data = copy->m_file.map(0, size);
    if (!data) {
        *error = QStringLiteral("kopii %1 nelze namapovat: %2").arg(path, copy->m_file.errorString());
        return nullptr;
    }
    Header header;
    std::memcpy(&header, data, sizeof header);
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || header.version != kVersion ||
        header.lists != kListKinds)
        return damaged("neznámý formát");
    if (header.fileSize != quint64(size))
        return damaged("nesouhlasí délka");
    for (int i = 0; i < kListKinds; ++i) {
        const quint64 offset = header.list[i].offset;
        const quint64 count = header.list[i].count;
        if (offset % 8 != 0 || offset < sizeof(Header) || count > quint64(size) / 10 ||
            offset + count * 10 > quint64(size))
            return damaged("nesouhlasí rozsah seznamu");
        List& list = copy->m_lists[i];
        list.keys = reinterpret_cast<const DocumentKey*>(data + offset);
        list.since = reinterpret_cast<const std::uint16_t*>(data + offset + count * sizeof(DocumentKey));
        list.count = count;
        // Binary search needs the order; a damaged file must not answer wrongly.
        for (quint64 j = 1; j < count; ++j) {
            if (list.keys[j - 1] >= list.keys[j])
                return damaged("seznam není seřazený");
        }
        list.fences.reserve(count / kFenceStep + 1);
        for (quint64 j = 0; j < count; j += kFenceStep)
            list.fences.push_back(list.keys[j]);
    }
    copy->m_fetchedAt = QDateTime::fromMSecsSinceEpoch(header.fetchedAtMs, Qt::UTC);
    copy->m_day = copy->m_fetchedAt.toLocalTime().toString(QStringLiteral("d.M.yyyy"));
    copy->m_size = size;
    return copy;
}

bool RegisterCopy::covers(const QString& type) {
    return type == u"0" || type == u"4";
}

bool RegisterCopy::find(ListKind kind, DocumentKey key, QDate* since) const {
    const List& list = m_lists[int(kind)];
    // The last stretch whose first key is not above the key sought.
    const auto fence = std::upper_bound(list.fences.begin(), list.fences.end(), key);
    if (fence == list.fences.begin())
        return false;
    const quint64 from = quint64(fence - list.fences.begin() - 1) * kFenceStep;
    const DocumentKey* begin = list.keys + from;
    const DocumentKey* end = list.keys + qMin(list.count, from + kFenceStep);
    const DocumentKey* at = std::lower_bound(begin, end, key);
    if (at == end || *at != key)
        return false;
    *since = sinceDate(list.since[at - list.keys]);
    return true;
}

RegisterCopy::Look RegisterCopy::look(const DocumentQuery& query) const {
    Look result;
    const auto key = documentKey(query.number);
    if (!covers(query.type) || !key)
        return result;
    const bool found = query.type == u"4" ? find(ListKind::Passports, *key, &result.since)
                                          : find(ListKind::IdentityCards, *key, &result.since) ||
                                                find(ListKind::IdentityCardsWithSeries, *key, &result.since);
    result.verdict = found ? Verdict::Listed : Verdict::NotListed;
    return result;
}

qint64 RegisterCopy::documents() const {
    qint64 total = 0;
    for (const List& list : m_lists)
        total += qint64(list.count);
    return total;
}
