// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "subject_mask.h"

#include "colour_field.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <mutex>
#include <numeric>
#include <vector>

namespace {

// 4-connected pieces of equal label where `where` is non-zero, numbered from 0; -1 elsewhere.
cv::Mat piecesOf(const cv::Mat& labels, const cv::Mat& where, std::vector<long>& areas) {
    cv::Mat pieces(labels.size(), CV_32S, cv::Scalar(-1));
    areas.clear();
    std::vector<cv::Point> stack;
    for (int y = 0; y < labels.rows; ++y)
        for (int x = 0; x < labels.cols; ++x) {
            if (!where.at<uchar>(y, x) || pieces.at<int>(y, x) >= 0)
                continue;
            const int piece = int(areas.size());
            const int label = labels.at<int>(y, x);
            long area = 0;
            stack.assign(1, cv::Point(x, y));
            pieces.at<int>(y, x) = piece;
            while (!stack.empty()) {
                const cv::Point at = stack.back();
                stack.pop_back();
                ++area;
                const cv::Point around[4] = {
                    {at.x - 1, at.y}, {at.x + 1, at.y}, {at.x, at.y - 1}, {at.x, at.y + 1}};
                for (const cv::Point& n : around) {
                    if (n.x < 0 || n.y < 0 || n.x >= labels.cols || n.y >= labels.rows ||
                        !where.at<uchar>(n) || pieces.at<int>(n) >= 0 || labels.at<int>(n) != label)
                        continue;
                    pieces.at<int>(n) = piece;
                    stack.push_back(n);
                }
            }
            areas.push_back(area);
        }
    return pieces;
}

// The 8-connected pieces of a 0/1 mask with at least a fortieth of the largest's area. The
// snapping's opening can part a subject at a thin neck (a person's head above a dark collar
// that went with the wall, a sleeve hanging beside a motorbike's engine): the part is kept
// as an outline of its own, where a speck of grass beside the subject goes.
cv::Mat largePieces(const cv::Mat& mask) {
    cv::Mat components;
    cv::Mat stats;
    cv::Mat centroids;
    const int count = cv::connectedComponentsWithStats(mask, components, stats, centroids, 8);
    int largest = 0;
    for (int c = 1; c < count; ++c)
        largest = std::max(largest, stats.at<int>(c, cv::CC_STAT_AREA));
    std::vector<uchar> kept(size_t(std::max(1, count)), 0);
    for (int c = 1; c < count; ++c)
        kept[size_t(c)] = 40 * stats.at<int>(c, cv::CC_STAT_AREA) >= largest ? 1 : 0;
    cv::Mat pieces(mask.size(), CV_8U);
    for (int y = 0; y < mask.rows; ++y) {
        const int* component = components.ptr<int>(y);
        uchar* out = pieces.ptr<uchar>(y);
        for (int x = 0; x < mask.cols; ++x)
            out[x] = kept[size_t(component[x])];
    }
    return pieces;
}

// A mask (0/1) at another size, each pixel what most of its neighbourhood is.
cv::Mat resizedMask(const cv::Mat& mask, cv::Size size) {
    cv::Mat soft;
    mask.convertTo(soft, CV_32F);
    cv::resize(soft, soft, size, 0, 0, cv::INTER_LINEAR);
    return (soft > 0.5f) / 255;
}

// colours (8-bit blue, green, red) in 8-bit CIELAB. GrabCut models each side's colours as a
// few Gaussian blobs: in CIELAB, where distance follows what the eye tells apart, a brown fur
// and a brown brick wall fall into blobs of their own far more often than in blue, green and
// red.
cv::Mat inLab(const cv::Mat& colours) {
    cv::Mat lab;
    cv::cvtColor(colours, lab, cv::COLOR_BGR2Lab);
    return lab;
}

// Marks as background (in GrabCut's mask) what the cut took of any region of colours that
// runs out of the box: the box was drawn around the subject, so a region with a tenth of
// itself outside is the ground, however much of its colour the subject shares (a red
// fairing beside a cat's head, a shadow beside a rocket). False when under a hundredth of
// the cut is marked, or when the rule would take half of it, which says the regions did not
// find the subject's edge.
bool markGroundLeavingBox(const cv::Mat& colours, cv::Mat& mask, const cv::Rect& box) {
    const cv::Mat lab = flattenedLab(colours, 1.0);
    RegionRules rules;
    rules.mergeBelow = 4.0;
    rules.texture = 0.25;
    rules.strengthWeight = 0.7;
    rules.minimumAcross = 3.0;
    rules.seedSpacing = 4;
    const cv::Mat regions = segmentRegions(lab, colourEdgeStrength(lab, 1.0), rules);
    double most = 0;
    cv::minMaxLoc(regions, nullptr, &most);
    std::vector<long> area(size_t(most) + 1, 0);
    std::vector<long> outside(area.size(), 0);
    long cut = 0;
    for (int y = 0; y < regions.rows; ++y)
        for (int x = 0; x < regions.cols; ++x) {
            const size_t r = size_t(regions.at<int>(y, x));
            ++area[r];
            if (!box.contains(cv::Point(x, y)))
                ++outside[r];
            else if (mask.at<uchar>(y, x) & 1)
                ++cut;
        }
    cv::Mat ground = cv::Mat::zeros(mask.size(), CV_8U);
    long marked = 0;
    for (int y = 0; y < regions.rows; ++y)
        for (int x = 0; x < regions.cols; ++x) {
            const size_t r = size_t(regions.at<int>(y, x));
            if ((mask.at<uchar>(y, x) & 1) && 10 * outside[r] > area[r] &&
                mask.at<uchar>(y, x) != cv::GC_FGD) {
                ground.at<uchar>(y, x) = 1;
                ++marked;
            }
        }
    // A sliver leaving the box is not worth further rounds: they learn the colours again from
    // a cut that hardly changed, and where a face shares the wall's colours they take it away
    // with the wall.
    if (100 * marked < cut || 2 * marked >= cut)
        return false;
    mask.setTo(cv::GC_BGD, ground);
    return true;
}

// The strokes (in the pixels of a picture of size picture) settled for good in GrabCut's
// mask, at the mask's size: keep as subject, remove as background.
void settleStrokes(cv::Mat& mask, const std::vector<SubjectStroke>& strokes, cv::Size picture) {
    for (const SubjectStroke& stroke : scaledStrokes(strokes, picture, mask.size())) {
        const int value = stroke.keep ? cv::GC_FGD : cv::GC_BGD;
        if (stroke.points.size() == 1)
            cv::circle(mask, stroke.points[0], stroke.radius, value, cv::FILLED);
        else
            cv::polylines(mask, stroke.points, false, value, 2 * stroke.radius + 1);
    }
}

// GrabCut's colour models for a fine cut, learnt from mask's ground and from its subject
// deeper than learnDepth inside the cut (depth): the rough cut's edge carries a strip of
// ground (flowers along a giraffe's back, pebbles by a dingo's paw), and a subject model
// learnt from it takes that ground's colours for the subject's all along the edge. Where
// that core is too small to stand for the subject (a rocket no wider than the band), the
// whole cut teaches it.
void learnFromCore(const cv::Mat& lab, const cv::Mat& mask, const cv::Mat& depth, double learnDepth,
                   cv::Mat& backgroundModel, cv::Mat& subjectModel) {
    long subject = 0;
    long core = 0;
    for (int y = 0; y < mask.rows; ++y)
        for (int x = 0; x < mask.cols; ++x)
            if (mask.at<uchar>(y, x) & 1) {
                ++subject;
                if (depth.at<float>(y, x) > learnDepth || mask.at<uchar>(y, x) == cv::GC_FGD)
                    ++core;
            }
    // GrabCut sorts each side's colours into five blobs, and needs five pixels for that.
    constexpr long kFewest = 5;
    const bool fromCore = core >= kFewest && kLearnedCoreShare * double(subject) <= double(core);
    std::vector<cv::Vec3b> samples;
    std::vector<uchar> sides;
    samples.reserve(mask.total());
    sides.reserve(mask.total());
    for (int y = 0; y < mask.rows; ++y)
        for (int x = 0; x < mask.cols; ++x) {
            const uchar m = mask.at<uchar>(y, x);
            const bool isSubject = (m & 1) != 0;
            if (isSubject && fromCore && m != cv::GC_FGD && depth.at<float>(y, x) <= learnDepth)
                continue;
            samples.push_back(lab.at<cv::Vec3b>(y, x));
            sides.push_back(isSubject ? cv::GC_FGD : cv::GC_BGD);
        }
    // GrabCut learns its models from the pixels it is given before its first round: given
    // only the chosen pixels, as a column, and no rounds, it learns and stops.
    cv::Mat column(int(samples.size()), 1, CV_8UC3, samples.data());
    cv::Mat sideColumn(int(sides.size()), 1, CV_8U, sides.data());
    cv::grabCut(column, sideColumn, cv::Rect(), backgroundModel, subjectModel, 0,
                cv::GC_INIT_WITH_MASK);
}

// The rough cut (0/1, on a smaller copy of colours, from GrabCut with rect) cut again at
// colours' own size within across pixels of its edge, where the small copy's pixels blurred
// fur and ground together, and within kSettledDepth times that inside it: the small copy cuts
// straight across the mouth of a narrow gap of ground between two legs, which lies deep
// inside the rough cut's edge. Farther in and out the rough cut stands. The colour models
// are learnt once, the subject's from the cut's core (learnFromCore), and held for the one
// round. Under strokes (in colours' pixels) the cut is what the brush says.
cv::Mat refinedNearEdge(const cv::Mat& colours, const cv::Mat& rough, const cv::Rect& rect,
                        double across, const std::vector<SubjectStroke>& strokes) {
    // GrabCut's time grows with every pixel of the rectangle around the band, which for a
    // subject filling the picture is nearly all of it: the copy is made smaller until that
    // rectangle holds at most kRefinePixels.
    const cv::Rect roughBounds = cv::boundingRect(rough);
    const double roughToColours = double(colours.cols) / rough.cols;
    const double bandArea = (roughBounds.width * roughToColours + 2 * across) *
                            (roughBounds.height * roughToColours + 2 * across);
    const double fullScale =
        std::min(1.0, double(kRefineSide) / std::max(colours.cols, colours.rows));
    const double fitted = std::sqrt(kRefinePixels / std::max(1.0, bandArea));
    const int side =
        int(std::lround(std::max(colours.cols, colours.rows) * std::min(fullScale, fitted)));
    const cv::Mat copy = shrunkCopy(colours, std::max(side, std::max(rough.cols, rough.rows)));
    const cv::Mat cut = resizedMask(rough, copy.size());
    const double scale = double(copy.cols) / colours.cols;
    const int reach = std::max(2, int(std::lround(across * scale)));
    const cv::Mat pen =
        cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * reach + 1, 2 * reach + 1));
    cv::Mat depth;
    cv::distanceTransform(cut, depth, cv::DIST_L2, cv::DIST_MASK_3);
    const cv::Mat inside = depth > float(kSettledDepth * reach);
    cv::Mat near;
    cv::dilate(cut, near, pen);
    cv::Mat mask(copy.size(), CV_8U, cv::Scalar(cv::GC_BGD));
    mask.setTo(cv::GC_PR_BGD, near);
    mask.setTo(cv::GC_PR_FGD, cut);
    mask.setTo(cv::GC_FGD, inside);
    settleStrokes(mask, strokes, colours.size());
    // The rough cut's box, at this size: nothing outside it becomes subject.
    cv::Mat outsideBox(copy.size(), CV_8U, cv::Scalar(1));
    outsideBox(scaledBox(rect, rough.size(), copy.size())).setTo(0);
    mask.setTo(cv::GC_BGD, outsideBox);
    // Only what lies near the cut is cut again, with its colours learnt from there: GrabCut's
    // memory and time grow with every pixel it is given, fixed or not.
    const cv::Rect around = cv::Rect(cv::boundingRect(near) - cv::Point(reach, reach) +
                                     cv::Size(2 * reach, 2 * reach)) &
                            cv::Rect(cv::Point(0, 0), copy.size());
    cv::Mat backgroundModel;
    cv::Mat subjectModel;
    cv::theRNG() = cv::RNG(0x5eed);
    cv::Mat part = mask(around).clone();
    const cv::Mat lab = inLab(copy(around));
    learnFromCore(lab, part, depth(around), kLearnedDepth * reach, backgroundModel, subjectModel);
    cv::grabCut(lab, part, cv::Rect(), backgroundModel, subjectModel, 1, cv::GC_EVAL_FREEZE_MODEL);
    part.copyTo(mask(around));
    cv::bitwise_and(mask, cv::Scalar(1), mask);
    if (copy.size() == colours.size())
        return mask;
    return resizedMask(mask, colours.size());
}

} // namespace

