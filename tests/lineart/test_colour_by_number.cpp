// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "colour_by_number.h"
#include "colour_field.h"
#include "colour_palette.h"
#include "colourability.h"
#include "crayon_palette.h"
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

TEST(ColourByNumber, PatternsFinerThanARegionShowTheirMix) {
    const struct {
        const char* what;
        QRgb a;
        QRgb b;
        int period; // pixels of each colour in turn
    } cases[] = {{"black and white, 1 px", qRgb(0, 0, 0), qRgb(255, 255, 255), 1},
                 {"black and white, 2 px", qRgb(0, 0, 0), qRgb(255, 255, 255), 2},
                 {"red and blue, 1 px", qRgb(255, 0, 0), qRgb(0, 0, 255), 1}};
    for (const auto& c : cases) {
        Bitmap photo(640, 480);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x) {
                const QRgb rgb = (x / c.period + y / c.period) % 2 ? c.b : c.a;
                uchar* p = photo.scanLine(y) + 3 * x;
                p[0] = uchar(qBlue(rgb));
                p[1] = uchar(qGreen(rgb));
                p[2] = uchar(qRed(rgb));
            }
        const Bitmap preview = colouredPreview(regionsOf(photo));
        double photoGrey = 0;
        double previewGrey = 0;
        double red = 0;
        double blue = 0;
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x) {
                photoGrey += qGray(photo.pixel(x, y)) / 255.0;
                previewGrey += qGray(preview.pixel(x, y)) / 255.0;
                red += qRed(preview.pixel(x, y));
                blue += qBlue(preview.pixel(x, y));
            }
        const double pixels = double(photo.width()) * photo.height();
        EXPECT_NEAR(previewGrey / pixels, photoGrey / pixels, 0.25) << c.what;
        // Each of the two colours shows in the mix.
        EXPECT_GT(red, 0.25 * blue) << c.what;
        EXPECT_GT(blue, 0.25 * red) << c.what;
    }
}

TEST(ColourByNumber, KeyColoursStandApart) {
    // Published pairs of the CIEDE2000 formula.
    const struct {
        cv::Vec3f a;
        cv::Vec3f b;
        double difference;
    } pairs[] = {{{50, 2.6772f, -79.7751f}, {50, 0, -82.7485f}, 2.0425},
                 {{50, -1.3802f, -84.2814f}, {50, 0, -82.7485f}, 1.0000},
                 {{50, 2.5f, 0}, {73, 25, -18}, 27.1492},
                 {{2.0776f, 0.0795f, -1.135f}, {0.9033f, -0.0636f, -0.5514f}, 0.9082}};
    for (const auto& p : pairs) {
        EXPECT_NEAR(deltaE2000(p.a, p.b), p.difference, 1e-3);
        EXPECT_NEAR(deltaE2000(p.b, p.a), p.difference, 1e-3);
    }
    // Sixteen browns a few steps apart, and a photo-like field of noise.
    std::vector<QColor> browns;
    for (int i = 0; i < 16; ++i)
        browns.emplace_back(60 + 10 * i, 40 + 6 * i, 20 + 4 * i);
    Bitmap noise(900, 600);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> value(0, 60);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < 3 * noise.width(); ++x)
            noise.scanLine(y)[x] = uchar((x / 3 + y) % 255 / 2 + value(random) + (x % 3) * 30);
    for (const Bitmap& photo : {patches(browns, 1600, 600), noise}) {
        const NumberedRegions regions = regionsOf(photo);
        ASSERT_GE(regions.palette.size(), 2u);
        cv::Mat bytes(1, int(regions.palette.size()), CV_8UC3,
                      const_cast<cv::Vec3b*>(regions.palette.data()));
        cv::Mat lab;
        bytes.convertTo(lab, CV_32FC3, 1.0 / 255.0);
        cv::cvtColor(lab, lab, cv::COLOR_BGR2Lab);
        for (int i = 0; i < lab.cols; ++i)
            for (int j = i + 1; j < lab.cols; ++j)
                EXPECT_GE(deltaE2000(lab.at<cv::Vec3f>(i), lab.at<cv::Vec3f>(j)), kDistinctColours)
                    << i << " " << j;
    }
}

namespace {

// Six colours; a picture of three of them uses their places as numbers.
const char* const kSixColours = "GIMP Palette\nName: six\nColumns: 3\n# comment\n"
                                "230 40 40\tpoppy red\n40 160 60\tleaf\n40 60 200\tsea\n"
                                "240 220 60\tsun\n30 30 30\tnight\n250 250 250\tsnow\n";

CrayonPalette sixColours() {
    return parseGimpPalette(kSixColours, QStringLiteral("six.gpl"));
}

} // namespace

