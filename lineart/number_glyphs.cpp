// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "number_glyphs.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The number drawn large, in strokes about an eighth of its height, cut to its ink.
cv::Mat largeNumber(int number) {
    const std::string text = std::to_string(number);
    constexpr double fontScale = 3.0;
    constexpr int stroke = 8;
    int baseline = 0;
    const cv::Size size =
        cv::getTextSize(text, cv::FONT_HERSHEY_SIMPLEX, fontScale, stroke, &baseline);
    cv::Mat canvas = cv::Mat::zeros(size.height + 2 * stroke, size.width + 2 * stroke, CV_8U);
    cv::putText(canvas, text, cv::Point(stroke, stroke + size.height), cv::FONT_HERSHEY_SIMPLEX,
                fontScale, cv::Scalar(255), stroke, cv::LINE_AA);
    return canvas(cv::boundingRect(canvas)).clone();
}

} // namespace

void drawNumber(cv::Mat& picture, int number, cv::Point2f centre, float height,
                const cv::Vec3b& colour) {
    const std::string text = std::to_string(number);
    const int h = std::max(1, int(std::lround(height)));
    const cv::Mat large = largeNumber(number);
    // Narrow figures such as a lone 1 keep their own width rather than grow bold.
    const double natural = double(large.cols) * h / large.rows;
    const int w =
        std::max(1, int(std::lround(std::min(natural, kGlyphAspect * double(text.size()) * h))));
    cv::Mat glyphs;
    cv::resize(large, glyphs, cv::Size(w, h), 0, 0, cv::INTER_AREA);
    const cv::Point corner(int(std::lround(centre.x - 0.5 * w)),
                           int(std::lround(centre.y - 0.5 * h)));
    // Small digits would lose their thin strokes to a middle threshold.
    const uchar ink = h < 12 ? 60 : 110;
    for (int y = 0; y < h; ++y) {
        const int py = corner.y + y;
        if (py < 0 || py >= picture.rows)
            continue;
        const uchar* in = glyphs.ptr<uchar>(y);
        auto* out = picture.ptr<cv::Vec3b>(py);
        for (int x = 0; x < w; ++x) {
            const int px = corner.x + x;
            if (px >= 0 && px < picture.cols && in[x] >= ink)
                out[px] = colour;
        }
    }
}
