// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QImage>

// A page picture: pixels plus the depth the page declares (1, 4, 8, 16, 24 or 32 bits).
// Rows are counted from the top. At 24 bits each row holds blue, green, red bytes per
// pixel and is padded to a multiple of 4 bytes. Copies are independent: writing to one
// never shows in another (the pixels are shared until one of them is written).
class Bitmap {
public:
    Bitmap() = default;
    // A new bitmap of the given size is white in every pixel.
    Bitmap(int width, int height, int depth = 24);
    // A 24-bit bitmap, white outside inner; the pixels inside inner are not set, for a loop
    // that writes every one of them before anything reads them.
    static Bitmap whiteOutside(int width, int height, const QRect& inner);
    // Takes a decoded picture, converted with colour conversion to the given depth and
    // drawn over white where it is transparent. Throws std::bad_alloc when memory runs out.
    static Bitmap fromImage(const QImage& image, int depth);

    static bool isValidDepth(int depth);
    static QImage::Format formatFor(int depth);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    int depth() const { return m_depth; }
    bool isEmpty() const { return m_image.isNull(); }

    // Changes the size; what lies in both sizes is kept, new pixels are white.
    void setSize(int width, int height);
    // Changes the depth with colour conversion: a palette index becomes its colour, the
    // fourth byte of 32-bit pixels is dropped, 16-bit pixels are widened; converting to
    // an indexed depth picks the nearest colour of that depth's table.
    void setDepth(int depth);
    // Makes every pixel of a 24-bit bitmap outside inner white; throws
    // std::invalid_argument at another depth.
    void whitenOutside(const QRect& inner);

    // Row y from the top; no range check. The writable form unshares the pixels.
    uchar* scanLine(int y) { return m_image.scanLine(y); }
    const uchar* constScanLine(int y) const { return m_image.constScanLine(y); }
    qsizetype bytesPerLine() const { return m_image.bytesPerLine(); }

    QRgb pixel(int x, int y) const { return m_image.pixel(x, y); }
    QList<QRgb> colourTable() const { return m_image.colorTable(); }
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
    int m_depth = 24;
};
