#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <archive.h>
#include <archive_entry.h>

// Zip archives of the register's lists, made the way the tests and the
// benchmark need them.
inline QByteArray zipOf(const QList<QPair<QString, QByteArray>>& files) {
    QByteArray out;
    archive* zip = archive_write_new();
    archive_write_set_format_zip(zip);
    archive_write_set_bytes_in_last_block(zip, 1);
    archive_write_open(
        zip, &out, nullptr,
        [](archive*, void* client, const void* buffer, size_t size) -> la_ssize_t {
            static_cast<QByteArray*>(client)->append(static_cast<const char*>(buffer), qsizetype(size));
            return la_ssize_t(size);
        },
        nullptr);
    for (const auto& [name, content] : files) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.toUtf8().constData());
        archive_entry_set_size(entry, content.size());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_write_header(zip, entry);
        archive_write_data(zip, content.constData(), size_t(content.size()));
        archive_entry_free(entry);
    }
    archive_write_close(zip);
    archive_write_free(zip);
    return out;
}

inline QByteArray zipOf(const QString& name, const QByteArray& content) {
    return zipOf({{name, content}});
}
