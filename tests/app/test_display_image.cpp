// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "display_image.h"

#include <QColor>

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

struct ReductionCase {
    const char* name;
    QSize picture, screen;
    QImage::Format format;
};

void PrintTo(const ReductionCase& c, std::ostream* out) {
    *out << c.name;
}

// Gradients crossed by one-pixel lines, the hardest case for a reduction.
QImage linedPicture(QSize size, QImage::Format format) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y,
                           x % 7 == 0 || y % 5 == 0
                               ? qRgb(0, 0, 0)
                               : qRgb(x * 255 / size.width(), y * 255 / size.height(), 180));
    return image.convertToFormat(format);
}

class DisplayReduction : public ::testing::TestWithParam<ReductionCase> {};

// Each screen pixel is close to the exact mean of the picture area it covers, pixels cut
// by its edges counted by the part inside.
TEST_P(DisplayReduction, GivesTheMeanOfTheAreaEachScreenPixelCovers) {
    const ReductionCase& c = GetParam();
    const QImage picture = linedPicture(c.picture, c.format);
    const QImage reference = picture.convertToFormat(QImage::Format_RGB32);
    const QImage shown = displayImage(picture, c.screen);
    ASSERT_EQ(shown.size(), c.screen);
    ASSERT_EQ(shown.format(), QImage::Format_RGB32);
    const double sx = double(c.picture.width()) / c.screen.width();
    const double sy = double(c.picture.height()) / c.screen.height();
    int worst = 0;
    for (int j = 0; j < c.screen.height(); ++j)
        for (int i = 0; i < c.screen.width(); ++i) {
            double sum[3] = {0, 0, 0}, area = 0;
            for (int y = int(j * sy);
                 y < std::min(c.picture.height(), int(std::ceil((j + 1) * sy))); ++y)
                for (int x = int(i * sx);
                     x < std::min(c.picture.width(), int(std::ceil((i + 1) * sx))); ++x) {
                    const double w =
                        (std::min(x + 1.0, (i + 1) * sx) - std::max(double(x), i * sx)) *
                        (std::min(y + 1.0, (j + 1) * sy) - std::max(double(y), j * sy));
                    const QRgb p = reference.pixel(x, y);
                    sum[0] += w * qRed(p);
                    sum[1] += w * qGreen(p);
                    sum[2] += w * qBlue(p);
                    area += w;
                }
            const QRgb s = shown.pixel(i, j);
            worst = std::max({worst, int(std::lround(std::abs(qRed(s) - sum[0] / area))),
                              int(std::lround(std::abs(qGreen(s) - sum[1] / area))),
                              int(std::lround(std::abs(qBlue(s) - sum[2] / area)))});
        }
    EXPECT_LE(worst, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayReduction,
    ::testing::Values(ReductionCase{"WholeBlocks", {600, 400}, {120, 80}, QImage::Format_BGR888},
                      ReductionCase{"PartBlocks", {1000, 700}, {300, 200}, QImage::Format_BGR888},
                      ReductionCase{"LessThanHalf", {500, 300}, {300, 200}, QImage::Format_BGR888},
                      ReductionCase{
                          "NarrowerButTaller", {900, 100}, {200, 150}, QImage::Format_BGR888},
                      ReductionCase{"ThirtyTwoBits", {640, 480}, {100, 70}, QImage::Format_RGB32},
                      ReductionCase{"Indexed", {640, 480}, {100, 70}, QImage::Format_Indexed8}),
    [](const ::testing::TestParamInfo<ReductionCase>& info) { return info.param.name; });

} // namespace
