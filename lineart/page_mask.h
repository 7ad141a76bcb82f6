// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

class Bitmap;

// Conversions between page bitmaps and the one-channel pictures the line work runs on.

// The page in grey, 0 black to 255 white, whatever its depth.
cv::Mat greyOf(const Bitmap& page);
// The page in blue, green, red bytes; the page's own pixels when it is 24 bits deep.
cv::Mat coloursOf(const Bitmap& page);
// 1 where the page has ink (grey under 128), 0 where it is paper.
cv::Mat inkOf(const Bitmap& page);
// A 1-bit page: black where ink is non-zero, white elsewhere.
Bitmap pageOfInk(const cv::Mat& ink);
