// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colour_field.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

cv::Size workingCopySize(const cv::Size& picture, int side) {
    const double scale = double(side) / std::max(picture.width, picture.height);
    return cv::Size(std::max(1, int(std::lround(picture.width * scale))),
                    std::max(1, int(std::lround(picture.height * scale))));
}

cv::Mat workingCopy(const cv::Mat& colours, int side) {
    const cv::Size size = workingCopySize(colours.size(), side);
    cv::Mat working;
    const bool shrinking = side < std::max(colours.cols, colours.rows);
    cv::resize(colours, working, size, 0, 0, shrinking ? cv::INTER_AREA : cv::INTER_CUBIC);
    return working;
}

cv::Mat shrunkCopy(const cv::Mat& colours, int side) {
    return workingCopy(colours, std::min(side, std::max(colours.cols, colours.rows)));
}

cv::Size shrunkSize(const cv::Size& picture, int side) {
    return workingCopySize(picture, std::min(side, std::max(picture.width, picture.height)));
}

cv::Mat flattenedLab(const cv::Mat& colours, double reach) {
    // The filter runs on bytes (L scaled to 0..255, a and b offset by 128), where it works
    // from tables and is many times faster than on floats; its colour tolerance is in those
    // units. Two narrow passes flatten texture better than one wide one and cost less.
    cv::Mat lab;
    cv::cvtColor(colours, lab, cv::COLOR_BGR2Lab);
    const int diameter = std::max(3, int(std::lround(2.0 * reach)) | 1);
    cv::Mat pass;
    for (const double tolerance : {24.0, 16.0}) {
        cv::bilateralFilter(lab, pass, diameter, tolerance, reach, cv::BORDER_REPLICATE);
        std::swap(lab, pass);
    }
    cv::Mat flat;
    lab.convertTo(flat, CV_32F);
    flat -= cv::Scalar(0.0, 128.0, 128.0);
    cv::multiply(flat, cv::Scalar(100.0 / 255.0, 1.0, 1.0), flat);
    return flat;
}

cv::Mat colourEdgeStrength(const cv::Mat& lab, double sigma) {
    cv::Mat smooth;
    cv::GaussianBlur(lab, smooth, cv::Size(), sigma, sigma, cv::BORDER_REPLICATE);
    cv::Mat gx;
    cv::Mat gy;
    // Scharr's weights sum to 32 across the centre: per pixel after the division.
    cv::Scharr(smooth, gx, CV_32F, 1, 0, 1.0 / 32.0, 0, cv::BORDER_REPLICATE);
    cv::Scharr(smooth, gy, CV_32F, 0, 1, 1.0 / 32.0, 0, cv::BORDER_REPLICATE);
    cv::Mat strength(lab.size(), CV_32F);
    for (int y = 0; y < lab.rows; ++y) {
        const auto* dx = gx.ptr<cv::Vec3f>(y);
        const auto* dy = gy.ptr<cv::Vec3f>(y);
        float* out = strength.ptr<float>(y);
        for (int x = 0; x < lab.cols; ++x) {
            const float e = dx[x].dot(dx[x]);
            const float f = dx[x].dot(dy[x]);
            const float g = dy[x].dot(dy[x]);
            const float root = std::sqrt((e - g) * (e - g) + 4.0f * f * f);
            out[x] = std::sqrt(0.5f * (e + g + root));
        }
    }
    return strength;
}
