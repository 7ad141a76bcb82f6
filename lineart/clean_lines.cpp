// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clean_lines.h"

#include "centre_lines.h"
#include "colour_field.h"
#include "colourability.h"
#include "detail_strokes.h"
#include "page_mask.h"
#include "region_merging.h"
#include "thinning.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

// Scale of the picture: 1 for a picture 1000 pixels on its longer side. Speck sizes follow
// it, so a page and a smaller copy of it give the same drawing.
double pictureUnit(int width, int height) {
    return std::max(width, height) / 1000.0;
}

RegionRules rulesFor(const cv::Size& working, const cv::Size& page,
                     const CleanLineSettings& settings) {
    const double d = std::clamp(settings.detail, 0, 100) / 100.0;
    RegionRules rules;
    // More detail: weaker borders stay (from about three times the middle's cost at 0 to a
    // third of it at 100).
    rules.mergeBelow = 7.5 * std::exp(1.2 * (1.0 - 2.0 * d));
    // A quarter of the picture at most: a larger share of sky or wall is cut where it holds
    // together most weakly; a smaller one would cut along shading bands.
    rules.largestShare = 0.25;
    rules.smallestPart = 0.03;
    rules.seedSpacing = 8;
    // Borders are judged mostly as they are: only a quarter of the texture around them
    // counts against them, which keeps outlines through fur and foliage.
    rules.texture = 0.25;
    // Borders owe more to how sharply the photo changes than to how different their sides
    // are: a soft shading band across a cheek or a sky, however different its sides, is no
    // line a child would draw (lines near the photo's edges went from 84 to 87 in a hundred
    // on 44 pages of 22 photos).
    rules.strengthWeight = 0.7;
    // The line drawn on the page eats into the region on both sides, and scaling the borders
    // to the page moves them by up to half a millimetre.
    const double pagePerMm = pixelsPerMmAtA4(page.width, page.height);
    const double workingPerMm = pixelsPerMmAtA4(working.width, working.height);
    const double lineMm = settings.thickness / pagePerMm;
    // Under middle detail the regions also grow, up to twice the smallest size at 0.
    const double coarser = 1.0 + std::max(0.0, 1.0 - 2.0 * d);
    rules.minimumAcross =
        (coarser * std::max(0.0, settings.smallestRegionMm) + lineMm + 0.5) * workingPerMm + 1.0;
    return rules;
}

// A subject's regions and strokes are found as at this higher detail, so its eyes, ears and
// markings stay where the same page without a box would merge them away.
int subjectDetail(int detail) {
    return std::min(100, detail + 30);
}

StrokeRules strokeRulesFor(const RegionRules& rules, int detail) {
    const double d = std::clamp(detail, 0, 100) / 100.0;
    StrokeRules strokes;
    // More detail: fainter lines count; at the middle, faint enough for a face's features.
    strokes.depth = 2.5 * std::exp(1.0 - 2.0 * d);
    strokes.shortest = 0.8 * rules.minimumAcross;
    // Twenty strokes at the middle, from three at 0 to about 150 at 100.
    strokes.most = int(std::lround(20.0 * std::exp(2.0 * (2.0 * d - 1.0))));
    strokes.clearance = 0.5 * rules.minimumAcross;
    return strokes;
}

