// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// The pixel loops written the plain way, one pixel at a time through ScanPixel, PrintPixel
// and AdjustPixel, as the window first did them. The fast loops must give the same bytes;
// tests compare against these and benchmarks time them.

#include "bitmap.h"
#include "pixel_access.h"
#include "tone.h"

// Colouring-page values of every inner pixel of src, written into out (white, same size).
inline void perPixelColouring(Bitmap& src, Bitmap& out) {
    double kernel[3][3]; // [dx + 1][dy + 1]
    for (auto& column : kernel)
        for (double& weight : column)
            weight = 0;
    kernel[1][1] = 4;
    kernel[0][1] = kernel[2][1] = kernel[1][0] = kernel[1][2] = -1;
    const qint16 gain = 100;
    const double base = 255;
    for (int x = 1; x <= src.width() - 2; ++x) {
        for (int y = 1; y <= src.height() - 3; ++y) {
            double sum = 0;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) {
                    uchar r, g, b;
                    ScanPixel(src, x + dx, y + dy, r, g, b);
                    const double n = r + 256.0 * b + 65536.0 * g;
                    sum = sum + n * kernel[dx + 1][dy + 1];
                }
            uchar r, g, b;
            ScanPixel(src, x, y, r, g, b);
            const double d = r + 256.0 * g + 65536.0 * b;
            const double q = d == 0 ? 0.0 : sum / d;
            const double t = gain * q;
            const uchar v = uchar(ClampByte(base + t));
            PrintPixel(x, y, v, v, v, out);
        }
    }
}

// Every pixel of src through the processor, written into out (same size).
inline void perPixelTone(Bitmap& src, Bitmap& out, TImageProcessing& processor) {
    for (int x = 0; x < src.width(); ++x)
        for (int y = 0; y < src.height(); ++y) {
            uchar r, g, b;
            ScanPixel(src, x, y, r, g, b);
            processor.AdjustPixel(r, g, b);
            PrintPixel(x, y, r, g, b, out);
        }
}
