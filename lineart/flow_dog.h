// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

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

// 255 where a pixel lies on a line darker than the band around it by more than threshold (in
// the lightness's units), 0 elsewhere (CV_8U). lightness is CV_32F.
cv::Mat flowDarkness(const cv::Mat& lightness, const FlowRules& rules, float threshold);
