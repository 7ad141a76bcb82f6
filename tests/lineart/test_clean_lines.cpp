// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "centre_lines.h"
#include "clean_lines.h"
#include "clean_lines_preview.h"
#include "colourability.h"
#include "detail_strokes.h"
#include "flow_dog.h"
#include "gap_closing.h"
#include "page_mask.h"

#include <QPainter>

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A rectangle and a disc, filled in colours darker than the paper, on white.
Bitmap shapes() {
    QImage image(400, 300, QImage::Format_BGR888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRect(40, 50, 150, 120), QColor(60, 90, 200));
    painter.setBrush(QColor(200, 40, 40));
    painter.drawEllipse(QPoint(290, 180), 70, 70);
    painter.end();
    return Bitmap::fromImage(image, 24);
}

// Texture everywhere: noise over steps of brightness.
Bitmap textured(int width, int height) {
    Bitmap bitmap(width, height);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-40, 40);
    for (int y = 0; y < height; ++y) {
        uchar* row = bitmap.scanLine(y);
        for (int x = 0; x < 3 * width; ++x)
            row[x] =
                uchar(std::clamp(((x / 3) / 37 + y / 23) % 2 * 90 + 80 + noise(random), 0, 255));
    }
    return bitmap;
}

Bitmap lines(const Bitmap& page, int thickness, int detail = 50) {
    std::optional<Bitmap> result = cleanLines(page, {detail, thickness});
    EXPECT_TRUE(result.has_value());
    return result.value_or(Bitmap());
}

// Number of ink pixels in a row of the page from x0 going right, starting at the first ink.
int inkRun(const Bitmap& page, int x, int y0, int y1) {
    int run = 0;
    for (int y = y0; y < y1; ++y) {
        if (qGray(page.pixel(x, y)) < 128)
            ++run;
        else if (run)
            break;
    }
    return run;
}