TEST(ColourByNumber, PaletteColoursAreNumberedByTheirPlace) {
    const CrayonPalette six = sixColours();
    const auto colour = [&six](int place) {
        const CrayonColour& c = six.colours[size_t(place - 1)];
        return QColor(c.red, c.green, c.blue);
    };
    const struct { std::vector<int> places; } cases[] = {{{2, 4, 6}}, {{4, 5, 1}}};
    for (const auto& c : cases) {
        std::vector<QColor> drawn;
        for (const int place : c.places)
            drawn.push_back(colour(place));
        const std::optional<NumberedRegions> found =
            numberRegions(patches(drawn, 900, 600, 20), {16, 3.0, six});
        ASSERT_TRUE(found);
        const NumberedRegions& regions = *found;
        std::vector<int> sorted = c.places;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(regions.numbers, sorted);
        const Bitmap preview = colouredPreview(regions);
        for (const NumberLabel& label : regions.labels) {
            const QColor shown(preview.pixel(int(label.centre.x), int(label.centre.y)));
            EXPECT_EQ(shown, colour(label.number)) << label.number;
        }
        for (size_t n = 0; n < regions.numbers.size(); ++n)
            EXPECT_EQ(regions.names[n], six.colours[size_t(regions.numbers[n] - 1)].name);
        // At most the asked number of colours, the nearest of them.
        const std::optional<NumberedRegions> two =
            numberRegions(patches(drawn, 900, 600, 20), {2, 3.0, six});
        EXPECT_EQ(two->numbers.size(), 2u) << ::testing::PrintToString(two->numbers);
    }
}

TEST(ColourByNumber, ClosingTinyRegionsLeavesTheFiguresWhole) {
    // Ten colours, so that two-figure numbers and the 0, 6, 8 and 9 with holes appear.
    std::vector<QColor> drawn;
    for (int i = 0; i < 10; ++i)
        drawn.push_back(QColor::fromHsv(i * 36, 200, 120 + 12 * (i % 2)));
    // The same colours as places 10 to 19 of a palette.
    QByteArray palette("GIMP Palette\n");
    for (int i = 1; i < 10; ++i)
        palette += QByteArray::number(i) + " 0 0\n";
    for (const QColor& colour : drawn)
        palette += QByteArray::number(colour.red()) + ' ' + QByteArray::number(colour.green()) +
                   ' ' + QByteArray::number(colour.blue()) + '\n';
    for (const ColourByNumberSettings& settings :
         {ColourByNumberSettings(16, 3.0),
          ColourByNumberSettings(16, 3.0, parseGimpPalette(palette, QStringLiteral("p.gpl")))}) {
        const Bitmap page = numberedPage(*numberRegions(patches(drawn, 1400, 500), settings));
        const ColourabilityCheck check(page, settings.smallestRegionMm);
        EXPECT_EQ(check.tinyRegions(), 0);
        Bitmap closed = page;
        check.closeTinyRegions(closed);
        EXPECT_EQ(closed.image(), page.image());
    }
}

TEST(CrayonPalette, ReadsGimpPalettesAndRefusesBrokenOnes) {
    QByteArray tooMany("GIMP Palette\n");
    for (int i = 0; i < 257; ++i)
        tooMany += "1 2 3 c\n";
    const struct {
        const char* what;
        QByteArray text;
        size_t colours;    // 0: refused
        const char* where; // the refusal's beginning
    } cases[] = {
        {"names, comments, header lines", kSixColours, 6, nullptr},
        {"Windows lines, a name with spaces, none",
         "GIMP Palette\r\n0 0 0 deep  night\r\n255 255 255\r\n", 2, nullptr},
        {"not a GIMP palette", "JASC-PAL\n0 0 0\n1 1 1\n", 0, "p.gpl:1: "},
        {"a malformed row", "GIMP Palette\n0 0 0 a\n# x\n12 13 b\n", 0, "p.gpl:4: "},
        {"a value over 255", "GIMP Palette\n0 0 0 a\n0 256 0 b\n", 0, "p.gpl:3: "},
        {"a negative value", "GIMP Palette\n0 0 0 a\n0 -1 0 b\n", 0, "p.gpl:3: "},
        {"one colour", "GIMP Palette\nName: x\n0 0 0 a\n", 0, "p.gpl:3: "},
        {"257 colours", tooMany, 0, "p.gpl:258: "},
        {"empty", "", 0, "p.gpl:1: "},
    };
    for (const auto& c : cases) {
        try {
            const CrayonPalette palette = parseGimpPalette(c.text, QStringLiteral("p.gpl"));
            EXPECT_EQ(palette.colours.size(), c.colours) << c.what;
            EXPECT_FALSE(c.where) << c.what;
        } catch (const EAppError& error) {
            EXPECT_EQ(c.colours, 0u) << c.what;
            EXPECT_TRUE(c.where && error.message().startsWith(QLatin1String(c.where)))
                << c.what << ": " << error.message().toStdString();
        }
    }
    const CrayonPalette six = sixColours();
    EXPECT_EQ(six.name, QStringLiteral("six"));
    EXPECT_EQ(six.colours[0].name, QStringLiteral("poppy red"));
    EXPECT_EQ(six.colours[5].blue, 250);
    const CrayonPalette named = parseGimpPalette(cases[1].text, QStringLiteral("p.gpl"));
    EXPECT_EQ(named.colours[0].name, QStringLiteral("deep  night"));
    EXPECT_EQ(named.colours[1].name, QStringLiteral("#ffffff"));
    // Built-in sets: a larger box begins with the smaller one; an unknown name lists them.
    const CrayonPalette eight = choosePalette(QStringLiteral("crayons-8"));
    const CrayonPalette all = choosePalette(QStringLiteral("crayons-24"));
    ASSERT_EQ(eight.colours.size(), 8u);
    ASSERT_EQ(all.colours.size(), 24u);
    EXPECT_EQ(all.colours[7].name, eight.colours[7].name);
    try {
        choosePalette(QStringLiteral("pastels"));
        ADD_FAILURE() << "an unknown set is refused";
    } catch (const EAppError& error) {
        for (const QString& name : builtInPaletteNames())
            EXPECT_TRUE(error.message().contains(name)) << error.message().toStdString();
    }
}
