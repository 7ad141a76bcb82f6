// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "colour_by_number.h"
#include "colour_field.h"
#include "colour_palette.h"
#include "colourability.h"
#include "page_mask.h"

#include <QPainter>

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <random>
#include <set>

namespace {

// Flat patches of the given colours side by side (columns), with noise of the given size.
Bitmap patches(const std::vector<QColor>& colours, int width, int height, int noise = 0) {
    QImage image(width, height, QImage::Format_BGR888);
    QPainter painter(&image);
    const int band = width / int(colours.size());
    for (size_t i = 0; i < colours.size(); ++i)
        painter.fillRect(QRect(int(i) * band, 0, i + 1 == colours.size() ? width : band, height),
                         colours[i]);
    // A disc of the first colour inside the last patch: a region within a region.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.front());
    painter.drawEllipse(QPoint(width - band / 2, height / 2), band / 4, band / 4);
    painter.end();
    Bitmap bitmap = Bitmap::fromImage(image, 24);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> jitter(-noise, noise);
    for (int y = 0; noise && y < height; ++y) {
        uchar* row = bitmap.scanLine(y);
        for (int x = 0; x < 3 * width; ++x)
            row[x] = uchar(std::clamp(row[x] + jitter(random), 0, 255));
    }
    return bitmap;
}

const std::vector<QColor> kFive{QColor(230, 40, 40), QColor(40, 160, 60), QColor(40, 60, 200),
                                QColor(240, 220, 60), QColor(30, 30, 30)};

cv::Vec3f labOf(const QColor& colour) {
    cv::Mat pixel(1, 1, CV_8UC3, cv::Scalar(colour.blue(), colour.green(), colour.red()));
    return flattenedLab(pixel, 1.0).at<cv::Vec3f>(0, 0);
}

cv::Vec3b bgr(QRgb rgb) {
    return cv::Vec3b(uchar(qBlue(rgb)), uchar(qGreen(rgb)), uchar(qRed(rgb)));
}

NumberedRegions regionsOf(const Bitmap& page, int colours = 16) {
    std::optional<NumberedRegions> regions = numberRegions(page, {colours, 3.0});
    EXPECT_TRUE(regions.has_value());
    return regions.value_or(NumberedRegions());
}

} // namespace

TEST(ColourByNumber, PaletteFindsTheDrawnColours) {
    const struct {
        size_t drawn;
        int asked;
        size_t expected;
    } cases[] = {{5, 16, 5}, {5, 5, 5}, {5, 3, 3}, {2, 36, 2}};
    for (const auto& c : cases) {
        const std::vector<QColor> drawn(kFive.begin(), kFive.begin() + long(c.drawn));
        const cv::Mat lab = flattenedLab(coloursOf(patches(drawn, 500, 200)), 1.0);
        const std::vector<cv::Vec3f> palette = labPalette(lab, c.asked);
        ASSERT_EQ(palette.size(), c.expected) << c.drawn << " " << c.asked;
        for (size_t i = 1; i < palette.size(); ++i)
            EXPECT_GE(palette[i - 1][0], palette[i][0]) << "light to dark";
        if (c.expected < c.drawn)
            continue;
        for (const QColor& colour : drawn)
            EXPECT_LT(
                cv::norm(palette[size_t(nearestColour(labOf(colour), palette))] - labOf(colour)),
                2.0)
                << colour.name().toStdString();
    }
}

