// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "bitmap.h"
#include "colouring_filter.h"
#include "cpu_path.h"
#include "per_pixel_reference.h"
#include "pixel_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

struct Rgb {
    uchar r, g, b;
};

Bitmap filled(int width, int height, Rgb colour) {
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PrintPixel(x, y, colour.r, colour.g, colour.b, bitmap);
    return bitmap;
}

// Through the output bitmap whose inner pixels start unset, so every worked case also
// checks that what the filter leaves is white; and in place, which must agree.
Bitmap converted(const Bitmap& src) {
    Bitmap out = ColouringOutput(src);
    CustomFilterColumns(src, out, 0, src.width());
    Bitmap inPlace = src;
    ColouringInPlace(inPlace);
    EXPECT_EQ(inPlace.image(), out.image()) << "in place, " << src.width() << "x" << src.height();
    return out;
}

uchar greyAt(const Bitmap& bitmap, int x, int y) {
    const uchar* p = bitmap.constScanLine(y) + 3 * x;
    EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]) << x << "," << y;
    return p[0];
}

// The worked neighbourhoods: a 3 x 4 picture whose only computed pixel (1, 1) is the centre.
struct Neighbourhood {
    Rgb centre;
    std::vector<std::pair<int, int>> changed; // offsets from the centre
    Rgb neighbour;
    int expected;
};

class WorkedNeighbourhood : public ::testing::TestWithParam<Neighbourhood> {};

TEST_P(WorkedNeighbourhood, GivesTheListedGrey) {
    const Neighbourhood& c = GetParam();
    Bitmap src = filled(3, 4, c.centre);
    for (const auto& [dx, dy] : c.changed)
        PrintPixel(1 + dx, 1 + dy, c.neighbour.r, c.neighbour.g, c.neighbour.b, src);
    const Bitmap out = converted(src);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(greyAt(out, x, y), x == 1 && y == 1 ? c.expected : 255) << x << "," << y;
}

