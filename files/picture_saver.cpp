// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "picture_saver.h"

#include "app_error.h"
#include "bmp_writer.h"
#include "file_names.h"
#include "jpeg_writer.h"
#include "png_writer.h"
#include "safe_file.h"
#include <QCoreApplication>

SaveFormat SaveFormatOf(const QString& name) {
    const QString extension = UpperExtension(name);
    if (extension == QLatin1String(".JPG"))
        return SaveFormat::Jpeg;
    if (extension == QLatin1String(".BMP"))
        return SaveFormat::Bmp;
    return SaveFormat::Unsupported;
}

SaveFormat OutputFormatOf(const QString& name) {
    const QString extension = UpperExtension(name);
    if (extension == QLatin1String(".PNG"))
        return SaveFormat::Png;
    if (extension == QLatin1String(".JPEG"))
        return SaveFormat::Jpeg;
    return SaveFormatOf(name);
}

QString unsupportedSaveFormatMessage() {
    return QCoreApplication::translate("PictureSaver", "保存ファイルはJpeg,BMPのみ対応です。");
}

QString SavedFileName(const QString& name, SaveFormat format) {
    return format == SaveFormat::Jpeg ? ExistingSpelling(JpegFileName(name)) : name;
}

QString SavePicture(const Bitmap& page, const QString& name, SaveFormat format) {
    const QString path = SavedFileName(name, format);
    WritePicture(page, path, format);
    return path;
}

void WritePicture(const Bitmap& page, const QString& path, SaveFormat format) {
    // A target that cannot be replaced is refused before the picture is encoded.
    if (format != SaveFormat::Unsupported)
        checkSaveTarget(path);
    switch (format) {
    case SaveFormat::Jpeg: {
        JpegEncoder encoder(page);
        WriteFileSafely(path, [&encoder](QIODevice& file) { return encoder.writeTo(file); });
        return;
    }
    case SaveFormat::Bmp: {
        const BmpEncoder encoder(page);
        WriteFileSafely(path, [&encoder](QIODevice& file) { return encoder.writeTo(file); });
        return;
    }
    case SaveFormat::Png: {
        // Encoded in memory first: Qt's writer gives no way to tell a full disk from a
        // failing compressor, and the file is then written as any other.
        WriteFileSafely(path, EncodePng(page));
        return;
    }
    case SaveFormat::Unsupported:
        break;
    }
    throw EAppError(unsupportedSaveFormatMessage());
}