TEST(CleanLines, PageIsOneBitBlackAndWhite) {
    for (const Bitmap& page : {lines(shapes(), 3), lines(textured(300, 200), 1)}) {
        EXPECT_EQ(page.depth(), 1);
        EXPECT_EQ(page.colourTable(), (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    }
}

TEST(CleanLines, FilledShapesGiveTheirClosedOutlinesOnly) {
    const Bitmap page = lines(shapes(), 1);
    // Outside, inside the rectangle, inside the disc: closed outlines make three regions.
    const ColourabilityCheck check(page, 0.0);
    EXPECT_EQ(check.regions(), 3);
    // Every line lies on a shape's edge.
    const cv::Mat ink = inkOf(page);
    for (int y = 0; y < ink.rows; ++y)
        for (int x = 0; x < ink.cols; ++x) {
            if (!ink.at<uchar>(y, x))
                continue;
            const bool nearRectangle = (std::abs(x - 40) <= 4 || std::abs(x - 190) <= 4 ||
                                        std::abs(y - 50) <= 4 || std::abs(y - 170) <= 4) &&
                                       x >= 35 && x <= 195 && y >= 45 && y <= 175;
            const double r = std::hypot(x - 290, y - 180);
            ASSERT_TRUE(nearRectangle || std::abs(r - 70) <= 4) << x << "," << y;
        }
}

TEST(CleanLines, NoPieceUnderTheSpeckSizeSurvives) {
    for (const int thickness : {1, 4}) {
        const Bitmap page = lines(textured(600, 400), thickness, 100);
        const cv::Mat ink = inkOf(page);
        cv::Mat labels, stats, centroids;
        const int count = cv::connectedComponentsWithStats(ink, labels, stats, centroids, 8);
        EXPECT_GT(count, 1) << "the texture's steps give lines";
        for (int label = 1; label < count; ++label)
            EXPECT_GE(std::max(stats.at<int>(label, cv::CC_STAT_WIDTH),
                               stats.at<int>(label, cv::CC_STAT_HEIGHT)),
                      speckSize(600, 400));
    }
}

TEST(CleanLines, LinesHaveTheChosenThickness) {
    for (const int thickness : {1, 2, 3, 5}) {
        const Bitmap page = lines(shapes(), thickness);
        // Across the rectangle's top and bottom edges and across its left side.
        EXPECT_EQ(inkRun(page, 115, 30, 110), thickness);
        EXPECT_EQ(inkRun(page, 115, 110, 190), thickness);
        int run = 0;
        for (int x = 20; x < 115; ++x)
            run += qGray(page.pixel(x, 110)) < 128;
        EXPECT_EQ(run, thickness);
    }
}

TEST(CleanLines, SameInputAndSettingsGiveTheSameBytes) {
    const Bitmap picture = textured(640, 480);
    const Bitmap first = lines(picture, 3, 70);
    const Bitmap second = lines(picture, 3, 70);
    ASSERT_EQ(first.image().sizeInBytes(), second.image().sizeInBytes());
    EXPECT_EQ(0, std::memcmp(first.image().constBits(), second.image().constBits(),
                             size_t(first.image().sizeInBytes())));
}

// White regions (meeting through sides) of a one-pixel drawing on a 60 x 60 page.
int paperRegions(const cv::Mat& lines) {
    cv::Mat paper = lines == 0;
    cv::Mat labels;
    return cv::connectedComponents(paper, labels, 4) - 1;
}

TEST(GapClosing, JoinsEndsToOtherLinesWithinReachOnly) {
    const struct {
        int gap; // in the square's outline: its ends are gap + 1 apart
        int reach;
        int regions; // after closing
    } cases[] = {{3, 5, 2}, {4, 5, 2}, {5, 5, 1}, {8, 5, 1}, {1, 2, 2}, {1, 1, 1}};
    for (const auto& c : cases) {
        cv::Mat lines = cv::Mat::zeros(60, 60, CV_8U);
        cv::rectangle(lines, cv::Rect(10, 10, 40, 40), cv::Scalar(1));
        lines(cv::Rect(28, 10, c.gap, 1)).setTo(0);
        ASSERT_EQ(paperRegions(lines), 1);
        closeGaps(lines, c.reach);
        EXPECT_EQ(paperRegions(lines), c.regions) << c.gap << " " << c.reach;
    }
    // A narrow bay, its two sides joined within reach, stays open.
    cv::Mat bay = cv::Mat::zeros(60, 60, CV_8U);
    cv::line(bay, {20, 20}, {20, 30}, cv::Scalar(1));
    cv::line(bay, {20, 30}, {23, 30}, cv::Scalar(1));
    cv::line(bay, {23, 30}, {23, 20}, cv::Scalar(1));
    const cv::Mat before = bay.clone();
    closeGaps(bay, 10);
    EXPECT_EQ(cv::countNonZero(bay != before), 0);
}

// A slanted faint line whose contrast drops under the threshold every few pixels, on a
// ground with or without directionless noise: averaged along the line, it stays one stroke
// where a plain difference of Gaussians would break it into dashes, and the noise stays out.
TEST(FlowDarkness, FollowsFaintLinesAndNotTexture) {
    for (const int noise : {0, 3}) {
        cv::Mat lightness(120, 240, CV_32F, cv::Scalar(70.0f));
        std::mt19937 random(7);
        std::uniform_real_distribution<float> grain(-float(noise), float(noise));
        for (int y = 0; y < lightness.rows; ++y)
            for (int x = 0; x < lightness.cols; ++x)
                lightness.at<float>(y, x) += grain(random);
        // From (20, 40) to (220, 80), three pixels wide; dark 12 for nine pixels, 6 for three.
        for (int x = 20; x < 220; x += 12)
            for (const auto& [from, to, depth] : {std::tuple{0, 9, 12.0}, {9, 12, 6.0}})
                cv::line(lightness, {x + from, 40 + (x + from - 20) / 5},
                         {x + to, 40 + (x + to - 20) / 5}, cv::Scalar(70.0 - depth), 3);
        const cv::Mat dark = flowDarkness(lineFlow(lightness, {1.0, 3.0, 3.0}), 0.75f);
        cv::Mat labels;
        cv::Mat stats;
        cv::Mat centres;
        const int pieces = cv::connectedComponentsWithStats(dark, labels, stats, centres, 8);
        int along = 0;
        for (int piece = 1; piece < pieces; ++piece)
            along = std::max(along, stats.at<int>(piece, cv::CC_STAT_WIDTH));
        EXPECT_GE(along, 180) << "noise " << noise;
        // Off the line, nothing.
        cv::Mat off = dark.clone();
        cv::line(off, {20, 40}, {220, 80}, cv::Scalar(0), 7);
        EXPECT_LT(cv::countNonZero(off), 40) << "noise " << noise;
    }
}

// Six equally dark strokes, three beside a border and three alone in the open: kept up to
// the most allowed, those alone first.
TEST(DetailStrokes, KeepTheMostAllowedThoseAloneFirst) {
    cv::Mat lightness(200, 400, CV_32F, cv::Scalar(80.0f));
    cv::Mat borders = cv::Mat::zeros(lightness.size(), CV_8U);
    cv::line(borders, {0, 40}, {399, 40}, cv::Scalar(1));
    for (int i = 0; i < 3; ++i) {
        cv::line(lightness, {40 + 120 * i, 52}, {100 + 120 * i, 52}, cv::Scalar(60.0f), 2);
        cv::line(lightness, {40 + 120 * i, 150}, {100 + 120 * i, 150}, cv::Scalar(60.0f), 2);
    }
    StrokeRules rules;
    rules.depth = 2.0;
    rules.shortest = 30.0;
    rules.clearance = 6.0;
    const LineFlow flow = lineFlow(lightness, {1.0, 3.0, 3.0});
    for (const auto& [most, nearBorder, alone] :
         {std::tuple{6, 3, 3}, {3, 0, 3}, {2, 0, 2}, {0, 0, 0}}) {
        rules.most = most;
        const cv::Mat strokes = detailStrokes(flow, borders, rules);
        cv::Mat labels;
        const int near = cv::connectedComponents(strokes(cv::Rect(0, 0, 400, 100)), labels, 8) - 1;
        const int open =
            cv::connectedComponents(strokes(cv::Rect(0, 100, 400, 100)), labels, 8) - 1;
        EXPECT_EQ(near, nearBorder) << "most " << most;
        EXPECT_EQ(open, alone) << "most " << most;
    }
}

// A dark cross alone on a flat ground, as an eye's lid, crease and lower lid thin into: wider
// than tall it is drawn as its upper edge, one line without a fork across its whole width;
// taller than wide it stays as it is.
TEST(DetailStrokes, AWideCrossIsDrawnAsItsUpperEdge) {
    const struct {
        const char* name;
        cv::Size cross;
        bool forked;
    } cases[] = {{"wide", {60, 20}, false}, {"tall", {20, 60}, true}};
    for (const auto& c : cases) {
        cv::Mat lightness(200, 200, CV_32F, cv::Scalar(80.0f));
        const cv::Point centre(100, 100);
        const cv::Point half(c.cross.width / 2, c.cross.height / 2);
        cv::line(lightness, centre - half, centre + half, cv::Scalar(50.0f), 2);
        cv::line(lightness, centre + cv::Point(-half.x, half.y),
                 centre + cv::Point(half.x, -half.y), cv::Scalar(50.0f), 2);
        StrokeRules rules;
        rules.depth = 2.0;
        rules.shortest = 10.0;
        rules.clearance = 6.0;
        const cv::Mat strokes = detailStrokes(lineFlow(lightness, {1.0, 3.0, 3.0}),
                                              cv::Mat::zeros(lightness.size(), CV_8U), rules);
        const cv::Rect drawn = cv::boundingRect(strokes);
        EXPECT_GE(drawn.width, c.cross.width - 6) << c.name;
        int forks = 0;
        for (int y = 1; y < strokes.rows - 1; ++y)
            for (int x = 1; x < strokes.cols - 1; ++x) {
                if (!strokes.at<uchar>(y, x))
                    continue;
                const int ring[8] = {strokes.at<uchar>(y - 1, x - 1), strokes.at<uchar>(y - 1, x),
                                     strokes.at<uchar>(y - 1, x + 1), strokes.at<uchar>(y, x + 1),
                                     strokes.at<uchar>(y + 1, x + 1), strokes.at<uchar>(y + 1, x),
                                     strokes.at<uchar>(y + 1, x - 1), strokes.at<uchar>(y, x - 1)};
                int entries = 0;
                for (int k = 0; k < 8; ++k)
                    entries += !ring[k] && ring[(k + 1) % 8];
                forks += entries >= 3 ? 1 : 0;
            }
        EXPECT_EQ(forks > 0, c.forked) << c.name;
    }
}

TEST(CleanLines, AbandonedBetweenStagesGivesNothing) {
    int told = 0;
    const auto result = cleanLines(shapes(), {}, [&told](int stage, int stages) {
        EXPECT_EQ(stages, 4);
        ++told;
        return stage < 2;
    });
    EXPECT_FALSE(result.has_value());
    EXPECT_EQ(told, 3);
}

TEST(CleanLinesPreview, ChecksTheLinesAtTheWidthTheyWereDrawnFor) {
    // A page 4 pixels to the millimetre on A4 with a bar 12 pixels (3 mm) high: lines
    // allowed to close regions 1 mm across keep it, and it is no tiny region for a colourer
    // of that width (against 3 mm it would be).
    QImage image(1188, 840, QImage::Format_BGR888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(QRect(200, 200, 600, 300), QColor(60, 90, 200));
    painter.fillRect(QRect(200, 600, 600, 12), QColor(200, 40, 40));
    painter.end();
    const Bitmap page = Bitmap::fromImage(image, 24);
    const CleanLineSettings settings{50, 1, 1.0};
    const CleanLinesPreviewer previewer(page, 1188);
    const CleanLinesPreview kept = *previewer.preview(settings, false);
    const CleanLinesPreview closed = *previewer.preview(settings, true);
    EXPECT_EQ(kept.regions, 3);
    EXPECT_EQ(kept.tinyRegions, 0);
    EXPECT_EQ(closed.regions, kept.regions);
    EXPECT_EQ(closed.inkShare, kept.inkShare);

    // A page larger than the preview is shrunk to it, keeping its shape.
    double scale = 0;
    const Bitmap shrunk = shrinkForPreview(page, 594, scale);
    EXPECT_DOUBLE_EQ(scale, 0.5);
    EXPECT_EQ(shrunk.image().size(), QSize(594, 420));
}

// Drawn scenes whose regions are known: points that must lie in different regions of the
// page, at each smallest region size.
struct Scene {
    const char* name;
    std::function<QImage()> draw;
    std::vector<QPoint> apart;
    int mostRegions; // no crumbs: at most this many regions at 3 mm
};

QImage canvas(QColor background) {
    QImage image(800, 600, QImage::Format_BGR888);
    image.fill(background);
    return image;
}

const std::vector<Scene>& scenes() {
    static const std::vector<Scene> all{
        {"face",
         [] {
             QImage image = canvas(QColor(200, 220, 240));
             QPainter painter(&image);
             painter.setPen(Qt::NoPen);
             painter.setBrush(QColor(230, 190, 160));
             painter.drawEllipse(QPoint(400, 300), 200, 220);
             painter.setBrush(QColor(40, 30, 30));
             painter.drawEllipse(QPoint(330, 250), 28, 28);
             painter.drawEllipse(QPoint(470, 250), 28, 28);
             painter.setBrush(QColor(190, 40, 50));
             painter.drawEllipse(QPoint(400, 390), 60, 24);
             return image;
         },
         {{20, 20}, {400, 170}, {330, 250}, {470, 250}, {400, 390}},
         12},
        {"textured fill",
         [] {
             QImage image = canvas(Qt::white);
             std::mt19937 random(3);
             std::uniform_int_distribution<int> noise(-45, 45);
             for (int y = 150; y < 450; ++y)
                 for (int x = 200; x < 600; ++x) {
                     const int g = 110 + noise(random);
                     image.setPixelColor(x, y, QColor(g / 2, g, g / 2));
                 }
             return image;
         },
         {{20, 20}, {400, 300}},
         8},
        {"soft-edged disc",
         [] {
             cv::Mat picture(600, 800, CV_8UC3, cv::Scalar(235, 235, 235));
             cv::circle(picture, {400, 300}, 150, cv::Scalar(200, 120, 120), cv::FILLED);
             cv::GaussianBlur(picture, picture, cv::Size(), 12);
             QImage image(picture.data, picture.cols, picture.rows, int(picture.step),
                          QImage::Format_BGR888);
             return image.copy();
         },
         {{20, 20}, {400, 300}},
         6},
        {"parallel bars",
         [] {
             QImage image = canvas(Qt::white);
             QPainter painter(&image);
             painter.fillRect(QRect(200, 280, 400, 5), QColor(20, 20, 20));
             painter.fillRect(QRect(200, 290, 400, 5), QColor(20, 20, 20));
             painter.fillRect(QRect(300, 100, 200, 120), QColor(40, 140, 60));
             return image;
         },
         {{20, 20}, {400, 160}},
         6},
        {"two fields meeting the picture's edges",
         [] {
             QImage image = canvas(QColor(120, 170, 230));
             QPainter painter(&image);
             painter.setPen(Qt::NoPen);
             painter.setBrush(QColor(70, 150, 60));
             painter.drawPolygon(QPolygon({{300, 0}, {800, 0}, {800, 600}, {500, 600}}));
             return image;
         },
         {{5, 300}, {795, 300}},
         4},
    };
    return all;
}

// The white region (4-connected) of each pixel of the page.
cv::Mat paperLabels(const Bitmap& page) {
    cv::Mat labels;
    cv::connectedComponents(inkOf(page) == 0, labels, 4, CV_32S);
    return labels;
}

TEST(CleanLines, DrawnScenesCloseTheirRegionsAndLeaveNoneTooNarrow) {
    // Three times larger, the page is drawn from the traced centre lines of its regions.
    for (const int enlarged : {1, 3})
        for (const Scene& scene : scenes()) {
            const QImage drawn = scene.draw();
            const Bitmap picture =
                Bitmap::fromImage(drawn.scaled(drawn.size() * enlarged, Qt::IgnoreAspectRatio,
                                               Qt::SmoothTransformation),
                                  24);
            for (const double smallest : {3.0, 8.0}) {
                if (enlarged > 1 && smallest > 3.0)
                    continue;
                SCOPED_TRACE(std::string(scene.name) + " at " + std::to_string(smallest) + " mm, " +
                             std::to_string(enlarged) + "x");
                CleanLineSettings settings =
                    defaultCleanLineSettings(picture.width(), picture.height());
                settings.smallestRegionMm = smallest;
                const Bitmap page = *cleanLines(picture, settings);
                const ColourabilityCheck check(page, smallest);
                EXPECT_EQ(check.tinyRegions(), 0);
                if (smallest == 3.0 && enlarged == 1) {
                    EXPECT_LE(check.regions(), scene.mostRegions);
                }
                const cv::Mat labels = paperLabels(page);
                for (size_t i = 0; i < scene.apart.size(); ++i)
                    for (size_t j = i + 1; j < scene.apart.size(); ++j) {
                        const QPoint p = scene.apart[i] * enlarged;
                        const QPoint q = scene.apart[j] * enlarged;
                        const int a = labels.at<int>(p.y(), p.x());
                        EXPECT_TRUE(a > 0 && a != labels.at<int>(q.y(), q.x()))
                            << p.x() << "," << p.y() << " and " << q.x() << "," << q.y();
                    }
            }
        }
}

// The share of the ink in strokes more than twice the pen's width: under discs wider than
// that which lie wholly in ink.
double blobShare(const Bitmap& page, int thickness) {
    const cv::Mat ink = inkOf(page);
    cv::Mat distance;
    cv::distanceTransform(ink, distance, cv::DIST_L2, cv::DIST_MASK_5);
    const int reach = thickness + 1;
    cv::Mat blob;
    cv::dilate(
        distance > thickness + 0.5, blob,
        cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * reach + 1, 2 * reach + 1)));
    return double(cv::countNonZero(blob & ink)) / std::max(1, cv::countNonZero(ink));
}

// Light blades fanning out from a corner, on a dark ground: near the corner each blade is
// narrower than a region can be, and the lines either side of it run together.
Bitmap fan(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(140, 60, 40));
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 220, 200));
    const QPointF corner(0.07 * width, 0.9 * height);
    for (int k = 0; k < 12; ++k) {
        const double a = qDegreesToRadians(5.0 + 7.0 * k);
        const double b = a + qDegreesToRadians(2.5);
        const double reach = 0.9 * width;
        painter.drawPolygon(QPolygonF({corner, corner + reach * QPointF(std::cos(a), -std::sin(a)),
                                       corner + reach * QPointF(std::cos(b), -std::sin(b))}));
    }
    painter.end();
    return Bitmap::fromImage(image, 24);
}

