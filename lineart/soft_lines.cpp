// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "soft_lines.h"

#include "colourability.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

Bitmap softenedLines(const Bitmap& page) {
    if (page.isEmpty())
        return page;
    QImage grey = page.image().convertToFormat(QImage::Format_Grayscale8);
    cv::Mat pixels(grey.height(), grey.width(), CV_8UC1, grey.bits(), size_t(grey.bytesPerLine()));
    // At least most of a pixel: a smaller page still gets greys beside its lines.
    const double sigma = std::max(0.8, 0.12 * pixelsPerMmAtA4(page.width(), page.height()));
    cv::GaussianBlur(pixels, pixels, cv::Size(), sigma, sigma, cv::BORDER_REPLICATE);
    return Bitmap::fromImage(grey, 24);
}
