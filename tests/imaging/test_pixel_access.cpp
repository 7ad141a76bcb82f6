// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "bitmap.h"
#include "palettes.h"
#include "pixel_access.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(ClampByte, GivesTheListedValues) {
    const struct {
        double value;
        int expected;
    } cases[] = {
        {300, 255},
        {255, 255},
        {254.99, 255},
        {254.5, 254},
        {253.5, 254},
        {127.5, 128},
        {1.5, 2},
        {0.5, 0},
        {0.3, 0},
        {-3, 0},
        {2.5, 2},
        {0.51, 1},
        {1e300, 255},
        {-1e300, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::infinity(), 255},
        {-std::numeric_limits<double>::infinity(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampByte(c.value), c.expected) << c.value;
}

TEST(PixelAccess, NewBitmapReadsWhiteEverywhere) {
    Bitmap bitmap(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            uchar r = 0, g = 0, b = 0;
            ScanPixel(bitmap, x, y, r, g, b);
            EXPECT_EQ(r, 255);
            EXPECT_EQ(g, 255);
            EXPECT_EQ(b, 255);
        }
}

TEST(PixelAccess, PrintPixelWritesBlueGreenRedAtThreeX) {
    Bitmap bitmap(4, 4);
    PrintPixel(2, 1, 10, 20, 30, bitmap);
    const uchar* row = bitmap.constScanLine(1);
    EXPECT_EQ(row[6], 30);
    EXPECT_EQ(row[7], 20);
    EXPECT_EQ(row[8], 10);
    uchar r = 0, g = 0, b = 0;
    ScanPixel(bitmap, 2, 1, r, g, b);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(b, 30);
    // Nothing else changed: every other byte of the pixel area is still white.
    for (int y = 0; y < 4; ++y)
        for (int i = 0; i < 12; ++i)
            if (y != 1 || i < 6 || i > 8) {
                EXPECT_EQ(bitmap.constScanLine(y)[i], 255) << y << "," << i;
            }
    // Row 0 is the top row as shown.
    PrintPixel(0, 0, 1, 2, 3, bitmap);
    EXPECT_EQ(bitmap.image().pixel(0, 0), qRgb(1, 2, 3));
}

// Each source depth, read once, leaves a 24-bit bitmap with the colours it showed before.
class ReadWidensTo24Bits : public ::testing::TestWithParam<int> {};

TEST_P(ReadWidensTo24Bits, KeepingEveryColour) {
    const int depth = GetParam();
    QImage picture(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, qRgb(x * 60, y * 120, (x + y) * 30));
    Bitmap bitmap = Bitmap::fromImage(picture, depth);
    ASSERT_EQ(bitmap.depth(), depth);
    QList<QRgb> shown;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            shown.append(bitmap.pixel(x, y));
    uchar r = 0, g = 0, b = 0;
    ScanPixel(bitmap, 4, 2, r, g, b);
    EXPECT_EQ(bitmap.depth(), 24);
    EXPECT_EQ(bitmap.image().format(), QImage::Format_BGR888);
    EXPECT_EQ(qRgb(r, g, b), shown.last());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uchar* p = bitmap.constScanLine(y) + 3 * x;
            EXPECT_EQ(qRgb(p[2], p[1], p[0]), shown.at(y * 5 + x)) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, ReadWidensTo24Bits, ::testing::Values(1, 4, 8, 16, 24, 32));

TEST(PixelAccess, PrintPixelWidensAPaletteBitmap) {
    Bitmap bitmap(3, 2, 8);
    PrintPixel(1, 1, 9, 8, 7, bitmap);
    EXPECT_EQ(bitmap.depth(), 24);
    EXPECT_EQ(bitmap.pixel(1, 1), qRgb(9, 8, 7));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(PixelAccess, RowOutsideThePictureThrowsAndChangesNothing) {
    const int rows[] = {-1, 4, 5, std::numeric_limits<int>::min()};
    for (int depth : {8, 24}) {
        for (int y : rows) {
            Bitmap bitmap(3, 4, depth);
            PrintPixel(0, 0, 1, 2, 3, bitmap); // now 24 bits with one dark pixel
            bitmap.setDepth(depth);
            const QImage before = bitmap.image();
            uchar r = 7, g = 7, b = 7;
            try {
                ScanPixel(bitmap, 0, y, r, g, b);
                ADD_FAILURE() << "read of row " << y << " did not throw";
            } catch (const EAppError& error) {
                EXPECT_EQ(error.message(),
                          QStringLiteral("スキャンライン のインデックスが範囲を越えました"));
            }
            EXPECT_THROW(PrintPixel(0, y, 0, 0, 0, bitmap), EAppError);
            EXPECT_EQ(r, 7);
            EXPECT_EQ(bitmap.depth(), depth);
            EXPECT_EQ(bitmap.image(), before);
        }
    }
    Bitmap empty;
    uchar r = 0, g = 0, b = 0;
    EXPECT_THROW(ScanPixel(empty, 0, 0, r, g, b), EAppError);
}

TEST(PixelAccess, ColumnOutsideTheRowIsRefused) {
    Bitmap bitmap(3, 2);
    EXPECT_THROW(PrintPixel(3, 0, 0, 0, 0, bitmap), std::out_of_range);
    EXPECT_THROW(PrintPixel(-1, 0, 0, 0, 0, bitmap), std::out_of_range);
    EXPECT_EQ(bitmap.image(), Bitmap(3, 2).image());
}

TEST(PixelAccess, CopiesStayIndependent) {
    Bitmap original(2, 2);
    Bitmap copy = original;
    PrintPixel(1, 1, 0, 0, 0, copy);
    EXPECT_EQ(original.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(copy.pixel(1, 1), qRgb(0, 0, 0));
}

} // namespace
