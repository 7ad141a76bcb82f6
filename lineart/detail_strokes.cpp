// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "detail_strokes.h"

#include "thinning.h"
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <vector>

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
    std::vector<uchar> keep(size_t(count), 0);
    for (size_t i = 0; i < most; ++i)
        keep[size_t(longEnough[i])] = 1;
    for (int y = 0; y < strokes.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        uchar* row = strokes.ptr<uchar>(y);
        for (int x = 0; x < strokes.cols; ++x)
            row[x] = keep[size_t(label[x])];
    }
    return strokes;
}