cv::Rect scaledBox(const cv::Rect& box, cv::Size picture, cv::Size copy) {
    const double sx = double(copy.width) / std::max(1, picture.width);
    const double sy = double(copy.height) / std::max(1, picture.height);
    const int left = int(std::floor(box.x * sx));
    const int top = int(std::floor(box.y * sy));
    const int right = int(std::ceil((box.x + box.width) * sx));
    const int bottom = int(std::ceil((box.y + box.height) * sy));
    return cv::Rect(left, top, right - left, bottom - top) & cv::Rect(cv::Point(0, 0), copy);
}

std::vector<SubjectStroke> scaledStrokes(const std::vector<SubjectStroke>& strokes,
                                         cv::Size picture, cv::Size copy) {
    const double sx = double(copy.width) / std::max(1, picture.width);
    const double sy = double(copy.height) / std::max(1, picture.height);
    std::vector<SubjectStroke> scaled = strokes;
    for (SubjectStroke& stroke : scaled) {
        stroke.radius = std::max(1, int(std::lround(stroke.radius * std::min(sx, sy))));
        for (cv::Point& p : stroke.points)
            p = cv::Point(int(std::lround(p.x * sx)), int(std::lround(p.y * sy)));
    }
    return scaled;
}

namespace {

cv::Mat cutOut(const cv::Mat& colours, const cv::Rect& wanted,
               const std::vector<SubjectStroke>& strokes, bool rough) {
    cv::Mat result = cv::Mat::zeros(colours.size(), CV_8U);
    const cv::Rect box = wanted & cv::Rect(cv::Point(0, 0), colours.size());
    if (box.empty())
        return result;
    // GrabCut learns the background from what lies outside the box: a margin around it is
    // all it needs, and the rest of the picture would only cost time.
    const int margin = std::max(8, int(0.15 * std::max(box.width, box.height)));
    const cv::Rect area =
        cv::Rect(box.x - margin, box.y - margin, box.width + 2 * margin, box.height + 2 * margin) &
        cv::Rect(cv::Point(0, 0), colours.size());
    const cv::Mat smallColours =
        shrunkCopy(colours(area), rough ? kRoughGrabCutSide : kGrabCutSide);
    const cv::Mat small = inLab(smallColours);
    const cv::Rect boxInSmall = scaledBox(box - area.tl(), area.size(), small.size());
    cv::Rect rect = boxInSmall;
    // A box over the whole picture leaves GrabCut no background to learn: its outermost
    // pixels are taken for background.
    const cv::Rect inner(2, 2, small.cols - 4, small.rows - 4);
    if (rect.x <= 0 && rect.y <= 0 && rect.br().x >= small.cols && rect.br().y >= small.rows)
        rect &= inner;
    std::vector<SubjectStroke> inArea = strokes;
    for (SubjectStroke& stroke : inArea)
        for (cv::Point& p : stroke.points)
            p -= area.tl();
    cv::Mat cut(area.size(), CV_8U, cv::Scalar(1));
    if (rect.width >= 4 && rect.height >= 4) {
        cv::Mat mask;
        cv::Mat backgroundModel;
        cv::Mat subjectModel;
        // GrabCut seeds its colour models from OpenCV's random numbers: a fixed start gives
        // the same cut every time.
        cv::theRNG() = cv::RNG(0x5eed);
        // Each round learns both sides' colours again from the last cut. With only a thin
        // strip of ground around the box (a close-up, boxed to the picture's edges), the
        // ground's colours soon include the subject's own, and every further round gives
        // more of the subject away, slowly: there, two rounds. Elsewhere three: the fine cut
        // draws the edge again from the core's colours, and two further rounds here (most of
        // a large subject's time) moved the pages as much for the worse as for the better.
        const bool littleGround = 10 * (small.total() - size_t(rect.area())) < small.total();
        const int iterations = rough || littleGround ? 2 : 3;
        try {
            if (strokes.empty()) {
                cv::grabCut(small, mask, rect, backgroundModel, subjectModel, iterations,
                            cv::GC_INIT_WITH_RECT);
            } else {
                // The rectangle's start, with the brushes' pixels settled for good.
                mask = cv::Mat(small.size(), CV_8U, cv::Scalar(cv::GC_BGD));
                mask(rect).setTo(cv::GC_PR_FGD);
                settleStrokes(mask, inArea, area.size());
                cv::grabCut(small, mask, rect, backgroundModel, subjectModel, iterations,
                            cv::GC_INIT_WITH_MASK);
            }
            // The ground found leaving the box goes on from the colours already learnt: a
            // few rounds settle it.
            if (!rough && markGroundLeavingBox(smallColours, mask, boxInSmall))
                cv::grabCut(small, mask, cv::Rect(), backgroundModel, subjectModel, 2, cv::GC_EVAL);
            cv::bitwise_and(mask, cv::Scalar(1), mask);
            const double across = kEdgeBand * std::hypot(colours.cols, colours.rows);
            cut = rough ? resizedMask(mask, area.size())
                        : refinedNearEdge(colours(area), mask, rect, across, inArea);
        } catch (const cv::Exception&) {
            // Too few pixels of one kind to learn its colours from: the box is the subject.
        }
    }
    // Nothing outside the box is subject.
    cut(box - area.tl()).copyTo(result(box));
    return result;
}

// What a cut was made from: the colours' bytes (hashed), the box and the strokes.
struct CutQuestion {
    std::uint64_t colours = 0;
    cv::Size size;
    cv::Rect box;
    std::vector<SubjectStroke> strokes;