TEST(CleanLines, TextureGivesLinesNotSolidInkAtEveryPageSize) {
    // The copy the regions are found on is at most 1024 pixels long: the page is that size,
    // half as large again, twice or more.
    const struct {
        std::function<Bitmap(int, int)> picture;
        cv::Size size;
    } cases[] = {
        {textured, {800, 600}}, {textured, {1600, 1200}}, {textured, {2400, 1800}},
        {fan, {1536, 1024}},    {fan, {2400, 1600}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size.width) + " pixels");
        const Bitmap picture = c.picture(c.size.width, c.size.height);
        const CleanLineSettings settings = defaultCleanLineSettings(c.size.width, c.size.height);
        EXPECT_LE(blobShare(*cleanLines(picture, settings), settings.thickness), 0.02);
    }
}

TEST(CleanLines, LinesCloserThanTheSmallestRegionBecomeOne) {
    // Two dark bars 5 pixels apart: one outline goes round the pair, none between them.
    const Bitmap page = lines(Bitmap::fromImage(scenes()[3].draw(), 24), 1);
    int runs = 0;
    bool inInk = false;
    for (int y = 240; y < 340; ++y) {
        const bool ink = qGray(page.pixel(400, y)) < 128;
        runs += ink && !inInk;
        inInk = ink;
    }
    EXPECT_GE(runs, 1);
    EXPECT_LE(runs, 2);
}

