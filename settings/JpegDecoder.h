#pragma once

#include "settings/DecodedPicture.h"

#include <QString>

// Pictures with more pixels than this are refused before any pixel memory is
// taken: a logo never needs them, and a forged header could ask for gigabytes.
inline constexpr qint64 kMaxJpegPixels = 100'000'000;
// Files larger than this are refused unread: far more than any logo needs.
inline constexpr qint64 kMaxJpegFileBytes = 256LL << 20;

// Decodes the whole JPEG file at full size, without applying any metadata
// (an orientation mark is ignored): grey stays grey, colour becomes RGB and
// CMYK or YCCK is converted to RGB. A file that cannot be read, is not a
// complete JPEG picture or is too large raises AppError with a Czech message.
DecodedPicture decodeJpeg(const QString& path);
