#include "settings/LogoConversion.h"

#include "settings/AppError.h"
#include "settings/BmpWriter.h"
#include "settings/JpegDecoder.h"

#include <QDir>
#include <QSaveFile>

void convertLogo(const QString& jpegPath, const QString& bmpPath) {
    const DecodedPicture picture = decodeJpeg(jpegPath);
    QSaveFile file(bmpPath);
    if (!file.open(QIODevice::WriteOnly) || !writeBmp(file, picture) || !file.commit())
        throw AppError(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(bmpPath)));
}
