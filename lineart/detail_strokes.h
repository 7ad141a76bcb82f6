// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "flow_dog.h"

#include <opencv2/core/mat.hpp>

// Thin dark lines of the picture (a whisker, a tripod's leg, a pair of lines closer than a
// region may be wide) that the regions cannot hold, as open strokes one pixel wide.
struct StrokeRules {
    // Lightness (CIELAB L) by which a line must be darker than its surroundings.
    double depth = 6.0;
    // Shorter strokes are left out, in pixels.
    double shortest = 30.0;
    // No more strokes than this. The darkest are kept, their darkness weighed by their
    // distance from the borders: a page gets its few telling strokes, a face's eyes and
    // mouth alone in its region, rather than a scatter of dashes in busy texture, each
    // with two free ends.
    int most = 1000;
    // Strokes keep this far, in pixels, from the regions' borders, so that they never cut a
    // region into pieces and never run beside a border as a second line.
    double clearance = 7.0;
};

// 1 on the strokes, 0 elsewhere. flow is that of the picture's CIELAB lightness; borders is
// the regions' outlines (non-zero), of the same size.
cv::Mat detailStrokes(const LineFlow& flow, const cv::Mat& borders, const StrokeRules& rules);