TEST(CleanLines, ABandIsARegionAtEveryPageSizeOrAtNone) {
    // A band across a field, as wide in millimetres of the page at every size: three times
    // larger, the page is drawn from the traced centre lines, where the pen is widened before
    // narrow regions are filled, and a band must not need that width more to stay.
    const struct {
        double bandMm;
        bool isRegion;
    } rows[] = {{5.2, true}, {3.5, false}};
    for (const auto& row : rows)
        for (const int enlarged : {1, 3}) {
            SCOPED_TRACE(std::to_string(row.bandMm) + " mm at " + std::to_string(enlarged) + "x");
            QImage image = canvas(QColor(200, 220, 240));
            const double pixelsPerMm = enlarged * image.width() / 297.0;
            image = image.scaled(image.size() * enlarged);
            const int band = int(std::lround(row.bandMm * pixelsPerMm));
            const int top = image.height() / 2 - band / 2;
            QPainter(&image).fillRect(QRect(0, top, image.width(), band), QColor(70, 150, 60));
            const Bitmap picture = Bitmap::fromImage(image, 24);
            const Bitmap page =
                *cleanLines(picture, defaultCleanLineSettings(picture.width(), picture.height()));
            const cv::Mat labels = paperLabels(page);
            const int x = image.width() / 2;
            const int middle = labels.at<int>(top + band / 2, x);
            const bool apart = middle > 0 && middle != labels.at<int>(top - band, x) &&
                               middle != labels.at<int>(top + 2 * band, x);
            EXPECT_EQ(apart, row.isRegion);
        }
}

