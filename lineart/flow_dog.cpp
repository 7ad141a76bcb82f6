// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "flow_dog.h"

#include <opencv2/core/utility.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

float bilinear(const cv::Mat& values, float x, float y) {
    x = std::clamp(x, 0.0f, float(values.cols - 1));
    y = std::clamp(y, 0.0f, float(values.rows - 1));
    const int x0 = int(x);
    const int y0 = int(y);
    const int x1 = std::min(x0 + 1, values.cols - 1);
    const int y1 = std::min(y0 + 1, values.rows - 1);
    const float fx = x - float(x0);
    const float fy = y - float(y0);
    const float* top = values.ptr<float>(y0);
    const float* bottom = values.ptr<float>(y1);
    return (top[x0] * (1.0f - fx) + top[x1] * fx) * (1.0f - fy) +
           (bottom[x0] * (1.0f - fx) + bottom[x1] * fx) * fy;
}

// The direction of least change at each pixel (unit vectors, CV_32FC2): across the smoothed
// structure tensor's stronger eigenvector. Where nothing changes it is taken as horizontal.
cv::Mat edgeTangents(const cv::Mat& lightness, double smoothing) {
    cv::Mat gx;
    cv::Mat gy;
    cv::Sobel(lightness, gx, CV_32F, 1, 0, 3, 1.0 / 8.0, 0, cv::BORDER_REPLICATE);
    cv::Sobel(lightness, gy, CV_32F, 0, 1, 3, 1.0 / 8.0, 0, cv::BORDER_REPLICATE);
    cv::Mat tensor;
    cv::merge(std::vector<cv::Mat>{gx.mul(gx), gx.mul(gy), gy.mul(gy)}, tensor);
    cv::GaussianBlur(tensor, tensor, cv::Size(), smoothing, smoothing, cv::BORDER_REPLICATE);
    cv::Mat tangents(lightness.size(), CV_32FC2);
    for (int y = 0; y < tensor.rows; ++y) {
        const auto* t = tensor.ptr<cv::Vec3f>(y);
        auto* out = tangents.ptr<cv::Vec2f>(y);
        for (int x = 0; x < tensor.cols; ++x) {
            const float e = t[x][0];
            const float f = t[x][1];
            const float g = t[x][2];
            const float larger = 0.5f * (e + g + std::sqrt((e - g) * (e - g) + 4.0f * f * f));
            // The stronger eigenvector is the gradient's direction; the tangent is across it.
            cv::Vec2f normal(larger - g, f);
            if (std::abs(normal[0]) + std::abs(normal[1]) < 1e-6f)
                normal = cv::Vec2f(f, larger - e);
            const float length = std::hypot(normal[0], normal[1]);
            out[x] = length < 1e-6f ? cv::Vec2f(1.0f, 0.0f)
                                    : cv::Vec2f(-normal[1] / length, normal[0] / length);
        }
    }
    return tangents;
}

} // namespace

LineFlow lineFlow(const cv::Mat& lightness, const FlowRules& rules) {
    LineFlow flow;
    // Across: the band around each pixel less its own neighbourhood. Blurred in every
    // direction, which the averaging along the flow then takes back to a band across it.
    cv::Mat inner;
    cv::GaussianBlur(lightness, inner, cv::Size(), rules.sigma, rules.sigma, cv::BORDER_REPLICATE);
    cv::GaussianBlur(lightness, flow.across, cv::Size(), 1.6 * rules.sigma, 1.6 * rules.sigma,
                     cv::BORDER_REPLICATE);
    flow.across -= inner;
    // Followed two pixels a step: the lines' curves are far wider than that.
    flow.reach = std::max(1, int(std::ceil(2.0 * rules.along / LineFlow::kStep)));
    const cv::Mat weights =
        cv::getGaussianKernel(2 * flow.reach + 1, rules.along / LineFlow::kStep, CV_32F);
    flow.weights.assign(weights.begin<float>(), weights.end<float>());
    // An average never exceeds the largest value it takes in: only pixels with a dark enough
    // value within reach can pass a threshold.
    const int within = 2 * int(std::ceil(flow.reach * LineFlow::kStep)) + 1;
    cv::dilate(flow.across, flow.reachable, cv::Mat::ones(within, within, CV_8U));
    flow.tangents = edgeTangents(lightness, rules.flowSmoothing);
    return flow;
}

cv::Mat flowDarkness(const LineFlow& flow, float threshold) {
    // Averaged over the stream line through each pixel, followed both ways, keeping its
    // heading where the tangent's sign flips.
    const cv::Mat& across = flow.across;
    const int reach = flow.reach;
    const float right = float(across.cols - 1);
    const float bottom = float(across.rows - 1);
    const float centre = flow.weights[size_t(reach)];
    cv::Mat dark = cv::Mat::zeros(across.size(), CV_8U);
    cv::parallel_for_(cv::Range(0, across.rows), [&](const cv::Range& rows) {
        for (int y = rows.start; y < rows.end; ++y) {
            const float* within = flow.reachable.ptr<float>(y);
            const float* own = across.ptr<float>(y);
            uchar* out = dark.ptr<uchar>(y);
            for (int x = 0; x < across.cols; ++x) {
                // The average is at most the pixel's own share of its value plus the rest
                // of the weight at the largest value within reach.
                if (centre * own[x] + (1.0f - centre) * within[x] <= threshold)
                    continue;
                float sum = flow.weights[size_t(reach)] * across.at<float>(y, x);
                for (const float way : {1.0f, -1.0f}) {
                    float px = float(x);
                    float py = float(y);
                    cv::Vec2f heading = way * LineFlow::kStep * flow.tangents.at<cv::Vec2f>(y, x);
                    for (int k = 1; k <= reach; ++k) {
                        px = std::clamp(px + heading[0], 0.0f, right);
                        py = std::clamp(py + heading[1], 0.0f, bottom);
                        cv::Vec2f next =
                            flow.tangents.at<cv::Vec2f>(int(py + 0.5f), int(px + 0.5f));
                        if (next.dot(heading) < 0.0f)
                            next = -next;
                        heading = next;
                        sum += flow.weights[size_t(reach + k)] * bilinear(across, px, py);
                    }
                }
                out[x] = sum > threshold ? 255 : 0;
            }
        }
    });
    return dark;
}