// The one-pixel borders of the working copy as strokes on the page, a few pixels wide;
// thinning finds their centres. Scaled up, they are softened a little so that their steps
// become slopes and cut where still dark enough to stay joined. Scaled down, each is first
// widened to at least a page pixel, so that no line falls between two pixels of the page.
cv::Mat bordersOnPage(const cv::Mat& borders, const cv::Size& page) {
    cv::Mat soft;
    borders.convertTo(soft, CV_8U, 255.0);
    cv::Mat scaled;
    int cut = 40;
    if (page.width >= borders.cols) {
        cv::GaussianBlur(soft, soft, cv::Size(), 0.8, 0.8, cv::BORDER_REPLICATE);
        cv::resize(soft, scaled, page, 0, 0, cv::INTER_LINEAR);
    } else {
        const int widen = int(std::ceil(double(borders.cols) / page.width)) + 1;
        cv::dilate(soft, soft, cv::Mat::ones(widen, widen, CV_8U));
        cv::resize(soft, scaled, page, 0, 0, cv::INTER_AREA);
        cut = 100;
    }
    cv::threshold(scaled, scaled, cut, 1, cv::THRESH_BINARY);
    return scaled;
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

// The same on a large page, measured on a copy `factor` times smaller where a pixel is paper
// only where all those it covers are: a fraction of the memory and work, widths short by at
// most 2 * (factor - 1) pixels of the page. The pockets found are brought back a pixel of
// the copy wider, so that the paper the copy lost beside the lines goes with them. Returns
// the bounds, on the page, of each pocket filled.
std::vector<cv::Rect> fillNarrowPocketsOfLargePage(cv::Mat& lines, double narrowerThan,
                                                   int factor) {
    // A strip fewer than factor pixels across has no copy to measure on, and is small
    // enough to measure whole.
    if (lines.rows < factor || lines.cols < factor) {
        fillNarrowPockets(lines, narrowerThan);
        return {};
    }
    // Paper the copy cannot see (a pinhole where strokes meet, nowhere a whole block of the
    // copy wide) is filled on the page itself: wherever a square 2 * factor - 1 wide fits in
    // the paper, a block of the copy does.
    cv::morphologyEx(lines, lines, cv::MORPH_CLOSE,
                     cv::Mat::ones(2 * factor - 1, 2 * factor - 1, CV_8U));
    cv::Mat small = cv::Mat::zeros(lines.rows / factor, lines.cols / factor, CV_8U);
    for (int y = 0; y < factor * small.rows; ++y) {
        const uchar* row = lines.ptr<uchar>(y);
        uchar* out = small.ptr<uchar>(y / factor);
        for (int x = 0; x < small.cols; ++x, row += factor)
            for (int k = 0; k < factor; ++k)
                out[x] |= row[k];
    }
    const cv::Mat before = small.clone();
    fillNarrowPockets(small, narrowerThan / factor + 1.0);
    cv::Mat filled = small != before;
    if (cv::countNonZero(filled) == 0)
        return {};
    cv::dilate(filled, filled, cv::Mat::ones(3, 3, CV_8U));
    for (int y = 0; y < factor * filled.rows; ++y) {
        const uchar* from = filled.ptr<uchar>(y / factor);
        uchar* row = lines.ptr<uchar>(y);
        for (int x = 0; x < filled.cols; ++x)
            if (from[x])
                std::fill_n(row + factor * x, factor, uchar(1));
    }
    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centres;
    const int count = cv::connectedComponentsWithStats(filled, labels, stats, centres, 8, CV_32S);
    std::vector<cv::Rect> pockets;
    for (int i = 1; i < count; ++i)
        pockets.emplace_back(factor * stats.at<int>(i, cv::CC_STAT_LEFT),
                             factor * stats.at<int>(i, cv::CC_STAT_TOP),
                             factor * stats.at<int>(i, cv::CC_STAT_WIDTH),
                             factor * stats.at<int>(i, cv::CC_STAT_HEIGHT));
    return pockets;
}

// How much smaller the copy a large page's pockets are found on is: a page many times the
// working copy's size has pockets many of its pixels wide.
int pocketFactor(const cv::Size& page, const cv::Size& working) {
    return page.width >= 4 * working.width ? 4 : 2;
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

void drawAtThickness(cv::Mat& lines, int thickness) {
    if (thickness <= 1)
        return;
    const cv::Mat pen =
        cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(thickness, thickness));
    cv::dilate(lines, lines, pen);
}

// A pocket filled between two lines that ran together leaves a wedge of ink as wide as the
// pocket was: within pockets' bounds, ink wider than the pen is drawn again as its centre line
// at the pen's width, so that the two lines become one. The paper this gives back joins the
// regions either side; paper it would leave closed off and too narrow to colour (inside a
// filled ring) is ink again.
void redrawWedges(cv::Mat& lines, const std::vector<cv::Rect>& pockets, int thickness,
                  double narrowerThan) {
    const double halfPen = 0.5 * thickness + 1.0;
    const int radius = int(std::ceil(halfPen));
    const cv::Mat disc =
        cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * radius + 1, 2 * radius + 1));
    const int margin = 2 * radius + int(std::ceil(narrowerThan));
    for (const cv::Rect& pocket : pockets) {
        const cv::Rect around = cv::Rect(pocket.x - margin, pocket.y - margin,
                                         pocket.width + 2 * margin, pocket.height + 2 * margin) &
                                cv::Rect(cv::Point(0, 0), lines.size());
        cv::Mat ink = lines(around);
        cv::Mat depth;
        cv::distanceTransform(ink, depth, cv::DIST_L2, cv::DIST_MASK_5, CV_32F);
        cv::Mat wide = depth > halfPen;
        // Only the wedge the pocket left, not a wide stroke elsewhere in the bounds.
        cv::Mat inPocket = cv::Mat::zeros(ink.size(), CV_8U);
        inPocket((pocket - around.tl()) & cv::Rect(cv::Point(0, 0), ink.size())).setTo(1);
        wide &= inPocket;
        if (cv::countNonZero(wide) == 0)
            continue;
        cv::Mat wedge;
        cv::dilate(wide, wedge, disc);
        wedge &= ink;
        cv::Mat centre = ink.clone();
        thinStrokes(centre);
        drawAtThickness(centre, thickness);
        cv::Mat redrawn = ink.clone();
        redrawn.setTo(0, wedge);
        redrawn |= centre & wedge;
        // Paper in the bounds that reaches their edge goes on beyond them: only what it
        // closes off is measured.
        cv::Mat closed = redrawn.clone();
        cv::rectangle(closed, cv::Rect(cv::Point(0, 0), closed.size()), cv::Scalar(0), 1);
        cv::Mat paper = closed == 0;
        cv::floodFill(paper, cv::Point(0, 0), cv::Scalar(0));
        cv::Mat narrow = redrawn.clone();
        fillNarrowPockets(narrow, narrowerThan);
        redrawn |= narrow & paper;
        redrawn.copyTo(ink);
    }
}

