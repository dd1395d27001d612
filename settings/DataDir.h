#pragma once

#include <QString>

// The per-user data directory: APPDATA + "/Lorvena" where APPDATA is set (as
// on Windows), otherwise the platform's per-user data location + "/Lorvena".
// Names are compared without regard to letter case, as on Windows: an
// existing "lorvena" or "LORVENA" is the data directory (the exact spelling
// first, then the first other spelling in code-point order), and so is an
// existing "LORVENA.INI" the settings file. Only when none exists is the
// directory created as "Lorvena".
namespace DataDir {

QString directory();
QString settingsFile();     // lorvena.ini
QString savedClausesFile(); // legalizace.dec
QString logoFile();         // logo.bmp
QString journalFile();      // denik.sqlite

// Creates the directory (one level) when it is missing; throws AppError when
// that fails.
void ensureExists();

} // namespace DataDir
