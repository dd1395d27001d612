#pragma once

#include <QByteArray>

// A picture decoded from a JPEG file at full size. Rows run top-down without
// padding: one grey byte per pixel, or three bytes red, green, blue.
struct DecodedPicture {
    // What the file held; it decides the pixel format of the bitmap written from it.
    enum class Kind { Grey, Colour, Cmyk };

    int width = 0;
    int height = 0;
    Kind kind = Kind::Colour;
    QByteArray pixels;

    int bytesPerPixel() const { return kind == Kind::Grey ? 1 : 3; }
    const uchar* row(int y) const {
        return reinterpret_cast<const uchar*>(pixels.constData()) + qsizetype(y) * width * bytesPerPixel();
    }
};