// How far, in pixels of the copy, the strokes are widened for a pen thickness pixels wide on
// a page scale times the copy's size.
int widening(int thickness, double scale) {
    return int(std::ceil(0.5 * thickness / std::max(1.0, scale)));
}

bool noPaper(const cv::Mat& lines) {
    return cv::countNonZero(lines) == int(lines.total());
}

// One colour all over: no outline to find, whatever the picture's size or shape.
bool isFlat(const cv::Mat& colours) {
    const cv::Vec3b first = colours.at<cv::Vec3b>(0, 0);
    for (int y = 0; y < colours.rows; ++y) {
        const auto* row = colours.ptr<cv::Vec3b>(y);
        for (int x = 0; x < colours.cols; ++x)
            if (row[x] != first)
                return false;
    }
    return true;
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
    if (page.isEmpty())
        return Bitmap(0, 0, 1);
    if (progress && !progress(0, 4))
        return std::nullopt;
    return CleanLinesSource(page).lines(settings, progress);
}

CleanLinesSource::CleanLinesSource(const Bitmap& page, int workingSide)
    : m_width(page.width()), m_height(page.height()) {
    if (page.isEmpty())
        return;
    const cv::Mat colours = coloursOf(page);
    // A flat picture makes a blank page: it is not blown up to a working copy for nothing.
    if (isFlat(colours))
        return;
    m_colours = workingCopy(colours, std::max(1, workingSide));
    m_lab = flattenedLab(m_colours, 3.0);
    m_strength = colourEdgeStrength(m_lab, 1.0);
    cv::Mat lightness;
    cv::extractChannel(m_lab, lightness, 0);
    // Narrow enough for the eyes, brows and lips of a face the size of a hand on the page.
    m_flow = lineFlow(lightness, {1.0, 3.0, 3.0});
}

cv::Size CleanLinesSource::copySizeFor(int width, int height, int workingSide) {
    if (width <= 0 || height <= 0)
        return cv::Size();
    return workingCopySize(cv::Size(width, height), std::max(1, workingSide));
}

std::optional<cv::Mat> CleanLinesSource::borders(const CleanLineSettings& settings,
                                                 const StageProgress& progress,
                                                 RegionRules& rules) const {
    auto proceed = [&progress](int stage) { return !progress || progress(stage, 4); };
    if (!proceed(1))
        return std::nullopt;
    rules = rulesFor(m_lab.size(), cv::Size(m_width, m_height), settings);
    cv::Mat subject;
    cv::Mat labels = settings.subject.isSet() ? subjectRegions(settings, rules, subject)
                                              : segmentRegions(m_lab, m_strength, rules);
    if (!proceed(2))
        return std::nullopt;
    smoothRegions(labels, 3);
    cv::Mat borders = regionBorders(labels);
    if (subject.empty() || settings.subject.background == Background::Full) {
        borders |= detailStrokes(m_flow, borders, strokeRulesFor(rules, settings.detail));
    } else {
        // Strokes only inside the subject, where they spend the whole of their number: the
        // background counts as border, which strokes keep clear of.
        cv::Mat blocked = borders | (subject == 0);
        borders |=
            detailStrokes(m_flow, blocked, strokeRulesFor(rules, subjectDetail(settings.detail))) &
            subject;
    }
    // A stroke that closes on itself must not close a region too narrow to colour.
    fillNarrowPockets(borders, rules.minimumAcross);
    return borders;
}

