// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "pixel_access.h"

#include "app_error.h"

#include <QCoreApplication>
#include <cmath>
#include <stdexcept>

namespace {

// Checks before converting, so a bad position leaves the bitmap exactly as it was.
void checkPosition(const Bitmap& bitmap, int x, int y) {
    if (y < 0 || y >= bitmap.height())
        throw EAppError(QCoreApplication::translate(
            "PixelAccess", "スキャンライン のインデックスが範囲を越えました"));
    // No caller passes such a column, but a write there would land outside the row.
    if (x < 0 || x >= bitmap.width())
        throw std::out_of_range("pixel column outside the bitmap");
}

} // namespace

void ScanPixel(Bitmap& bitmap, int x, int y, uchar& red, uchar& green, uchar& blue) {
    checkPosition(bitmap, x, y);
    bitmap.setDepth(24);
    const uchar* pixel = bitmap.constScanLine(y) + 3 * qsizetype(x);
    blue = pixel[0];
    green = pixel[1];
    red = pixel[2];
}

void PrintPixel(int x, int y, uchar red, uchar green, uchar blue, Bitmap& bitmap) {
    checkPosition(bitmap, x, y);
    bitmap.setDepth(24);
    uchar* pixel = bitmap.scanLine(y) + 3 * qsizetype(x);
    pixel[0] = blue;
    pixel[1] = green;
    pixel[2] = red;
}

int ClampByte(double value) {
    if (value >= 255)
        return 255;
    if (!(value > 0))
        return 0;
    // The rounding mode stays at nearest-even throughout the program.
    return int(std::nearbyint(value));
}