    bool operator==(const CutQuestion& other) const {
        return colours == other.colours && size == other.size && box == other.box &&
               strokes == other.strokes;
    }
};

// FNV-1a over every byte: a few milliseconds for a working copy, against GrabCut's second.
std::uint64_t hashOf(const cv::Mat& colours) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    const size_t rowBytes = size_t(colours.cols) * colours.elemSize();
    for (int y = 0; y < colours.rows; ++y) {
        const uchar* row = colours.ptr(y);
        for (size_t i = 0; i < rowBytes; ++i)
            hash = (hash ^ row[i]) * 0x100000001b3ULL;
    }
    return hash;
}

} // namespace

cv::Mat grabCutMask(const cv::Mat& colours, const cv::Rect& box,
                    const std::vector<SubjectStroke>& strokes, bool rough) {
    // A rough cut is asked once, before the true one: keeping it would only push out a true one.
    if (rough)
        return cutOut(colours, box, strokes, true);
    // A dialog's preview asks again for the same box each time one of its controls moves,
    // and OK asks once more for the page made from the same working copy: the last few cuts
    // are kept, as GrabCut is by far the costliest step and gives the same mask each time.
    constexpr size_t kKept = 4;
    static std::mutex guard;
    static std::deque<std::pair<CutQuestion, cv::Mat>> kept;
    CutQuestion question{hashOf(colours), colours.size(), box, strokes};
    {
        const std::lock_guard<std::mutex> lock(guard);
        for (const auto& [asked, cut] : kept)
            if (asked == question)
                return cut.clone();
    }
    cv::Mat cut = cutOut(colours, box, strokes, false);
    const std::lock_guard<std::mutex> lock(guard);
    kept.emplace_front(std::move(question), cut.clone());
    if (kept.size() > kKept)
        kept.pop_back();
    return cut;
}

