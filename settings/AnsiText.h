#pragma once

#include <QByteArray>
#include <QString>

// The program's text files are Windows-1250, as the Windows version wrote
// them. Text that Windows-1250 cannot hold (a foreign name from an electronic
// ID) is written as UTF-8 behind a byte-order mark instead, so nothing typed
// is ever lost. Decoding picks the right one by the mark.
namespace AnsiText {

QString decode(const QByteArray& bytes);

// Windows-1250 when every character fits, otherwise UTF-8 with a BOM.
QByteArray encode(const QString& text);

bool fitsWindows1250(const QString& text);

QString decodeWindows1250(const QByteArray& bytes);

} // namespace AnsiText
