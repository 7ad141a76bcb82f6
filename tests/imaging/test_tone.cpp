// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "bitmap.h"
#include "per_pixel_reference.h"
#include "pixel_access.h"
#include "tone.h"

#include <gtest/gtest.h>

#include <random>

namespace {

uchar adjusted(quint8 mode, uchar value) {
    TGammaImage gamma;
    gamma.Mode = mode;
    uchar r = value, g = value, b = value;
    gamma.AdjustPixel(r, g, b);
    EXPECT_TRUE(r == g && g == b);
    return r;
}

TEST(GammaImage, ChannelTableOfBothCurves) {
    const struct {
        int input, lighter, darker;
    } cases[] = {
        {0, 0, 0},       {1, 16, 0},      {16, 64, 0},     {32, 90, 0},     {63, 127, 0},
        {64, 128, 0},    {65, 129, 1},    {96, 156, 36},   {128, 181, 75},  {160, 202, 118},
        {192, 221, 163}, {224, 239, 209}, {254, 254, 254}, {255, 255, 255},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(adjusted(0, uchar(c.input)), c.lighter) << c.input;
        EXPECT_EQ(adjusted(1, uchar(c.input)), c.darker) << c.input;
    }
}

TEST(GammaImage, LighterTwiceCompounds) {
    EXPECT_EQ(adjusted(0, 64), 128);
    EXPECT_EQ(adjusted(0, adjusted(0, 64)), 181);
}

TEST(GammaImage, CurvesKeepTheirSidesOfTheInput) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_GE(adjusted(0, uchar(v)), v);
        EXPECT_LE(adjusted(1, uchar(v)), v);
        if (v <= 64) {
            EXPECT_EQ(adjusted(1, uchar(v)), 0) << v;
        } else {
            EXPECT_GT(adjusted(1, uchar(v)), 0) << v;
        }
    }
}

TEST(GammaImage, OnePixelWorkedExample) {
    const struct {
        quint8 mode;
        uchar r, g, b;
    } cases[] = {{0, 181, 128, 226}, {1, 75, 0, 174}, {2, 128, 64, 200}, {255, 128, 64, 200}};
    for (const auto& c : cases) {
        TGammaImage gamma;
        gamma.Mode = c.mode;
        uchar r = 128, g = 64, b = 200;
        gamma.AdjustPixel(r, g, b);
        EXPECT_EQ(r, c.r) << int(c.mode);
        EXPECT_EQ(g, c.g) << int(c.mode);
        EXPECT_EQ(b, c.b) << int(c.mode);
    }
}

// Swaps red and blue: shows that the table keeps the channels apart.
class SwapRedBlue : public TImageProcessing {
public:
    void AdjustPixel(uchar& red, uchar&, uchar& blue) override { std::swap(red, blue); }
};

// Each channel on its own, different per channel.
class PerChannel : public TImageProcessing {
public:
    void AdjustPixel(uchar& red, uchar& green, uchar& blue) override {
        red = uchar(255 - red);
        green = uchar(green / 2);
        blue = uchar(blue + 1);
    }
};

Bitmap randomBitmap(std::mt19937& random, int width, int height) {
    std::uniform_int_distribution<int> byte(0, 255);
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PrintPixel(x, y, uchar(byte(random)), uchar(byte(random)), uchar(byte(random)), bitmap);
    return bitmap;
}

TEST(ToneColumns, MatchesPerPixelAdjustmentOnRandomPicturesInRandomBands) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> side(1, 40);
    std::uniform_int_distribution<int> band(1, 7);
    TGammaImage lighter;
    TGammaImage darker;
    darker.Mode = 1;
    TGammaImage unchanged;
    unchanged.Mode = 7;
    PerChannel perChannel;
    TImageProcessing* processors[] = {&lighter, &darker, &unchanged, &perChannel};
    for (int round = 0; round < 24; ++round) {
        TImageProcessing& processor = *processors[round % 4];
        Bitmap src = randomBitmap(random, side(random), side(random));
        Bitmap expected(src.width(), src.height());
        perPixelTone(src, expected, processor);

        const ToneTable table(processor);
        Bitmap out(src.width(), src.height());
        for (int x = -1; x < src.width() + 1;) {
            const int end = x + band(random);
            ToneColumns(src, out, table, x, end);
            x = end;
        }
        ASSERT_EQ(out.image(), expected.image()) << round;

        // The picture as its own output gives the same, and its copies keep their pixels.
        Bitmap inPlace = src;
        const QImage original = src.image();
        ToneColumns(inPlace, inPlace, table, 0, inPlace.width());
        EXPECT_EQ(inPlace.image(), expected.image()) << round;
        EXPECT_EQ(src.image(), original);
    }
}

TEST(ToneColumns, WhiteAndBlackStayAsTheyAre) {
    for (quint8 mode : {0, 1}) {
        TGammaImage gamma;
        gamma.Mode = mode;
        const ToneTable table(gamma);
        for (uchar level : {0, 255}) {
            Bitmap bitmap(5, 4);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 5; ++x)
                    PrintPixel(x, y, level, level, level, bitmap);
            const QImage before = bitmap.image();
            ToneColumns(bitmap, bitmap, table, 0, 5);
            EXPECT_EQ(bitmap.image(), before) << int(mode) << " " << int(level);
        }
    }
}

TEST(ToneTable, TakesEachChannelFromItsOwnPlace) {
    SwapRedBlue swap;
    const ToneTable table(swap);
    // Each channel was given the same value, so a swap maps every value to itself.
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(table.red(uchar(v)), v);
        EXPECT_EQ(table.blue(uchar(v)), v);
    }
    PerChannel perChannel;
    const ToneTable distinct(perChannel);
    EXPECT_EQ(distinct.red(10), 245);
    EXPECT_EQ(distinct.green(10), 5);
    EXPECT_EQ(distinct.blue(10), 11);
    EXPECT_EQ(distinct.blue(255), 0);
}

TEST(ToneColumns, RefusesBitmapsThatDoNotMatch) {
    TGammaImage gamma;
    const ToneTable table(gamma);
    Bitmap eight(3, 3, 8);
    Bitmap out(3, 3);
    EXPECT_THROW(ToneColumns(eight, out, table, 0, 3), std::invalid_argument);
    Bitmap other(3, 2);
    EXPECT_THROW(ToneColumns(other, out, table, 0, 3), std::invalid_argument);
    Bitmap empty;
    Bitmap emptyOut;
    EXPECT_NO_THROW(ToneColumns(empty, emptyOut, table, 0, 0));
}

} // namespace