cv::Mat snapToRegions(const cv::Mat& mask, const cv::Mat& labels, double across) {
    // How far each pixel is from the cut's edge, on either side.
    cv::Mat inside;
    cv::Mat outside;
    cv::distanceTransform(mask, inside, cv::DIST_L2, cv::DIST_MASK_3);
    cv::distanceTransform(mask == 0, outside, cv::DIST_L2, cv::DIST_MASK_3);
    const float reach = float(0.5 * across);
    double most = 0;
    cv::minMaxLoc(labels, nullptr, &most);
    std::vector<long> in(size_t(most) + 1, 0);
    std::vector<long> area(in.size(), 0);
    // The farthest from the cut's edge that the cut and the region disagree, on each side.
    std::vector<float> farIn(in.size(), 0.0f);
    std::vector<float> farOut(in.size(), 0.0f);
    for (int y = 0; y < labels.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        const uchar* cut = mask.ptr<uchar>(y);
        const float* dIn = inside.ptr<float>(y);
        const float* dOut = outside.ptr<float>(y);
        for (int x = 0; x < labels.cols; ++x) {
            const size_t r = size_t(label[x]);
            ++area[r];
            if (cut[x]) {
                ++in[r];
                farIn[r] = std::max(farIn[r], dIn[x]);
            } else {
                farOut[r] = std::max(farOut[r], dOut[x]);
            }
        }
    }
    // A region goes wholly to the side most of it is on when what it moves lies within reach
    // of the cut's edge: the outline then runs along the photo's own edge beside the cut.
    // A region reaching deep into both sides keeps the cut through it.
    std::vector<int> sideOf(in.size(), -1);
    for (size_t r = 0; r < in.size(); ++r) {
        const bool mostlyIn = 2 * in[r] > area[r];
        if (mostlyIn ? farOut[r] <= reach : farIn[r] <= reach)
            sideOf[r] = mostlyIn ? 1 : 0;
    }
    cv::Mat snapped(mask.size(), CV_8U);
    for (int y = 0; y < labels.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        const uchar* cut = mask.ptr<uchar>(y);
        uchar* out = snapped.ptr<uchar>(y);
        for (int x = 0; x < labels.cols; ++x) {
            const int s = sideOf[size_t(label[x])];
            out[x] = uchar(s >= 0 ? s : (cut[x] ? 1 : 0));
        }
    }
    // Grass blades and fur tips that GrabCut kept as threads would be lines too close
    // together to colour between. A narrow notch stays open: filled, its ground would join
    // the subject's region beside it to what the cut took wrongly beyond (a cat's cheek to a
    // strip of floor under a motorbike's tank).
    const int side = std::max(3, int(std::lround(0.5 * across)) | 1);
    const cv::Mat pen = cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(side, side));
    cv::morphologyEx(snapped, snapped, cv::MORPH_OPEN, pen);
    return largePieces(snapped);
}

