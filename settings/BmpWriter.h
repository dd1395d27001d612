#pragma once

#include "settings/DecodedPicture.h"

class QIODevice;

// Writes the picture as an uncompressed Windows bitmap (file header, 40-byte
// information header, palette, rows bottom-up padded to 4 bytes) at its own
// size. The pixel format follows the JPEG it came from: 8 bits with a palette
// of 256 greys for grey, 24 bits for colour, 32 bits for CMYK converted to RGB.
// Returns false when the device refuses the data.
bool writeBmp(QIODevice& out, const DecodedPicture& picture);

int bmpBitsPerPixel(DecodedPicture::Kind kind);
