// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "bitmap.h"
#include "palettes.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

class NewBitmapIsWhite : public ::testing::TestWithParam<int> {};

TEST_P(NewBitmapIsWhite, InEveryPixelAndAfterWideningTo24Bits) {
    Bitmap bitmap(5, 3, GetParam());
    EXPECT_EQ(bitmap.depth(), GetParam());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    bitmap.setDepth(24);
    EXPECT_EQ(bitmap.depth(), 24);
    for (int y = 0; y < 3; ++y) {
        const uchar* row = bitmap.constScanLine(y);
        for (int i = 0; i < 15; ++i)
            EXPECT_EQ(row[i], 255);
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, NewBitmapIsWhite, ::testing::Values(1, 4, 8, 16, 24, 32));

TEST(Bitmap, RowsOf24BitsAreBlueGreenRedPaddedToFourBytes) {
    const struct {
        int width;
        qsizetype stride;
    } cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}};
    for (const auto& c : cases) {
        Bitmap bitmap(c.width, 2);
        EXPECT_EQ(bitmap.bytesPerLine(), c.stride) << c.width;
    }
    Bitmap bitmap(2, 2);
    uchar* row = bitmap.scanLine(1);
    row[3] = 30; // blue of column 1
    row[4] = 20; // green
    row[5] = 10; // red
    EXPECT_EQ(bitmap.pixel(1, 1), qRgb(10, 20, 30));
    EXPECT_EQ(bitmap.pixel(1, 0), qRgb(255, 255, 255));
}

TEST(Bitmap, CopiesAreIndependent) {
    Bitmap original(3, 3);
    Bitmap copy = original;
    copy.scanLine(0)[0] = 0;
    EXPECT_EQ(original.constScanLine(0)[0], 255);
    EXPECT_EQ(copy.constScanLine(0)[0], 0);
    Bitmap another = copy;
    another.setDepth(8);
    EXPECT_EQ(copy.depth(), 24);
}

TEST(Bitmap, WideningKeepsColours) {
    // An 8-bit picture: every pixel keeps its palette colour at 24 bits.
    QImage indexed(4, 1, QImage::Format_Indexed8);
    indexed.setColorTable(halftoneColourTable());
    for (int x = 0; x < 4; ++x)
        indexed.setPixel(x, 0, uint(x * 37));
    Bitmap eight = Bitmap::fromImage(indexed, 8);
    ASSERT_EQ(eight.depth(), 8);
    eight.setDepth(24);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(eight.pixel(x, 0), halftoneColourTable().at(x * 37));

    // A 32-bit picture: the fourth byte is dropped, red, green and blue stay.
    QImage rgb32(1, 1, QImage::Format_RGB32);
    rgb32.setPixel(0, 0, qRgb(12, 34, 56));
    Bitmap thirtyTwo = Bitmap::fromImage(rgb32, 32);
    thirtyTwo.setDepth(24);
    const uchar* row = thirtyTwo.constScanLine(0);
    EXPECT_EQ(row[0], 56);
    EXPECT_EQ(row[1], 34);
    EXPECT_EQ(row[2], 12);
}

TEST(Bitmap, IndexedDepthsUseTheirTables) {
    Bitmap four(2, 2, 4);
    EXPECT_EQ(four.colourTable(), sixteenColourTable());
    Bitmap one(2, 2, 1);
    EXPECT_EQ(one.colourTable(), monoColourTable());
    const QList<QRgb>& halftone = halftoneColourTable();
    EXPECT_EQ(halftone.size(), 256);
    EXPECT_TRUE(halftone.contains(qRgb(0, 0, 0)));
    EXPECT_TRUE(halftone.contains(qRgb(255, 255, 255)));
}

TEST(Bitmap, SetSizeKeepsWhatFitsAndWhitensTheRest) {
    Bitmap bitmap(2, 2);
    bitmap.scanLine(1)[3] = 7;
    bitmap.setSize(3, 3);
    EXPECT_EQ(bitmap.constScanLine(1)[3], 7);
    EXPECT_EQ(bitmap.pixel(2, 2), qRgb(255, 255, 255));
    bitmap.setSize(0, 5);
    EXPECT_TRUE(bitmap.isEmpty());
    EXPECT_EQ(bitmap.width(), 0);
}

} // namespace

namespace {

// A noisy picture over several conversion bands, with every alpha level when asked.
QImage noisy(int width, int height, bool alpha) {
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            row[x] = alpha ? state : (state | 0xFF000000u);
        }
    }
    return image;
}

// What converting the whole picture at once gives: over white, then Qt's conversion with
// the depth's table.
QImage wholeConversion(const QImage& image, int depth) {
    QImage ground(image.size(), QImage::Format_RGB32);
    ground.fill(Qt::white);
    QPainter(&ground).drawImage(0, 0, image);
    if (const QList<QRgb>* table = colourTableForDepth(depth))
        return ground.convertToFormat(Bitmap::formatFor(depth), *table,
                                      Qt::ThresholdDither | Qt::AvoidDither);
    return ground.convertToFormat(Bitmap::formatFor(depth));
}

class BandedConversion : public ::testing::TestWithParam<int> {};

TEST_P(BandedConversion, GivesExactlyTheWholePictureConversion) {
    // 1100 x 1000 RGB32 spans more than one 4 MiB band and is large enough for the colour memo.
    for (bool alpha : {false, true}) {
        const QImage source = noisy(1100, 1000, alpha);
        const Bitmap page = Bitmap::fromImage(source, GetParam());
        EXPECT_EQ(page.image(), wholeConversion(source, GetParam())) << "alpha " << alpha;
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BandedConversion, ::testing::Values(1, 4, 8, 16, 24, 32));

} // namespace