const std::vector<std::pair<int, int>> kRight{{1, 0}};
const std::vector<std::pair<int, int>> kEdges{{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
const std::vector<std::pair<int, int>> kDiagonals{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedNeighbourhood,
    ::testing::Values(Neighbourhood{{128, 128, 128}, {}, {}, 255},
                      Neighbourhood{{10, 200, 30}, {}, {}, 255},
                      Neighbourhood{{0, 0, 0}, kEdges, {255, 255, 255}, 255},
                      Neighbourhood{{100, 100, 100}, kRight, {200, 200, 200}, 155},
                      Neighbourhood{{100, 100, 100}, {{1, 0}, {0, 1}}, {200, 200, 200}, 55},
                      Neighbourhood{{200, 200, 200}, kRight, {100, 100, 100}, 255},
                      Neighbourhood{{100, 100, 100}, kDiagonals, {200, 200, 200}, 255},
                      Neighbourhood{{50, 50, 50}, kRight, {50, 60, 50}, 235},
                      Neighbourhood{{50, 50, 50}, kRight, {50, 50, 60}, 255},
                      Neighbourhood{{50, 50, 50}, kRight, {60, 50, 50}, 255},
                      Neighbourhood{{10, 200, 30}, kRight, {10, 220, 30}, 190},
                      Neighbourhood{{128, 128, 128}, kRight, {129, 129, 129}, 254},
                      Neighbourhood{{1, 0, 0}, kRight, {1, 1, 1}, 0},
                      Neighbourhood{{200, 0, 0}, kRight, {201, 0, 0}, 254},
                      Neighbourhood{{200, 0, 0}, kRight, {203, 0, 0}, 254},
                      // A black centre is white whatever surrounds it.
                      Neighbourhood{{0, 0, 0}, kDiagonals, {0, 255, 0}, 255},
                      Neighbourhood{{0, 0, 0}, kRight, {3, 7, 9}, 255}));

TEST(ColouringFilter, FiveBySixPictureGivesTheListedGreys) {
    Bitmap src = filled(5, 6, {200, 200, 200});
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 2; ++x)
            PrintPixel(x, y, 60, 60, 60, src);
    const Bitmap out = converted(src);
    const int expected[6][5] = {
        {255, 255, 255, 255, 255}, {255, 22, 255, 255, 255},  {255, 22, 255, 255, 255},
        {255, 22, 255, 255, 255},  {255, 255, 255, 255, 255}, {255, 255, 255, 255, 255},
    };
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(greyAt(out, x, y), expected[y][x]) << x << "," << y;
}

TEST(ColouringFilter, FlatPicturesComeOutWhite) {
    const Rgb colours[] = {{0, 0, 0}, {128, 128, 128}, {10, 200, 30}, {255, 255, 255}, {1, 0, 0}};
    for (const Rgb& colour : colours) {
        const Bitmap out = converted(filled(7, 9, colour));
        EXPECT_EQ(out.image(), Bitmap(7, 9).image()) << int(colour.r);
    }
}

TEST(ColouringFilter, ThreeByFourHasOneComputedPixelAndThreeByThreeNone) {
    // Every pixel differs from its neighbours, so any computed pixel would darken.
    auto stripes = [](int width, int height) {
        Bitmap bitmap(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uchar level = uchar((x + y) % 2 ? 200 : 40);
                PrintPixel(x, y, level, level, level, bitmap);
            }
        return bitmap;
    };
    const Bitmap four = converted(stripes(3, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(greyAt(four, x, y) != 255, x == 1 && y == 1) << x << "," << y;
    EXPECT_EQ(converted(stripes(3, 3)).image(), Bitmap(3, 3).image());
    EXPECT_EQ(converted(stripes(3, 1)).image(), Bitmap(3, 1).image());
}

TEST(ColouringFilter, RefusesBitmapsThatDoNotMatch) {
    Bitmap eight(4, 4, 8);
    Bitmap out(4, 4);
    EXPECT_THROW(CustomFilterColumns(eight, out, 0, 4), std::invalid_argument);
    Bitmap small(3, 4);
    EXPECT_THROW(CustomFilterColumns(small, out, 0, 4), std::invalid_argument);
    EXPECT_THROW(CustomFilterColumns(out, out, 0, 4), std::invalid_argument);
}

// Random pictures against the per-pixel loop. Kinds: any colour; few levels close together
// (many ties, e.g. (200,0,0) beside (201,0,0) gives exactly 254.5); red only; black spots;
// red only with centres whose S / D is inexact but 100 S / D lands on a half (fusing the
// multiply and add changes some of those).
QImage randomPicture(std::mt19937& random, int width, int height, int kind) {
    QImage image(width, height, QImage::Format_RGB32);
    std::uniform_int_distribution<int> byte(0, 255);
    const int levels[] = {0, 1, 2, 3, 50, 60, 100, 199, 200, 201, 203, 255};
    std::uniform_int_distribution<int> level(0, int(std::size(levels)) - 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int r = byte(random), g = byte(random), b = byte(random);
            if (kind == 1) {
                r = levels[level(random)];
                g = level(random) < 9 ? 0 : levels[level(random)];
                b = level(random) < 9 ? 0 : levels[level(random)];
            } else if (kind == 2) {
                g = b = 0;
            } else if (kind == 3 && level(random) < 4) {
                r = g = b = 0;
            } else if (kind == 4) {
                const int divisors[] = {25, 40, 50, 100, 125, 200, 250};
                r = (x + y) % 2 ? byte(random) : divisors[byte(random) % 7];
                g = b = 0;
            }
            image.setPixel(x, y, qRgb(r, g, b));
        }
    return image;
}

// The loops built for each instruction set give the same bytes as the per-pixel loop.
class OnEachCpuPath : public ::testing::TestWithParam<CpuPath> {
protected:
    void SetUp() override {
        if (!cpuPathSupported(GetParam()))
            GTEST_SKIP() << "this processor lacks the instructions";
        m_previous = activeCpuPath();
        setCpuPath(GetParam());
        ASSERT_EQ(activeCpuPath(), GetParam());
    }
    void TearDown() override { setCpuPath(m_previous); }

private:
    CpuPath m_previous = CpuPath::Baseline;
};

TEST_P(OnEachCpuPath, MatchesThePerPixelLoopOnRandomPicturesInRandomBands) {
    std::mt19937 random(20261207);
    const int depths[] = {1, 4, 8, 16, 24, 32};
    std::uniform_int_distribution<int> side(3, 67);
    for (int round = 0; round < 60; ++round) {
        const int depth = depths[round % 6];
        const int kind = (round / 6) % 5;
        const int width = side(random) | 1;
        const int height = side(random) | 1;
        Bitmap src = Bitmap::fromImage(randomPicture(random, width, height, kind), depth);
        src.setDepth(24);

        Bitmap expected(width, height);
        Bitmap plainSrc = src;
        perPixelColouring(plainSrc, expected);

        Bitmap out(width, height);
        int x = -2;
        std::uniform_int_distribution<int> band(1, 9);
        while (x < width + 2) {
            const int end = x + band(random);
            CustomFilterColumns(src, out, x, end);
            x = end;
        }
        ASSERT_EQ(out.image(), expected.image())
            << "depth " << depth << " kind " << kind << " size " << width << "x" << height;
    }
}

TEST_P(OnEachCpuPath, MatchesThePerPixelLoopOnAWidePicture) {
    // Wider than one pass over the rows, so passes meet inside the picture.
    std::mt19937 random(7);
    for (int kind = 0; kind < 5; ++kind) {
        Bitmap src = Bitmap::fromImage(randomPicture(random, 4099, 9, kind), 24);
        Bitmap expected(src.width(), src.height());
        Bitmap plainSrc = src;
        perPixelColouring(plainSrc, expected);
        EXPECT_EQ(converted(src).image(), expected.image()) << kind;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, OnEachCpuPath,
                         ::testing::Values(CpuPath::Baseline, CpuPath::Sse41, CpuPath::Avx2),
                         [](const auto& info) {
                             return info.param == CpuPath::Avx2    ? "Avx2"
                                    : info.param == CpuPath::Sse41 ? "Sse41"
                                                                   : "Baseline";
                         });

TEST(ColouringFilter, ReproducesExactTiesOfTheRedOnlyPixels) {
    // Every red centre against every red neighbour step that lands on a half: the grey
    // is the even neighbour of 255 + 100 S / D.
    for (int centre = 1; centre < 256; ++centre)
        for (int step = 1; step < 256 - centre; ++step) {
            const double value = 255.0 + 100.0 * (-double(step) / centre);
            if (value <= 0 || value != std::floor(value) + 0.5)
                continue;
            Bitmap src = filled(3, 4, {uchar(centre), 0, 0});
            PrintPixel(2, 1, uchar(centre + step), 0, 0, src);
            EXPECT_EQ(greyAt(converted(src), 1, 1), ClampByte(value)) << centre << " + " << step;
        }
}

} // namespace