// The regions of a page with a subject: the subject cut out of its box, snapped to its own
// regions (found at the subject's detail), and around it the background as chosen: one
// region, the page's own regions, or the few largest of them.
cv::Mat CleanLinesSource::subjectRegions(const CleanLineSettings& settings,
                                         const RegionRules& rules, cv::Mat& subject) const {
    const cv::Rect box = scaledBox(settings.subject.box, cv::Size(m_width, m_height), m_lab.size());
    const cv::Mat cut = grabCutMask(
        m_colours, box,
        scaledStrokes(settings.subject.strokes, cv::Size(m_width, m_height), m_lab.size()),
        settings.subject.rough);
    CleanLineSettings finer = settings;
    finer.detail = subjectDetail(settings.detail);
    RegionRules inner = rulesFor(m_lab.size(), cv::Size(m_width, m_height), finer);
    inner.minimumAcross = rules.minimumAcross;
    const cv::Mat innerLabels = segmentRegions(m_lab(box).clone(), m_strength(box).clone(), inner);
    subject = cv::Mat::zeros(m_lab.size(), CV_8U);
    snapToRegions(cut(box), innerLabels, rules.minimumAcross).copyTo(subject(box));
    double innerCount = 0;
    cv::minMaxLoc(innerLabels, nullptr, &innerCount);
    const int background = int(innerCount) + 1;
    cv::Mat labels;
    if (settings.subject.background == Background::None) {
        labels = cv::Mat(m_lab.size(), CV_32S, cv::Scalar(background));
    } else {
        const bool simple = settings.subject.background == Background::Simple;
        // A simple background is its few large shapes (a floor, a horizon, a table): found
        // at coarser rules, smoothed before the rest is handed to them, so that no sliver
        // becomes a shape of its own.
        RegionRules outer = rules;
        if (simple) {
            outer.mergeBelow *= 2.5;
            outer.minimumAcross *= 2.0;
        }
        labels = segmentRegions(m_lab, m_strength, outer);
        if (simple) {
            smoothRegions(labels, 3);
            keepLargestRegions(labels, subject == 0, kSimpleBackgroundRegions);
        }
        labels += cv::Scalar(background);
    }
    innerLabels.copyTo(labels(box), subject(box));
    return labels;
}

std::vector<CentreLine> CleanLinesSource::centreLines(cv::Mat& borders, const RegionRules& rules,
                                                      const CleanLineSettings& settings) const {
    const double scale = double(m_width) / m_lab.cols;
    // Strokes closer than the pen is wide would run together on the page, leaving slivers
    // of paper between them: they are widened to the pen first, so that what they enclose
    // is filled and thinning makes them one. On a page smaller than the copy the pen would
    // grow with the enlargement, without bound for a tiny picture, and the widening's work
    // with its square: it is never wider on the copy than on the page. The widening takes
    // reach from each side of every region, so a region is too narrow when what is left of
    // it is narrower than the smallest width less that: the width the regions were found at.
    const int reach = widening(settings.thickness, scale);
    if (reach > 0) {
        cv::dilate(
            borders, borders,
            cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * reach + 1, 2 * reach + 1)));
        fillNarrowPockets(borders, rules.minimumAcross - 2 * reach);
    }
    // Lines as wide as the whole picture leave no paper, and no centre to find: thinning
    // would keep every pixel as a line of its own.
    if (noPaper(borders))
        return {};
    thinStrokes(borders);
    removeSpecks(borders, std::max(2, int(std::lround(speckSize(m_width, m_height) / scale))));
    std::vector<CentreLine> centre = traceCentreLines(borders);
    pruneSpurs(centre, 0.5 * rules.minimumAcross, borders.size());
    smoothCentreLines(centre, 8);
    return centre;
}

