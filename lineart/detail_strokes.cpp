// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "detail_strokes.h"

#include "thinning.h"
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <vector>

namespace {

// Whether a one-pixel-wide stroke (label's pixels within bounds) forks somewhere: a pixel
// whose ring of eight neighbours passes from paper to stroke three times or more.
bool forks(const cv::Mat& labels, int label, const cv::Rect& bounds) {
    static const cv::Point ring[8] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0},
                                      {1, 1},   {0, 1},  {-1, 1}, {-1, 0}};
    auto on = [&](cv::Point p) {
        return p.x >= 0 && p.y >= 0 && p.x < labels.cols && p.y < labels.rows &&
               labels.at<int>(p) == label;
    };
    for (int y = bounds.y; y < bounds.br().y; ++y)
        for (int x = bounds.x; x < bounds.br().x; ++x) {
            if (labels.at<int>(y, x) != label)
                continue;
            int entries = 0;
            for (int k = 0; k < 8; ++k)
                entries +=
                    !on(cv::Point(x, y) + ring[k]) && on(cv::Point(x, y) + ring[(k + 1) % 8]);
            if (entries >= 3)
                return true;
        }
    return false;
}

// A forked stroke wider than tall drawn as its upper edge, column by column: the dark blob of
// an eye (lid, crease and lower lid run together) thins into a cross, where a child's page
// shows the lid.
void drawUpperEdge(const cv::Mat& labels, int label, const cv::Rect& bounds, cv::Mat& strokes) {
    cv::Point last(-1, -1);
    for (int x = bounds.x; x < bounds.br().x; ++x)
        for (int y = bounds.y; y < bounds.br().y; ++y)
            if (labels.at<int>(y, x) == label) {
                if (last.x >= 0)
                    cv::line(strokes, last, cv::Point(x, y), cv::Scalar(1));
                strokes.at<uchar>(y, x) = 1;
                last = cv::Point(x, y);
                break;
            }
}

} // namespace

cv::Mat detailStrokes(const LineFlow& flow, const cv::Mat& borders, const StrokeRules& rules) {
    cv::Mat dark = flowDarkness(flow, float(rules.depth));
    // Lines closer together than a region may be wide become one stroke down their middle.
    // (Beyond a few dozen pixels a closing costs much and joins nothing a child would
    // see as a pair.)
    const int reach = std::clamp(int(rules.clearance), 1, 31) | 1;
    cv::morphologyEx(dark, dark, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(reach, reach)));
    // Away from the borders only.
    cv::Mat far;
    cv::distanceTransform(borders == 0, far, cv::DIST_L2, cv::DIST_MASK_3, CV_32F);
    dark &= far > rules.clearance;
    cv::Mat strokes;
    dark.convertTo(strokes, CV_8U, 1.0 / 255.0);
    thinStrokes(strokes);
    // Pieces shorter than the shortest stroke (across their bounding box) go; of the rest,
    // at most rules.most are kept, by their darkness times their distance from the borders,
    // summed along them.
    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centres;
    const int count = cv::connectedComponentsWithStats(strokes, labels, stats, centres, 8, CV_32S);
    std::vector<double> weight(size_t(count), 0.0);
    for (int y = 0; y < strokes.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        const float* darkness = flow.across.ptr<float>(y);
        const float* room = far.ptr<float>(y);
        for (int x = 0; x < strokes.cols; ++x)
            weight[size_t(label[x])] += label[x] ? double(darkness[x]) * double(room[x]) : 0.0;
    }
    std::vector<int> longEnough;
    for (int label = 1; label < count; ++label)
        if (std::max(stats.at<int>(label, cv::CC_STAT_WIDTH),
                     stats.at<int>(label, cv::CC_STAT_HEIGHT)) >= rules.shortest)
            longEnough.push_back(label);
    const size_t most = std::min(longEnough.size(), size_t(std::max(0, rules.most)));
    std::partial_sort(longEnough.begin(), longEnough.begin() + std::ptrdiff_t(most),
                      longEnough.end(), [&weight](int a, int b) {
                          return weight[size_t(a)] != weight[size_t(b)]
                                     ? weight[size_t(a)] > weight[size_t(b)]
                                     : a < b;
                      });
    // Each stroke kept as it was thinned, or, forked and wider than tall, as its upper edge.
    enum Drawn : uchar { Left, AsThinned, AsUpperEdge };
    std::vector<uchar> drawn(size_t(count), Left);
    std::vector<cv::Rect> bounds(static_cast<size_t>(count));
    for (size_t i = 0; i < most; ++i) {
        const int label = longEnough[i];
        const cv::Rect box(
            stats.at<int>(label, cv::CC_STAT_LEFT), stats.at<int>(label, cv::CC_STAT_TOP),
            stats.at<int>(label, cv::CC_STAT_WIDTH), stats.at<int>(label, cv::CC_STAT_HEIGHT));
        bounds[size_t(label)] = box;
        drawn[size_t(label)] =
            box.width > box.height && forks(labels, label, box) ? AsUpperEdge : AsThinned;
    }
    for (int y = 0; y < strokes.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        uchar* row = strokes.ptr<uchar>(y);
        for (int x = 0; x < strokes.cols; ++x)
            row[x] = drawn[size_t(label[x])] == AsThinned ? 1 : 0;
    }
    for (size_t i = 0; i < most; ++i)
        if (drawn[size_t(longEnough[i])] == AsUpperEdge)
            drawUpperEdge(labels, longEnough[i], bounds[size_t(longEnough[i])], strokes);
    return strokes;
}
