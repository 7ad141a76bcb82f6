// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "page_mask.h"

#include "bitmap.h"

#include <opencv2/imgproc.hpp>

cv::Mat greyOf(const Bitmap& page) {
    const QImage& image = page.image();
    cv::Mat grey;
    if (image.isNull())
        return grey;
    auto* bits = const_cast<uchar*>(image.constBits());
    const size_t step = size_t(image.bytesPerLine());
    if (image.format() == QImage::Format_BGR888) {
        cv::cvtColor(cv::Mat(image.height(), image.width(), CV_8UC3, bits, step), grey,
                     cv::COLOR_BGR2GRAY);
    } else if (image.format() == QImage::Format_RGB32) {
        cv::cvtColor(cv::Mat(image.height(), image.width(), CV_8UC4, bits, step), grey,
                     cv::COLOR_BGRA2GRAY);
    } else if (image.format() == QImage::Format_Mono &&
               image.colorTable() == QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}) {
        // Two-colour line pages are checked often: unpacked here, a set bit is white.
        grey.create(image.height(), image.width(), CV_8UC1);
        for (int y = 0; y < image.height(); ++y) {
            const uchar* in = image.constScanLine(y);
            uchar* out = grey.ptr<uchar>(y);
            for (int x = 0; x < image.width(); ++x)
                out[x] = uchar(-((in[x >> 3] >> (7 - (x & 7))) & 1));
        }
    } else {
        // Palette and 16-bit pages are rare enough to go through Qt's own conversion.
        const QImage converted = image.convertToFormat(QImage::Format_Grayscale8);
        cv::Mat(converted.height(), converted.width(), CV_8UC1,
                const_cast<uchar*>(converted.constBits()), size_t(converted.bytesPerLine()))
            .copyTo(grey);
    }
    return grey;
}

cv::Mat coloursOf(const Bitmap& page) {
    QImage image = page.image();
    if (image.isNull())
        return cv::Mat();
    if (image.format() != QImage::Format_BGR888)
        image = image.convertToFormat(QImage::Format_BGR888);
    cv::Mat colours(image.height(), image.width(), CV_8UC3, const_cast<uchar*>(image.constBits()),
                    size_t(image.bytesPerLine()));
    // A converted copy dies with this function: the result must own its pixels then.
    return image.constBits() == page.image().constBits() ? colours : colours.clone();
}

cv::Mat inkOf(const Bitmap& page) {
    cv::Mat ink;
    const cv::Mat grey = greyOf(page);
    if (!grey.empty())
        cv::threshold(grey, ink, 127, 1, cv::THRESH_BINARY_INV);
    return ink;
}

Bitmap pageOfInk(const cv::Mat& ink) {
    Bitmap page(ink.cols, ink.rows, 1);
    // Index 1 of the page's table is white: a set bit is paper, most significant bit first.
    for (int y = 0; y < ink.rows; ++y) {
        const uchar* in = ink.ptr<uchar>(y);
        uchar* out = page.scanLine(y);
        const int whole = ink.cols / 8;
        for (int b = 0; b < whole; ++b) {
            const uchar* p = in + 8 * b;
            out[b] = uchar((!p[0] << 7) | (!p[1] << 6) | (!p[2] << 5) | (!p[3] << 4) |
                           (!p[4] << 3) | (!p[5] << 2) | (!p[6] << 1) | !p[7]);
        }
        for (int x = 8 * whole; x < ink.cols; ++x)
            if (in[x])
                out[x / 8] = uchar(out[x / 8] & ~(0x80 >> (x % 8)));
    }
    return page;
}
