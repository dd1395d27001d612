#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Replaces a file with new contents so that the change is on disk when the
// call returns, or did not happen at all. The bytes go to a new file beside
// the target; every write, the flush to the disk and the final size are
// checked before that file takes the target's name (an atomic rename), and the
// directory entry is then synced too. Any failure removes the new file, leaves
// the old one byte for byte and raises AppError "Unable to write to <path>".
// (Only when the directory cannot be synced after the rename is the new
// file already in place as the error is raised: it is then not known to
// survive a power cut, and the caller treats the write as failed.)
//
// QSaveFile is not used on purpose: its commit() can miss an error of its
// last buffered write, and a truncated file then replaces a good one.
namespace DurableFile {

void replace(const QString& path, const QByteArray& bytes);

// The text every failed write of a data file raises.
QString unableToWrite(const QString& path);

// The two calls that put data on the disk, replaceable so that tests can
// inject a short write or a failed sync where no full disk is at hand.
struct DiskCalls {
    qint64 (*write)(QFile& file, const char* data, qint64 size);
    bool (*sync)(QFile& file);
};
// The calls in use; the default ones when nothing else was set.
const DiskCalls& diskCalls();
// Sets other calls (nullptr: back to the default ones); returns the previous.
const DiskCalls* setDiskCallsForTesting(const DiskCalls* calls);

} // namespace DurableFile