std::optional<Bitmap> CleanLinesSource::lines(const CleanLineSettings& settings,
                                              const StageProgress& progress) const {
    // A new 1-bit page is white: a flat picture has no lines.
    if (m_lab.empty())
        return Bitmap(m_width, m_height, 1);
    const cv::Size pageSize(m_width, m_height);
    // A page much larger than the copy: the copy's centre lines are traced, smoothed and
    // drawn at the page's size and the chosen thickness, instead of widening the borders to
    // the page and thinning them there, which would cost far more than the regions did and
    // find narrow regions only once the lines were drawn, to fill them with solid ink.
    if (drawsCentreLines())
        return drawnCentreLines(settings, pageSize, settings.thickness, progress);
    RegionRules rules;
    std::optional<cv::Mat> borders = this->borders(settings, progress, rules);
    if (!borders)
        return std::nullopt;
    const double pagePerMm = pixelsPerMmAtA4(m_width, m_height);
    cv::Mat lines = bordersOnPage(*borders, pageSize);
    // Scaled to the page, a narrow neck of a region can close into a pocket.
    fillNarrowPockets(lines, settings.smallestRegionMm * pagePerMm + settings.thickness);
    thinStrokes(lines);
    removeSpecks(lines, speckSize(m_width, m_height));
    if (progress && !progress(3, 4))
        return std::nullopt;
    drawAtThickness(lines, settings.thickness);
    // Wide lines can pinch a neck shut, or leave a hole where strokes meet: what they close
    // that is too narrow to colour is theirs.
    fillNarrowPockets(lines, settings.smallestRegionMm * pagePerMm);
    return pageOfInk(lines);
}

bool CleanLinesSource::drawsCentreLines() const {
    // From half as large again as the copy: there the borders scaled to the page leave
    // narrow regions that thinning no longer fills.
    return !m_lab.empty() && 2 * m_width >= 3 * m_lab.cols;
}

std::optional<Bitmap> CleanLinesSource::linesShown(const CleanLineSettings& settings,
                                                   cv::Size shown,
                                                   const StageProgress& progress) const {
    if (m_lab.empty())
        return Bitmap(shown.width, shown.height, 1);
    // The page's own centre lines, the pen shrunk with them.
    const int thickness =
        std::max(1, int(std::lround(settings.thickness * double(shown.width) / m_width)));
    return drawnCentreLines(settings, shown, thickness, progress);
}

// The lines of a page that drawsCentreLines(), at size with a pen thickness wide: the page's
// size, or a smaller one where they are shown.
std::optional<Bitmap> CleanLinesSource::drawnCentreLines(const CleanLineSettings& settings,
                                                         cv::Size size, int thickness,
                                                         const StageProgress& progress) const {
    RegionRules rules;
    std::optional<cv::Mat> borders = this->borders(settings, progress, rules);
    if (!borders)
        return std::nullopt;
    const cv::Size working = m_lab.size();
    const std::vector<CentreLine> centre = centreLines(*borders, rules, settings);
    if (progress && !progress(3, 4))
        return std::nullopt;
    cv::Mat lines = cv::Mat::zeros(size, CV_8U);
    if (noPaper(*borders))
        lines = 1;
    drawCentreLines(lines, centre, working);
    drawAtThickness(lines, thickness);
    const double narrowest = settings.smallestRegionMm * pixelsPerMmAtA4(size.width, size.height);
    redrawWedges(lines, fillNarrowPocketsOfLargePage(lines, narrowest, pocketFactor(size, working)),
                 thickness, narrowest);
    return pageOfInk(lines);
}

PageDrawing CleanLinesSource::drawing(const CleanLineSettings& settings) const {
    PageDrawing drawing;
    drawing.size = QSize(m_width, m_height);
    if (m_lab.empty())
        return drawing;
    RegionRules rules;
    cv::Mat borders = *this->borders(settings, {}, rules);
    const double sx = double(m_width) / m_lab.cols;
    const double sy = double(m_height) / m_lab.rows;
    const std::vector<CentreLine> centre = centreLines(borders, rules, settings);
    if (noPaper(borders)) {
        // All ink: one black pixel stretched over the page.
        drawing.lines = QImage(1, 1, QImage::Format_Mono);
        drawing.lines.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        drawing.lines.fill(0);
        drawing.linesArea = QRectF(0, 0, m_width, m_height);
    }
    for (const CentreLine& line : centre) {
        PageDrawing::Stroke stroke;
        stroke.closed = line.closed;
        for (const cv::Point2f& p : line.points) {
            // A line that reaches the copy's edge reaches the page's.
            const double x = p.x <= 0.5f ? 0.0 : p.x >= m_lab.cols - 0.5f ? m_width : p.x * sx;
            const double y = p.y <= 0.5f ? 0.0 : p.y >= m_lab.rows - 0.5f ? m_height : p.y * sy;
            stroke.points.append(QPointF(x, y));
        }
        drawing.strokes.append(stroke);
    }
    drawing.strokeWidth = settings.thickness;
    return drawing;
}
