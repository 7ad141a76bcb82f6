#include "image_loader.h"

#include "app_error.h"
#include "bitmap.h"
#include "declared_depth.h"
#include "jpeg_decoder.h"
#include "metafile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <new>

namespace {

// Large enough for a gigapixel picture at four bytes per pixel; beyond it a picture is
// refused as too large instead of being decoded.
constexpr int kAllocationLimitMiB = 4096;
constexpr qint64 kMaxPictureBytes = qint64(kAllocationLimitMiB) << 20;

QImage overWhite(const QImage& image) {
    if (!image.hasAlphaChannel())
        return image;
    QImage ground(image.size(), QImage::Format_RGB32);
    if (ground.isNull())
        throw std::bad_alloc();
    ground.fill(Qt::white);
    QPainter painter(&ground);
    painter.drawImage(0, 0, image);
    return ground;
}

DecodedImage decodeWithQt(const QByteArray& file) {
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return {};
    const QSize size = reader.size();
    const QImage::Format planned = reader.imageFormat();
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        // Refused by the allocation limit (or by the allocator) rather than damaged.
        const qint64 bitsPerPixel =
            planned == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(planned).bitsPerPixel();
        if (size.isValid() &&
            qint64(size.width()) * size.height() * bitsPerPixel / 8 > kMaxPictureBytes)
            throw std::bad_alloc();
        return {};
    }
    return {image, declaredBitsPerPixel(file, format, image.format())};
}

// A null picture means the file cannot be decoded; std::bad_alloc means it could but
// there is no memory for it.
DecodedImage decode(const QByteArray& file) {
    if (isMetafile(file)) {
        bool tooLarge = false;
        QImage image = renderMetafile(file, kMaxPictureBytes, tooLarge);
        if (tooLarge)
            throw std::bad_alloc();
        return {image, 32};
    }
    QImage image;
    switch (decodeJpeg(file, kMaxPictureBytes, image)) {
    case JpegDecodeStatus::Decoded:
        return {image, image.format() == QImage::Format_BGR888 ? 24 : 8};
    case JpegDecodeStatus::Damaged:
        return {};
    case JpegDecodeStatus::TooLarge:
        throw std::bad_alloc();
    case JpegDecodeStatus::Unsupported:
        break;
    }
    return decodeWithQt(file);
}

} // namespace

int PixelFormatGP(const DecodedImage& image) {
    switch (image.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return image.bitsPerPixel;
    default:
        return 32;
    }
}

bool ImageLoaderGP(const QString& path, Bitmap& bitmap) {
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
    bitmap = Bitmap(0, 0, 24);
    if (!QFileInfo(path).isFile())
        return false;
    try {
        QByteArray file;
        {
            QFile source(path);
            if (!source.open(QIODevice::ReadOnly))
                return false;
            file = source.readAll();
        }
        if (file.isEmpty())
            return false;
        const DecodedImage decoded = decode(file);
        if (decoded.pixels.isNull())
            return false;
        bitmap = Bitmap::fromImage(overWhite(decoded.pixels), PixelFormatGP(decoded));
        return true;
    } catch (const std::bad_alloc&) {
        bitmap = Bitmap(0, 0, 24);
        throw EAppError(
            QStringLiteral("メモリが不足しているため、画像 \"%1\" を読み込めません。").arg(path));
    }
}
