#pragma once

#include <QString>

// Turns the chosen JPEG into the logo bitmap. The JPEG is decoded whole first,
// so a file that cannot be decoded raises AppError and leaves an earlier
// bitmap untouched; the bitmap is then replaced durably and atomically
// (DurableFile). A failed write raises AppError "Unable to write to <path>".
void convertLogo(const QString& jpegPath, const QString& bmpPath);
