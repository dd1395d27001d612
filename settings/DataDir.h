#pragma once

#include <QString>

// The per-user data directory: APPDATA + "/Lorvena" where APPDATA is set (as
// on Windows), otherwise the platform's per-user data location + "/Lorvena".
// One spelling serves both the directory and the file paths.
namespace DataDir {

QString directory();
QString settingsFile();     // lorvena.ini
QString savedClausesFile(); // legalizace.dec
QString logoFile();         // logo.bmp

// Creates the directory (one level) when it is missing; throws AppError when
// that fails.
void ensureExists();

} // namespace DataDir
