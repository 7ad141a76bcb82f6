// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

// Thins the strokes of a binary picture (non-zero is ink) to centre lines one pixel wide,
// keeping each stroke connected and its ends (Zhang and Suen's two-step thinning).
// Only ink pixels are visited, so the cost follows the amount of ink, not the page size.
void thinStrokes(cv::Mat& ink);
