#include "settings/JpegDecoder.h"

#include "settings/AppError.h"

#include <QDir>
#include <QFile>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <memory>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool prematureEnd;
};

// Everything libjpeg touches lives here, on the heap, as plain C data: it is
// read again after a longjmp, and no C++ object may be skipped by the jump.
struct Session {
    jpeg_decompress_struct info;
    ErrorManager error;
    const unsigned char* data;
    unsigned long size;
    unsigned char* pixels; // the caller's buffer, rows top-down
    JDIMENSION width;
    JDIMENSION height;
    int bytesPerPixel;
    bool unexpectedLayout;
};

[[noreturn]] void jumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return; // trace output
    ++info->err->num_warnings;
    // On a short file libjpeg only warns and fills the rest with grey; a half
    // picture must never become the logo.
    if (info->err->msg_code == JWRN_JPEG_EOF) {
        reinterpret_cast<ErrorManager*>(info->err)->prematureEnd = true;
        jumpOut(info);
    }
}

void noOutput(j_common_ptr) {}

// Runs one step with libjpeg's errors turned into a false result. The steps
// are plain functions that keep nothing with a destructor on their frames.
bool guarded(Session* s, void (*step)(Session*)) {
    if (setjmp(s->error.jump))
        return false;
    step(s);
    return true;
}

void readHeader(Session* s) {
    jpeg_create_decompress(&s->info);
    jpeg_mem_src(&s->info, s->data, s->size);
    jpeg_read_header(&s->info, TRUE);
}

unsigned char lightTimesLight(unsigned a, unsigned b) {
    return static_cast<unsigned char>((a * b + 127) / 255);
}

void decodeRows(Session* s) {
    jpeg_decompress_struct* info = &s->info;
    jpeg_start_decompress(info);
    const JDIMENSION width = info->output_width;
    const int components = info->out_color_space == JCS_CMYK ? 4 : s->bytesPerPixel;
    // The buffer was sized from the header; never let the output overrun it.
    if (width != s->width || info->output_height != s->height || info->output_components != components) {
        s->unexpectedLayout = true;
        return;
    }

    if (info->out_color_space != JCS_CMYK) {
        const size_t stride = size_t(width) * s->bytesPerPixel;
        while (info->output_scanline < info->output_height) {
            JSAMPROW row = s->pixels + size_t(info->output_scanline) * stride;
            jpeg_read_scanlines(info, &row, 1);
        }
        return;
    }

    // Adobe's programs store CMYK inverted (255 means no ink) and mark such
    // files with their APP14 marker; other writers store the ink itself.
    const bool inverted = info->saw_Adobe_marker;
    JSAMPARRAY buffer =
        (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, width * 4, 1);
    while (info->output_scanline < info->output_height) {
        unsigned char* out = s->pixels + size_t(info->output_scanline) * width * 3;
        jpeg_read_scanlines(info, buffer, 1);
        const unsigned char* in = buffer[0];
        for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
            unsigned c = in[0], m = in[1], y = in[2], k = in[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            out[0] = lightTimesLight(c, k);
            out[1] = lightTimesLight(m, k);
            out[2] = lightTimesLight(y, k);
        }
    }
    // Every row has come from real data (a short file stops us above), so
    // whatever follows the picture in the file does not matter: no finish.
}

struct SessionDeleter {
    void operator()(Session* s) const {
        jpeg_destroy_decompress(&s->info); // harmless when creation never happened
        delete s;
    }
};

AppError decodingError(const QString& path, const QString& reason) {
    return AppError(QStringLiteral("Obrázek „%1“ nelze načíst jako JPEG: %2")
                        .arg(QDir::toNativeSeparators(path), reason));
}

QString libraryMessage(Session* s) {
    char text[JMSG_LENGTH_MAX] = {};
    (*s->info.err->format_message)(reinterpret_cast<j_common_ptr>(&s->info), text);
    if (s->error.prematureEnd)
        return QStringLiteral("soubor je neúplný, data obrázku předčasně končí (%1)")
            .arg(QLatin1StringView(text));
    return QStringLiteral("chyba dekodéru JPEG (%1)").arg(QLatin1StringView(text));
}

} // namespace

DecodedPicture decodeJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw decodingError(path, QStringLiteral("soubor nelze otevřít (%1)").arg(file.errorString()));
    // The clerk may type any name, even that of a device whose data never ends.
    if (file.isSequential())
        throw decodingError(path, QStringLiteral("nejde o běžný soubor"));
    if (file.size() > kMaxJpegFileBytes)
        throw decodingError(path, QStringLiteral("soubor je větší než %1 MB").arg(kMaxJpegFileBytes >> 20));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw decodingError(path, QStringLiteral("soubor nelze přečíst (%1)").arg(file.errorString()));
    file.close();
    if (data.isEmpty())
        throw decodingError(path, QStringLiteral("soubor je prázdný"));

    std::unique_ptr<Session, SessionDeleter> s(new Session{});
    s->info.err = jpeg_std_error(&s->error.base);
    s->error.base.error_exit = jumpOut;
    s->error.base.emit_message = onMessage;
    s->error.base.output_message = noOutput;
    s->data = reinterpret_cast<const unsigned char*>(data.constData());
    s->size = static_cast<unsigned long>(data.size());

    if (!guarded(s.get(), readHeader))
        throw decodingError(path, libraryMessage(s.get()));

    DecodedPicture picture;
    switch (s->info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        picture.kind = DecodedPicture::Kind::Grey;
        s->info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        picture.kind = DecodedPicture::Kind::Colour;
        s->info.out_color_space = JCS_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        picture.kind = DecodedPicture::Kind::Cmyk;
        s->info.out_color_space = JCS_CMYK;
        break;
    default:
        throw decodingError(
            path,
            QStringLiteral("nepodporované barevné složení obrázku (%1 složek)").arg(s->info.num_components));
    }

    const qint64 width = s->info.image_width;
    const qint64 height = s->info.image_height;
    if (width * height > kMaxJpegPixels)
        throw decodingError(path, QStringLiteral("obrázek je příliš velký (%1 x %2 bodů), lze načíst nejvýše "
                                                 "%3 milionů bodů")
                                      .arg(width)
                                      .arg(height)
                                      .arg(kMaxJpegPixels / 1'000'000));

    picture.width = int(width);
    picture.height = int(height);
    try {
        picture.pixels.resize(width * height * picture.bytesPerPixel());
    } catch (const std::bad_alloc&) {
        throw decodingError(
            path, QStringLiteral("nedostatek paměti pro obrázek %1 x %2 bodů").arg(width).arg(height));
    }
    s->pixels = reinterpret_cast<unsigned char*>(picture.pixels.data());
    s->width = s->info.image_width;
    s->height = s->info.image_height;
    s->bytesPerPixel = picture.bytesPerPixel();

    if (!guarded(s.get(), decodeRows))
        throw decodingError(path, libraryMessage(s.get()));
    if (s->unexpectedLayout)
        throw decodingError(path,
                            QStringLiteral("dekodér vrátil obrázek jiné velikosti, než udává hlavička"));
    return picture;
}