void keepLargestRegions(cv::Mat& labels, const cv::Mat& where, int most) {
    double largestLabel = 0;
    cv::minMaxLoc(labels, nullptr, &largestLabel);
    // Handing a pixel to the nearest kept piece can make a piece of its own, across the
    // subject from that piece: a second round takes those in too.
    for (int round = 0; round < 3; ++round) {
        std::vector<long> areas;
        const cv::Mat pieces = piecesOf(labels, where, areas);
        if (int(areas.size()) <= most)
            return;
        std::vector<int> order(areas.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&areas](int a, int b) { return areas[size_t(a)] > areas[size_t(b)]; });
        std::vector<int> keptAs(areas.size(), -1);
        for (int k = 0; k < most; ++k)
            keptAs[size_t(order[size_t(k)])] = int(largestLabel) + 1 + k;
        cv::Mat away(labels.size(), CV_8U, cv::Scalar(1));
        for (int y = 0; y < labels.rows; ++y) {
            const int* piece = pieces.ptr<int>(y);
            uchar* out = away.ptr<uchar>(y);
            for (int x = 0; x < labels.cols; ++x)
                if (piece[x] >= 0 && keptAs[size_t(piece[x])] >= 0)
                    out[x] = 0;
        }
        cv::Mat distance;
        cv::Mat nearest;
        cv::distanceTransform(away, distance, nearest, cv::DIST_L2, cv::DIST_MASK_3,
                              cv::DIST_LABEL_PIXEL);
        double nearestMost = 0;
        cv::minMaxLoc(nearest, nullptr, &nearestMost);
        std::vector<int> labelOfNearest(size_t(nearestMost) + 1, -1);
        for (int y = 0; y < labels.rows; ++y) {
            const int* piece = pieces.ptr<int>(y);
            const int* n = nearest.ptr<int>(y);
            const uchar* a = away.ptr<uchar>(y);
            for (int x = 0; x < labels.cols; ++x)
                if (!a[x])
                    labelOfNearest[size_t(n[x])] = keptAs[size_t(piece[x])];
        }
        for (int y = 0; y < labels.rows; ++y) {
            const int* piece = pieces.ptr<int>(y);
            const int* n = nearest.ptr<int>(y);
            int* out = labels.ptr<int>(y);
            for (int x = 0; x < labels.cols; ++x)
                if (piece[x] >= 0)
                    out[x] = labelOfNearest[size_t(n[x])];
        }
        largestLabel += most;
    }
}