TEST(ColourByNumber, EveryRegionIsNumberedInsideItWithTheKeysColour) {
    for (const Bitmap& photo : {patches(kFive, 1200, 800, 25), patches(kFive, 700, 1000, 0)}) {
        const NumberedRegions regions = regionsOf(photo);
        const Bitmap page = numberedPage(regions);
        const Bitmap preview = colouredPreview(regions);
        ASSERT_EQ(preview.image().size(), photo.image().size());
        ASSERT_GT(page.height(), photo.height());
        EXPECT_EQ(page.width(), photo.width());
        // Five patches and the disc: six regions, five colours.
        EXPECT_EQ(regions.labels.size(), 6u);
        EXPECT_EQ(regions.palette.size(), 5u);
        const double perMm = pixelsPerMmAtA4(page.width(), page.height());
        const double smallest = 6.0 * 25.4 / 72.0 * 0.72 * perMm;
        for (const NumberLabel& label : regions.labels) {
            ASSERT_GE(label.number, 1);
            ASSERT_LE(label.number, int(regions.palette.size()));
            EXPECT_GE(label.digitHeight, smallest - 0.5);
            const cv::Vec3b colour = regions.palette[size_t(label.number - 1)];
            // The number's box with a margin lies in its region, in the region's colour, and
            // it is drawn in black on the page.
            const int h = int(label.digitHeight);
            const QRect box(int(label.centre.x) - h - 2, int(label.centre.y) - h / 2 - 2, 2 * h + 4,
                            h + 4);
            int ink = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x) {
                    ASSERT_EQ(bgr(preview.pixel(x, y)), colour) << x << "," << y;
                    ink += qGray(page.pixel(x, y)) < 160;
                }
            EXPECT_GT(ink, 0);
        }
        // The key shows each number's colour, and the preview has exactly the key's colours.
        const std::vector<KeyEntry> key = keyEntries(regions);
        ASSERT_EQ(key.size(), regions.palette.size());
        std::set<QRgb> keyed;
        for (size_t n = 0; n < key.size(); ++n) {
            const cv::Point middle = (key[n].swatch.tl() + key[n].swatch.br()) / 2;
            EXPECT_GE(middle.y, photo.height());
            EXPECT_EQ(bgr(page.pixel(middle.x, middle.y)), regions.palette[n]);
            keyed.insert(page.pixel(middle.x, middle.y));
        }
        std::set<QRgb> shown;
        for (int y = 0; y < preview.height(); y += 3)
            for (int x = 0; x < preview.width(); x += 3)
                shown.insert(preview.pixel(x, y));
        EXPECT_EQ(shown, keyed);
    }
}

TEST(ColourByNumber, RegionsAreWideEnoughAndPagesRepeat) {
    // Speckled noise in many colours: no region may stay under the smallest size.
    Bitmap photo(900, 600);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> value(0, 255);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < 3 * photo.width(); ++x)
            photo.scanLine(y)[x] = uchar((x / 3 / 40 + y / 30) % 3 * 100 + value(random) / 4);
    for (const double mm : {3.0, 8.0}) {
        const std::optional<NumberedRegions> regions = numberRegions(photo, {16, mm});
        ASSERT_TRUE(regions);
        const Bitmap preview = colouredPreview(*regions);
        // Each flat piece of the preview, measured as the colourability check measures white.
        const double perMm = pixelsPerMmAtA4(preview.width(), preview.height());
        std::set<QRgb> colours;
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x)
                colours.insert(preview.pixel(x, y));
        for (const QRgb colour : colours) {
            cv::Mat inside(preview.height() + 2, preview.width() + 2, CV_8U, cv::Scalar(0));
            for (int y = 0; y < preview.height(); ++y)
                for (int x = 0; x < preview.width(); ++x)
                    inside.at<uchar>(y + 1, x + 1) = preview.pixel(x, y) == colour;
            cv::Mat parts;
            const int count = cv::connectedComponents(inside, parts, 4);
            cv::Mat depth;
            cv::distanceTransform(inside, depth, cv::DIST_L2, cv::DIST_MASK_PRECISE);
            std::vector<float> deepest(size_t(count), 0.0f);
            for (int y = 0; y < parts.rows; ++y)
                for (int x = 0; x < parts.cols; ++x)
                    deepest[size_t(parts.at<int>(y, x))] =
                        std::max(deepest[size_t(parts.at<int>(y, x))], depth.at<float>(y, x));
            for (int p = 1; p < count; ++p)
                EXPECT_GE(2.0 * deepest[size_t(p)], mm * perMm) << mm;
        }
        const Bitmap again = numberedPage(*numberRegions(photo, {16, mm}));
        EXPECT_EQ(numberedPage(*regions).image(), again.image()) << mm;
    }
}

TEST(ColourByNumber, RefusesColoursOutOfRangeAndPicturesTooSmall) {
    const struct {
        int width;
        int height;
        int colours;
    } cases[] = {{400, 300, 1}, {400, 300, 37}, {400, 300, -5},
                 {12, 12, 16},  {3000, 20, 16}, {0, 0, 16}};
    for (const auto& c : cases)
        EXPECT_THROW(numberRegions(Bitmap(c.width, c.height), {c.colours, 3.0}), EAppError)
            << c.width << "x" << c.height << " " << c.colours;
    EXPECT_NO_THROW(numberRegions(Bitmap(400, 300), {2, 3.0}));
}
