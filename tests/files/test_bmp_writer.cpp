// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "bitmap.h"
#include "bmp_writer.h"
#include "fixtures.h"
#include "palettes.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

quint32 u32(const QByteArray& file, int at) {
    return qFromLittleEndian<quint32>(file.constData() + at);
}

quint16 u16(const QByteArray& file, int at) {
    return qFromLittleEndian<quint16>(file.constData() + at);
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

struct BmpCase {
    int depth;
    int tableEntries;
    quint32 compression;
    int rowBytes;
    QByteArray bottomRow; // the file's first row: the picture's bottom line, all white
    QByteArray topRow;    // the file's last row: black corner, then white
};

std::ostream& operator<<(std::ostream& out, const BmpCase& c) {
    return out << c.depth << " bits";
}

const BmpCase kCases[] = {
    {1, 2, 0, 4, bytes({0xE0, 0, 0, 0}), bytes({0x60, 0, 0, 0})},
    {4, 16, 0, 4, bytes({0xFF, 0xF0, 0, 0}), bytes({0x0F, 0xF0, 0, 0})},
    {8, 256, 0, 4, bytes({215, 215, 215, 0}), bytes({0, 215, 215, 0})},
    {16, 0, 3, 8, bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}),
     bytes({0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0})},
    {24, 0, 0, 12, QByteArray(9, '\xff') + QByteArray(3, '\0'),
     QByteArray(3, '\0') + QByteArray(6, '\xff') + QByteArray(3, '\0')},
    {32, 0, 0, 12, bytes({255, 255, 255, 0, 255, 255, 255, 0, 255, 255, 255, 0}),
     bytes({0, 0, 0, 0, 255, 255, 255, 0, 255, 255, 255, 0})},
};

class BmpBytes : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpBytes, HeadersTableAndBottomUpPaddedRows) {
    const BmpCase& c = GetParam();
    const Bitmap bitmap = fixtures::whiteWithBlackCorner(c.depth);
    const QByteArray file = EncodeBmp(bitmap);

    const int masks = c.depth == 16 ? 12 : 0;
    const int offset = 14 + 40 + masks + 4 * c.tableEntries;
    ASSERT_EQ(file.size(), offset + 2 * c.rowBytes);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(file, 2), quint32(file.size()));
    EXPECT_EQ(u32(file, 6), 0u);
    EXPECT_EQ(u32(file, 10), quint32(offset));

    EXPECT_EQ(u32(file, 14), 40u);
    EXPECT_EQ(u32(file, 18), 3u);
    EXPECT_EQ(u32(file, 22), 2u);
    EXPECT_EQ(u16(file, 26), 1u);
    EXPECT_EQ(u16(file, 28), quint16(c.depth));
    EXPECT_EQ(u32(file, 30), c.compression);
    EXPECT_EQ(u32(file, 34), quint32(2 * c.rowBytes));

    if (c.depth == 16) {
        EXPECT_EQ(u32(file, 54), 0xF800u);
        EXPECT_EQ(u32(file, 58), 0x07E0u);
        EXPECT_EQ(u32(file, 62), 0x001Fu);
    }
    const QList<QRgb> table = bitmap.colourTable();
    for (int i = 0; i < c.tableEntries; ++i) {
        const int at = 54 + 4 * i;
        EXPECT_EQ(uchar(file[at]), qBlue(table[i])) << "entry " << i;
        EXPECT_EQ(uchar(file[at + 1]), qGreen(table[i])) << "entry " << i;
        EXPECT_EQ(uchar(file[at + 2]), qRed(table[i])) << "entry " << i;
        EXPECT_EQ(uchar(file[at + 3]), 0) << "entry " << i;
    }
    EXPECT_EQ(file.mid(offset, c.rowBytes).toHex(), c.bottomRow.toHex());
    EXPECT_EQ(file.mid(offset + c.rowBytes, c.rowBytes).toHex(), c.topRow.toHex());

    // An independent reader sees the same picture.
    QByteArray copy = file;
    QBuffer buffer(&copy);
    const QImage read = QImageReader(&buffer, "bmp").read();
    ASSERT_FALSE(read.isNull());
    // Qt widens 5-6-5 by shifting alone: white reads as (248, 252, 248).
    const int tolerance = c.depth == 16 ? 7 : 0;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const QRgb seen = read.pixel(x, y);
            const QRgb expected = bitmap.pixel(x, y);
            EXPECT_NEAR(qRed(seen), qRed(expected), tolerance) << "(" << x << ", " << y << ")";
            EXPECT_NEAR(qGreen(seen), qGreen(expected), tolerance);
            EXPECT_NEAR(qBlue(seen), qBlue(expected), tolerance);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpBytes, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::to_string(info.param.depth) + "bit"; });

TEST(BmpWriter, TablesOfIndexedDepthsAreThePageTables) {
    EXPECT_EQ(fixtures::whiteWithBlackCorner(1).colourTable(), monoColourTable());
    const QByteArray file = EncodeBmp(fixtures::whiteWithBlackCorner(4));
    // Entry 1 of the 16-colour table is dark red (128, 0, 0).
    EXPECT_EQ(file.mid(54 + 4, 4).toHex(), bytes({0, 0, 128, 0}).toHex());
}

TEST(BmpWriter, OddWidthFourBitRowsPackTheLastPixelIntoTheHighNibble) {
    Bitmap bitmap(5, 1, 4);
    for (int x = 0; x < 5; ++x)
        bitmap.scanLine(0)[x] = uchar(x + 1);
    const QByteArray file = EncodeBmp(bitmap);
    EXPECT_EQ(file.mid(54 + 64, 4).toHex(), bytes({0x12, 0x34, 0x50, 0}).toHex());
}

TEST(BmpWriter, ConvertedColouringPageIs24BitWith54ByteHeader) {
    Bitmap page(101, 3, 24);
    const QByteArray file = EncodeBmp(page);
    EXPECT_EQ(u32(file, 10), 54u);
    EXPECT_EQ(file.size(), 54 + 3 * 304); // 303 bytes of pixels padded to 304
}

TEST(BmpWriter, EmptyBitmapIsRefused) {
    try {
        EncodeBmp(Bitmap(0, 0, 24));
        FAIL() << "an empty picture was encoded";
    } catch (const EAppError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("保存する画像がありません。"));
    }
}

} // namespace