cv::Mat paintAroundSubject(cv::Mat& colours, const Subject& chosen, cv::Size picture,
                           double across) {
    if (!chosen.isSet() || chosen.background == Background::Full)
        return {};
    const cv::Rect box = scaledBox(chosen.box, picture, colours.size());
    if (box.empty())
        return {};
    const cv::Mat cut = grabCutMask(
        colours, box, scaledStrokes(chosen.strokes, picture, colours.size()), chosen.rough);
    RegionRules rules;
    rules.mergeBelow = 4.0;
    rules.texture = 0.25;
    rules.strengthWeight = 0.7;
    rules.minimumAcross = across;
    const cv::Mat lab = flattenedLab(colours(box), 2.0);
    const cv::Mat inBox = segmentRegions(lab, colourEdgeStrength(lab, 1.0), rules);
    cv::Mat subject = cv::Mat::zeros(colours.size(), CV_8U);
    snapToRegions(cut(box), inBox, across).copyTo(subject(box));
    const cv::Mat background = subject == 0;
    if (chosen.background == Background::None) {
        colours.setTo(cv::Scalar(255, 255, 255), background);
        return subject;
    }
    rules.mergeBelow = 12.0;
    rules.minimumAcross = 3.0 * across;
    const cv::Mat wholeLab = flattenedLab(colours, 3.0);
    cv::Mat shapes = segmentRegions(wholeLab, colourEdgeStrength(wholeLab, 1.0), rules);
    keepLargestRegions(shapes, background, kSimpleBackgroundRegions);
    double most = 0;
    cv::minMaxLoc(shapes, nullptr, &most);
    std::vector<cv::Vec3d> sum(size_t(most) + 1);
    std::vector<long> area(sum.size(), 0);
    for (int y = 0; y < colours.rows; ++y)
        for (int x = 0; x < colours.cols; ++x)
            if (background.at<uchar>(y, x)) {
                const size_t s = size_t(shapes.at<int>(y, x));
                sum[s] += cv::Vec3d(colours.at<cv::Vec3b>(y, x));
                ++area[s];
            }
    for (int y = 0; y < colours.rows; ++y)
        for (int x = 0; x < colours.cols; ++x)
            if (background.at<uchar>(y, x)) {
                const size_t s = size_t(shapes.at<int>(y, x));
                const cv::Vec3d mean = sum[s] / double(std::max(1L, area[s]));
                colours.at<cv::Vec3b>(y, x) =
                    cv::Vec3b(cv::saturate_cast<uchar>(mean[0]), cv::saturate_cast<uchar>(mean[1]),
                              cv::saturate_cast<uchar>(mean[2]));
            }
    return subject;
}
