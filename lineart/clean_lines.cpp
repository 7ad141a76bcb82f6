#include "clean_lines.h"

#include "colour_field.h"
#include "colourability.h"
#include "detail_strokes.h"
#include "gap_closing.h"
#include "page_mask.h"
#include "region_merging.h"
#include "thinning.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Scale of the picture: 1 for a picture 1000 pixels on its longer side. Speck sizes follow
// it, so a page and a smaller copy of it give the same drawing.
double pictureUnit(int width, int height) {
    return std::max(width, height) / 1000.0;
}

// The regions are found on a copy of this size on its longer side, whatever the page's: a
// photograph and its enlargement give the same drawing, and a large page costs little more.
constexpr int kWorkingSide = 1024;

double tuning(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text ? std::atof(text) : fallback;
}

RegionRules rulesFor(const cv::Size& working, const cv::Size& page,
                     const CleanLineSettings& settings) {
    const double d = std::clamp(settings.detail, 0, 100) / 100.0;
    RegionRules rules;
    // More detail: weaker borders stay.
    rules.mergeBelow =
        tuning("PT_MERGE", 9.0) * std::exp(tuning("PT_MERGE_SPAN", 1.2) * (1.0 - 2.0 * d));
    rules.largestShare = tuning("PT_LARGEST", 0.2);
    rules.smallestPart = tuning("PT_PART", 0.03);
    rules.seedSpacing = int(tuning("PT_SEEDS", 8));
    rules.texture = tuning("PT_TEXTURE", 1.0);
    // The line drawn on the page eats into the region on both sides, and scaling the borders
    // to the page moves them by up to a pixel of the working copy.
    const double pagePerMm = pixelsPerMmAtA4(page.width, page.height);
    const double workingPerMm = pixelsPerMmAtA4(working.width, working.height);
    const double lineMm = settings.thickness / pagePerMm;
    rules.minimumAcross =
        (std::max(0.0, settings.smallestRegionMm) + lineMm + tuning("PT_MARGIN", 0.5)) *
            workingPerMm +
        1.0;
    return rules;
}

cv::Mat workingCopy(const cv::Mat& colours) {
    const double scale = double(kWorkingSide) / std::max(colours.cols, colours.rows);
    const cv::Size size(std::max(1, int(std::lround(colours.cols * scale))),
                        std::max(1, int(std::lround(colours.rows * scale))));
    cv::Mat working;
    cv::resize(colours, working, size, 0, 0, scale < 1.0 ? cv::INTER_AREA : cv::INTER_CUBIC);
    return working;
}

// The one-pixel borders of the working copy as strokes on the page: softened a little so
// that their steps become slopes, scaled, and cut where the softened line is still dark
// enough to stay joined. Strokes come out a few pixels wide; thinning finds their centres.
cv::Mat bordersOnPage(const cv::Mat& borders, const cv::Size& page) {
    cv::Mat soft;
    borders.convertTo(soft, CV_8U, 255.0);
    cv::GaussianBlur(soft, soft, cv::Size(), 0.8, 0.8, cv::BORDER_REPLICATE);
    cv::Mat scaled;
    cv::resize(soft, scaled, page, 0, 0,
               page.width >= borders.cols ? cv::INTER_LINEAR : cv::INTER_AREA);
    cv::Mat lines;
    cv::threshold(scaled, lines, 40, 1, cv::THRESH_BINARY);
    return lines;
}

// Paper enclosed by strokes narrower than a region may be becomes ink, so thinning leaves a
// line there instead of a tiny loop: where borders meet, where they run side by side closer
// than the strokes are wide, and where scaling the borders down pinched a region's neck.
void fillNarrowPockets(cv::Mat& lines, double narrowerThan) {
    cv::Mat paper;
    cv::copyMakeBorder(lines == 0, paper, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(0));
    cv::Mat labels;
    const int count = cv::connectedComponents(paper, labels, 4, CV_32S);
    cv::Mat distance;
    cv::distanceTransform(paper, distance, cv::DIST_L2, cv::DIST_MASK_3, CV_32F);
    std::vector<float> deepest(size_t(count), 0.0f);
    for (int y = 1; y < paper.rows - 1; ++y) {
        const int* label = labels.ptr<int>(y);
        const float* d = distance.ptr<float>(y);
        for (int x = 1; x < paper.cols - 1; ++x)
            deepest[size_t(label[x])] = std::max(deepest[size_t(label[x])], d[x]);
    }
    for (int y = 0; y < lines.rows; ++y) {
        const int* label = labels.ptr<int>(y + 1) + 1;
        uchar* row = lines.ptr<uchar>(y);
        for (int x = 0; x < lines.cols; ++x)
            if (label[x] > 0 && 2.0 * deepest[size_t(label[x])] - 1.0 < narrowerThan)
                row[x] = 1;
    }
}

