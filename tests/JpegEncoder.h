#pragma once

// Makes JPEG pictures for the logo tests and benchmark with libjpeg itself:
// four solid quadrants, so that colours survive compression and any flip or
// channel swap shows.

#include <QByteArray>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

struct JpegFixture {
    enum class Space { Grey, Colour, Cmyk, Ycck };

    Space space = Space::Colour;
    int width = 0;
    int height = 0;
    // Top-left, top-right, bottom-left, bottom-right: the grey level in [0],
    // red, green, blue in [0..2], or cyan, magenta, yellow, black ink in [0..3].
    std::array<std::array<quint8, 4>, 4> quadrants{};
    // CMYK only: with the marker the ink is stored inverted as Adobe does;
    // without it the ink values are stored as they are.
    bool adobeMarker = true;
    bool progressive = false;
    int quality = 95;
    // A deterministic ripple of this amplitude over the quadrants, to make a
    // picture compress like a photograph rather than like flat areas.
    int ripple = 0;
    QByteArray app1; // written as an APP1 marker when not empty (EXIF)
};

inline QByteArray encodeJpeg(const JpegFixture& f) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    int components = 3;
    J_COLOR_SPACE input = JCS_RGB;
    switch (f.space) {
    case JpegFixture::Space::Grey:
        components = 1;
        input = JCS_GRAYSCALE;
        break;
    case JpegFixture::Space::Colour:
        break;
    case JpegFixture::Space::Cmyk:
    case JpegFixture::Space::Ycck:
        components = 4;
        input = JCS_CMYK;
        break;
    }
    info.image_width = JDIMENSION(f.width);
    info.image_height = JDIMENSION(f.height);
    info.input_components = components;
    info.in_color_space = input;
    jpeg_set_defaults(&info);
    if (f.space == JpegFixture::Space::Ycck)
        jpeg_set_colorspace(&info, JCS_YCCK);
    const bool inverted = f.space == JpegFixture::Space::Ycck || f.adobeMarker;
    if (f.space == JpegFixture::Space::Cmyk)
        info.write_Adobe_marker = f.adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&info, f.quality, TRUE);
    if (f.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (!f.app1.isEmpty())
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(f.app1.constData()),
                          unsigned(f.app1.size()));

    std::vector<JSAMPLE> row(size_t(f.width) * components);
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            const auto& colour = f.quadrants[(y < f.height / 2 ? 0 : 2) + (x < f.width / 2 ? 0 : 1)];
            const int ripple = f.ripple ? ((x * 7 + y * 13) % (2 * f.ripple + 1)) - f.ripple : 0;
            for (int c = 0; c < components; ++c) {
                int value = colour[size_t(c)] + ripple;
                value = value < 0 ? 0 : value > 255 ? 255 : value;
                if (components == 4 && inverted)
                    value = 255 - value;
                row[size_t(x) * components + c] = JSAMPLE(value);
            }
        }
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return out;
}

// An EXIF block whose only entry is the orientation mark (6: turn right to view).
inline QByteArray exifOrientation(quint8 orientation) {
    static const char head[] = "Exif\0\0MM\0\x2a\0\0\0\x08"
                               "\0\x01"
                               "\x01\x12\0\x03\0\0\0\x01";
    QByteArray exif(head, sizeof head - 1);
    exif.append(char(0)).append(char(orientation)).append(2, '\0');
    exif.append(4, '\0'); // no further directory
    return exif;
}
