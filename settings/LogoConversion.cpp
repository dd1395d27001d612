#include "settings/LogoConversion.h"

#include "settings/AppError.h"
#include "settings/BmpWriter.h"
#include "settings/DurableFile.h"
#include "settings/JpegDecoder.h"

#include <QBuffer>

void convertLogo(const QString& jpegPath, const QString& bmpPath) {
    const DecodedPicture picture = decodeJpeg(jpegPath);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeBmp(buffer, picture))
        throw AppError(DurableFile::unableToWrite(bmpPath));
    buffer.close();
    DurableFile::replace(bmpPath, bytes);
}