// Follows each piece of line (8-connected) from its first pixel and wipes it when its
// bounding box is under size both ways. The lines are thin by now, so the work follows them.
void removeSpecks(cv::Mat& lines, int size) {
    constexpr uchar kSeen = 2;
    std::vector<cv::Point> piece;
    for (int y = 0; y < lines.rows; ++y) {
        const uchar* row = lines.ptr<uchar>(y);
        for (int x = 0; x < lines.cols; ++x) {
            if (row[x] != 1)
                continue;
            piece.assign(1, cv::Point(x, y));
            lines.at<uchar>(y, x) = kSeen;
            cv::Rect box(x, y, 1, 1);
            for (size_t next = 0; next < piece.size(); ++next) {
                const cv::Point at = piece[next];
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const cv::Point n(at.x + dx, at.y + dy);
                        if (n.x < 0 || n.y < 0 || n.x >= lines.cols || n.y >= lines.rows ||
                            lines.at<uchar>(n) != 1)
                            continue;
                        lines.at<uchar>(n) = kSeen;
                        piece.push_back(n);
                        box |= cv::Rect(n, cv::Size(1, 1));
                    }
            }
            const uchar value = std::max(box.width, box.height) >= size ? kSeen : 0;
            for (const cv::Point& at : piece)
                lines.at<uchar>(at) = value;
        }
    }
    // Kept lines back to 1.
    cv::threshold(lines, lines, 0, 1, cv::THRESH_BINARY);
}

// Strokes of a large page are many pixels wide (about twice the blur): their centres are
// found on a copy of half the size, where a pixel is ink if any of the four it covers is, and
// the half-size centre lines, brought back to full size two pixels wide, are thinned again.
// The centre moves by at most a pixel of the page; the thinning's work drops about eightfold.
void thinToCentreLines(cv::Mat& lines, bool wideStrokes) {
    if (wideStrokes) {
        cv::Mat half;
        cv::dilate(lines, half, cv::Mat::ones(2, 2, CV_8U), cv::Point(0, 0));
        cv::resize(half, half, cv::Size((lines.cols + 1) / 2, (lines.rows + 1) / 2), 0, 0,
                   cv::INTER_NEAREST);
        thinStrokes(half);
        cv::resize(half, lines, lines.size(), 0, 0, cv::INTER_NEAREST);
    }
    thinStrokes(lines);
}

void drawAtThickness(cv::Mat& lines, int thickness) {
    if (thickness <= 1)
        return;
    const cv::Mat pen =
        cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(thickness, thickness));
    cv::dilate(lines, lines, pen);
}

} // namespace

CleanLineSettings defaultCleanLineSettings(int width, int height) {
    return {50, std::max(1, int(std::lround(0.6 * pixelsPerMmAtA4(width, height))))};
}

int speckSize(int width, int height) {
    return std::max(2, int(std::lround(12.0 * pictureUnit(width, height))));
}

std::optional<Bitmap> cleanLines(const Bitmap& page, const CleanLineSettings& settings,
                                 const StageProgress& progress) {
    constexpr int stages = 4;
    auto proceed = [&progress](int stage) { return !progress || progress(stage, stages); };
    if (page.isEmpty())
        return Bitmap(0, 0, 1);
    if (!proceed(0))
        return std::nullopt;
    auto t0 = std::chrono::steady_clock::now();
    auto lap = [&t0](const char* what) {
        if (!std::getenv("PT_TIME"))
            return;
        auto t = std::chrono::steady_clock::now();
        std::fprintf(stderr, "%s %.1f ms\n", what,
                     std::chrono::duration<double, std::milli>(t - t0).count());
        t0 = t;
    };
    const cv::Mat working = workingCopy(coloursOf(page));
    lap("working");
    const cv::Mat lab = flattenedLab(working, tuning("PT_REACH", 3.0));
    lap("flatten");
    const cv::Mat strength = colourEdgeStrength(lab, tuning("PT_SIGMA", 1.0));
    lap("strength");
    if (!proceed(1))
        return std::nullopt;
    const cv::Size pageSize(page.width(), page.height());
    cv::Mat labels = segmentRegions(lab, strength, rulesFor(working.size(), pageSize, settings));
    if (!proceed(2))
        return std::nullopt;
    lap("segment");
    smoothRegions(labels, int(tuning("PT_SMOOTH", 3)));
    lap("smooth");
    const RegionRules rules = rulesFor(working.size(), pageSize, settings);
    cv::Mat borders = regionBorders(labels);
    if (tuning("PT_STROKES", 1) > 0) {
        StrokeRules strokeRules;
        const double d = std::clamp(settings.detail, 0, 100) / 100.0;
        strokeRules.depth = tuning("PT_DEPTH", 8.0) * std::exp(1.0 - 2.0 * d);
        strokeRules.shortest = 2.0 * rules.minimumAcross;
        strokeRules.clearance = 0.5 * rules.minimumAcross;
        cv::Mat lightness;
        cv::extractChannel(lab, lightness, 0);
        borders |= detailStrokes(lightness, borders, strokeRules);
        // A stroke that closes on itself must not close a region too narrow to colour.
        fillNarrowPockets(borders, rules.minimumAcross);
    }
    cv::Mat lines = bordersOnPage(borders, pageSize);
    lap("borders");
    // Scaled up, every region stays as wide as it was made; scaled down, a narrow neck of a
    // region can close into a pocket.
    if (double(pageSize.width) < 1.5 * working.cols)
        fillNarrowPockets(lines,
                          settings.smallestRegionMm * pixelsPerMmAtA4(page.width(), page.height()) +
                              settings.thickness);
    lap("pockets");
    thinToCentreLines(lines, pageSize.width >= 4 * working.cols);
    lap("thin");
    removeSpecks(lines, speckSize(page.width(), page.height()));
    lap("specks");
    if (!proceed(3))
        return std::nullopt;
    drawAtThickness(lines, settings.thickness);
    lap("thickness");
    return pageOfInk(lines);
}
