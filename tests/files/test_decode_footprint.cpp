// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "decode_footprint.h"

#include <QRect>
#include <QtEndian>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace {

QByteArray le16(int v) {
    QByteArray b(2, 0);
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}

QByteArray le32(qint64 v) {
    QByteArray b(4, 0);
    qToLittleEndian<quint32>(quint32(v), b.data());
    return b;
}

QByteArray be32(qint64 v) {
    QByteArray b(4, 0);
    qToBigEndian<quint32>(quint32(v), b.data());
    return b;
}

// The start of a PNG: signature and header, which is all the footprint reads.
QByteArray pngHeader(qint64 width, qint64 height, int bitDepth) {
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + be32(13) + "IHDR" + be32(width) + be32(height) +
           char(bitDepth) + QByteArray("\x06\0\0\0", 4) + be32(0);
}

// An icon of one entry whose directory says 16 x 16, holding data.
QByteArray icon(const QByteArray& data) {
    return le16(0) + le16(1) + le16(1) + QByteArray("\x10\x10\0\0", 4) + le16(1) + le16(32) +
           le32(data.size()) + le32(22) + data;
}

// A little-endian TIFF whose first page has these (tag, value) fields, each a LONG.
QByteArray tiff(std::initializer_list<std::pair<int, qint64>> fields) {
    QByteArray file = QByteArray("II*\0", 4) + le32(8) + le16(int(fields.size()));
    for (const auto& [tag, value] : fields)
        file += le16(tag) + le16(4) + le32(1) + le32(value);
    return file + le32(0);
}

// A GIF whose screen is 10 x 10, holding frames at (left, top) of the given sizes.
QByteArray gif(std::initializer_list<QRect> frames) {
    QByteArray file = QByteArray("GIF89a") + le16(10) + le16(10) + QByteArray("\0\0\0", 3);
    for (const QRect& f : frames)
        file += QByteArray(1, 0x2C) + le16(f.x()) + le16(f.y()) + le16(f.width()) +
                le16(f.height()) + QByteArray(1, 0) + QByteArray("\x08\x01\x00\x00", 4);
    return file + ";";
}

QByteArray webpCanvas(int width, int height) {
    QByteArray vp8x =
        QByteArray("\x10\0\0\0", 4) + le32(width - 1).left(3) + le32(height - 1).left(3);
    return QByteArray("RIFF") + le32(4 + 8 + vp8x.size()) + "WEBP" + "VP8X" + le32(vp8x.size()) +
           vp8x;
}

TEST(DecodeFootprint, CountsEveryEmbeddedPictureAtTheDepthItDecodesTo) {
    const struct {
        const char* what;
        QByteArray file;
        PictureFormat format;
        QSize reported;
        int declaredBits;
        QSize picture;
        int bits;
        qint64 bytes;
    } cases[] = {
        {"a PNG in an icon, by its own header", icon(pngHeader(30000, 20000, 8)),
         PictureFormat::Ico, QSize(16, 16), 32, QSize(30000, 20000), 32, qint64(30000) * 20000 * 4},
        {"a 16-bit PNG in an icon", icon(pngHeader(1000, 1000, 16)), PictureFormat::Ico,
         QSize(16, 16), 32, QSize(1000, 1000), 64, 8000000},
        {"a bitmap in an icon, its mask not counted",
         icon(le32(40) + le32(3000) + le32(4000) + le16(1) + le16(32)), PictureFormat::Ico,
         QSize(16, 16), 32, QSize(3000, 2000), 32, 24000000},
        {"8-bit grey TIFF in strips",
         tiff({{256, 20000}, {257, 20000}, {258, 8}, {262, 1}, {277, 1}, {278, 64}}),
         PictureFormat::Tiff, QSize(20000, 20000), 32, QSize(20000, 20000), 8,
         qint64(20000) * 20000},
        {"1-bit TIFF", tiff({{256, 800}, {257, 10}, {258, 1}, {262, 0}}), PictureFormat::Tiff,
         QSize(800, 10), 32, QSize(800, 10), 1, 1000},
        {"colour TIFF in one strip, read through a strip buffer",
         tiff({{256, 1000}, {257, 1000}, {258, 8}, {262, 2}, {277, 3}}), PictureFormat::Tiff,
         QSize(1000, 1000), 32, QSize(1000, 1000), 32, 4000000 + 3000000},
        {"16-bit colour TIFF in tiles",
         tiff({{256, 1000}, {257, 1000}, {258, 16}, {262, 2}, {277, 3}, {322, 256}, {323, 256}}),
         PictureFormat::Tiff, QSize(1000, 1000), 32, QSize(1000, 1000), 64,
         8000000 + 256 * 256 * 6},
        {"float colour TIFF",
         tiff({{256, 100}, {257, 100}, {258, 32}, {262, 2}, {277, 3}, {278, 1}, {339, 3}}),
         PictureFormat::Tiff, QSize(100, 100), 32, QSize(100, 100), 128, 160000},
        {"GIF frames beyond the screen", gif({QRect(0, 0, 5, 5), QRect(100, 50, 4000, 3000)}),
         PictureFormat::Gif, QSize(10, 10), 8, QSize(4100, 3050), 32,
         qint64(4100) * 3050 * 4 + 4000 * 3000 * 4},
        {"WebP canvas", webpCanvas(16000, 9000), PictureFormat::WebP, QSize(16, 16), 32,
         QSize(16000, 9000), 32, qint64(16000) * 9000 * 4},
        {"a 48-bit PNG as the reader reports it", pngHeader(100, 10, 16), PictureFormat::Png,
         QSize(100, 10), 48, QSize(100, 10), 64, 8000},
        {"a 4-bit bitmap widened to 8", QByteArray("BM"), PictureFormat::Bmp, QSize(7, 3), 4,
         QSize(7, 3), 8, 24},
    };
    for (const auto& c : cases) {
        const DecodeFootprint f = decodeFootprint(c.file, c.format, c.reported, c.declaredBits);
        EXPECT_EQ(f.picture, c.picture) << c.what;
        EXPECT_EQ(f.bitsPerPixel, c.bits) << c.what;
        EXPECT_EQ(f.bytes, c.bytes) << c.what;
    }
    // Cut short anywhere, a file still gives an answer and reads nothing past its end.
    const QByteArray bomb = icon(pngHeader(30000, 30000, 8));
    for (qsizetype size = 0; size < bomb.size(); ++size)
        EXPECT_GE(decodeFootprint(bomb.left(size), PictureFormat::Ico, QSize(16, 16), 32).bytes,
                  16 * 16 * 4);
}

} // namespace
