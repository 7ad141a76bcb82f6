// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

#include <vector>

// Lines darker than their surroundings, found along the picture's own lines: a difference
// of Gaussians averaged over a stretch of the edge's flow (the direction the lightness
// changes least in, from the smoothed structure tensor). A contour whose contrast comes and
// goes keeps one response all along, where the plain difference breaks it into dashes, and
// texture without a direction averages out.
struct FlowRules {
    // The inner width of the difference of Gaussians, in pixels; the outer is 1.6 times
    // wider.
    double sigma = 1.0;
    // The width of the averaging along the flow, in pixels.
    double along = 3.0;
    // How far the edge directions are smoothed, in pixels: wider follows the larger shapes.
    double flowSmoothing = 3.0;
};

// What of the lines' darkness follows from the picture alone: made once, it serves any
// threshold.
struct LineFlow {
    static constexpr float kStep = 2.0f; // pixels between the samples along the flow
    cv::Mat across;                      // the difference of Gaussians (CV_32F)
    cv::Mat reachable;                   // its largest value within reach of each pixel
    cv::Mat tangents;                    // the edge flow's direction (unit vectors, CV_32FC2)
    std::vector<float> weights;          // along the flow, steps -reach .. reach
    int reach = 0;
};

// lightness is CV_32F.
LineFlow lineFlow(const cv::Mat& lightness, const FlowRules& rules);

// 255 where a pixel lies on a line darker than the band around it by more than threshold (in
// the lightness's units), 0 elsewhere (CV_8U).
cv::Mat flowDarkness(const LineFlow& flow, float threshold);