// Thinned drawings, the lines traced from them, and those lines drawn back at the same size
// one pixel wide: the drawing again, less the inner corners of its steps.
TEST(CentreLines, TracedAndDrawnBack) {
    struct Case {
        const char* name;
        std::vector<const char*> rows;
        std::vector<const char*> drawnBack; // empty: the rows themselves
        int lines;                          // -1: any number
        int closed;
        double spursUnder = 0.0; // pruned before drawing back
    };
    const std::vector<Case> cases{
        {"a lone pixel", {".....", "..#..", "....."}, {}, 1, 0},
        {"a straight line", {"......", ".####.", "......"}, {}, 1, 0},
        {"a slanting staircase",
         {"##....", ".##...", "..##..", "...##."},
         {"#.....", ".#....", "..#...", "...##."},
         1,
         0},
        {"a loop", {".###.", "#...#", "#...#", ".###."}, {}, 1, 1},
        {"a T", {"#####", "..#..", "..#..", "..#.."}, {}, -1, 0},
        // Only the pixel where it met the line is left of it.
        {"a spur off a line",
         {"..................", ".################.", ".........#........", ".........#........",
          ".................."},
         {"..................", ".################.", ".........#........", "..................",
          ".................."},
         -1,
         0,
         3.0},
        {"a short line to the picture's edge stays",
         {"..................", ".################.", ".........#........", ".........#........"},
         {},
         -1,
         0,
         3.0},
        {"a short line alone stays", {"......", ".##...", "......"}, {}, 1, 0, 3.0},
    };
    auto matOf = [](const std::vector<const char*>& rows) {
        cv::Mat ink(int(rows.size()), int(std::string(rows[0]).size()), CV_8U);
        for (int y = 0; y < ink.rows; ++y)
            for (int x = 0; x < ink.cols; ++x)
                ink.at<uchar>(y, x) = rows[size_t(y)][x] == '#';
        return ink;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cv::Mat ink = matOf(c.rows);
        std::vector<CentreLine> traced = traceCentreLines(ink);
        if (c.spursUnder > 0.0)
            pruneSpurs(traced, c.spursUnder, ink.size());
        if (c.lines >= 0) {
            EXPECT_EQ(int(traced.size()), c.lines);
        }
        int closed = 0;
        for (const CentreLine& line : traced)
            closed += line.closed;
        EXPECT_EQ(closed, c.closed);
        cv::Mat back = cv::Mat::zeros(ink.size(), CV_8U);
        drawCentreLines(back, traced, ink.size());
        const cv::Mat expected = c.drawnBack.empty() ? ink : matOf(c.drawnBack);
        EXPECT_EQ(cv::countNonZero(back != expected), 0);
    }
}

