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

namespace {

// The box a number of that height takes: narrow figures such as a lone 1 keep their own
// width rather than grow bold.
cv::Size boxOf(int number, const cv::Mat& large, float height) {
    const int h = std::max(1, int(std::lround(height)));
    const double natural = double(large.cols) * h / large.rows;
    const double digits = double(std::to_string(number).size());
    return {std::max(1, int(std::lround(std::min(natural, kGlyphAspect * digits * h)))), h};
}

cv::Point cornerOf(cv::Point2f centre, cv::Size box) {
    return {int(std::lround(centre.x - 0.5 * box.width)),
            int(std::lround(centre.y - 0.5 * box.height))};
}

} // namespace

void drawNumber(cv::Mat& picture, int number, cv::Point2f centre, float height,
                const cv::Vec3b& colour) {
    const cv::Mat large = largeNumber(number);
    const cv::Size box = boxOf(number, large, height);
    const int w = box.width;
    const int h = box.height;
    cv::Mat glyphs;
    cv::resize(large, glyphs, box, 0, 0, cv::INTER_AREA);
    const cv::Point corner = cornerOf(centre, box);
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

std::vector<std::vector<cv::Point2f>> numberOutlines(int number, cv::Point2f centre, float height) {
    const cv::Mat large = largeNumber(number);
    const cv::Size box = boxOf(number, large, height);
    cv::Mat ink;
    cv::threshold(large, ink, 110, 255, cv::THRESH_BINARY);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(ink, contours, cv::RETR_LIST, cv::CHAIN_APPROX_SIMPLE);
    const cv::Point corner = cornerOf(centre, box);
    const float sx = float(box.width) / float(large.cols);
    const float sy = float(box.height) / float(large.rows);
    std::vector<std::vector<cv::Point2f>> outlines;
    for (const std::vector<cv::Point>& contour : contours) {
        std::vector<cv::Point> simple;
        cv::approxPolyDP(contour, simple, 0.7, true);
        if (simple.size() < 3)
            continue;
        std::vector<cv::Point2f> outline;
        for (const cv::Point& p : simple)
            outline.emplace_back(float(corner.x) + (float(p.x) + 0.5f) * sx,
                                 float(corner.y) + (float(p.y) + 0.5f) * sy);
        outlines.push_back(std::move(outline));
    }
    return outlines;
}
