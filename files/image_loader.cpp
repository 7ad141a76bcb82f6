// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "image_loader.h"

#include "app_error.h"
#include "bitmap.h"
#include "declared_depth.h"
#include "decode_footprint.h"
#include "input_file.h"
#include "jpeg_decoder.h"
#include "jpeg_markers.h"
#include "memory_budget.h"
#include "metafile_process.h"
#include "picture_checks.h"
#include "picture_format.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <QCoreApplication>
#include <memory>
#include <new>

namespace {

// Qt's own refusal of large pictures stays at the picture limit; the load budget is
// checked before Qt is asked to decode.
constexpr int kQtAllocationLimitMiB = int(kPictureLimitBytes >> 20);

void refuseOverBudget(qint64 bytes, qint64 budget) {
    if (bytes > budget)
        throw std::bad_alloc();
}

DecodedImage decodeWithQt(const QByteArray& file, PictureFormat format, qint64 budget) {
    if (!pictureDataComplete(file, format))
        return {};
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    const char* name = qtFormatName(format);
    QImageReader reader(&buffer, name);
    // Only this format's plug-in: no guessing from the content by other plug-ins.
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    // What the whole load needs: the file, the decoded picture and the page it becomes.
    const int declared = declaredBitsPerPixel(file, name, QImage::Format_Invalid);
    const DecodeFootprint decoding = decodeFootprint(file, format, size, declared);
    // A page is never deeper than a picture decoded to 8 bits or fewer.
    const int pageBits = qMin(PixelFormatGP({QImage(), declared}),
                              decoding.bitsPerPixel <= 8 ? decoding.bitsPerPixel : 32);
    qint64 need = addBytes(file.size(), kLoadWorkingBytes);
    need = addBytes(need, decoding.bytes);
    need =
        addBytes(need, pictureBytes(decoding.picture.width(), decoding.picture.height(), pageBits));
    refuseOverBudget(need, budget);
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.size() != size) {
        // Qt's plug-ins report an allocation failure like damage. The file's structure
        // held, so if the memory the load needs cannot be had now, that was the cause.
        const qint64 picture = need - file.size() - kLoadWorkingBytes;
        if (picture <= 0 || !std::unique_ptr<char[]>(new (std::nothrow) char[size_t(picture)]))
            throw std::bad_alloc();
        return {};
    }
    return {image, declaredBitsPerPixel(file, name, image.format())};
}

// What loading a JPEG may give libjpeg for its own memory, once the header has been read and
// the load's need checked against the budget (std::bad_alloc when over it).
struct JpegLoad {
    JpegHeader header;
    int declaredBits;
    qint64 maxWorkingBytes;
};

std::optional<JpegLoad> planJpegLoad(const QByteArray& file, qint64 budget) {
    const std::optional<JpegHeader> header = readJpegHeader(file);
    if (!header)
        return std::nullopt;
    const int declared = declaredBitsPerPixel(file, "jpeg", header->format);
    const int pageBits = PixelFormatGP({QImage(), declared});
    const qint64 picture = pictureBytes(header->width, header->height,
                                        QImage::toPixelFormat(header->format).bitsPerPixel());
    // Colour and CMYK are decoded straight into the page's rows; grey is converted.
    const qint64 page = Bitmap::formatFor(pageBits) == header->format
                            ? 0
                            : pictureBytes(header->width, header->height, pageBits);
    qint64 pictures = addBytes(addBytes(file.size(), picture), page);
    // A picture lying on its side or mirrored is turned upright into a copy.
    if (header->orientation != 1)
        pictures = addBytes(pictures, picture);
    refuseOverBudget(addBytes(pictures, header->workingBytes), budget);
    return JpegLoad{*header, declared, budget - pictures};
}

DecodedImage decodeJpegFile(const QByteArray& file, qint64 budget) {
    const std::optional<JpegLoad> load = planJpegLoad(file, budget);
    if (!load)
        return {};
    QImage image;
    switch (decodeJpeg(file, load->maxWorkingBytes, image)) {
    case JpegDecodeStatus::Decoded:
        image = orientedImage(image, load->header.orientation);
        if (image.isNull())
            throw std::bad_alloc();
        return {image, load->declaredBits};
    case JpegDecodeStatus::Damaged:
    case JpegDecodeStatus::Abandoned:
        return {};
    case JpegDecodeStatus::TooLarge:
        throw std::bad_alloc();
    }
    return {};
}