// For a book, a disc's outline is one closed centre line on the disc's edge, at the page's
// scale, to be stroked at the chosen thickness.
TEST(CleanLines, DrawingIsTheCentreLinesOnThePage) {
    for (const int side : {800, 2400}) {
        SCOPED_TRACE(side);
        QImage image(side, side * 3 / 4, QImage::Format_BGR888);
        image.fill(QColor(235, 235, 235));
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(200, 60, 60));
        const double radius = side / 4.0;
        const QPointF centre(side / 2.0, side * 3 / 8.0);
        painter.drawEllipse(centre, radius, radius);
        painter.end();
        CleanLineSettings settings = defaultCleanLineSettings(image.width(), image.height());
        const PageDrawing drawing =
            CleanLinesSource(Bitmap::fromImage(image, 24)).drawing(settings);
        EXPECT_EQ(drawing.size, image.size());
        EXPECT_EQ(drawing.strokeWidth, settings.thickness);
        ASSERT_EQ(drawing.strokes.size(), 1);
        EXPECT_TRUE(drawing.strokes[0].closed);
        for (const QPointF& p : drawing.strokes[0].points)
            EXPECT_NEAR(std::hypot(p.x() - centre.x(), p.y() - centre.y()), radius, side / 200.0);
    }
}

} // namespace
