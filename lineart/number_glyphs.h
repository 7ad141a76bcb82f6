// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

#include <vector>

// Numbers drawn into a picture in narrow digits of a chosen height, without smoothing: a
// number's pixels are all of its colour.

// Width of a digit per unit of its height.
inline constexpr double kGlyphAspect = 0.6;

// Draws number into a blue, green, red picture, its box (at most digits * kGlyphAspect * height
// wide, height high) centred on centre.
void drawNumber(cv::Mat& picture, int number, cv::Point2f centre, float height,
                const cv::Vec3b& colour);

// The same number's figures as closed outlines in the picture's pixels, to be filled by the
// even-odd rule (a 0 or an 8 keeps its holes): for pages drawn in vectors where no font
// is at hand.
std::vector<std::vector<cv::Point2f>> numberOutlines(int number, cv::Point2f centre, float height);