// A picture larger than the program draws, whatever memory there is.
struct PictureTooLarge {
    QSize size;
};

// A null picture means the file cannot be decoded; std::bad_alloc means it could but
// there is no memory for it, PictureTooLarge that it is too large to be drawn at all.
DecodedImage decode(const QByteArray& file, PictureFormat format, qint64 budget) {
    switch (format) {
    case PictureFormat::Emf:
    case PictureFormat::Wmf: {
        const QSize frame = metafilePixelSize(file);
        if (qint64(frame.width()) * frame.height() > kLargestMetafilePixels)
            throw PictureTooLarge{frame};
        bool tooLarge = false;
        QImage image = renderMetafileIsolated(
            file, budget - addBytes(file.size(), kLoadWorkingBytes), tooLarge);
        if (tooLarge)
            throw std::bad_alloc();
        return {image, 32};
    }
    case PictureFormat::Jpeg:
        return decodeJpegFile(file, budget);
    case PictureFormat::None:
        return {};
    default:
        return decodeWithQt(file, format, budget);
    }
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

QString notEnoughMemoryMessage(const QString& name) {
    return QCoreApplication::translate("ImageLoader",
                                       "メモリが不足しているため、画像 \"%1\" を読み込めません。")
        .arg(name);
}

namespace {

// The file's bytes, or nothing when its first bytes name no picture format; std::bad_alloc
// when merely reading it would go over the budget.
QByteArray readPictureFile(QIODevice& source, qint64 budget, PictureFormat& format) {
    format = pictureFormatOf(source.peek(kFormatProbeBytes));
    if (format == PictureFormat::None)
        return {};
    refuseOverBudget(addBytes(source.size(), kLoadWorkingBytes), budget);
    return source.readAll();
}

} // namespace

bool loadPicture(QIODevice& source, const QString& name, Bitmap& bitmap) {
    QImageReader::setAllocationLimit(kQtAllocationLimitMiB);
    bitmap = Bitmap(0, 0, 24);
    try {
        const qint64 budget = loadBudget();
        PictureFormat format = PictureFormat::None;
        const QByteArray file = readPictureFile(source, budget, format);
        if (file.isEmpty())
            return false;
        const DecodedImage decoded = decode(file, format, budget);
        if (decoded.pixels.isNull())
            return false;
        bitmap = Bitmap::fromImage(decoded.pixels, PixelFormatGP(decoded));
        return true;
    } catch (const std::bad_alloc&) {
        bitmap = Bitmap(0, 0, 24);
        throw EAppError(notEnoughMemoryMessage(name));
    } catch (const PictureTooLarge& refused) {
        throw EAppError(
            QCoreApplication::translate(
                "ImageLoader", "画像 \"%1\" は大きすぎるため読み込めません（%2 × %3 ピクセル）。")
                .arg(name)
                .arg(refused.size.width())
                .arg(refused.size.height()));
    }
}

std::unique_ptr<JpegRowDecoder> startColourJpeg(QIODevice& source, const QString& name) {
    try {
        const qint64 budget = loadBudget();
        PictureFormat format = PictureFormat::None;
        const QByteArray file = readPictureFile(source, budget, format);
        if (format != PictureFormat::Jpeg || file.isEmpty())
            return nullptr;
        const std::optional<JpegLoad> load = planJpegLoad(file, budget);
        // Rows that are to be turned upright cannot be passed on as they are decoded.
        if (!load || load->header.format != QImage::Format_BGR888 ||
            load->header.orientation != 1 || PixelFormatGP({QImage(), load->declaredBits}) != 24)
            return nullptr;
        auto decoder = std::make_unique<JpegRowDecoder>(file);
        if (decoder->start(load->maxWorkingBytes) != JpegDecodeStatus::Decoded)
            return nullptr;
        return decoder;
    } catch (const std::bad_alloc&) {
        throw EAppError(notEnoughMemoryMessage(name));
    }
}

bool ImageLoaderGP(const QString& path, Bitmap& bitmap) {
    bitmap = Bitmap(0, 0, 24);
    QFile file;
    if (!openRegularFile(QFile::encodeName(path), file))
        return false;
    return loadPicture(file, path, bitmap);
}
