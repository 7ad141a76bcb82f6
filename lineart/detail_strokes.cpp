// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "detail_strokes.h"

#include "thinning.h"
#include <opencv2/imgproc.hpp>

#include <algorithm>

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
    // Pieces shorter than the shortest stroke (across their bounding box) go.
    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centres;
    const int count = cv::connectedComponentsWithStats(strokes, labels, stats, centres, 8, CV_32S);
    std::vector<uchar> keep(size_t(count), 0);
    for (int label = 1; label < count; ++label)
        keep[size_t(label)] = std::max(stats.at<int>(label, cv::CC_STAT_WIDTH),
                                       stats.at<int>(label, cv::CC_STAT_HEIGHT)) >= rules.shortest;
    for (int y = 0; y < strokes.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        uchar* row = strokes.ptr<uchar>(y);
        for (int x = 0; x < strokes.cols; ++x)
            row[x] = keep[size_t(label[x])];
    }
    return strokes;
}
