// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Writes the seed corpus: one small file of every format the loader reads, in the shapes
// that take different paths (indexed, grey, alpha, progressive, CMYK, run-length, Exif
// orientation, a missing end marker, too many scans), and pictures at the edges of what
// the line work takes.
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
    // Strips, threads, single pixels and patterns finer than any grid: the shapes the line
    // work and the colour sampling meet at their edges.
    const auto filled = [](int width, int height, QRgb colour) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(colour);
        return fixtures::encoded(picture, "png");
    };
    const auto pattern = [](int width, int height, QRgb one, QRgb other, bool ramp) {
        QImage picture(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(x, y,
                                 ramp          ? qRgb(255 * x / width, 80, 255 - 255 * x / width)
                                 : (x + y) % 2 ? one
                                               : other);
        return fixtures::encoded(picture, "png");
    };
    QByteArray hugeFrame = fixtures::emf();
    for (const int at : {32, 36})
        for (int i = 0; i < 4; ++i)
            hugeFrame[at + i] = char((793750u >> (8 * i)) & 0xff); // 30000 pixels a side
    const QList<std::pair<const char*, QByteArray>> seeds{
        {"strip-4096x1.png", pattern(4096, 1, 0, 0, true)},
        {"strip-1536x3.png", pattern(1536, 3, 0, 0, true)},
        {"thread-1x5000.png", filled(1, 5000, qRgb(120, 160, 200))},
        {"flat-5000x12.png", filled(5000, 12, qRgb(120, 160, 200))},
        {"pixel-1x1.png", filled(1, 1, qRgb(0, 0, 0))},
        {"checkerboard-2x2.png", pattern(2, 2, qRgb(0, 0, 0), qRgb(255, 255, 255), false)},
        {"checkerboard-64x64.png", pattern(64, 64, qRgb(0, 0, 0), qRgb(255, 255, 255), false)},
        {"red-blue-64x64.png", pattern(64, 64, qRgb(255, 0, 0), qRgb(0, 0, 255), false)},
        {"frame-30000.emf", hugeFrame},
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
