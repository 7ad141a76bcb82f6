// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Writes the seed corpus: one small file of every format the loader reads, in the shapes
// that take different paths (indexed, grey, alpha, progressive, CMYK, run-length, Exif
// orientation, a missing end marker, too many scans).
#include "bitmap.h"
#include "bmp_writer.h"
#include "fixtures.h"
#include "jpeg_decoder.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    const QImage photo = fixtures::photo(24, 16);
    QImage alpha = photo.convertToFormat(QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(10, 20, 30, 100));
    QByteArray cmyk;
    for (int i = 0; i < 8 * 8; ++i)
        cmyk.append(char(i * 3)).append(char(i * 2)).append(char(255 - i)).append(char(200));
    const QList<std::pair<const char*, QByteArray>> seeds{
        {"photo.jpg", fixtures::encoded(photo, "jpeg")},
        {"grey.jpg", fixtures::encoded(photo.convertToFormat(QImage::Format_Grayscale8), "jpeg")},
        {"progressive.jpg", fixtures::progressiveJpeg(photo)},
        {"cmyk.jpg", fixtures::cmykJpeg(8, 8, cmyk)},
        {"sideways.jpg", fixtures::withExifOrientation(fixtures::encoded(photo, "jpeg"), 6)},
        {"no-end.jpg", fixtures::encoded(photo, "jpeg").chopped(2)},
        {"many-scans.jpg", fixtures::manyScanJpeg(16, 16, kMaxJpegScans + 1)},
        {"photo.png", fixtures::encoded(photo, "png")},
        {"alpha.png", fixtures::encoded(alpha, "png")},
        {"palette.png", fixtures::png(4, 1, 4, 3, {QByteArray("\x01\x20", 2)},
                                      {qRgb(128, 0, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)})},
        {"indexed.gif", fixtures::gif(4, 2, {qRgb(255, 0, 0), qRgb(0, 255, 0)},
                                      QByteArray("\x00\x01\x01\x00\x01\x00\x00\x01", 8))},
        {"photo.bmp", EncodeBmp(Bitmap::fromImage(photo, 24))},
        {"indexed.bmp", EncodeBmp(Bitmap::fromImage(photo, 8))},
        {"mono.bmp", EncodeBmp(Bitmap::fromImage(photo, 1))},
        {"photo.tif", fixtures::encoded(alpha, "tiff")},
        {"icon.ico", fixtures::encoded(alpha.scaled(16, 16), "ico")},
        {"photo.webp", fixtures::encoded(photo, "webp", 80)},
        {"drawing.emf", fixtures::emf()},
        {"drawing.wmf", fixtures::wmf()},
    };
    for (const auto& [name, data] : seeds)
        fixtures::writeFile(dir.filePath(QLatin1String(name)), data);
    return 0;
}
