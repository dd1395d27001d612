#include "settings/BmpWriter.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void put16(QByteArray& out, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void put32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

} // namespace

int bmpBitsPerPixel(DecodedPicture::Kind kind) {
    switch (kind) {
    case DecodedPicture::Kind::Grey:
        return 8;
    case DecodedPicture::Kind::Colour:
        return 24;
    case DecodedPicture::Kind::Cmyk:
        return 32;
    }
    return 24;
}

bool writeBmp(QIODevice& out, const DecodedPicture& picture) {
    const int bits = bmpBitsPerPixel(picture.kind);
    const qint64 stride = (qint64(picture.width) * bits + 31) / 32 * 4;
    const qint64 imageSize = stride * picture.height;
    const int paletteSize = bits == 8 ? 256 * 4 : 0;
    const qint64 offset = kFileHeaderSize + kInfoHeaderSize + paletteSize;
    // The decoder's pixel cap keeps every size far below the 32-bit fields.
    Q_ASSERT(offset + imageSize <= 0xFFFFFFFFLL);

    QByteArray head;
    head.reserve(offset);
    head.append("BM");
    put32(head, quint32(offset + imageSize));
    put32(head, 0); // reserved
    put32(head, quint32(offset));

    put32(head, kInfoHeaderSize);
    put32(head, quint32(picture.width));
    put32(head, quint32(picture.height)); // positive: rows bottom-up
    put16(head, 1);                       // planes
    put16(head, quint16(bits));
    put32(head, 0); // BI_RGB, uncompressed
    put32(head, quint32(imageSize));
    put32(head, 0); // resolution left to the reader; the printing scales by itself
    put32(head, 0);
    put32(head, bits == 8 ? 256 : 0); // colours used
    put32(head, 0);                   // all colours important

    if (bits == 8) {
        for (int i = 0; i < 256; ++i) {
            const char grey = char(i);
            head.append(grey).append(grey).append(grey).append('\0');
        }
    }
    if (out.write(head) != head.size())
        return false;

    QByteArray line(stride, '\0'); // padding bytes stay zero
    uchar* dst = reinterpret_cast<uchar*>(line.data());
    for (int y = picture.height - 1; y >= 0; --y) {
        const uchar* src = picture.row(y);
        switch (bits) {
        case 8:
            std::copy(src, src + picture.width, dst);
            break;
        case 24:
            for (int x = 0; x < picture.width; ++x, src += 3) {
                dst[3 * x] = src[2];
                dst[3 * x + 1] = src[1];
                dst[3 * x + 2] = src[0];
            }
            break;
        default:
            // The fourth byte is unused by Windows for uncompressed 32-bit
            // bitmaps; 255 keeps readers that take it for alpha opaque.
            for (int x = 0; x < picture.width; ++x, src += 3) {
                dst[4 * x] = src[2];
                dst[4 * x + 1] = src[1];
                dst[4 * x + 2] = src[0];
                dst[4 * x + 3] = uchar(255);
            }
            break;
        }
        if (out.write(line) != line.size())
            return false;
    }
    return true;
}
